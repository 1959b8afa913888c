#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "SettingsFakeRegistry.h"
#include "TestFolder.h"
#include "lang/LangPack.h"
#include "lang/LangResource.h"
#include "lang/Localizer.h"
#include "map/AppSettings.h"
#include "map/IMappedData.h"
#include "platform/WebPage.h"
#include "reg/MappedData.h"
#include "thread/Pooled.h"
#include "xml/MappedData.h"

using s::lang::Localizer;
using s::map::AppSettings;
using s::map::IMappedData;
using s::reg::ValueType;
using s::thread::Pooled;
using settings_test::FakeHive;
using settings_test::FakeRegDir;

namespace {

std::vector<std::u16string> g_openedPages;

bool recordPage(const char16_t* address)
{
    g_openedPages.emplace_back(address);
    return true;
}

Pooled<Localizer> packWithSystemLanguage(std::u16string_view systemName)
{
    const std::string_view bytes = s::lang::LangResource::compiledInBytes();
    Pooled<Localizer> localizer(Localizer::fromUtf8(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    localizer->setSystemLanguage(systemName);
    return localizer;
}

std::u16string currentName(Localizer& localizer) { return localizer.currentLanguage()->engName().str(); }

class SettingsStartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakeHive::instance().clear();
        g_openedPages.clear();
        m_previousOpener = s::platform::setWebPageOpener(&recordPage);
    }
    void TearDown() override { s::platform::setWebPageOpener(m_previousOpener); }

private:
    s::platform::WebPageOpener m_previousOpener = nullptr;
};

}  // namespace

TEST_F(SettingsStartUp, FirstStartStoresIdentificationAndTheSystemLanguage)
{
    auto localizer = packWithSystemLanguage(u"German");
    Pooled<IMappedData> store(s::xml::MappedData::inMemory());
    AppSettings::startUp(*store, *localizer);

    EXPECT_EQ(currentName(*localizer), u"German");
    EXPECT_EQ(std::u16string(store->getString(u"SoftwareID", u"", u"")), u"Vosk Pellory");
    EXPECT_EQ(std::u16string(store->getString(u"Version", u"", u"")), u"1.10");
    EXPECT_EQ(std::u16string(store->getString(u"Language", u"", u"")), u"German");
    EXPECT_TRUE(store->autoSave());

    AppSettings::writeIdentification(*store, *localizer, u"MainWindow\\");
    EXPECT_EQ(std::u16string(store->getString(u"MainWindow\\Version", u"", u"")), u"1.10");
}

TEST_F(SettingsStartUp, TheSavedLanguageWinsAndIsStoredInThePacksSpelling)
{
    struct Case {
        std::u16string_view saved;   // empty: nothing stored
        std::u16string_view system;
        std::u16string_view chosen;  // also what is stored afterwards
    };
    const Case cases[] = {
        {u"german", u"English", u"German"},
        {u"GERMAN", u"Hungarian", u"German"},
        {u"Magyar", u"German", u"English"},  // a trueName is not a language name
        {u"Klingon", u"German", u"English"},
        {u"Hungarian", u"German", u"Hungarian"},
        {u"Chinese", u"English", u"Chinese_Simplified"},
        {u"", u"Portuguese_portugal", u"Portuguese_Brazilian"},
        {u"", u"Hebrew", u"English"},
        {u"", u"Unknown", u"English"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.saved.begin(), c.saved.end()) + "/" + std::string(c.system.begin(), c.system.end()));
        auto localizer = packWithSystemLanguage(c.system);
        Pooled<IMappedData> store(s::reg::MappedData::withRoot(FakeRegDir::make(u"Software\\Vosk\\Vosk Pellory\\SaveData")));
        FakeHive::instance().clear();
        if (!c.saved.empty())
            AppSettings::setSavedLanguage(*store, c.saved);
        AppSettings::chooseLanguage(*store, *localizer);
        EXPECT_EQ(currentName(*localizer), c.chosen);
        EXPECT_TRUE(store->valueExists(u"Language", u""));
        EXPECT_EQ(AppSettings::savedLanguage(*store, *localizer), c.chosen);
    }
}

TEST_F(SettingsStartUp, TheBatchIsNotSavedWriteByWrite)
{
    TestFolder folder;
    auto localizer = packWithSystemLanguage(u"English");
    Pooled<IMappedData> store(AppSettings::openFileStore(folder.text()));
    store->setAutoSave(true);
    AppSettings::startUp(*store, *localizer);
    const std::filesystem::path file = folder.path() / "savedata" / "SaveData.xml";
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(store->autoSave());
    // From now on every write is saved.
    AppSettings::setSavedLanguage(*store, u"Hungarian");
    EXPECT_EQ(readAll(file), "<savedata><SoftwareID>Vosk&#160;Pellory</SoftwareID><Version>1.10</Version>"
                             "<Language>Hungarian</Language></savedata>");
}

