// The portable drawers on a real device context: the Windows canvas fills
// and writes where the drawers say, and a window drawer's shape becomes a
// region the system accepts.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "gui/drawer/GdiCanvas.h"
#include "gui/drawer/PixelCanvas.h"
#include "gui/drawer/Region.h"
#include "gui/drawer/button/win/Thin.h"
#include "gui/drawer/window/win/Thin.h"
#include "gui/win/FontSetting.h"
#include "thread/Pooled.h"

#include "DibPicture.h"

namespace {

namespace drawer = s::gui::drawer;
using s::thread::Pooled;

constexpr COLORREF kUntouched = RGB(1, 2, 3);

// A picture that starts untouched, with the portable canvas over its DC.
class Surface : public windows_test::DibPicture {
public:
    Surface(int width, int height) : DibPicture(width, height, kUntouched) {}
    drawer::GdiCanvas canvas() const { return drawer::GdiCanvas(dc()); }
};

TEST(GdiDrawer, WindowDrawerFillsInsideItsFrame)
{
    Surface surface(40, 30);
    ASSERT_TRUE(surface.ready());
    Pooled<drawer::window::win::Thin> window(drawer::window::win::Thin::take());
    window->setFillColour(RGB(116, 116, 116));
    window->setFrameColour(RGB(17, 17, 17));
    drawer::GdiCanvas canvas = surface.canvas();
    window->paint(canvas, 0, 0, 30, 20);
    EXPECT_EQ(surface.at(0, 0), RGB(17, 17, 17));
    EXPECT_EQ(surface.at(29, 19), RGB(17, 17, 17));
    EXPECT_EQ(surface.at(1, 1), RGB(116, 116, 116));
    EXPECT_EQ(surface.at(28, 18), RGB(116, 116, 116));
    EXPECT_EQ(surface.at(30, 10), kUntouched);
    EXPECT_EQ(surface.at(10, 20), kUntouched);
}

TEST(GdiDrawer, CrossGlyphLandsOnItsPixels)
{
    Surface surface(50, 14);
    ASSERT_TRUE(surface.ready());
    Pooled<drawer::button::win::Thin> button(drawer::button::win::Thin::take());
    drawer::GdiCanvas canvas = surface.canvas();
    ASSERT_TRUE(button->drawGlyph(canvas, 2, 2, 48, 12, u"#X", 17, 17, 17));
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(surface.at(21 + i, 3 + i), RGB(17, 17, 17)) << i;
        EXPECT_EQ(surface.at(28 - i, 4 + i), RGB(17, 17, 17)) << i;
    }
    EXPECT_EQ(surface.at(20, 3), kUntouched);
    EXPECT_EQ(surface.at(24, 3), kUntouched);
    // Pixel for pixel what the in-memory canvas gets from the same drawer.
    drawer::PixelCanvas reference(50, 14, kUntouched);
    button->drawGlyph(reference, 2, 2, 48, 12, u"#X", 17, 17, 17);
    for (int y = 0; y < 14; ++y) {
        for (int x = 0; x < 50; ++x)
            ASSERT_EQ(surface.at(x, y), reference.pixel(x, y)) << x << "," << y;
    }
}

TEST(GdiDrawer, TextStaysInsideItsRectangleAndTheContextIsRestored)
{
    Surface surface(80, 30);
    ASSERT_TRUE(surface.ready());
    s::gui::win::FontSetting font;
    font.setFont(GetStockObject(DEFAULT_GUI_FONT));
    drawer::GdiCanvas canvas = surface.canvas();
    const COLORREF textColourBefore = GetTextColor(surface.dc());
    const int modeBefore = GetBkMode(surface.dc());
    const HGDIOBJ fontBefore = GetCurrentObject(surface.dc(), OBJ_FONT);
    canvas.drawText(10, 5, 70, 25, u"Hello", font, RGB(200, 0, 0),
                    drawer::ICanvas::kTextCentred | drawer::ICanvas::kTextSingleLine);
    EXPECT_EQ(GetTextColor(surface.dc()), textColourBefore);
    EXPECT_EQ(GetBkMode(surface.dc()), modeBefore);
    EXPECT_EQ(GetCurrentObject(surface.dc(), OBJ_FONT), fontBefore);
    EXPECT_GT(surface.countOther(RECT{10, 5, 70, 25}, kUntouched), 5);
    EXPECT_EQ(surface.countOther(RECT{0, 0, 80, 5}, kUntouched), 0);
    EXPECT_EQ(surface.countOther(RECT{0, 0, 10, 30}, kUntouched), 0);
    const drawer::ICanvas::TextSize size = canvas.measureText(u"Hello", font);
    EXPECT_GT(size.width, 10);
    EXPECT_GT(size.height, 5);
}

TEST(GdiDrawer, RegionBecomesAnHrgnOfTheWindowsShape)
{
    Pooled<drawer::window::win::Thin> window(drawer::window::win::Thin::take());
    struct Case {
        int32_t top, bottom;
        bool topLeftCornerIn, bottomLeftCornerIn;
    };
    for (const Case& c : {Case{0, 0, true, true}, Case{1, 0, false, true}, Case{0, 2, true, false},
                          Case{2, 2, false, false}}) {
        SCOPED_TRACE(std::to_string(c.top) + "/" + std::to_string(c.bottom));
        window->setTopCorners(c.top);
        window->setBottomCorners(c.bottom);
        HRGN region = static_cast<HRGN>(drawer::createNativeRegion(window->region(0, 0, 39, 29)));
        ASSERT_NE(region, nullptr);
        RECT box{};
        GetRgnBox(region, &box);
        EXPECT_EQ(box.left, 0);
        EXPECT_EQ(box.top, 0);
        // A rounded region stops a pixel short at the right and bottom; squared sides reach the end.
        EXPECT_EQ(box.right, c.top == 0 || c.bottom == 0 ? 40 : 39);
        EXPECT_EQ(box.bottom, c.bottom == 0 ? 30 : 29);
        EXPECT_TRUE(PtInRegion(region, 20, 15));
        EXPECT_EQ(PtInRegion(region, 0, 0) != FALSE, c.topLeftCornerIn);
        EXPECT_EQ(PtInRegion(region, 0, 29) != FALSE, c.bottomLeftCornerIn);
        DeleteObject(region);
    }
}

}  // namespace
