#pragma once
#include <cstdint>

#include "base/IObject.h"

namespace s::image {

class IImage : public s::base::IObject {
public:
    virtual int32_t width() const = 0;
    virtual int32_t height() const = 0;
};

}  // namespace s::image
