#pragma once
#include "io/IInputStream.h"
#include "io/IOutputStream.h"

namespace s::file {

class IFileOutputStream : public s::io::IOutputStream, public s::io::IInputStream {
public:
    virtual bool isOpen() const = 0;
    virtual bool truncate() = 0;
    // False once any write, flush or seek has failed: the file is incomplete.
    virtual bool hasFailed() const = 0;
};

}  // namespace s::file
