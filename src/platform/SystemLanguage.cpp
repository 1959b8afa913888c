#include "platform/SystemLanguage.h"

#include <string>

namespace s::platform {

namespace {

constexpr uint16_t kEnglish = 0x0409;

uint16_t makeLanguageId(uint16_t primary, uint16_t sub) { return static_cast<uint16_t>(sub << 10 | primary); }

struct Code {
    std::string_view code;  // ISO 639-1 or 639-2/3
    uint16_t primary;       // Windows primary language
};

// Languages by code; sub-language 1 (the language's main country) is added.
constexpr Code kCodes[] = {
    {"af", 0x36},  {"sq", 0x1c},  {"gsw", 0x84}, {"am", 0x5e},  {"ar", 0x01},  {"hy", 0x2b},  {"as", 0x4d},
    {"az", 0x2c},  {"ba", 0x6d},  {"eu", 0x2d},  {"be", 0x23},  {"bn", 0x45},  {"br", 0x7e},  {"bg", 0x02},
    {"ca", 0x03},  {"co", 0x83},  {"hr", 0x1a},  {"cs", 0x05},  {"da", 0x06},  {"prs", 0x8c}, {"dv", 0x65},
    {"nl", 0x13},  {"en", 0x09},  {"et", 0x25},  {"fo", 0x38},  {"fil", 0x64}, {"tl", 0x64},  {"fi", 0x0b},
    {"fr", 0x0c},  {"fy", 0x62},  {"gl", 0x56},  {"ka", 0x37},  {"de", 0x07},  {"el", 0x08},  {"kl", 0x6f},
    {"gu", 0x47},  {"ha", 0x68},  {"he", 0x0d},  {"iw", 0x0d},  {"hi", 0x39},  {"hu", 0x0e},  {"is", 0x0f},
    {"ig", 0x70},  {"id", 0x21},  {"in", 0x21},  {"iu", 0x5d},  {"ga", 0x3c},  {"it", 0x10},  {"ja", 0x11},
    {"kn", 0x4b},  {"ks", 0x60},  {"kk", 0x3f},  {"km", 0x53},  {"quc", 0x86}, {"rw", 0x87},  {"kok", 0x57},
    {"ko", 0x12},  {"ky", 0x40},  {"lo", 0x54},  {"lv", 0x26},  {"lt", 0x27},  {"lb", 0x6e},  {"mk", 0x2f},
    {"ms", 0x3e},  {"ml", 0x4c},  {"mt", 0x3a},  {"mi", 0x81},  {"arn", 0x7a}, {"mr", 0x4e},  {"moh", 0x7c},
    {"mn", 0x50},  {"ne", 0x61},  {"nb", 0x14},  {"nn", 0x14},  {"no", 0x14},  {"oc", 0x82},  {"or", 0x48},
    {"ps", 0x63},  {"fa", 0x29},  {"pl", 0x15},  {"pt", 0x16},  {"pa", 0x46},  {"qu", 0x6b},  {"ro", 0x18},
    {"rm", 0x17},  {"ru", 0x19},  {"se", 0x3b},  {"sa", 0x4f},  {"st", 0x6c},  {"nso", 0x6c}, {"tn", 0x32},
    {"sd", 0x59},  {"si", 0x5b},  {"sk", 0x1b},  {"sl", 0x24},  {"es", 0x0a},  {"sw", 0x41},  {"sv", 0x1d},
    {"syr", 0x5a}, {"tg", 0x28},  {"tzm", 0x5f}, {"ta", 0x49},  {"tt", 0x44},  {"te", 0x4a},  {"th", 0x1e},
    {"bo", 0x51},  {"ti", 0x73},  {"tr", 0x1f},  {"tk", 0x42},  {"ug", 0x80},  {"uk", 0x22},  {"ur", 0x20},
    {"uz", 0x43},  {"vi", 0x2a},  {"cy", 0x52},  {"wo", 0x88},  {"xh", 0x34},  {"sah", 0x85}, {"ii", 0x78},
    {"yo", 0x6a},  {"zu", 0x35},
};

std::string lower(std::string_view text)
{
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// Chinese by region or script: Taiwan, Hong Kong and Macao write traditional
// characters, Singapore and the mainland simplified.
uint16_t chineseId(const std::string& region, const std::string& script)
{
    if (region == "tw")
        return 0x0404;
    if (region == "hk")
        return 0x0C04;
    if (region == "mo")
        return 0x1404;
    if (region == "sg")
        return 0x1004;
    if (script == "hant")
        return 0x7C04;
    return 0x0804;
}

// Serbian in Serbia is written in Cyrillic unless the locale says Latin; in
// Montenegro the locales are Latin.
uint16_t serbianId(const std::string& region, const std::string& script)
{
    const bool latin = script == "latin" || script == "latn" || (region == "me" && script != "cyrillic" && script != "cyrl");
    return latin ? 0x081A : 0x0C1A;
}

}  // namespace

uint16_t languageIdOfLocale(std::string_view locale)
{
    // language[_REGION][.codeset][@modifier]
    const size_t at = locale.find('@');
    const std::string modifier = at == std::string_view::npos ? std::string() : lower(locale.substr(at + 1));
    locale = locale.substr(0, at);
    locale = locale.substr(0, locale.find('.'));
    const size_t cut = locale.find_first_of("_-");
    const std::string language = lower(locale.substr(0, cut));
    std::string region = cut == std::string_view::npos ? std::string() : lower(locale.substr(cut + 1));
    std::string script = modifier;
    // A script written in the region's place ("zh_Hant", "sr-Latn").
    if (region.size() == 4) {
        script = region;
        region.clear();
    }

    if (language == "zh")
        return chineseId(region, script);
    if (language == "sr")
        return serbianId(region, script);
    if (language == "pt")
        return region == "br" ? 0x0416 : 0x0816;
    if (language == "bs")
        return 0x201A;
    if (language == "hsb")
        return 0x042E;
    if (language == "dsb")
        return 0x082E;
    for (const Code& code : kCodes) {
        if (code.code == language)
            return makeLanguageId(code.primary, 1);
    }
    return kEnglish;
}

}  // namespace s::platform
