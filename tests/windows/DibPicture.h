// A 32-bit top-down DIB selected into a memory device context: code under test
// draws into dc(), and the pixels are read straight from the section's memory.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace windows_test {

class DibPicture {
public:
    // Without a fill colour the pixels start as the section's zeroed memory (black).
    DibPicture(int32_t width, int32_t height, std::optional<COLORREF> fill = std::nullopt)
        : m_width(width), m_height(height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // negative: the first row in memory is the top one
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        m_dc = CreateCompatibleDC(nullptr);
        m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_previous = SelectObject(m_dc, m_bitmap);
        if (fill && ready()) {
            HBRUSH brush = CreateSolidBrush(*fill);
            const RECT all{0, 0, width, height};
            FillRect(m_dc, &all, brush);
            DeleteObject(brush);
        }
    }
    ~DibPicture()
    {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    DibPicture(const DibPicture&) = delete;
    DibPicture& operator=(const DibPicture&) = delete;

    bool ready() const { return m_dc && m_bitmap && m_bits; }
    HDC dc() const { return m_dc; }
    int32_t width() const { return m_width; }
    int32_t height() const { return m_height; }

    COLORREF at(int32_t x, int32_t y) const
    {
        // GDI may still hold batched drawing; the memory is only current after a flush.
        GdiFlush();
        const uint32_t bgra = m_bits[static_cast<size_t>(y) * static_cast<size_t>(m_width) + static_cast<size_t>(x)];
        return RGB((bgra >> 16) & 0xFF, (bgra >> 8) & 0xFF, bgra & 0xFF);
    }

    // Pixels of the rectangle (clipped to the picture) that differ from `colour`.
    int countOther(const RECT& area, COLORREF colour) const { return count(area, colour, false); }
    // Pixels of the rectangle (clipped to the picture) that are `colour`.
    int countOf(const RECT& area, COLORREF colour) const { return count(area, colour, true); }

private:
    int count(const RECT& area, COLORREF colour, bool equal) const
    {
        int count = 0;
        for (int32_t y = std::max<LONG>(area.top, 0); y < std::min<LONG>(area.bottom, m_height); ++y) {
            for (int32_t x = std::max<LONG>(area.left, 0); x < std::min<LONG>(area.right, m_width); ++x)
                count += (at(x, y) == colour) == equal ? 1 : 0;
        }
        return count;
    }

    int32_t m_width;
    int32_t m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
    uint32_t* m_bits = nullptr;
};

}  // namespace windows_test
