#pragma once
#include <cstdint>

#include "image/filters/IFilter.h"
#include "thread/ObjLocker.h"
#include "thread/PooledBy.h"

namespace s::image::filters::convolution {
class Convolution;
}

namespace s::image::filters::sharpness {

// Sharpens (positive strength) or blurs (negative) with one 3 x 3 pass;
// strength 0 copies the picture unchanged.
class Sharpness : public s::image::filters::IFilter, public s::thread::PooledBy<Sharpness> {
public:
    static const char16_t kFilterName[];

    Sharpness() = default;
    ~Sharpness() override;

    const char16_t* className() const override { return u"s_image_filters_sharpness_Sharpness"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    const char16_t* filterName() const override { return kFilterName; }
    bool isAutoRelease() const override { return m_autoRelease; }
    void setAutoRelease(bool flag) override { m_autoRelease = flag; }
    s::image::win::BufferedImage* apply(const s::image::win::BufferedImage& source, s::image::win::BufferedImage* destination) override;
    bool applyInPlace(s::image::win::BufferedImage& image) override;
    void releaseFilter() override { release(); }

    void setStrength(int32_t strength);
    int32_t strength() const { return m_strength; }
    const s::image::filters::convolution::Convolution* kernel() const { return m_kernel; }

private:
    void convolveRows(s::image::win::BufferedImage& image);
    bool m_autoRelease = true;
    s::thread::ObjLocker m_lock;
    int32_t m_strength = 0;
    s::image::filters::convolution::Convolution* m_kernel = nullptr;  // owned
};

}  // namespace s::image::filters::sharpness
