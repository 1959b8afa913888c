#pragma once
#include <cstdint>

#include "image/IEncodedImage.h"

namespace s::image::ico {

class IIconImage;

// A whole icon file: its pictures in the icon's entry order.
class IIcon : public s::image::IEncodedImage {
public:
    // Appends a picture, which the icon owns from then on; false (and the
    // picture released) when it is not one this icon can hold.
    virtual bool addEntry(IIconImage* entry) = 0;
    // No bounds check: callers stay within imageCount().
    virtual IIconImage* entry(int32_t index) const = 0;
};

}  // namespace s::image::ico
