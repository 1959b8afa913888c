#pragma once
#include "image/filters/scale/IScaleFilter.h"
#include "thread/PooledBy.h"

namespace s::image::filters::scale {

// A tent of radius support() (1 after reset): linear interpolation between
// neighbours when enlarging; the resampler widens it when shrinking.
class BilinearFilter : public IScaleFilter, public s::thread::PooledBy<BilinearFilter> {
public:
    static constexpr double kDefaultSupport = 1.0;

    BilinearFilter() { reset(); }

    const char16_t* className() const override { return u"s_image_filters_scale_BilinearFilter"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override { m_support = kDefaultSupport; }

    double weight(double t) const override;
    double support() const override { return m_support; }
    void setSupport(double value) override { m_support = value; }

private:
    double m_support = kDefaultSupport;
};

}  // namespace s::image::filters::scale
