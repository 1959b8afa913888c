#pragma once
#include <cstdint>
#include <string_view>

#include "base/IObject.h"
#include "col/_array/ArrayBase.h"

namespace s::str::strarray {
class StrArray;
}

namespace s::map {

// The settings store: values addressed by a key path (components separated
// by "\") and a value name (the empty name is the key's own value), typed by
// the operation that reads or writes them.
//
// Getters never fail: a missing key or value, or one of the wrong size,
// gives the caller's fallback. Setters create the key path as needed and
// save at once when autoSave is on; they report whether the value was
// stored. A store caches the key it opened last and has no lock: one thread
// uses it at a time. Stores come from their class pools; release one held by
// this interface with s::thread::releaseToPool (or a s::thread::Pooled holder).
class IMappedData : public s::base::IObject {
public:
    // Writes the store out where that is needed (a file); true when nothing failed.
    virtual bool save() = 0;
    virtual bool openOrCreate(std::u16string_view key) = 0;
    // Removes the key with everything below it.
    virtual bool deleteKey(std::u16string_view key) = 0;
    virtual bool open(std::u16string_view key) = 0;
    virtual bool valueExists(std::u16string_view key, std::u16string_view name) = 0;

    virtual uint8_t getUInt8(std::u16string_view key, std::u16string_view name, uint8_t fallback) = 0;
    virtual uint16_t getUInt16(std::u16string_view key, std::u16string_view name, uint16_t fallback) = 0;
    virtual uint32_t getUInt32(std::u16string_view key, std::u16string_view name, uint32_t fallback) = 0;
    virtual uint64_t getUInt64(std::u16string_view key, std::u16string_view name, uint64_t fallback) = 0;
    virtual int8_t getInt8(std::u16string_view key, std::u16string_view name, int8_t fallback) = 0;
    virtual int16_t getInt16(std::u16string_view key, std::u16string_view name, int16_t fallback) = 0;
    virtual int32_t getInt32(std::u16string_view key, std::u16string_view name, int32_t fallback) = 0;
    virtual int64_t getInt64(std::u16string_view key, std::u16string_view name, int64_t fallback) = 0;
    virtual float getFloat(std::u16string_view key, std::u16string_view name, float fallback) = 0;
    virtual double getDouble(std::u16string_view key, std::u16string_view name, double fallback) = 0;
    virtual bool getBool(std::u16string_view key, std::u16string_view name, bool fallback) = 0;
    // The text, valid until the store's next getString, or `fallback` itself.
    // outExpandable (when given) tells whether the value holds environment
    // references; with `expand` they are replaced by their values.
    virtual const char16_t* getString(std::u16string_view key, std::u16string_view name, const char16_t* fallback,
                                      bool* outExpandable = nullptr, bool expand = false) = 0;
    // String lists are not supported by either store: always null.
    virtual s::str::strarray::StrArray* getStringList(std::u16string_view key, std::u16string_view name) = 0;
    // The bytes into `bytes` (replacing its content), or into a new array
    // that the caller deletes when bytes is null. Null when the value is
    // missing; `bytes` is then untouched.
    virtual s::col::_array::ArrayU08* getBytes(std::u16string_view key, std::u16string_view name,
                                               s::col::_array::ArrayU08* bytes) = 0;
    virtual bool deleteValue(std::u16string_view key, std::u16string_view name) = 0;

    virtual bool setUInt8(std::u16string_view key, std::u16string_view name, uint8_t value) = 0;
    virtual bool setUInt16(std::u16string_view key, std::u16string_view name, uint16_t value) = 0;
    virtual bool setUInt32(std::u16string_view key, std::u16string_view name, uint32_t value) = 0;
    virtual bool setUInt64(std::u16string_view key, std::u16string_view name, uint64_t value) = 0;
    virtual bool setInt8(std::u16string_view key, std::u16string_view name, int8_t value) = 0;
    virtual bool setInt16(std::u16string_view key, std::u16string_view name, int16_t value) = 0;
    virtual bool setInt32(std::u16string_view key, std::u16string_view name, int32_t value) = 0;
    virtual bool setInt64(std::u16string_view key, std::u16string_view name, int64_t value) = 0;
    virtual bool setFloat(std::u16string_view key, std::u16string_view name, float value) = 0;
    virtual bool setDouble(std::u16string_view key, std::u16string_view name, double value) = 0;
    virtual bool setBool(std::u16string_view key, std::u16string_view name, bool value) = 0;
    virtual bool setString(std::u16string_view key, std::u16string_view name, std::u16string_view value) = 0;
    virtual bool setExpandString(std::u16string_view key, std::u16string_view name, std::u16string_view value) = 0;
    // save() when autoSave is on; true otherwise.
    virtual bool flushIfAutoSave() = 0;
    virtual bool setBytes(std::u16string_view key, std::u16string_view name, const uint8_t* bytes, int32_t count) = 0;
    virtual bool autoSave() const = 0;
    virtual void setAutoSave(bool on) = 0;
};

}  // namespace s::map
