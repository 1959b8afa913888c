#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/IObject.h"
#include "thread/PooledBy.h"

namespace s::str::strbuffer {

// The framework's string: a pooled buffer of UTF-16 code units. Comparisons
// are by code unit; the ignore-case forms fold ASCII letters only.
class StrBuffer : public s::base::IObject, public s::thread::PooledBy<StrBuffer> {
public:
    StrBuffer() = default;

    static StrBuffer* make(std::u16string_view text = {});
    static StrBuffer* makeUtf8(std::string_view text);

    const char16_t* className() const override { return u"s_str_strbuffer_StrBuffer"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    int32_t compareTo(const s::base::IComparable* other, const s::base::IComparator* comparator = nullptr) const override;
    int32_t compareToIgnoreCase(const s::base::IComparable* other, const s::base::IComparator* comparator = nullptr) const override;
    bool equals(const s::base::IComparable* other, const s::base::IComparator* comparator = nullptr) const override;
    bool equalsIgnoreCase(const s::base::IComparable* other, const s::base::IComparator* comparator = nullptr) const override;
    uint32_t hashCode() const override;
    uint32_t hashCodeIgnoreCase() const override;

    const char16_t* text() const { return m_chars.c_str(); }
    const std::u16string& str() const { return m_chars; }
    std::u16string_view view() const { return m_chars; }
    int32_t length() const { return static_cast<int32_t>(m_chars.size()); }
    bool isEmpty() const { return m_chars.empty(); }
    std::string toUtf8() const;

    StrBuffer& setText(std::u16string_view text);
    StrBuffer& append(std::u16string_view text);
    StrBuffer& appendUtf8(std::string_view text);
    StrBuffer& appendChar(char16_t unit);
    // Decimal, as "%d" writes it.
    StrBuffer& appendInt(int64_t value);
    void clear() { m_chars.clear(); }

    // Code-unit order of two texts; the ignore-case form folds A-Z only.
    static int32_t compareUnits(std::u16string_view a, std::u16string_view b);
    static int32_t compareUnitsIgnoreCase(std::u16string_view a, std::u16string_view b);
    static bool equalsIgnoreCase(std::u16string_view a, std::u16string_view b);
    static uint32_t hashOf(std::u16string_view text);
    static uint32_t hashOfIgnoreCase(std::u16string_view text);
    static char16_t foldAscii(char16_t unit) { return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 32) : unit; }

private:
    std::u16string m_chars;
};

}  // namespace s::str::strbuffer
