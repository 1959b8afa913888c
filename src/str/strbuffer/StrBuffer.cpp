#include "str/strbuffer/StrBuffer.h"

#include "base/IComparator.h"
#include "platform/FileSystem.h"

namespace s::str::strbuffer {

namespace {
const StrBuffer* asString(const s::base::IComparable* other)
{
    return dynamic_cast<const StrBuffer*>(other);
}
}  // namespace

StrBuffer* StrBuffer::make(std::u16string_view text)
{
    StrBuffer* string = take();
    string->setText(text);
    return string;
}

StrBuffer* StrBuffer::makeUtf8(std::string_view text)
{
    StrBuffer* string = take();
    string->appendUtf8(text);
    return string;
}

void StrBuffer::reset()
{
    // A pool caches objects, not their contents: free the characters.
    std::u16string().swap(m_chars);
}

int32_t StrBuffer::compareTo(const s::base::IComparable* other, const s::base::IComparator* comparator) const
{
    if (comparator)
        return comparator->compare(this, other);
    const StrBuffer* string = asString(other);
    if (!string)
        return IComparable::compareTo(other, nullptr);
    return compareUnits(m_chars, string->m_chars);
}

int32_t StrBuffer::compareToIgnoreCase(const s::base::IComparable* other, const s::base::IComparator* comparator) const
{
    if (comparator)
        return comparator->compareIgnoreCase(this, other);
    const StrBuffer* string = asString(other);
    if (!string)
        return IComparable::compareTo(other, nullptr);
    return compareUnitsIgnoreCase(m_chars, string->m_chars);
}

bool StrBuffer::equals(const s::base::IComparable* other, const s::base::IComparator* comparator) const
{
    if (comparator)
        return comparator->compare(this, other) == 0;
    const StrBuffer* string = asString(other);
    return string && string->m_chars == m_chars;
}

bool StrBuffer::equalsIgnoreCase(const s::base::IComparable* other, const s::base::IComparator* comparator) const
{
    if (comparator)
        return comparator->compareIgnoreCase(this, other) == 0;
    const StrBuffer* string = asString(other);
    return string && equalsIgnoreCase(m_chars, string->m_chars);
}

uint32_t StrBuffer::hashCode() const { return hashOf(m_chars); }
uint32_t StrBuffer::hashCodeIgnoreCase() const { return hashOfIgnoreCase(m_chars); }

std::string StrBuffer::toUtf8() const { return s::platform::toUtf8(m_chars.data(), m_chars.size()); }

StrBuffer& StrBuffer::setText(std::u16string_view text)
{
    m_chars.assign(text.data(), text.size());
    return *this;
}

StrBuffer& StrBuffer::append(std::u16string_view text)
{
    m_chars.append(text.data(), text.size());
    return *this;
}

StrBuffer& StrBuffer::appendUtf8(std::string_view text)
{
    m_chars += s::platform::fromUtf8(text.data(), text.size());
    return *this;
}

StrBuffer& StrBuffer::appendChar(char16_t unit)
{
    m_chars += unit;
    return *this;
}

StrBuffer& StrBuffer::appendInt(int64_t value)
{
    const std::string digits = std::to_string(value);
    for (char c : digits)
        m_chars += static_cast<char16_t>(c);
    return *this;
}

int32_t StrBuffer::compareUnits(std::u16string_view a, std::u16string_view b)
{
    const size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

int32_t StrBuffer::compareUnitsIgnoreCase(std::u16string_view a, std::u16string_view b)
{
    const size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        const char16_t x = foldAscii(a[i]);
        const char16_t y = foldAscii(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

bool StrBuffer::equalsIgnoreCase(std::u16string_view a, std::u16string_view b)
{
    return a.size() == b.size() && compareUnitsIgnoreCase(a, b) == 0;
}

uint32_t StrBuffer::hashOf(std::u16string_view text)
{
    uint32_t h = 0;
    for (char16_t c : text) {
        h = h << 1;
        if (h & 0x80000000u)
            h |= 1u;
        h ^= c;
    }
    return h;
}

uint32_t StrBuffer::hashOfIgnoreCase(std::u16string_view text)
{
    uint32_t h = 0;
    for (char16_t c : text) {
        h = h << 1;
        if (h & 0x80000000u)
            h |= 1u;
        h ^= foldAscii(c);
    }
    return h;
}

}  // namespace s::str::strbuffer
