#include "image/filters/scale/Contribution.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <new>

#include "image/filters/scale/IScaleFilter.h"

namespace s::image::filters::scale {

namespace {
// A table larger than this is refused rather than allocated; shrinking a
// picture of 2^28 pixels to one row still needs far less.
constexpr uint64_t kMaxTableBytes = uint64_t(1) << 30;
constexpr double kFixedOne = 65536.0;
}  // namespace

void Contribution::reset()
{
    m_count = m_taps = m_entryBytes = 0;
    m_entries.reset();
}

int32_t Contribution::field(int32_t entry, int32_t slot) const
{
    int32_t value = 0;
    std::memcpy(&value, m_entries.get() + static_cast<size_t>(entry) * static_cast<size_t>(m_entryBytes) + static_cast<size_t>(slot) * 4, 4);
    return value;
}

void Contribution::setField(int32_t entry, int32_t slot, int32_t value)
{
    std::memcpy(m_entries.get() + static_cast<size_t>(entry) * static_cast<size_t>(m_entryBytes) + static_cast<size_t>(slot) * 4, &value, 4);
}

bool Contribution::build(const IScaleFilter& filter, int32_t destinationSize, int32_t sourceSize, double scale)
{
    reset();
    if (destinationSize < 1 || sourceSize < 1 || !(scale > 0.0))
        return false;
    const double support = filter.support();
    // Shrinking widens the kernel by the inverse of the scale, so that every
    // source pixel lands under some destination pixel.
    const double width = scale < 1.0 ? support / scale : support;
    const double filterScale = scale < 1.0 ? scale : 1.0;
    const double tapCount = 2.0 * std::ceil(width) + 1.0;
    const uint64_t entryBytes = static_cast<uint64_t>(tapCount) * 4 + 8;
    if (!(tapCount >= 1.0) || tapCount > static_cast<double>(kMaxTableBytes) || entryBytes * static_cast<uint64_t>(destinationSize) > kMaxTableBytes)
        return false;
    m_entries.reset(new (std::nothrow) uint8_t[entryBytes * static_cast<uint64_t>(destinationSize)]);
    std::unique_ptr<double[]> weights(new (std::nothrow) double[static_cast<size_t>(tapCount)]);
    if (!m_entries || !weights) {
        reset();
        return false;
    }
    m_taps = static_cast<int32_t>(tapCount);
    m_entryBytes = static_cast<int32_t>(entryBytes);
    m_count = destinationSize;
    for (int32_t i = 0; i < destinationSize; ++i)
        buildEntry(filter, i, sourceSize, scale, width, filterScale, weights.get());
    return true;
}

void Contribution::buildEntry(const IScaleFilter& filter, int32_t entry, int32_t sourceSize, double scale, double width, double filterScale, double* weights)
{
    // No half-pixel offset: destination index 0 sits on source index 0.
    const double center = entry / scale;
    const int32_t left = static_cast<int32_t>(std::fmax(std::floor(center - width), 0.0));
    const int32_t right = static_cast<int32_t>(std::fmin(std::ceil(center + width), sourceSize - 1.0));
    int32_t first = left;
    int32_t last = right;
    int32_t stored = 0;
    double total = 0.0;
    for (int32_t j = left; j <= right; ++j) {
        const double w = filterScale * filter.weight((center - j) * filterScale);
        if (w > 0.0) {
            if (stored == m_taps)
                break;  // cannot happen with a tent, but never write past the entry
            weights[stored++] = w;
            total += w;
        } else if (stored == 0) {
            first = j + 1;
        } else {
            last = j - 1;
            break;
        }
    }
    if (stored == 0) {
        // Nothing under the kernel: the last source pixel repeats at the far
        // end, elsewhere the entry holds its left pixel with no weight.
        const bool atEnd = right == sourceSize - 1;
        first = last = atEnd ? sourceSize - 1 : left;
        weights[0] = atEnd ? 1.0 : 0.0;
        stored = 1;
    } else {
        last = first + stored - 1;
        if (total > 0.0) {
            for (int32_t k = 0; k < stored; ++k)
                weights[k] /= total;
        }
    }
    setField(entry, 0, first);
    setField(entry, 1, last);
    for (int32_t k = 0; k < m_taps; ++k)
        setField(entry, 2 + k, k < stored ? static_cast<int32_t>(weights[k] * kFixedOne) : 0);
}

}  // namespace s::image::filters::scale
