#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/IObject.h"

namespace s::reg {

// The predefined roots of the registry, named without the system's types so
// that portable code can address keys.
enum class RootKey : int32_t { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

// Registry value types, with the system's numbers.
enum class ValueType : uint32_t {
    None = 0,
    String = 1,        // REG_SZ
    ExpandString = 2,  // REG_EXPAND_SZ
    Binary = 3,        // REG_BINARY
    Dword = 4,         // REG_DWORD (little-endian)
    MultiString = 7,   // REG_MULTI_SZ
    Qword = 11,        // REG_QWORD
};

// One registry key: a root and a sub-path ("Software\Vosk\..."), opened on
// demand. The settings store works through this interface only, so its rules
// can be tested against a stand-in as well as against the real registry.
class IRegDir : public s::base::IObject {
public:
    virtual void setRoot(RootKey root, std::u16string_view subPath) = 0;
    virtual RootKey root() const = 0;
    virtual const std::u16string& subPath() const = 0;

    virtual bool exists() = 0;
    // Creates the key and any missing parents; true when it exists afterwards.
    virtual bool create() = 0;
    // Deletes the key; with `withSubkeys` everything below it first (depth first).
    virtual bool remove(bool withSubkeys) = 0;
    // The value's type and raw bytes; false when the key or value is missing.
    virtual bool readValue(std::u16string_view name, ValueType* type, std::vector<uint8_t>* data) = 0;
    virtual bool writeValue(std::u16string_view name, ValueType type, const void* data, uint32_t size) = 0;
    virtual bool deleteValue(std::u16string_view name) = 0;

    // A new key object of the same kind, from its pool (the caller releases
    // it with s::thread::releaseToPool): the parent key, or another path under
    // the same root.
    IRegDir* parent() const;
    IRegDir* at(std::u16string_view subPath) const;

    // Chooses the root by its name ("HKEY_CURRENT_USER" and the other four);
    // an unknown name selects HKEY_CURRENT_USER with the sub-path "InvalidKey",
    // so that a bad name can never reach a real key.
    void setRootNamed(std::u16string_view rootName, std::u16string_view subPath);
};

}  // namespace s::reg
