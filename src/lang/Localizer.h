#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/IObject.h"
#include "col/_array/ArrayP.h"
#include "thread/PooledBy.h"

namespace s::xml {
class Node;
}

namespace s::lang {

class ILanguageListener;
class LangPack;

// All languages of the language pack and the one the interface shows. Texts
// are looked up by numeric id in the current language; listeners hear of a
// change of language. Used from user-interface threads, one at a time.
class Localizer : public s::base::IObject, public s::thread::PooledBy<Localizer> {
public:
    static constexpr int32_t kTextIdRegistryName = 300000;

    Localizer();
    ~Localizer() override;

    // The localizer of the pack built into the program (on Windows the
    // executable's "IDR_XML" resource 130 when it has one), with the
    // language of the system's interface selected. The caller releases it.
    static Localizer* loadLocalizer();
    // The same from a pack given as UTF-8 bytes; nothing is selected yet.
    static Localizer* fromUtf8(const uint8_t* bytes, size_t count);

    const char16_t* className() const override { return u"s_lang_Localizer"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // Adds the languages and texts of a pack document (root "lang" with
    // "languages" and "entries"). With replaceBarredL, Venetian texts get
    // U+0142 for U+019A, which fonts of systems before Windows Vista lack.
    void fill(const s::xml::Node& root, bool replaceBarredL);

    int32_t languageCount() const { return m_languages.count(); }
    // No bounds check: callers stay within languageCount().
    LangPack* languageAt(int32_t index) const { return m_languages.at(index); }
    int32_t indexOf(const LangPack* language) const;

    // The selected language; on first use the system's, else the first one.
    // Null only when the pack has no language.
    LangPack* currentLanguage();
    // The language of that English name (ignoring case), with the rules for
    // Chinese, Portuguese and Serbian names that name no variant; or null.
    LangPack* findLanguage(std::u16string_view name) const;
    // Selects the named language, else English, else the first; true when
    // the selection changed (the listeners were told).
    bool selectLanguage(std::u16string_view name);
    bool selectLanguageAt(int32_t index);

    // The current language's text, or the empty text; never null.
    const char16_t* text(int32_t id);
    bool hasText(int32_t id);
    const char16_t* keyText(std::u16string_view key);

    // Not owned; a listener removes itself before it goes.
    void addListener(ILanguageListener* listener);
    void removeListener(ILanguageListener* listener);

    // The name of the user's interface language ("German", "Chinese_simplified",
    // "Unknown"), asked of the system once per process.
    static const std::u16string& systemLanguageName();
    // The name this localizer starts from; the system's unless set.
    const std::u16string& systemLanguage();
    void setSystemLanguage(std::u16string_view name) { m_systemLanguage.assign(name.data(), name.size()); }

private:
    void fillLanguages(const s::xml::Node& languages);
    void fillEntry(const s::xml::Node& entry, bool replaceBarredL);
    LangPack* languageWithTag(std::u16string_view tag) const;
    LangPack* languageNamed(std::u16string_view engName) const;
    void makeCurrent(LangPack* language);
    bool isListening(const ILanguageListener* listener) const;

    s::col::_array::ArrayP<LangPack> m_languages;  // owned through the language-pack pool
    LangPack* m_current = nullptr;                 // one of m_languages
    s::col::_array::ArrayP<ILanguageListener> m_listeners;  // not owned
    std::u16string m_systemLanguage;
};

}  // namespace s::lang