TEST_F(SettingsStartUp, StoreKeysComeFromTheRegistryName)
{
    auto localizer = packWithSystemLanguage(u"English");
    EXPECT_EQ(AppSettings::productKeyPath(*localizer), u"Software\\Vosk\\Vosk Pellory");
    EXPECT_EQ(AppSettings::storeKeyPath(*localizer), u"Software\\Vosk\\Vosk Pellory\\SaveData");
    // A pack without the name still gives a sound key.
    const std::string empty = "<lang><languages><entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
                              "</languages></lang>";
    Pooled<Localizer> bare(Localizer::fromUtf8(reinterpret_cast<const uint8_t*>(empty.data()), empty.size()));
    EXPECT_EQ(AppSettings::storeKeyPath(*bare), u"Software\\Vosk\\Vosk Pellory\\SaveData");
}

TEST_F(SettingsStartUp, PostInstallPageOpensOnceForANonZeroDword)
{
    struct Case {
        const char* name;
        ValueType type;
        std::vector<uint8_t> data;  // empty with type None: no value at all
        bool hasParameters;
        bool opens;
        std::vector<uint8_t> after;
    };
    const Case cases[] = {
        {"one", ValueType::Dword, {1, 0, 0, 0}, false, true, {0, 0, 0, 0}},
        {"high byte", ValueType::Dword, {0, 0, 0, 0x80}, false, true, {0, 0, 0, 0}},
        {"zero", ValueType::Dword, {0, 0, 0, 0}, false, false, {0, 0, 0, 0}},
        {"missing", ValueType::None, {}, false, false, {}},
        {"text", ValueType::String, {'1', 0, 0, 0}, false, false, {'1', 0, 0, 0}},
        {"binary", ValueType::Binary, {1, 0, 0, 0}, false, false, {1, 0, 0, 0}},
        {"eight bytes", ValueType::Dword, {1, 0, 0, 0, 0, 0, 0, 0}, false, false, {1, 0, 0, 0, 0, 0, 0, 0}},
        {"with parameters", ValueType::Dword, {5, 0, 0, 0}, true, false, {5, 0, 0, 0}},
    };
    auto localizer = packWithSystemLanguage(u"German");
    const std::u16string productKey = AppSettings::productKeyPath(*localizer);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeHive::instance().clear();
        g_openedPages.clear();
        Pooled<FakeRegDir> key(FakeRegDir::make(productKey));
        key->create();
        if (c.type != ValueType::None)
            key->writeValue(u"Silent", c.type, c.data.data(), static_cast<uint32_t>(c.data.size()));

        EXPECT_EQ(AppSettings::openPostInstallPage(*key, c.hasParameters, *localizer), c.opens);
        EXPECT_EQ(g_openedPages.size(), c.opens ? 1u : 0u);
        if (c.opens) {
            EXPECT_EQ(g_openedPages[0], localizer->text(AppSettings::kTextProductPage));
        }
        const auto* value = FakeHive::instance().value(productKey, u"Silent");
        EXPECT_EQ(value ? value->data : std::vector<uint8_t>(), c.after);
        // The next start opens nothing.
        EXPECT_FALSE(AppSettings::openPostInstallPage(*key, c.hasParameters, *localizer));
        EXPECT_EQ(g_openedPages.size(), c.opens ? 1u : 0u);
    }
}

TEST_F(SettingsStartUp, PostInstallPageStaysClosedWhenTheFlagCannotBeCleared)
{
    auto localizer = packWithSystemLanguage(u"English");
    Pooled<FakeRegDir> key(FakeRegDir::make(AppSettings::productKeyPath(*localizer)));
    key->create();
    const uint8_t one[] = {1, 0, 0, 0};
    key->writeValue(u"Silent", ValueType::Dword, one, 4);
    FakeHive::instance().failWrites = true;
    EXPECT_FALSE(AppSettings::openPostInstallPage(*key, false, *localizer));
    EXPECT_TRUE(g_openedPages.empty());
}

TEST(SettingsWebPage, OnlyWebAddressesReachTheOpener)
{
    g_openedPages.clear();
    const auto previous = s::platform::setWebPageOpener(&recordPage);
    EXPECT_TRUE(s::platform::openWebPage(u"https://www.example.org/pellory/"));
    EXPECT_TRUE(s::platform::openWebPage(u"HTTP://example.org"));
    EXPECT_FALSE(s::platform::openWebPage(u"C:\\Windows\\notepad.exe"));
    EXPECT_FALSE(s::platform::openWebPage(u"file:///etc/passwd"));
    EXPECT_FALSE(s::platform::openWebPage(u""));
    EXPECT_FALSE(s::platform::openWebPage(nullptr));
    s::platform::setWebPageOpener(previous);
    EXPECT_EQ(g_openedPages.size(), 2u);
}
