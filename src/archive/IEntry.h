#pragma once
#include <cstddef>
#include <cstdint>

#include "base/IObject.h"

namespace s::archive {

// One member of an archive: its data, once loaded, as bytes in memory.
class IEntry : public s::base::IObject {
public:
    virtual bool isLoaded() const = 0;
    // Null until the data is loaded.
    virtual const uint8_t* data() const = 0;
    virtual size_t dataSize() const = 0;
};

}  // namespace s::archive
