#include "xml/Attributes.h"

#include <cstdlib>
#include <cstring>

#include "str/strbuffer/StrBuffer.h"
#include "xml/AttrFactory.h"

namespace s::xml {

using s::str::strbuffer::StrBuffer;

namespace {
// A std::malloc'd NUL-terminated copy, as the attribute factory frees it.
char16_t* copyText(std::u16string_view text)
{
    auto* copy = static_cast<char16_t*>(std::malloc((text.size() + 1) * sizeof(char16_t)));
    if (!copy)
        return nullptr;
    if (!text.empty())
        std::memcpy(copy, text.data(), text.size() * sizeof(char16_t));
    copy[text.size()] = u'\0';
    return copy;
}
}  // namespace

Attributes::Attributes() { m_records.setElementDisposer(&AttrFactory::instance()); }

int32_t Attributes::indexOf(std::u16string_view name) const
{
    for (int32_t i = 0; i < m_records.count(); ++i) {
        if (StrBuffer::equalsIgnoreCase(nameOf(*m_records.at(i)), name))
            return i;
    }
    return -1;
}

const AttrRecord* Attributes::find(std::u16string_view name) const
{
    const int32_t index = indexOf(name);
    return index < 0 ? nullptr : m_records.at(index);
}

bool Attributes::add(std::u16string_view name, std::u16string_view value)
{
    auto* record = static_cast<AttrRecord*>(AttrFactory::instance().get());
    if (!record)
        return false;
    record->name = copyText(name);
    record->value = copyText(value);
    if (!record->name || !record->value) {
        AttrFactory::instance().put(record, -1);
        return false;
    }
    record->nameLength = static_cast<uint32_t>(name.size());
    record->valueLength = static_cast<uint32_t>(value.size());
    m_records.add(record);
    return true;
}

bool Attributes::remove(std::u16string_view name)
{
    const int32_t index = indexOf(name);
    if (index < 0)
        return false;
    removeAt(index);
    return true;
}

void Attributes::removeAt(int32_t index) { m_records.disposeOf(m_records.removeAt(index)); }

}  // namespace s::xml
