#pragma once
#include <cstdint>
#include <string_view>

#include "base/IObject.h"
#include "col/_array/ArrayP.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/PooledBy.h"

namespace s::str::strarray {

// An ordered list of strings. It owns them: they go back to the string pool
// when the list is cleared or released.
class StrArray : public s::base::IObject, public s::thread::PooledBy<StrArray> {
public:
    StrArray();

    const char16_t* className() const override { return u"s_str_strarray_StrArray"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override { m_strings.clearAndFree(); }

    int32_t count() const { return m_strings.count(); }
    bool isEmpty() const { return m_strings.isEmpty(); }
    // No bounds check: callers stay within count().
    const s::str::strbuffer::StrBuffer& at(int32_t index) const { return *m_strings.at(index); }
    void add(std::u16string_view text);
    // Takes ownership of a pooled string.
    void addOwned(s::str::strbuffer::StrBuffer* string);
    void clear() { m_strings.clear(); }

private:
    s::col::_array::ArrayP<s::str::strbuffer::StrBuffer> m_strings;
};

}  // namespace s::str::strarray
