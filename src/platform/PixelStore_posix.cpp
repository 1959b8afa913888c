#include "platform/PixelStore.h"
#include "platform/ZeroedMemory.h"

namespace s::platform {

bool PixelStore::create(int32_t width, int32_t height)
{
    free();
    if (width <= 0 || height <= 0)
        return false;
    const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    if (pixels > kMaxPixels)
        return false;
    m_bits = allocateZeroed(static_cast<size_t>(pixels) * 4);
    if (!m_bits)
        return false;
    m_width = width;
    m_height = height;
    return true;
}

void PixelStore::free()
{
    freeZeroed(m_bits);
    m_bits = nullptr;
    m_width = m_height = 0;
}

}  // namespace s::platform
