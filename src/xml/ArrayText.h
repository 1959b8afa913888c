#pragma once
#include <cstdint>
#include <string>
#include <type_traits>

#include "base/IObject.h"
#include "col/_array/ArrayBase.h"
#include "col/_array/ArrayP.h"
#include "xml/NumberText.h"

namespace s::xml {

// The two text forms of the framework's arrays, for diagnostics and for
// documents that embed an array:
//   bracket form  s_col__array_ArrayS32 [1 2 3]
//   XML form      <s_col__array_ArrayS32 length="3">1 2 3</s_col__array_ArrayS32>
// Elements are written in decimal, separated by single spaces. A pointer array
// names each element's class in the bracket form and writes no elements in
// the XML form.
class ArrayText {
public:
    template <class Value>
    static const char16_t* classNameOf(const s::col::_array::ArrayBase<Value>&)
    {
        if constexpr (std::is_same_v<Value, uint8_t>)
            return u"s_col__array_ArrayU08";
        else if constexpr (std::is_same_v<Value, int32_t>)
            return u"s_col__array_ArrayS32";
        else if constexpr (std::is_same_v<Value, uint32_t>)
            return u"s_col__array_ArrayU32";
        else
            return u"s_col__array_ArrayBase";
    }
    template <class T>
    static const char16_t* classNameOf(const s::col::_array::ArrayP<T>&)
    {
        return u"s_col__array_ArrayP";
    }

    template <class Value>
    static void appendBracketForm(std::u16string& out, const s::col::_array::ArrayBase<Value>& array)
    {
        out += classNameOf(array);
        out += u" [";
        appendElements(out, array);
        out += u']';
    }
    template <class T>
    static void appendBracketForm(std::u16string& out, const s::col::_array::ArrayP<T>& array)
    {
        out += classNameOf(array);
        out += u" [";
        for (int32_t i = 0; i < array.count(); ++i) {
            if (i)
                out += u' ';
            const T* element = array.at(i);
            out += element ? static_cast<const s::base::IObject*>(element)->className() : u"null";
        }
        out += u']';
    }

    template <class Value>
    static void appendXmlForm(std::u16string& out, const s::col::_array::ArrayBase<Value>& array)
    {
        appendXmlStart(out, classNameOf(array), array.count());
        appendElements(out, array);
        appendXmlEnd(out, classNameOf(array));
    }
    template <class T>
    static void appendXmlForm(std::u16string& out, const s::col::_array::ArrayP<T>& array)
    {
        appendXmlStart(out, classNameOf(array), array.count());
        appendXmlEnd(out, classNameOf(array));
    }

private:
    template <class Value>
    static void appendElements(std::u16string& out, const s::col::_array::ArrayBase<Value>& array)
    {
        for (int32_t i = 0; i < array.count(); ++i) {
            if (i)
                out += u' ';
            if constexpr (std::is_signed_v<Value>)
                NumberText::appendInt64(out, static_cast<int64_t>(array.at(i)));
            else
                NumberText::appendUInt64(out, static_cast<uint64_t>(array.at(i)));
        }
    }
    static void appendXmlStart(std::u16string& out, const char16_t* className, int32_t count)
    {
        out += u'<';
        out += className;
        out += u" length=\"";
        NumberText::appendInt64(out, count);
        out += u"\">";
    }
    static void appendXmlEnd(std::u16string& out, const char16_t* className)
    {
        out += u"</";
        out += className;
        out += u'>';
    }
};

}  // namespace s::xml
