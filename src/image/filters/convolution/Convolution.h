#pragma once
#include <cstdint>

#include "base/IObject.h"
#include "image/filters/convolution/Convolve.h"
#include "thread/PooledBy.h"

namespace s::image::filters::convolution {

// A 3 x 3 integer kernel with its divisor; reset gives the identity.
class Convolution : public s::base::IObject, public s::thread::PooledBy<Convolution> {
public:
    Convolution() { reset(); }

    const char16_t* className() const override { return u"s_image_filters_convolution_Convolution"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override
    {
        m_weights = KernelWeights{{0, 0, 0, 0, 1, 0, 0, 0, 0}, 1};
    }

    // A pooled kernel with these weights and their sum as divisor.
    static Convolution* makeKernel(int32_t k0, int32_t k1, int32_t k2, int32_t k3, int32_t k4, int32_t k5, int32_t k6, int32_t k7, int32_t k8);
    static Convolution* makeKernel(const KernelWeights& weights);

    const KernelWeights& weights() const { return m_weights; }
    int32_t divisor() const { return m_weights.divisor; }
    int32_t weight(int32_t index) const { return m_weights.k[index]; }

    // Runs the kernel over the rows in place (raster order).
    void convolve(uint32_t* const* rows, int32_t width, int32_t height) const;

private:
    KernelWeights m_weights;
};

}  // namespace s::image::filters::convolution
