#pragma once
#include "io/IInputStream.h"

namespace s::file {

class IFileInputStream : public s::io::IInputStream {
public:
    virtual bool isOpen() const = 0;
    virtual uint64_t size() = 0;
};

}  // namespace s::file
