#include "gui/win/native/GuiFont.h"

#include <algorithm>

namespace s::gui::win::native {

namespace {

HFONT makeGuiFont()
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        if (HFONT font = CreateFontIndirectW(&metrics.lfMessageFont))
            return font;
    }
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace

HFONT guiFont()
{
    static const HFONT font = makeGuiFont();
    return font;
}

TextExtent measureWith(HFONT font, std::u16string_view text)
{
    TextExtent extent;
    HDC dc = GetDC(nullptr);
    if (!dc)
        return extent;
    HGDIOBJ previous = SelectObject(dc, font ? font : guiFont());
    TEXTMETRICW metrics{};
    if (GetTextMetricsW(dc, &metrics))
        extent.height = metrics.tmHeight;
    if (!text.empty()) {
        SIZE size{};
        const int length = static_cast<int>(std::min<size_t>(text.size(), INT32_MAX));
        if (GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()), length, &size)) {
            extent.width = size.cx;
            extent.height = std::max<int32_t>(extent.height, size.cy);
        }
    }
    SelectObject(dc, previous);
    ReleaseDC(nullptr, dc);
    return extent;
}

}  // namespace s::gui::win::native
