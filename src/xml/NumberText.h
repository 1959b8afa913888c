#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace s::xml {

// Numbers to and from the decimal and hexadecimal texts of the settings file.
//
// The readers follow the C library's conversions (leading white space, an
// optional sign, then digits; 0 when no digit leads) with the widths of the
// Windows build, where long is 32 bits, so that both builds read a file alike:
// out-of-range values stop at the limits of 32 bits (64 for the 64-bit forms),
// and the unsigned forms take a minus sign as the C library does (modulo).
class NumberText {
public:
    static int32_t toInt32(std::u16string_view text);
    static int64_t toInt64(std::u16string_view text);
    static uint32_t toUInt32(std::u16string_view text);
    static uint64_t toUInt64(std::u16string_view text);
    static double toDouble(std::u16string_view text);

    static void appendInt64(std::u16string& out, int64_t value);
    static void appendUInt64(std::u16string& out, uint64_t value);
    // "%f": six decimals, never cut short however large the value.
    static void appendFixed(std::u16string& out, double value);
    // Lower-case hexadecimal, zero-padded to `digits`.
    static void appendHex(std::u16string& out, uint64_t value, int32_t digits);

    // A hexadecimal digit's value (either case), or -1.
    static int32_t hexValue(char16_t c);
};

}  // namespace s::xml
