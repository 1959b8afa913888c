#include <windows.h>

#include "platform/PixelStore.h"

namespace s::platform {

bool PixelStore::create(int32_t width, int32_t height)
{
    free();
    if (width <= 0 || height <= 0)
        return false;
    const uint64_t pixels = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    if (pixels > kMaxPixels)
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // positive: bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!handle || !bits) {
        if (handle)
            DeleteObject(handle);
        return false;
    }
    m_handle = handle;
    m_bits = static_cast<uint8_t*>(bits);
    m_width = width;
    m_height = height;
    return true;
}

void PixelStore::free()
{
    if (m_handle)
        DeleteObject(static_cast<HBITMAP>(m_handle));
    m_handle = nullptr;
    m_bits = nullptr;
    m_width = m_height = 0;
}

}  // namespace s::platform
