#pragma once
// Included only by the Win32 adapter's own sources.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "gui/INativeView.h"

namespace s::gui::win::native {

// UTF-16 on both sides: char16_t and WCHAR are the same code units on Windows.
inline std::wstring toWide(std::u16string_view text)
{
    return std::wstring(reinterpret_cast<const wchar_t*>(text.data()), text.size());
}

inline std::u16string fromWide(const wchar_t* text, size_t length)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// The toolkit's colours are 0x00RRGGBB; GDI wants red in the low byte.
inline COLORREF toColorRef(uint32_t rgb)
{
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

inline bool isDefaultColour(uint32_t colour) { return colour == INativeView::kDefaultColour; }

}  // namespace s::gui::win::native
