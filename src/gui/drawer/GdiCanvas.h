#pragma once
#include <cstdint>

#include "gui/drawer/ICanvas.h"

namespace s::gui::drawer {

// The Windows canvas over a device context (an HDC, passed opaquely so that
// this header stays free of <windows.h>). It leaves the context's colours,
// background mode and font as it found them after every call.
class GdiCanvas : public ICanvas {
public:
    explicit GdiCanvas(void* deviceContext) : m_dc(deviceContext) {}

    void fillRect(int32_t x, int32_t y, int32_t width, int32_t height, uint32_t colour) override;
    void drawText(int32_t left, int32_t top, int32_t right, int32_t bottom, std::u16string_view text,
                  const s::gui::win::FontSetting& font, uint32_t colour, uint32_t layoutFlags) override;
    TextSize measureText(std::u16string_view text, const s::gui::win::FontSetting& font) override;

private:
    void* m_dc;  // an HDC, not owned
};

}  // namespace s::gui::drawer
