#pragma once
#include "base/IObject.h"

namespace s::image::filters::scale {

// The kernel a resampler weighs source pixels with: weight(t) for a source
// pixel t pixels away from the destination pixel's centre, zero from
// support() outwards.
class IScaleFilter : public s::base::IObject {
public:
    virtual double weight(double t) const = 0;
    virtual double support() const = 0;
    virtual void setSupport(double value) = 0;
};

}  // namespace s::image::filters::scale
