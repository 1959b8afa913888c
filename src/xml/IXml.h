#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "base/IObject.h"
#include "col/_array/ArrayBase.h"

namespace s::file::win {
class PathWin;
}
namespace s::str::strbuffer {
class StrBuffer;
}

namespace s::xml {

class Attributes;

// One element of the in-house XML tree: a name, attributes (element text is
// kept as attributes with the empty name) and child elements.
//
// Names given with a length of -1 run up to their NUL. Attribute names are
// matched ignoring ASCII case. Every set... call appends an attribute, even
// when one of that name exists; getters read the first. Nodes come from
// their class pool; whoever holds one by this interface gives it back with
// s::thread::releaseToPool (or a s::thread::Pooled holder).
class IXml : public s::base::IObject {
public:
    virtual int32_t childCount() const = 0;
    virtual void clear() = 0;
    virtual void debugWalk(int32_t indent) const = 0;

    // Reads one element of `text` starting at `from`; returns the position
    // after it (never beyond the end of the text).
    virtual size_t parse(std::u16string_view text, size_t from) = 0;
    virtual size_t parseUtf8(const uint8_t* bytes, size_t count) = 0;

    // Null while unset.
    virtual const char16_t* name() const = 0;
    virtual uint32_t nameLength() const = 0;
    virtual void setName(const char16_t* text, int32_t length) = 0;
    // Length -1: the whole name, ignoring case. Otherwise exactly `length`
    // characters, case-sensitive.
    virtual bool nameEquals(const char16_t* text, int32_t length) const = 0;
    virtual bool isComment() const = 0;

    virtual IXml* childAt(int32_t index) const = 0;
    virtual IXml* addChild(const char16_t* name, int32_t length) = 0;
    // Takes ownership of the node.
    virtual void appendChild(IXml* node) = 0;
    virtual void removeChild(int32_t index) = 0;
    virtual bool findChild(const char16_t* name, int32_t* outIndex, int32_t length) const = 0;
    virtual IXml* child(const char16_t* name, int32_t length) const = 0;

    virtual void setInt64(std::u16string_view name, int64_t value) = 0;
    virtual void setUInt32(std::u16string_view name, uint32_t value) = 0;
    virtual void setUInt16(std::u16string_view name, uint16_t value) = 0;
    virtual void setUInt8(std::u16string_view name, uint8_t value) = 0;
    virtual void setInt32(std::u16string_view name, int32_t value) = 0;
    virtual void setInt16(std::u16string_view name, int16_t value) = 0;
    virtual void setInt8(std::u16string_view name, int8_t value) = 0;
    virtual void setFloat(std::u16string_view name, float value) = 0;
    virtual void setDouble(std::u16string_view name, double value) = 0;
    virtual void setString(std::u16string_view name, std::u16string_view value) = 0;
    virtual void setInt64Array(std::u16string_view name, const int64_t* values, int32_t count) = 0;
    virtual void setInt32Array(std::u16string_view name, const int32_t* values, int32_t count) = 0;
    virtual void setUInt16Array(std::u16string_view name, const uint16_t* values, int32_t count) = 0;
    virtual void setByteArray(std::u16string_view name, const uint8_t* bytes, int32_t count) = 0;
    virtual void setWordPairArray(std::u16string_view name, const uint64_t* values, int32_t count) = 0;

    // The stored (escaped) value, or `fallback`.
    virtual const char16_t* rawValue(std::u16string_view name, const char16_t* fallback) const = 0;
    virtual bool getBool(std::u16string_view name, bool fallback) const = 0;
    virtual int8_t getInt8(std::u16string_view name, int8_t fallback) const = 0;
    virtual int16_t getInt16(std::u16string_view name, int16_t fallback) const = 0;
    virtual int32_t getInt32(std::u16string_view name, int32_t fallback) const = 0;
    virtual int64_t getInt64(std::u16string_view name, int64_t fallback) const = 0;
    virtual uint8_t getUInt8(std::u16string_view name, uint8_t fallback) const = 0;
    virtual uint16_t getUInt16(std::u16string_view name, uint16_t fallback) const = 0;
    virtual uint32_t getUInt32(std::u16string_view name, uint32_t fallback) const = 0;
    // The unescaped value into `out` (appended or replacing); `fallback` when
    // the attribute is missing. True when it was there.
    virtual bool getString(s::str::strbuffer::StrBuffer& out, std::u16string_view name, std::u16string_view fallback,
                           bool append) const = 0;

    // The element and its subtree on one line; a new pooled string when out
    // is null (the caller releases it).
    virtual s::str::strbuffer::StrBuffer* write(s::str::strbuffer::StrBuffer* out, bool append) const = 0;
    // write() as UTF-8 without a byte-order mark; a new array (the caller
    // deletes it) when bytes is null.
    virtual s::col::_array::ArrayU08* toUtf8(s::col::_array::ArrayU08* bytes, bool append) const = 0;

    virtual Attributes& attributes() = 0;
    virtual const Attributes& attributes() const = 0;

    virtual bool loadFile(std::u16string_view pathText) = 0;
    virtual bool load(s::file::win::PathWin& path) = 0;
    virtual bool saveFile(std::u16string_view pathText) const = 0;
    virtual bool save(s::file::win::PathWin& path) const = 0;
};

}  // namespace s::xml
