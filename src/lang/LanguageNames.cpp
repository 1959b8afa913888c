#include "lang/LanguageNames.h"

#include <string_view>

namespace s::lang {

namespace {

struct Named {
    uint16_t id;
    std::u16string_view name;
};

// Identifiers whose region or script decides the name.
constexpr Named kSpecial[] = {
    {0x0004, u"CHINESE_SIMPLIFIED"},  {0x0804, u"CHINESE_SIMPLIFIED"},  {0x1004, u"CHINESE_SIMPLIFIED"},
    {0x0404, u"CHINESE_TRADITIONAL"}, {0x0C04, u"CHINESE_TRADITIONAL"}, {0x1404, u"CHINESE_TRADITIONAL"},
    {0x7C04, u"CHINESE_TRADITIONAL"}, {0x001A, u"CROATIAN"},            {0x041A, u"CROATIAN"},
    {0x101A, u"CROATIAN"},            {0x0416, u"PORTUGUESE_BRAZILIAN"}, {0x0816, u"PORTUGUESE_PORTUGAL"},
    {0x081A, u"SERBIAN_LATIN"},       {0x181A, u"SERBIAN_LATIN"},       {0x0C1A, u"SERBIAN_CYRILLIC"},
    {0x1C1A, u"SERBIAN_CYRILLIC"},    {0x201A, u"BOSNIAN"},             {0x7C1A, u"SERBIAN"},
    {0x042E, u"UPPER_SORBIAN"},       {0x082E, u"LOWER_SORBIAN"},
};

// Primary languages (the LANG_ constants of Windows). Croatian, Bosnian and
// Serbian share 0x1A, and the two Sorbian languages 0x2E; the special table
// tells them apart where the identifier can, the first name serves otherwise.
constexpr Named kPrimary[] = {
    {0x36, u"AFRIKAANS"},   {0x1c, u"ALBANIAN"},      {0x84, u"ALSATIAN"},     {0x5e, u"AMHARIC"},
    {0x01, u"ARABIC"},      {0x2b, u"ARMENIAN"},      {0x4d, u"ASSAMESE"},     {0x2c, u"AZERI"},
    {0x6d, u"BASHKIR"},     {0x2d, u"BASQUE"},        {0x23, u"BELARUSIAN"},   {0x45, u"BENGALI"},
    {0x7e, u"BRETON"},      {0x02, u"BULGARIAN"},     {0x03, u"CATALAN"},      {0x04, u"CHINESE"},
    {0x83, u"CORSICAN"},    {0x1a, u"CROATIAN"},      {0x05, u"CZECH"},        {0x06, u"DANISH"},
    {0x8c, u"DARI"},        {0x65, u"DIVEHI"},        {0x13, u"DUTCH"},        {0x09, u"ENGLISH"},
    {0x25, u"ESTONIAN"},    {0x38, u"FAEROESE"},      {0x64, u"FILIPINO"},     {0x0b, u"FINNISH"},
    {0x0c, u"FRENCH"},      {0x62, u"FRISIAN"},       {0x56, u"GALICIAN"},     {0x37, u"GEORGIAN"},
    {0x07, u"GERMAN"},      {0x08, u"GREEK"},         {0x6f, u"GREENLANDIC"},  {0x47, u"GUJARATI"},
    {0x68, u"HAUSA"},       {0x0d, u"HEBREW"},        {0x39, u"HINDI"},        {0x0e, u"HUNGARIAN"},
    {0x0f, u"ICELANDIC"},   {0x70, u"IGBO"},          {0x21, u"INDONESIAN"},   {0x5d, u"INUKTITUT"},
    {0x3c, u"IRISH"},       {0x10, u"ITALIAN"},       {0x11, u"JAPANESE"},     {0x4b, u"KANNADA"},
    {0x60, u"KASHMIRI"},    {0x3f, u"KAZAK"},         {0x53, u"KHMER"},        {0x86, u"KICHE"},
    {0x87, u"KINYARWANDA"}, {0x57, u"KONKANI"},       {0x12, u"KOREAN"},       {0x40, u"KYRGYZ"},
    {0x54, u"LAO"},         {0x26, u"LATVIAN"},       {0x27, u"LITHUANIAN"},   {0x2e, u"UPPER_SORBIAN"},
    {0x6e, u"LUXEMBOURGISH"}, {0x2f, u"MACEDONIAN"},  {0x3e, u"MALAY"},        {0x4c, u"MALAYALAM"},
    {0x3a, u"MALTESE"},     {0x81, u"MAORI"},         {0x7a, u"MAPUDUNGUN"},   {0x4e, u"MARATHI"},
    {0x7c, u"MOHAWK"},      {0x50, u"MONGOLIAN"},     {0x61, u"NEPALI"},       {0x14, u"NORWEGIAN"},
    {0x82, u"OCCITAN"},     {0x48, u"ORIYA"},         {0x63, u"PASHTO"},       {0x29, u"PERSIAN"},
    {0x15, u"POLISH"},      {0x16, u"PORTUGUESE"},    {0x46, u"PUNJABI"},      {0x6b, u"QUECHUA"},
    {0x18, u"ROMANIAN"},    {0x17, u"ROMANSH"},       {0x19, u"RUSSIAN"},      {0x3b, u"SAMI"},
    {0x4f, u"SANSKRIT"},    {0x6c, u"SOTHO"},         {0x32, u"TSWANA"},       {0x59, u"SINDHI"},
    {0x5b, u"SINHALESE"},   {0x1b, u"SLOVAK"},        {0x24, u"SLOVENIAN"},    {0x0a, u"SPANISH"},
    {0x41, u"SWAHILI"},     {0x1d, u"SWEDISH"},       {0x5a, u"SYRIAC"},       {0x28, u"TAJIK"},
    {0x5f, u"TAMAZIGHT"},   {0x49, u"TAMIL"},         {0x44, u"TATAR"},        {0x4a, u"TELUGU"},
    {0x1e, u"THAI"},        {0x51, u"TIBETAN"},       {0x73, u"TIGRIGNA"},     {0x1f, u"TURKISH"},
    {0x42, u"TURKMEN"},     {0x80, u"UIGHUR"},        {0x22, u"UKRAINIAN"},    {0x20, u"URDU"},
    {0x43, u"UZBEK"},       {0x2a, u"VIETNAMESE"},    {0x52, u"WELSH"},        {0x88, u"WOLOF"},
    {0x34, u"XHOSA"},       {0x85, u"YAKUT"},         {0x78, u"YI"},           {0x6a, u"YORUBA"},
    {0x35, u"ZULU"},
};

}  // namespace

std::u16string LanguageNames::nameOf(uint16_t languageId)
{
    for (const Named& named : kSpecial) {
        if (named.id == languageId)
            return std::u16string(named.name);
    }
    const uint16_t primary = languageId & 0xFF;
    for (const Named& named : kPrimary) {
        if (named.id == primary)
            return std::u16string(named.name);
    }
    return u"Unknown";
}

std::u16string LanguageNames::displayNameOf(uint16_t languageId)
{
    std::u16string name = nameOf(languageId);
    for (size_t i = 0; i < name.size(); ++i) {
        char16_t& c = name[i];
        if (i == 0 && c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        else if (i > 0 && c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return name;
}

}  // namespace s::lang
