#include "xml/NumberText.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace s::xml {

namespace {

bool isCSpace(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

struct Digits {
    bool negative = false;
    bool overflow = false;
    uint64_t magnitude = 0;
};

// Reads [space][sign]digits, saturating the magnitude at `limit`.
Digits readDigits(std::u16string_view text, uint64_t limit)
{
    Digits result;
    size_t i = 0;
    while (i < text.size() && isCSpace(text[i]))
        ++i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        result.negative = text[i] == u'-';
        ++i;
    }
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        const uint64_t digit = static_cast<uint64_t>(text[i] - u'0');
        if (result.overflow || result.magnitude > (limit - digit) / 10) {
            result.overflow = true;
            continue;
        }
        result.magnitude = result.magnitude * 10 + digit;
    }
    return result;
}

int64_t toSigned(std::u16string_view text, int64_t minimum, int64_t maximum)
{
    // The magnitude of the minimum is one more than the maximum.
    const uint64_t negativeLimit = static_cast<uint64_t>(maximum) + 1;
    const Digits digits = readDigits(text, negativeLimit);
    if (digits.negative) {
        if (digits.overflow)
            return minimum;
        return digits.magnitude == negativeLimit ? minimum : -static_cast<int64_t>(digits.magnitude);
    }
    if (digits.overflow || digits.magnitude > static_cast<uint64_t>(maximum))
        return maximum;
    return static_cast<int64_t>(digits.magnitude);
}

uint64_t toUnsigned(std::u16string_view text, uint64_t maximum)
{
    const Digits digits = readDigits(text, maximum);
    if (digits.overflow)
        return maximum;
    return digits.negative ? (0 - digits.magnitude) & maximum : digits.magnitude;
}

void appendAscii(std::u16string& out, const char* text)
{
    for (; *text; ++text)
        out += static_cast<char16_t>(static_cast<unsigned char>(*text));
}

}  // namespace

int32_t NumberText::toInt32(std::u16string_view text) { return static_cast<int32_t>(toSigned(text, INT32_MIN, INT32_MAX)); }
int64_t NumberText::toInt64(std::u16string_view text) { return toSigned(text, INT64_MIN, INT64_MAX); }
uint32_t NumberText::toUInt32(std::u16string_view text) { return static_cast<uint32_t>(toUnsigned(text, UINT32_MAX)); }
uint64_t NumberText::toUInt64(std::u16string_view text) { return toUnsigned(text, UINT64_MAX); }

double NumberText::toDouble(std::u16string_view text)
{
    // The C library reads ASCII; the first other character ends the number anyway.
    std::string ascii;
    for (char16_t c : text) {
        if (c == 0 || c > 0x7F)
            break;
        ascii += static_cast<char>(c);
    }
    return std::strtod(ascii.c_str(), nullptr);
}

void NumberText::appendInt64(std::u16string& out, int64_t value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%" PRId64, value);
    appendAscii(out, buffer);
}

void NumberText::appendUInt64(std::u16string& out, uint64_t value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%" PRIu64, value);
    appendAscii(out, buffer);
}

void NumberText::appendFixed(std::u16string& out, double value)
{
    // The largest double has 309 integer digits; a fixed small buffer would
    // cut such a value short and store a different number.
    const int needed = std::snprintf(nullptr, 0, "%f", value);
    if (needed <= 0)
        return;
    std::string buffer(static_cast<size_t>(needed) + 1, '\0');
    std::snprintf(buffer.data(), buffer.size(), "%f", value);
    buffer.resize(static_cast<size_t>(needed));
    appendAscii(out, buffer.c_str());
}

void NumberText::appendHex(std::u16string& out, uint64_t value, int32_t digits)
{
    static constexpr char16_t kDigits[] = u"0123456789abcdef";
    for (int32_t shift = (digits - 1) * 4; shift >= 0; shift -= 4)
        out += kDigits[(value >> shift) & 0xF];
}

int32_t NumberText::hexValue(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

}  // namespace s::xml
