#include "image/filters/convolution/Convolution.h"

namespace s::image::filters::convolution {

Convolution* Convolution::makeKernel(int32_t k0, int32_t k1, int32_t k2, int32_t k3, int32_t k4, int32_t k5, int32_t k6, int32_t k7, int32_t k8)
{
    Convolution* kernel = take();
    kernel->m_weights = KernelWeights{{k0, k1, k2, k3, k4, k5, k6, k7, k8}, k0 + k1 + k2 + k3 + k4 + k5 + k6 + k7 + k8};
    return kernel;
}

Convolution* Convolution::makeKernel(const KernelWeights& w)
{
    return makeKernel(w.k[0], w.k[1], w.k[2], w.k[3], w.k[4], w.k[5], w.k[6], w.k[7], w.k[8]);
}

void Convolution::convolve(uint32_t* const* rows, int32_t width, int32_t height) const
{
    s::image::filters::convolution::convolve(m_weights, rows, width, height);
}

}  // namespace s::image::filters::convolution
