#include "image/filters/sharpness/Sharpness.h"

#include <vector>

#include "image/filters/convolution/Convolution.h"
#include "image/win/BufferedImage.h"

namespace s::image::filters::sharpness {

using s::image::filters::convolution::Convolution;
using s::image::filters::convolution::KernelWeights;
using s::image::win::BufferedImage;
using s::thread::Lock;

const char16_t Sharpness::kFilterName[] = u"Sharpness";

Sharpness::~Sharpness()
{
    if (m_kernel)
        m_kernel->release();
}

void Sharpness::reset()
{
    m_autoRelease = true;
    m_strength = 0;
    Convolution* old = nullptr;
    {
        Lock lock(m_lock);
        old = m_kernel;
        m_kernel = nullptr;
    }
    if (old)
        old->release();
}

void Sharpness::setStrength(int32_t strength)
{
    Convolution* old = m_kernel;
    m_strength = strength;
    {
        Lock lock(m_lock);
        KernelWeights weights{};
        m_kernel = s::image::filters::convolution::weightsForStrength(strength, weights) ? Convolution::makeKernel(weights) : nullptr;
    }
    if (old)
        old->release();
}

BufferedImage* Sharpness::apply(const BufferedImage& source, BufferedImage* destination)
{
    BufferedImage* result = source.copyTo(destination ? destination : BufferedImage::take());
    if (!result) {
        // The copy could not get memory: hand back an empty image, never a
        // half-filtered one.
        if (destination) {
            destination->setSize(0, 0);
            return destination;
        }
        return nullptr;
    }
    {
        Lock lock(m_lock);
        if (m_kernel && result->width() > 0 && result->height() > 0) {
            std::vector<uint32_t*> rows(static_cast<size_t>(result->height()));
            for (int32_t y = 0; y < result->height(); ++y)
                rows[static_cast<size_t>(y)] = result->row(y);
            m_kernel->convolve(rows.data(), result->width(), result->height());
        }
    }
    result->setHasAlpha(source.hasAlpha());
    return result;
}

}  // namespace s::image::filters::sharpness
