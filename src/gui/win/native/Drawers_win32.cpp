#include "gui/win/native/Drawers.h"

#include "gui/drawer/GdiCanvas.h"
#include "gui/drawer/border/win/Plain.h"
#include "gui/drawer/border/win/UnderWindowMenu.h"
#include "gui/drawer/groupbox/win/Basic.h"
#include "gui/drawer/statusbar/win/Basic.h"
#include "gui/drawer/statusbar/win/BasicResizer.h"
#include "gui/win/FontSetting.h"
#include "thread/Pooled.h"

namespace s::gui::win::native::drawers {

namespace {

using s::gui::drawer::GdiCanvas;
using s::thread::Pooled;

static_assert(kGripSize == s::gui::drawer::statusbar::win::BasicResizer::kSize);

// The pixels of a strip drawer paint nothing below its second row.
constexpr int32_t kUnderMenuRows = 2;

}  // namespace

void fillArea(HDC dc, int32_t x, int32_t y, int32_t width, int32_t height, COLORREF colour)
{
    GdiCanvas(dc).fillRect(x, y, width, height, colour);
}

void paintPlainBorder(HDC dc, int32_t width, int32_t height, COLORREF colour)
{
    GdiCanvas canvas(dc);
    Pooled<s::gui::drawer::border::win::Plain> border(s::gui::drawer::border::win::Plain::take());
    border->paint(canvas, 0, 0, width, height, 0, 0, GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

void paintUnderWindowMenu(HDC dc, int32_t width)
{
    GdiCanvas canvas(dc);
    Pooled<s::gui::drawer::border::win::UnderWindowMenu> strip(s::gui::drawer::border::win::UnderWindowMenu::take());
    strip->paint(canvas, 0, 0, width, kUnderMenuRows, 0, 0, 0, 0, 0);
}

void paintGroupBox(HDC dc, const RECT& bounds, std::u16string_view title, HFONT font, int32_t titleWidth,
                   int32_t titleHeight, COLORREF lineColour, COLORREF titleColour)
{
    GdiCanvas canvas(dc);
    Pooled<s::gui::drawer::groupbox::win::Basic> groupBox(s::gui::drawer::groupbox::win::Basic::take());
    groupBox->setLineColour(lineColour);
    s::gui::win::FontSetting titleFont = groupBox->titleFont();
    titleFont.setFont(font);
    titleFont.setTextColour(titleColour);
    groupBox->paint(canvas, bounds.left, bounds.top, bounds.right, bounds.bottom, title, titleFont, titleWidth,
                    titleHeight);
}

void paintResizeGrip(HDC dc, int32_t width, int32_t height)
{
    GdiCanvas canvas(dc);
    Pooled<s::gui::drawer::statusbar::win::BasicResizer> grip(s::gui::drawer::statusbar::win::BasicResizer::take());
    grip->paint(canvas, 0, 0, width, height);
}

void paintStatusBarBackground(HDC dc, int32_t width, int32_t height)
{
    GdiCanvas canvas(dc);
    Pooled<s::gui::drawer::statusbar::win::Basic> bar(s::gui::drawer::statusbar::win::Basic::take());
    // The grip is a window of its own (StatusGrip), so the drawer paints none.
    bar->setGradient(true);
    bar->paint(canvas, 0, 0, width, height);
}

}  // namespace s::gui::win::native::drawers
