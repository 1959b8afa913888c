#include "lang/Localizer.h"

#include <vector>

#include "lang/ILanguageListener.h"
#include "lang/LangPack.h"
#include "lang/LangResource.h"
#include "lang/LanguageNames.h"
#include "platform/SystemLanguage.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/Pooled.h"
#include "xml/Node.h"
#include "xml/NumberText.h"

namespace s::lang {

using s::str::strbuffer::StrBuffer;
using s::xml::Node;

namespace {

bool startsWithIgnoreCase(std::u16string_view text, std::u16string_view prefix)
{
    return text.size() >= prefix.size() && StrBuffer::equalsIgnoreCase(text.substr(0, prefix.size()), prefix);
}

std::u16string unescapedAttribute(const Node& node, std::u16string_view name)
{
    StrBuffer value;
    node.getString(value, name, u"", false);
    return value.str();
}

}  // namespace

Localizer::Localizer() { m_languages.setElementDisposer(&LangPack::classPool()); }

Localizer::~Localizer() { reset(); }

void Localizer::reset()
{
    m_current = nullptr;
    m_listeners.clearAndFree();
    m_languages.clearAndFree();
    std::u16string().swap(m_systemLanguage);
}

Localizer* Localizer::loadLocalizer()
{
    const std::string_view pack = LangResource::packBytes();
    Localizer* localizer = fromUtf8(reinterpret_cast<const uint8_t*>(pack.data()), pack.size());
    localizer->selectLanguage(systemLanguageName());
    return localizer;
}

Localizer* Localizer::fromUtf8(const uint8_t* bytes, size_t count)
{
    Localizer* localizer = take();
    s::thread::Pooled<Node> root(Node::take());
    root->parseUtf8(bytes, count);
    localizer->fill(*root, s::platform::isBeforeWindowsVista());
    return localizer;
}

// --- Filling ------------------------------------------------------------------------------------

void Localizer::fill(const Node& root, bool replaceBarredL)
{
    if (const Node* languages = root.child(u"languages"))
        fillLanguages(*languages);
    const Node* entries = root.child(u"entries");
    for (int32_t i = 0; entries && i < entries->childCount(); ++i) {
        const Node* entry = entries->childAt(i);
        if (entry->nameEquals(u"entry"))
            fillEntry(*entry, replaceBarredL);
    }
}

void Localizer::fillLanguages(const Node& languages)
{
    for (int32_t i = 0; i < languages.childCount(); ++i) {
        const Node* entry = languages.childAt(i);
        if (!entry->nameEquals(u"entry"))
            continue;
        LangPack* language = LangPack::take();
        language->setNames(unescapedAttribute(*entry, u"tagName"), unescapedAttribute(*entry, u"engName"),
                           unescapedAttribute(*entry, u"trueName"));
        m_languages.add(language);
    }
}

void Localizer::fillEntry(const Node& entry, bool replaceBarredL)
{
    const char16_t* rawId = entry.rawValue(u"id", nullptr);
    if (!rawId)
        return;
    const std::u16string_view id(rawId);
    const bool numeric = !id.empty() && id[0] >= u'0' && id[0] <= u'9';
    const int32_t number = numeric ? s::xml::NumberText::toInt32(id) : 0;
    const auto hasIt = [&](const LangPack* language) { return numeric ? language->hasId(number) : language->hasKey(id); };
    const auto add = [&](LangPack* language, std::u16string text) {
        if (replaceBarredL && language->tagName().view() == u"vec") {
            for (char16_t& c : text) {
                if (c == u'\u019A')
                    c = u'\u0142';
            }
        }
        if (numeric)
            language->addText(number, text);
        else
            language->addKeyText(id, text);
    };

    // One text per language element; the first element's, when it names a
    // language, stands in for the languages the entry leaves out.
    std::u16string fallback;
    for (int32_t i = 0; i < entry.childCount(); ++i) {
        const Node* element = entry.childAt(i);
        LangPack* language = languageWithTag(element->nameView());
        if (!language)
            continue;
        StrBuffer text;
        element->getString(text, u"", u"", false);
        if (i == 0)
            fallback = text.str();
        add(language, text.str());
    }
    for (int32_t i = 0; i < m_languages.count(); ++i) {
        if (!hasIt(m_languages.at(i)))
            add(m_languages.at(i), fallback);
    }
}

LangPack* Localizer::languageWithTag(std::u16string_view tag) const
{
    for (int32_t i = 0; i < m_languages.count(); ++i) {
        if (StrBuffer::equalsIgnoreCase(m_languages.at(i)->tagName().view(), tag))
            return m_languages.at(i);
    }
    return nullptr;
}

// --- Selection ---------------------------------------------------------------------------------

int32_t Localizer::indexOf(const LangPack* language) const
{
    for (int32_t i = 0; i < m_languages.count(); ++i) {
        if (m_languages.at(i) == language)
            return i;
    }
    return -1;
}

LangPack* Localizer::languageNamed(std::u16string_view engName) const
{
    for (int32_t i = 0; i < m_languages.count(); ++i) {
        if (StrBuffer::equalsIgnoreCase(m_languages.at(i)->engName().view(), engName))
            return m_languages.at(i);
    }
    return nullptr;
}

LangPack* Localizer::findLanguage(std::u16string_view name) const
{
    if (LangPack* exact = languageNamed(name))
        return exact;
    // A name that gives the language but not its variant.
    if (startsWithIgnoreCase(name, u"Chinese")) {
        LangPack* simplified = languageNamed(u"CHINESE_SIMPLIFIED");
        return simplified ? simplified : languageNamed(u"CHINESE_TRADITIONAL");
    }
    if (startsWithIgnoreCase(name, u"Portuguese")) {
        LangPack* brazilian = languageNamed(u"PORTUGUESE_BRAZILIAN");
        return brazilian ? brazilian : languageNamed(u"PORTUGUESE_PORTUGAL");
    }
    if (startsWithIgnoreCase(name, u"Serbian")) {
        LangPack* cyrillic = languageNamed(u"SERBIAN_CYRILLIC");
        return cyrillic ? cyrillic : languageNamed(u"SERBIAN_LATIN");
    }
    return nullptr;
}

LangPack* Localizer::currentLanguage()
{
    if (!m_current && !m_languages.isEmpty()) {
        LangPack* system = findLanguage(systemLanguage());
        m_current = system ? system : m_languages.at(0);
    }
    return m_current;
}

bool Localizer::selectLanguage(std::u16string_view name)
{
    LangPack* current = currentLanguage();
    if (!current || StrBuffer::equalsIgnoreCase(current->engName().view(), name))
        return false;
    LangPack* chosen = findLanguage(name);
    if (!chosen)
        chosen = findLanguage(u"English");
    if (!chosen)
        chosen = m_languages.at(0);
    if (chosen == current)
        return false;
    makeCurrent(chosen);
    return true;
}

bool Localizer::selectLanguageAt(int32_t index)
{
    if (index < 0 || index >= m_languages.count())
        return false;
    LangPack* chosen = m_languages.at(index);
    if (chosen == m_current)
        return false;
    makeCurrent(chosen);
    return true;
}

void Localizer::makeCurrent(LangPack* language)
{
    m_current = language;
    // A listener may add or remove listeners while it is told: walk a copy of
    // the ones registered now, skipping any that left meanwhile.
    const std::vector<ILanguageListener*> listeners(m_listeners.data(), m_listeners.data() + m_listeners.count());
    for (ILanguageListener* listener : listeners) {
        if (isListening(listener))
            listener->languageChanged(this);
    }
}

bool Localizer::isListening(const ILanguageListener* listener) const
{
    for (int32_t i = 0; i < m_listeners.count(); ++i) {
        if (m_listeners.at(i) == listener)
            return true;
    }
    return false;
}

void Localizer::addListener(ILanguageListener* listener)
{
    if (listener)
        m_listeners.add(listener);
}

void Localizer::removeListener(ILanguageListener* listener)
{
    for (int32_t i = 0; i < m_listeners.count(); ++i) {
        if (m_listeners.at(i) == listener) {
            m_listeners.removeAt(i);
            return;
        }
    }
}

// --- Texts ---------------------------------------------------------------------------------------

const char16_t* Localizer::text(int32_t id)
{
    const LangPack* language = currentLanguage();
    return language ? language->text(id) : u"";
}

bool Localizer::hasText(int32_t id) { return *text(id) != u'\0'; }

const char16_t* Localizer::keyText(std::u16string_view key)
{
    const LangPack* language = currentLanguage();
    return language ? language->keyText(key) : u"";
}

const std::u16string& Localizer::systemLanguageName()
{
    static const std::u16string name = LanguageNames::displayNameOf(s::platform::userDefaultUiLanguage());
    return name;
}

const std::u16string& Localizer::systemLanguage()
{
    if (m_systemLanguage.empty())
        m_systemLanguage = systemLanguageName();
    return m_systemLanguage;
}

}  // namespace s::lang
