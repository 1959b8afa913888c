#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "lang/ILanguageListener.h"
#include "lang/LangPack.h"
#include "lang/LangResource.h"
#include "lang/LanguageNames.h"
#include "lang/Localizer.h"
#include "map/MapTable.h"
#include "platform/SystemLanguage.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/Pooled.h"
#include "xml/Node.h"

using s::lang::LangPack;
using s::lang::Localizer;
using s::str::strbuffer::StrBuffer;
using s::thread::Pooled;

namespace {

Pooled<Localizer> embeddedPack(std::u16string_view systemName = u"English")
{
    const std::string_view bytes = s::lang::LangResource::compiledInBytes();
    Pooled<Localizer> localizer(Localizer::fromUtf8(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    localizer->setSystemLanguage(systemName);
    return localizer;
}

Pooled<Localizer> packOf(const std::string& xml, bool replaceBarredL = false)
{
    Pooled<s::xml::Node> root(s::xml::Node::take());
    root->parseUtf8(reinterpret_cast<const uint8_t*>(xml.data()), xml.size());
    Pooled<Localizer> localizer(Localizer::take());
    localizer->fill(*root, replaceBarredL);
    localizer->setSystemLanguage(u"English");
    return localizer;
}

std::u16string currentName(Localizer& localizer) { return localizer.currentLanguage()->engName().str(); }

// The English texts the program relies on, unescaped.
const std::map<int32_t, std::u16string_view> kEnglish = {
    {300000, u"Vosk Pellory"},
    {400010, u"Version:"},
    {400020, u"Last Updated:"},
    {400030, u"OS:"},
    {400080, u"URL:"},
    {400100, u"Version Information"},
    {400120, u"Close"},
    {500000, u"Vosk Pellory"},
    {500010, u"1.10"},
    {500020, u"2013/08/14"},
    {500030, u"Windows XP/2003/Vista"},
    {609000, u"View"},
    {609100, u"Keep on Top"},
    {609200, u"Right-Click Transform"},
    {609300, u"Easy Drag"},
    {609350, u"Close By Mouse-Wheel Click"},
    {609400, u"Show/Hide"},
    {609420, u"\"Keep on Top\" Check Box"},
    {609430, u"Advanced/Minimized Button"},
    {609440, u"Status Bar"},
    {609450, u"Ready"},
    {609460, u"Done!"},
    {700000, u"Language"},
    {700001, u"Translate? (online)"},
    {701000, u"About"},
    {701100, u"Version Information"},
    {701200, u"Software Page (online)"},
    {701300, u"Tell Developers (online)"},
    {1000000, u"Keep on Top"},
    {1001000, u"Drop Box"},
    {1002000, u"Please drop image file(s) here!"},
    {1003000, u"(.jpg, .gif, .png, .bmp, .ico)"},
    {1004000, u"Convert to: "},
    {1005000, u"Advanced Options >>"},
    {1006000, u"<< Minimize"},
    {1101000, u"Sharpen"},
    {1102000, u"Blur"},
    {1105000, u"Strength"},
    {2010000000, u"About"},
    {2010001000, u"Close"},
};
// The maker's addresses: any text, but there must be one.
const int32_t kAddressIds[] = {100000, 500003, 500004, 500006};

class CountingListener : public s::lang::ILanguageListener {
public:
    void languageChanged(Localizer* localizer) override
    {
        ++calls;
        last = localizer->currentLanguage()->engName().str();
    }
    int calls = 0;
    std::u16string last;
};

}  // namespace

// --- The embedded pack ----------------------------------------------------------------------------------

TEST(LangEmbeddedPack, MatchesResourcesLangXml)
{
    std::ifstream in(PELLORY_TESTDATA_DIR "/../../resources/lang.xml", std::ios::binary);
    ASSERT_TRUE(in.good());
    const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_TRUE(file == s::lang::LangResource::compiledInBytes())
        << "src/lang/LangPackData.cpp is out of date: run tools/embed-lang.py";
    // Without a resource of its own the program uses the compiled-in pack.
    EXPECT_EQ(s::lang::LangResource::packBytes(), s::lang::LangResource::compiledInBytes());
}

TEST(LangEmbeddedPack, ListsThe34LanguagesInMenuOrder)
{
    auto pack = embeddedPack();
    const std::vector<std::u16string> expected = {
        u"English",   u"Bulgarian",  u"Catalan",    u"Chinese_Simplified", u"Chinese_Traditional",
        u"Croatian",  u"Czech",      u"Danish",     u"Dutch",              u"Finnish",
        u"French",    u"German",     u"Greek",      u"Hungarian",          u"Indonesian",
        u"Italian",   u"Japanese",   u"Korean",     u"Lithuanian",         u"Norwegian",
        u"Polish",    u"Portuguese_Brazilian",      u"Romanian",           u"Russian",
        u"Serbian_Cyrillic",         u"Serbian_Latin", u"Slovak",          u"Slovenian",
        u"Spanish",   u"Swedish",    u"Turkish",    u"Ukrainian",          u"Venetian",
        u"Vietnamese",
    };
    ASSERT_EQ(pack->languageCount(), 34);
    std::vector<std::u16string> names;
    for (int32_t i = 0; i < pack->languageCount(); ++i)
        names.push_back(pack->languageAt(i)->engName().str());
    EXPECT_EQ(names, expected);
    EXPECT_EQ(pack->languageAt(0)->tagName().str(), u"eng");
    EXPECT_EQ(pack->findLanguage(u"Hungarian")->trueName().str(), u"Magyar");
    EXPECT_EQ(pack->findLanguage(u"Venetian")->tagName().str(), u"vec");
    EXPECT_EQ(pack->findLanguage(u"Hebrew"), nullptr);
    EXPECT_EQ(pack->findLanguage(u"Portuguese_Portugal"), pack->findLanguage(u"Portuguese_Brazilian"));
}

TEST(LangEmbeddedPack, EnglishTextsAreTheProgramsOwn)
{
    auto pack = embeddedPack();
    for (const auto& [id, text] : kEnglish) {
        SCOPED_TRACE(id);
        EXPECT_EQ(std::u16string(pack->text(id)), text);
    }
    for (int32_t id : kAddressIds) {
        const std::u16string address = pack->text(id);
        EXPECT_EQ(address.rfind(u"https://", 0), 0u) << id;
        EXPECT_NE(address.find(u"example.org"), std::u16string::npos) << id;
    }
}

TEST(LangEmbeddedPack, EveryLanguageWritesEveryTextOrIsMarkedPartial)
{
    // The document itself, not the filled localizer, whose fallbacks would hide a gap.
    const std::string_view bytes = s::lang::LangResource::compiledInBytes();
    Pooled<s::xml::Node> root(s::xml::Node::take());
    root->parseUtf8(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    auto pack = embeddedPack();
    std::map<int32_t, const s::xml::Node*> entries;
    const s::xml::Node* list = root->child(u"entries");
    ASSERT_NE(list, nullptr);
    for (int32_t i = 0; i < list->childCount(); ++i)
        entries[list->childAt(i)->getInt32(u"id", -1)] = list->childAt(i);

    std::vector<int32_t> ids;
    for (const auto& entry : kEnglish)
        ids.push_back(entry.first);
    ids.insert(ids.end(), std::begin(kAddressIds), std::end(kAddressIds));
    for (int32_t i = 0; i < pack->languageCount(); ++i) {
        const LangPack* language = pack->languageAt(i);
        const std::u16string& trueName = language->trueName().str();
        const bool partial = trueName.size() > 10 && trueName.compare(trueName.size() - 10, 10, u" (Partial)") == 0;
        for (int32_t id : ids) {
            SCOPED_TRACE(language->engName().toUtf8() + " " + std::to_string(id));
            ASSERT_EQ(entries.count(id), 1u);
            const s::xml::Node* element = entries[id]->child(language->tagName().text());
            StrBuffer text;
            if (element)
                element->getString(text, u"", u"");
            EXPECT_TRUE(partial || !text.isEmpty());
            EXPECT_FALSE(std::u16string(language->text(id)).empty());
        }
    }
}

TEST(LangEmbeddedPack, TextLookups)
{
    auto pack = embeddedPack(u"German");
    EXPECT_EQ(currentName(*pack), u"German");
    EXPECT_EQ(std::u16string(pack->text(1101000)).empty(), false);
    EXPECT_NE(std::u16string(pack->text(1101000)), u"Sharpen");
    // An id the pack does not have: the empty text, not the id.
    EXPECT_EQ(std::u16string(pack->text(608299)), u"");
    EXPECT_FALSE(pack->hasText(608299));
    EXPECT_TRUE(pack->hasText(609450));
    EXPECT_EQ(std::u16string(pack->text(-1)), u"");
}

// --- Choosing a language -----------------------------------------------------------------------------------

TEST(LangSelect, NamesFindTheirLanguage)
{
    auto pack = embeddedPack();
    struct Case {
        std::u16string_view name;
        std::u16string_view found;  // empty: none
    };
    const Case cases[] = {
        {u"German", u"German"},
        {u"german", u"German"},
        {u"GERMAN", u"German"},
        {u"gErMaN", u"German"},
        {u"Chinese", u"Chinese_Simplified"},
        {u"Chinese_traditional", u"Chinese_Traditional"},
        {u"chinese_hongkong", u"Chinese_Simplified"},
        {u"Portuguese", u"Portuguese_Brazilian"},
        {u"Portuguese_portugal", u"Portuguese_Brazilian"},
        {u"Serbian", u"Serbian_Cyrillic"},
        {u"serbian_latin", u"Serbian_Latin"},
        {u"Hebrew", u""},
        {u"Unknown", u""},
        {u"", u""},
        {u"Germa", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name.begin(), c.name.end()));
        const LangPack* found = pack->findLanguage(c.name);
        EXPECT_EQ(found ? found->engName().str() : u"", c.found);
    }
}

TEST(LangSelect, SelectionFallsBackToEnglishAndTellsListenersOfChangesOnly)
{
    auto pack = embeddedPack(u"Hungarian");
    CountingListener listener;
    pack->addListener(&listener);
    EXPECT_EQ(currentName(*pack), u"Hungarian");

    EXPECT_FALSE(pack->selectLanguage(u"hungarian"));
    EXPECT_TRUE(pack->selectLanguage(u"german"));
    EXPECT_EQ(listener.calls, 1);
    EXPECT_EQ(listener.last, u"German");
    EXPECT_TRUE(pack->selectLanguage(u"Hebrew"));
    EXPECT_EQ(currentName(*pack), u"English");
    EXPECT_FALSE(pack->selectLanguage(u"Klingon"));  // English again: no change
    EXPECT_EQ(listener.calls, 2);

    EXPECT_TRUE(pack->selectLanguageAt(13));
    EXPECT_EQ(listener.last, u"Hungarian");
    EXPECT_FALSE(pack->selectLanguageAt(13));
    EXPECT_FALSE(pack->selectLanguageAt(34));
    EXPECT_FALSE(pack->selectLanguageAt(-1));
    pack->removeListener(&listener);
    EXPECT_TRUE(pack->selectLanguageAt(0));
    EXPECT_EQ(listener.calls, 3);
}

TEST(LangSelect, SystemLanguageIdentifiersToNamesAndLanguages)
{
    struct Case {
        uint16_t id;
        std::u16string_view name;
        std::u16string_view selects;
    };
    const Case cases[] = {
        {0x0409, u"English", u"English"},
        {0x0407, u"German", u"German"},
        {0x0C07, u"German", u"German"},  // German (Austria), by primary language
        {0x040E, u"Hungarian", u"Hungarian"},
        {0x0816, u"Portuguese_portugal", u"Portuguese_Brazilian"},
        {0x0416, u"Portuguese_brazilian", u"Portuguese_Brazilian"},
        {0x0004, u"Chinese_simplified", u"Chinese_Simplified"},
        {0x0804, u"Chinese_simplified", u"Chinese_Simplified"},
        {0x1004, u"Chinese_simplified", u"Chinese_Simplified"},
        {0x0C04, u"Chinese_traditional", u"Chinese_Traditional"},
        {0x0404, u"Chinese_traditional", u"Chinese_Traditional"},
        {0x1404, u"Chinese_traditional", u"Chinese_Traditional"},
        {0x7C04, u"Chinese_traditional", u"Chinese_Traditional"},
        {0x0104, u"Chinese", u"Chinese_Simplified"},
        {0x081A, u"Serbian_latin", u"Serbian_Latin"},
        {0x0C1A, u"Serbian_cyrillic", u"Serbian_Cyrillic"},
        {0x7C1A, u"Serbian", u"Serbian_Cyrillic"},
        {0x041A, u"Croatian", u"Croatian"},
        {0x201A, u"Bosnian", u"English"},
        {0x042E, u"Upper_sorbian", u"English"},
        {0x082E, u"Lower_sorbian", u"English"},
        {0x040D, u"Hebrew", u"English"},
        {0x0000, u"Unknown", u"English"},
        {0x00FF, u"Unknown", u"English"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(s::lang::LanguageNames::displayNameOf(c.id), c.name);
        auto pack = embeddedPack(c.name);
        EXPECT_EQ(currentName(*pack), c.selects);
    }
    EXPECT_FALSE(Localizer::systemLanguageName().empty());
}

TEST(LangSelect, LocaleNamesToLanguageIdentifiers)
{
    struct Case {
        const char* locale;
        uint16_t id;
    };
    const Case cases[] = {
        {"de_DE.UTF-8", 0x0407}, {"hu_HU", 0x040E},        {"en_US.utf8", 0x0409}, {"pt_BR.UTF-8", 0x0416},
        {"pt_PT", 0x0816},       {"pt", 0x0816},           {"zh_TW.UTF-8", 0x0404}, {"zh_HK", 0x0C04},
        {"zh_MO", 0x1404},       {"zh_SG", 0x1004},        {"zh_CN.GB2312", 0x0804}, {"zh", 0x0804},
        {"zh-Hant", 0x7C04},     {"sr_RS", 0x0C1A},        {"sr_RS@latin", 0x081A}, {"sr_ME", 0x081A},
        {"sr-Latn", 0x081A},     {"he_IL.UTF-8", 0x040D},  {"iw_IL", 0x040D},      {"nb_NO", 0x0414},
        {"vi", 0x042A},          {"C", 0x0409},            {"C.UTF-8", 0x0409},    {"POSIX", 0x0409},
        {"", 0x0409},            {"xx_YY", 0x0409},        {"_", 0x0409},          {"@", 0x0409},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(s::platform::languageIdOfLocale(c.locale), c.id);
    }
}

#ifndef _WIN32
TEST(LangSelect, LocaleVariablesInTheirOrderOfPrecedence)
{
    struct Saved {
        const char* name;
        std::string value;
        bool set;
    };
    std::vector<Saved> saved;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        saved.push_back({name, value ? value : "", value != nullptr});
    }
    setenv("LC_ALL", "", 1);
    setenv("LC_MESSAGES", "hu_HU.UTF-8", 1);
    setenv("LANG", "de_DE.UTF-8", 1);
    EXPECT_EQ(s::platform::userDefaultUiLanguage(), 0x040E);
    setenv("LC_ALL", "pt_BR", 1);
    EXPECT_EQ(s::platform::userDefaultUiLanguage(), 0x0416);
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    EXPECT_EQ(s::platform::userDefaultUiLanguage(), 0x0407);
    unsetenv("LANG");
    EXPECT_EQ(s::platform::userDefaultUiLanguage(), 0x0409);
    for (const Saved& s : saved) {
        if (s.set)
            setenv(s.name, s.value.c_str(), 1);
        else
            unsetenv(s.name);
    }
}
#endif

// --- Filling from a document ---------------------------------------------------------------------------------

TEST(LangFill, FallbacksUnknownTagsAndStringKeys)
{
    auto pack = packOf(
        "<lang><languages>"
        "<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
        "<entry tagName=\"deu\" engName=\"German\" trueName=\"Deutsch&quot;\"/>"
        "<entry tagName=\"hun\" engName=\"Hungarian\" trueName=\"Magyar (Partial)\"/>"
        "</languages><entries>"
        "<entry id=\"1\">all three<eng>One</eng><DEU>Eins</DEU><hun>Egy</hun></entry>"
        "<entry id=\"2\">German missing<eng>Two&#160;&gt;</eng><hun>Kett\xC5\x91</hun></entry>"
        "<entry id=\"3\">unknown first<xyz>?</xyz><eng>Three</eng></entry>"
        "<entry id=\"4\">repeated<eng>Four</eng><deu>Vier</deu><deu>IV</deu></entry>"
        "<entry id=\"name\"><eng>Named</eng><deu>Benannt</deu></entry>"
        "<entry>no id<eng>Lost</eng></entry>"
        "<Entry id=\"5\"><eng>Five</eng></Entry>"
        "<other id=\"6\"><eng>Six</eng></other>"
        "</entries></lang>");
    ASSERT_EQ(pack->languageCount(), 3);
    EXPECT_EQ(pack->languageAt(1)->trueName().str(), u"Deutsch\"");
    pack->selectLanguage(u"German");
    EXPECT_EQ(std::u16string(pack->text(1)), u"Eins");
    EXPECT_EQ(std::u16string(pack->text(2)), u"Two >");  // the English text stands in
    EXPECT_EQ(std::u16string(pack->text(3)), u"");       // the first element named no language
    EXPECT_EQ(std::u16string(pack->text(4)), u"Vier");
    EXPECT_EQ(std::u16string(pack->text(5)), u"Five");
    EXPECT_EQ(std::u16string(pack->text(6)), u"");
    EXPECT_EQ(std::u16string(pack->keyText(u"name")), u"Benannt");
    EXPECT_EQ(std::u16string(pack->keyText(u"Name")), u"");
    pack->selectLanguage(u"Hungarian");
    EXPECT_EQ(std::u16string(pack->text(2)), u"Kett\u0151");
    EXPECT_EQ(std::u16string(pack->keyText(u"name")), u"Named");
    EXPECT_EQ(std::u16string(pack->text(3)), u"");
    pack->selectLanguage(u"English");
    EXPECT_EQ(std::u16string(pack->text(3)), u"Three");
}

TEST(LangFill, VenetianBarredLOnOldSystemsOnly)
{
    const std::string xml = "<lang><languages><entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
                            "<entry tagName=\"vec\" engName=\"Venetian\" trueName=\"V\xC3\xA8neto\"/></languages>"
                            "<entries><entry id=\"1\"><eng>\xC6\x9A</eng><vec>\xC6\x9A" "a</vec></entry></entries></lang>";
    auto old = packOf(xml, true);
    old->selectLanguage(u"Venetian");
    EXPECT_EQ(std::u16string(old->text(1)), u"\u0142a");
    old->selectLanguage(u"English");
    EXPECT_EQ(std::u16string(old->text(1)), u"\u019A");
    auto current = packOf(xml, false);
    current->selectLanguage(u"Venetian");
    EXPECT_EQ(std::u16string(current->text(1)), u"\u019Aa");
}

TEST(LangFill, ADocumentWithoutLanguagesSelectsNothing)
{
    for (const std::string& xml : {std::string(), std::string("<lang><entries/></lang>"), std::string("<lang><languages>")}) {
        auto pack = packOf(xml);
        EXPECT_EQ(pack->languageCount(), 0);
        EXPECT_EQ(pack->currentLanguage(), nullptr);
        EXPECT_FALSE(pack->selectLanguage(u"English"));
        EXPECT_FALSE(pack->selectLanguageAt(0));
        EXPECT_EQ(std::u16string(pack->text(609450)), u"");
        EXPECT_FALSE(pack->hasText(609450));
    }
}

// --- The hash table under the string keys --------------------------------------------------------------------

TEST(LangMapTable, KeysAreUniqueAndTheTableGrowsThroughItsPrimes)
{
    Pooled<s::map::MapTable> table(s::map::MapTable::take());
    table->setDisposers(&StrBuffer::classPool(), &StrBuffer::classPool());
    for (int i = 0; i < 105; ++i)
        ASSERT_TRUE(table->put(StrBuffer::make(u"k" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) +
                                               std::u16string(static_cast<size_t>(i / 10), u'x')),
                               StrBuffer::make(u"v")));
    EXPECT_EQ(table->bucketCount(), 211u);
    // Half full: the next entry moves the table to the next prime.
    ASSERT_TRUE(table->put(StrBuffer::make(u"new"), StrBuffer::make(u"value")));
    EXPECT_EQ(table->bucketCount(), 431u);
    Pooled<StrBuffer> duplicate(StrBuffer::make(u"k0"));
    EXPECT_FALSE(table->put(duplicate.get(), nullptr));
    EXPECT_EQ(table->count(), 106);
    Pooled<StrBuffer> probe(StrBuffer::make(u"new"));
    ASSERT_NE(table->get(probe.get()), nullptr);
    EXPECT_EQ(static_cast<StrBuffer*>(table->get(probe.get()))->str(), u"value");
    probe->setText(u"NEW");
    EXPECT_EQ(table->get(probe.get()), nullptr);
    table->clear();
    EXPECT_EQ(table->count(), 0);
    EXPECT_EQ(table->get(duplicate.get()), nullptr);

    Pooled<s::map::MapTable> folded(s::map::MapTable::take());
    folded->setIgnoreCase(true);
    Pooled<StrBuffer> key(StrBuffer::make(u"Key"));
    Pooled<StrBuffer> other(StrBuffer::make(u"KEY"));
    EXPECT_TRUE(folded->put(key.get(), key.get()));
    EXPECT_FALSE(folded->put(other.get(), other.get()));
    EXPECT_EQ(folded->get(other.get()), key.get());
    EXPECT_EQ(s::map::MapTable::kPrimes[19], 113905901u);
}
