#pragma once
#include <cstdint>
#include <string>

namespace s::lang {

// The names of Windows language identifiers, as the language pack's English
// names spell them ignoring case: "CHINESE_SIMPLIFIED", "GERMAN", "Unknown".
class LanguageNames {
public:
    // Upper-case name: a few identifiers by region or script, the others by
    // their primary language; "Unknown" for a language without a name.
    static std::u16string nameOf(uint16_t languageId);
    // The same name in lower case with an upper-case first letter
    // ("Chinese_simplified"), the form the localizer keeps.
    static std::u16string displayNameOf(uint16_t languageId);
};

}  // namespace s::lang
