#pragma once
#include "base/IObject.h"

namespace s::file {

class IPath : public s::base::IObject {
public:
    virtual bool exists() = 0;
    virtual bool isDirectory() = 0;
};

}  // namespace s::file
