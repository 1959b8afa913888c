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
    convolveRows(*result);
    result->setHasAlpha(source.hasAlpha());
    return result;
}

bool Sharpness::applyInPlace(BufferedImage& image)
{
    // The pass reads each pixel's neighbours as it goes and writes back
    // into the rows it reads, so the picture is its own destination.
    convolveRows(image);
    return true;
}

void Sharpness::convolveRows(BufferedImage& image)
{
    Lock lock(m_lock);
    if (!m_kernel || image.width() <= 0 || image.height() <= 0)
        return;
    std::vector<uint32_t*> rows(static_cast<size_t>(image.height()));
    for (int32_t y = 0; y < image.height(); ++y)
        rows[static_cast<size_t>(y)] = image.row(y);
    m_kernel->convolve(rows.data(), image.width(), image.height());
}

}  // namespace s::image::filters::sharpness
