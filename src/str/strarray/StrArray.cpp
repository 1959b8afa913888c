#include "str/strarray/StrArray.h"

namespace s::str::strarray {

using s::str::strbuffer::StrBuffer;

StrArray::StrArray()
{
    m_strings.setElementDisposer(&StrBuffer::classPool());
}

void StrArray::add(std::u16string_view text)
{
    m_strings.add(StrBuffer::make(text));
}

void StrArray::addOwned(StrBuffer* string)
{
    if (string)
        m_strings.add(string);
}

}  // namespace s::str::strarray
