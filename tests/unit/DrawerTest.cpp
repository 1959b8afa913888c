#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "gui/drawer/Colour.h"
#include "gui/drawer/PixelCanvas.h"
#include "gui/drawer/border/win/Plain.h"
#include "gui/drawer/border/win/Thin.h"
#include "gui/drawer/border/win/UnderWindowMenu.h"
#include "gui/drawer/button/win/Thin.h"
#include "gui/drawer/groupbox/win/Basic.h"
#include "gui/drawer/menu/win/Basic.h"
#include "gui/drawer/statusbar/win/Basic.h"
#include "gui/drawer/statusbar/win/BasicResizer.h"
#include "gui/drawer/text/win/Basic.h"
#include "gui/drawer/window/win/Thin.h"
#include "gui/win/FontSetting.h"
#include "thread/Pooled.h"

namespace drawer = s::gui::drawer;
using drawer::ICanvas;
using drawer::PixelCanvas;
using drawer::colour::grey;
using drawer::colour::rgb;
using s::gui::win::FontSetting;
using s::thread::Pooled;

namespace {

constexpr uint32_t kUntouched = rgb(1, 2, 3);

struct Pixel {
    int32_t x;
    int32_t y;
    uint32_t colour;
};

void expectPixels(const PixelCanvas& canvas, const std::vector<Pixel>& expected)
{
    for (const Pixel& p : expected)
        EXPECT_EQ(canvas.pixel(p.x, p.y), p.colour) << "at " << p.x << ", " << p.y;
}

// The pixels a list of 2 x 2 squares covers.
std::set<std::pair<int32_t, int32_t>> squaresAt(const std::vector<std::pair<int32_t, int32_t>>& corners)
{
    std::set<std::pair<int32_t, int32_t>> pixels;
    for (auto [x, y] : corners)
        for (int32_t dy = 0; dy < 2; ++dy)
            for (int32_t dx = 0; dx < 2; ++dx)
                pixels.insert({x + dx, y + dy});
    return pixels;
}

std::set<std::pair<int32_t, int32_t>> changedPixels(const PixelCanvas& canvas)
{
    std::set<std::pair<int32_t, int32_t>> pixels;
    for (int32_t y = 0; y < canvas.height(); ++y)
        for (int32_t x = 0; x < canvas.width(); ++x)
            if (canvas.pixel(x, y) != kUntouched)
                pixels.insert({x, y});
    return pixels;
}

FontSetting fontIn(uint32_t colour)
{
    FontSetting font;
    font.setTextColour(colour);
    return font;
}

// --- Canvas -------------------------------------------------------------------------------------

TEST(PixelCanvasDrawer, ClipsFillsAndIgnoresEmptyOnes)
{
    PixelCanvas canvas(4, 3, kUntouched);
    canvas.fillRect(-5, -5, 7, 6, grey(9));  // reaches (0..1, 0)
    canvas.fillRect(3, 2, 100, 100, grey(8));
    canvas.fillRect(0, 2, 0, 1, grey(7));
    canvas.fillRect(0, 2, 2, -1, grey(7));
    canvas.fillRect(2147483600, 0, 2147483647, 1, grey(7));  // far outside, no wrap-around
    EXPECT_EQ(canvas.changedCount(), 3);
    expectPixels(canvas, {{0, 0, grey(9)}, {1, 0, grey(9)}, {2, 0, kUntouched}, {3, 2, grey(8)}, {9, 9, kUntouched}});
}

// --- Border -------------------------------------------------------------------------------------

TEST(BorderDrawer, ShadesEachEdgeByTheTypesTable)
{
    // Base (100, 200, 40) on a 10 x 6 rectangle with square corners.
    struct Case {
        int32_t type;
        uint32_t top, right, bottom, left;
    };
    const Case cases[] = {
        {0, rgb(115, 230, 46), rgb(70, 140, 28), rgb(50, 100, 20), rgb(105, 210, 42)},
        {1, rgb(105, 210, 42), rgb(90, 180, 36), rgb(85, 170, 34), rgb(100, 200, 40)},
        {2, rgb(85, 170, 34), rgb(100, 200, 40), rgb(105, 210, 42), rgb(90, 180, 36)},
        {3, rgb(105, 210, 42), rgb(90, 180, 36), kUntouched, rgb(100, 200, 40)},
    };
    Pooled<drawer::border::win::Thin> border(drawer::border::win::Thin::take());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        PixelCanvas canvas(10, 6, kUntouched);
        border->paint(canvas, 0, 0, 10, 6, c.type, 0, 100, 200, 40);
        // Edges go top, right, bottom, left: later ones own the corners.
        const uint32_t bottomRight = c.type == 3 ? c.right : c.bottom;
        expectPixels(canvas, {{4, 0, c.top}, {9, 3, c.right}, {4, 5, c.bottom}, {0, 3, c.left}, {0, 0, c.left},
                              {9, 0, c.right}, {9, 5, bottomRight}, {0, 5, c.left}, {4, 3, kUntouched}});
    }
}

TEST(BorderDrawer, ShadesTruncateAndStopAt255AndCanBeTurnedOff)
{
    Pooled<drawer::border::win::Thin> border(drawer::border::win::Thin::take());
    PixelCanvas canvas(10, 6, kUntouched);
    border->paint(canvas, 0, 0, 10, 6, 0, 0, 240, 17, 3);
    // 240 x 1.15 = 276 -> 255; 17 x 1.15 = 19.55 -> 19; 3 x 1.15 = 3.45 -> 3.
    EXPECT_EQ(canvas.pixel(4, 0), rgb(255, 19, 3));

    border->setShaded(false);
    PixelCanvas flat(10, 6, kUntouched);
    border->paint(flat, 0, 0, 10, 6, 0, 0, 240, 17, 3);
    for (auto [x, y] : {std::pair{4, 0}, {9, 3}, {4, 5}, {0, 3}})
        EXPECT_EQ(flat.pixel(x, y), rgb(240, 17, 3));
    // Back in the pool it is reset: shaded again.
    border.take()->release();
    Pooled<drawer::border::win::Thin> again(drawer::border::win::Thin::take());
    EXPECT_TRUE(again->isShaded());
}

TEST(BorderDrawer, CutCornersLeaveTheCornersAndRaisedOnesLightTheEnds)
{
    Pooled<drawer::border::win::Thin> border(drawer::border::win::Thin::take());
    PixelCanvas canvas(10, 6, kUntouched);
    border->paint(canvas, 0, 0, 10, 6, 0, 1, 100, 100, 100);
    expectPixels(canvas, {{0, 0, kUntouched}, {9, 0, kUntouched}, {0, 5, kUntouched}, {9, 5, kUntouched},
                          {1, 0, grey(115)}, {7, 0, grey(115)}, {8, 0, grey(105)},
                          {9, 1, grey(95)}, {9, 2, grey(70)}, {9, 4, grey(50)},
                          {1, 5, grey(70)}, {2, 5, grey(50)}, {8, 5, grey(45)},
                          {0, 1, grey(115)}, {0, 2, grey(105)}, {0, 4, grey(85)}});

    // The other types have no end pixels: plain shortened edges.
    PixelCanvas normal(10, 6, kUntouched);
    border->paint(normal, 0, 0, 10, 6, 1, 1, 100, 100, 100);
    expectPixels(normal, {{0, 0, kUntouched}, {1, 0, grey(105)}, {8, 0, grey(105)}, {9, 1, grey(90)},
                          {9, 4, grey(90)}, {8, 5, grey(85)}, {0, 4, grey(100)}});
}

TEST(BorderDrawer, PlainAndUnderWindowMenuPaintTheirFixedLines)
{
    Pooled<drawer::border::win::Plain> plain(drawer::border::win::Plain::take());
    PixelCanvas frame(20, 10, kUntouched);
    plain->paint(frame, 0, 0, 20, 10, 0, 0, 145, 155, 156);
    const uint32_t line = rgb(145, 155, 156);
    expectPixels(frame, {{0, 0, line}, {19, 0, line}, {19, 9, line}, {0, 9, line}, {1, 1, kUntouched}});
    EXPECT_EQ(frame.changedCount(), 2 * 20 + 2 * 8);

    Pooled<drawer::border::win::UnderWindowMenu> strip(drawer::border::win::UnderWindowMenu::take());
    PixelCanvas under(20, 7, kUntouched);
    strip->paint(under, 0, 0, 20, 7, 0, 0, 0, 0, 0);
    expectPixels(under, {{0, 0, rgb(172, 168, 153)}, {19, 0, rgb(172, 168, 153)}, {5, 1, grey(255)},
                         {5, 2, kUntouched}});
    EXPECT_EQ(under.changedCount(), 40);
}

// --- Window -------------------------------------------------------------------------------------

TEST(WindowDrawer, FillsInsideAOnePixelFrameAndRoundsTheCorners)
{
    Pooled<drawer::window::win::Thin> window(drawer::window::win::Thin::take());
    window->setFillColour(grey(116));
    window->setFrameColour(grey(17));
    window->setTopCorners(1);
    PixelCanvas small(30, 20, kUntouched);
    window->paint(small, 0, 0, 30, 20);
    expectPixels(small, {{0, 1, grey(17)}, {1, 1, grey(17)}, {2, 1, grey(116)}, {28, 1, grey(17)},
                         {27, 1, grey(116)}, {1, 18, grey(116)}, {15, 10, grey(116)}});

    window->setTopCorners(2);
    window->setBottomCorners(2);
    PixelCanvas large(30, 20, kUntouched);
    window->paint(large, 0, 0, 30, 20);
    expectPixels(large, {{4, 1, grey(17)}, {5, 1, grey(116)}, {2, 2, grey(17)}, {3, 2, grey(116)},
                         {1, 4, grey(17)}, {1, 5, grey(116)}, {25, 1, grey(17)}, {24, 1, grey(116)},
                         {28, 5, grey(116)}, {1, 14, grey(116)}, {1, 16, grey(17)}, {2, 16, grey(116)}, {2, 17, grey(17)},
                         {3, 17, grey(116)},
                         // The bottom-right rows stop a pixel short of the frame's column.
                         {27, 16, grey(17)}, {26, 16, grey(116)}, {26, 17, grey(17)}, {25, 17, grey(116)},
                         {25, 18, grey(17)}, {24, 18, grey(116)}});

    window->setTransparent(true);
    PixelCanvas seeThrough(30, 20, kUntouched);
    window->paint(seeThrough, 0, 0, 30, 20);
    expectPixels(seeThrough, {{0, 0, grey(17)}, {15, 10, kUntouched}});
    window->setFillColour(grey(116));
    EXPECT_FALSE(window->isTransparent());
}

TEST(WindowDrawer, RegionFollowsTheCornerKinds)
{
    using Rect = drawer::Region::Rect;
    struct Case {
        int32_t top, bottom;
        int32_t ellipse;
        std::vector<Rect> squaring;
    };
    const Case cases[] = {
        {0, 0, 0, {}},
        {1, 1, 5, {}},
        {1, 0, 5, {{0, 16, 30, 20}}},
        {0, 1, 5, {{0, 0, 30, 4}}},
        {2, 1, 5, {{0, 0, 30, 4}}},  // small wins, the large side is squared
        {2, 2, 11, {}},
        {2, 0, 11, {{0, 14, 30, 20}}},
        {0, 2, 11, {{0, 0, 30, 6}}},
    };
    Pooled<drawer::window::win::Thin> window(drawer::window::win::Thin::take());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.top) + "/" + std::to_string(c.bottom));
        window->setTopCorners(c.top);
        window->setBottomCorners(c.bottom);
        const drawer::Region region = window->region(0, 0, 29, 19);
        EXPECT_EQ(region.bounds.right, 30);
        EXPECT_EQ(region.bounds.bottom, 20);
        EXPECT_EQ(region.cornerEllipse, c.ellipse);
        ASSERT_EQ(region.squaring.size(), c.squaring.size());
        for (size_t i = 0; i < c.squaring.size(); ++i) {
            EXPECT_EQ(region.squaring[i].left, c.squaring[i].left);
            EXPECT_EQ(region.squaring[i].top, c.squaring[i].top);
            EXPECT_EQ(region.squaring[i].right, c.squaring[i].right);
            EXPECT_EQ(region.squaring[i].bottom, c.squaring[i].bottom);
        }
    }
}

// --- Button -------------------------------------------------------------------------------------

class ButtonDrawer : public ::testing::Test {
protected:
    ButtonDrawer()
    {
        m_button->setNormalColour(grey(100));
        m_button->setCheckedColour(grey(100));
        m_button->setFaceColour(rgb(10, 20, 30));
    }
    Pooled<drawer::button::win::Thin> m_button{drawer::button::win::Thin::take()};
    FontSetting m_font = fontIn(rgb(0, 0, 250));
};

TEST_F(ButtonDrawer, PressedFramedLooksSunkenWithCornersOpenAndMovesTheCaption)
{
    for (bool shift : {false, true}) {
        SCOPED_TRACE(shift);
        m_button->setPressShift(shift);
        PixelCanvas canvas(40, 20, kUntouched);
        m_button->paint(canvas, 0, 0, 40, 20, 2, u"OK", true, &m_font, true, false, false);
        expectPixels(canvas, {{5, 0, grey(85)}, {39, 5, grey(100)}, {5, 19, grey(105)}, {0, 5, grey(90)},
                              {0, 0, kUntouched}, {39, 0, kUntouched}, {0, 19, kUntouched}, {39, 19, kUntouched},
                              {5, 5, kUntouched}});
        ASSERT_EQ(canvas.texts().size(), 1u);
        const PixelCanvas::TextDraw& text = canvas.texts()[0];
        EXPECT_EQ(text.text, u"OK");
        EXPECT_EQ(text.colour, rgb(0, 0, 250));
        EXPECT_EQ(text.layoutFlags & ICanvas::kTextCentred, ICanvas::kTextCentred);
        const int32_t in = shift ? 3 : 2;
        const int32_t out = shift ? 1 : 2;
        EXPECT_EQ(std::vector<int32_t>({text.left, text.top, text.right, text.bottom}),
                  std::vector<int32_t>({in, in, 40 - out, 20 - out}));
    }
}

TEST_F(ButtonDrawer, HoverMovesTheCaptionUpAndLeftWithPressShift)
{
    m_button->setPressShift(true);
    PixelCanvas canvas(40, 20, kUntouched);
    m_button->paint(canvas, 0, 0, 40, 20, 1, u"OK", true, &m_font, true, false, false);
    EXPECT_EQ(canvas.pixel(5, 0), grey(115));  // raised
    ASSERT_EQ(canvas.texts().size(), 1u);
    EXPECT_EQ(std::vector<int32_t>({canvas.texts()[0].left, canvas.texts()[0].top, canvas.texts()[0].right,
                                    canvas.texts()[0].bottom}),
              std::vector<int32_t>({1, 1, 37, 17}));
}

TEST_F(ButtonDrawer, CheckedFillsTheFaceAndSwapsHoverAndPressed)
{
    struct Case {
        int32_t state;
        uint32_t top;
    };
    // Checked: normal stays flat, hover looks pressed, pressed looks raised.
    for (const Case& c : {Case{0, grey(105)}, Case{1, grey(85)}, Case{2, grey(115)}}) {
        SCOPED_TRACE(c.state);
        PixelCanvas canvas(40, 20, kUntouched);
        m_button->paint(canvas, 0, 0, 40, 20, c.state, u"", true, &m_font, true, true, false);
        expectPixels(canvas, {{5, 0, c.top}, {1, 1, rgb(10, 20, 30)}, {38, 18, rgb(10, 20, 30)}});
    }
    // A checked glyph takes the font's text colour instead of the border's.
    PixelCanvas glyph(40, 20, kUntouched);
    m_button->paint(glyph, 0, 0, 40, 20, 0, u"#Stop", true, &m_font, true, true, false);
    EXPECT_GT(glyph.changedCount(), 0);
    PixelCanvas reference(40, 20, kUntouched);
    m_button->drawGlyph(reference, 2, 2, 38, 18, u"#Stop", 0, 0, 250);
    for (int32_t y = 2; y < 18; ++y) {
        for (int32_t x = 2; x < 38; ++x) {
            if (reference.pixel(x, y) != kUntouched) {
                EXPECT_EQ(glyph.pixel(x, y), rgb(0, 0, 250)) << x << "," << y;
            }
        }
    }
}

TEST_F(ButtonDrawer, ColourFollowsEnabledAndChecked)
{
    m_button->setDisabledColour(grey(50));
    m_button->setCheckedColour(grey(200));
    struct Case {
        bool enabled, checked;
        uint32_t left;  // left edge: the base colour itself
    };
    for (const Case& c : {Case{true, false, grey(100)}, Case{false, false, grey(50)}, Case{false, true, grey(50)},
                          Case{true, true, grey(200)}}) {
        PixelCanvas canvas(20, 10, kUntouched);
        m_button->paint(canvas, 0, 0, 20, 10, 0, u"", true, nullptr, c.enabled, c.checked, false);
        EXPECT_EQ(canvas.pixel(0, 5), c.left) << c.enabled << c.checked;
    }
}

TEST_F(ButtonDrawer, UnframedButtonsBorderOnlyWhenOutlinedOrChecked)
{
    // Neither: no border, and the text may use the border's pixels.
    PixelCanvas bare(40, 20, kUntouched);
    m_button->paint(bare, 0, 0, 40, 20, 0, u"Go", false, &m_font, true, false, false);
    EXPECT_EQ(bare.changedCount(), 0);
    ASSERT_EQ(bare.texts().size(), 1u);
    EXPECT_EQ(bare.texts()[0].left, 1);
    EXPECT_EQ(bare.texts()[0].bottom, 19);

    // Outlined: open at the bottom; the text keeps the plain content rectangle.
    PixelCanvas outlined(40, 20, kUntouched);
    m_button->paint(outlined, 0, 0, 40, 20, 0, u"Go", false, &m_font, true, false, true);
    expectPixels(outlined, {{5, 0, grey(105)}, {39, 5, grey(90)}, {5, 19, kUntouched}, {0, 5, grey(100)}});
    EXPECT_EQ(outlined.texts()[0].left, 2);

    // Checked and outlined: face and flat border start a row lower.
    PixelCanvas checked(40, 20, kUntouched);
    m_button->paint(checked, 0, 0, 40, 20, 0, u"", false, &m_font, true, true, true);
    expectPixels(checked, {{5, 0, kUntouched}, {5, 1, grey(105)}, {5, 19, grey(85)}, {5, 5, rgb(10, 20, 30)}});
}

TEST_F(ButtonDrawer, EmptyOrInvertedRectanglePaintsNothing)
{
    PixelCanvas canvas(20, 20, kUntouched);
    m_button->paint(canvas, 10, 10, 10, 20, 0, u"#X", true, &m_font, true, true, true);
    m_button->paint(canvas, 10, 10, 5, 5, 2, u"Go", false, &m_font, true, false, false);
    EXPECT_EQ(canvas.changedCount(), 0);
    EXPECT_TRUE(canvas.texts().empty());
}

TEST(GlyphDrawer, CrossAtFiftyByFourteenIsTwoDiagonalsOfSquares)
{
    Pooled<drawer::button::win::Thin> button(drawer::button::win::Thin::take());
    PixelCanvas canvas(50, 14, kUntouched);
    // The content rectangle of a 50 x 14 button with pressShift, not hovered.
    ASSERT_TRUE(button->drawGlyph(canvas, 2, 2, 48, 12, u"#X", 17, 17, 17));
    std::vector<std::pair<int32_t, int32_t>> squares;
    for (int32_t i = 0; i < 7; ++i) {
        squares.push_back({21 + i, 3 + i});
        squares.push_back({27 - i, 3 + i});
    }
    EXPECT_EQ(changedPixels(canvas), squaresAt(squares));
    EXPECT_EQ(canvas.pixel(21, 3), grey(17));
}

TEST(GlyphDrawer, ResizerIsSixLightAndSixShadedSquares)
{
    std::vector<std::pair<int32_t, int32_t>> light{{17, 9}, {17, 13}, {13, 13}, {17, 17}, {13, 17}, {9, 17}};
    std::vector<std::pair<int32_t, int32_t>> shaded;
    for (auto [x, y] : light)
        shaded.push_back({x - 1, y - 1});
    const uint32_t shade = rgb(184, 181, 161);

    Pooled<drawer::button::win::Thin> button(drawer::button::win::Thin::take());
    PixelCanvas glyph(20, 20, kUntouched);
    ASSERT_TRUE(button->drawGlyph(glyph, 0, 0, 20, 20, u"#Resizer", 184, 181, 161));
    Pooled<drawer::statusbar::win::BasicResizer> grip(drawer::statusbar::win::BasicResizer::take());
    PixelCanvas painted(20, 20, kUntouched);
    grip->paint(painted, 0, 0, 20, 20);

    for (const PixelCanvas* canvas : {&glyph, &painted}) {
        std::set<std::pair<int32_t, int32_t>> all = squaresAt(light);
        const std::set<std::pair<int32_t, int32_t>> dark = squaresAt(shaded);
        all.insert(dark.begin(), dark.end());
        EXPECT_EQ(changedPixels(*canvas), all);
        for (auto pixel : dark)
            EXPECT_EQ(canvas->pixel(pixel.first, pixel.second), shade);
        // The white shows below and right of each shaded square.
        expectPixels(*canvas, {{18, 18, grey(255)}, {18, 10, grey(255)}, {10, 18, grey(255)}, {17, 17, shade}});
    }
}

TEST(GlyphDrawer, KnownNamesDrawAndOthersDoNot)
{
    Pooled<drawer::button::win::Thin> button(drawer::button::win::Thin::take());
    for (std::u16string_view name : {u"#_", u"#Play", u"#Down", u"#Check", u"#\u2199", u"#KeepRatio", u"#Color-zz"}) {
        PixelCanvas canvas(20, 20, kUntouched);
        EXPECT_TRUE(button->drawGlyph(canvas, 0, 0, 20, 20, name, 9, 9, 9));
        EXPECT_GT(canvas.changedCount(), 0);
    }
    PixelCanvas sample(20, 20, kUntouched);
    ASSERT_TRUE(button->drawGlyph(sample, 0, 0, 20, 20, u"#Color-ff8000", 9, 9, 9));
    EXPECT_EQ(sample.pixel(10, 10), rgb(255, 128, 0));
    for (std::u16string_view name : {u"", u"X", u"Play", u"#Nothing", u"#", u"#x"}) {
        PixelCanvas canvas(20, 20, kUntouched);
        EXPECT_FALSE(button->drawGlyph(canvas, 0, 0, 20, 20, name, 9, 9, 9));
        EXPECT_EQ(canvas.changedCount(), 0);
    }
}

TEST(GlyphDrawer, AWildRectanglePaintsNothing)
{
    Pooled<drawer::button::win::Thin> button(drawer::button::win::Thin::take());
    PixelCanvas canvas(20, 20, kUntouched);
    const int32_t far = 2000000000;
    EXPECT_TRUE(button->drawGlyph(canvas, -far, -far, far, far, u"#X", 9, 9, 9));
    EXPECT_TRUE(button->drawGlyph(canvas, 0, 0, far, far, u"#Resizer", 9, 9, 9));
    EXPECT_EQ(canvas.changedCount(), 0);
    button->paint(canvas, -far, -far, far, far, 2, u"#X", true, nullptr, true, true, true);
    button->paint(canvas, -far, 0, 10, 10, 2, u"#X", false, nullptr, true, true, true);
    EXPECT_EQ(canvas.changedCount(), 0);
}

// --- Text ---------------------------------------------------------------------------------------

TEST(TextDrawer, EffectsDrawTheirPassesUnderTheText)
{
    struct Case {
        int32_t effect;
        uint32_t textColour;
        std::vector<Pixel> passes;  // offset and colour of each draw, in order
    };
    const uint32_t ink = rgb(200, 0, 0);
    const uint32_t second = rgb(0, 200, 0);
    const uint32_t third = rgb(0, 0, 200);
    const uint32_t black = grey(0);
    const uint32_t white = grey(255);
    auto halo = [&](uint32_t colour) {
        return std::vector<Pixel>{{0, -1, colour}, {1, -1, colour}, {2, -1, colour}, {2, 0, colour},
                                  {2, 1, colour},  {1, 1, colour},  {0, 1, colour},  {0, 0, colour},
                                  {1, 0, ink}};
    };
    const Case cases[] = {
        {0, ink, {{0, 0, ink}}},
        {1, ink, halo(second)},
        {7, ink, halo(third)},
        {2, ink, {{1, 1, grey(119)}, {0, 0, ink}}},
        {2, black, {{1, 1, grey(238)}, {0, 0, black}}},
        {3, ink, {{2, 2, black}, {0, 0, white}, {1, 1, ink}}},
        {4, ink, {{0, 0, white}, {0, 2, black}, {0, 1, ink}}},
        {5, ink, {{2, 2, white}, {0, 0, black}, {1, 1, ink}}},
        {6, ink, {{0, 0, black}, {0, 2, white}, {0, 1, ink}}},
    };
    Pooled<drawer::text::win::Basic> text(drawer::text::win::Basic::take());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.effect);
        FontSetting font = fontIn(c.textColour);
        font.setSecondColour(second);
        font.setThirdColour(third);
        font.setEffect(c.effect);
        PixelCanvas canvas(100, 40, kUntouched);
        text->paint(canvas, 10, 20, 90, 35, u"Hi", font);
        ASSERT_EQ(canvas.texts().size(), c.passes.size());
        for (size_t i = 0; i < c.passes.size(); ++i) {
            const PixelCanvas::TextDraw& draw = canvas.texts()[i];
            EXPECT_EQ(draw.left - 10, c.passes[i].x) << i;
            EXPECT_EQ(draw.top - 20, c.passes[i].y) << i;
            EXPECT_EQ(draw.right - draw.left, 80) << i;
            EXPECT_EQ(draw.colour, c.passes[i].colour) << i;
        }
    }
}

TEST(TextDrawer, LayoutFollowsCentringThenTheFontsAsks)
{
    using T = ICanvas::TextLayout;
    Pooled<drawer::text::win::Basic> text(drawer::text::win::Basic::take());
    FontSetting plain;
    FontSetting wraps;
    wraps.setWordBreak(true);
    wraps.setEndEllipsis(true);
    FontSetting ellipsis;
    ellipsis.setEndEllipsis(true);
    EXPECT_EQ(text->layoutFlags(plain), T::kTextSingleLine | T::kTextNoPrefix);
    EXPECT_EQ(text->layoutFlags(wraps), T::kTextWordBreak | T::kTextNoPrefix);
    EXPECT_EQ(text->layoutFlags(ellipsis), T::kTextSingleLine | T::kTextEndEllipsis | T::kTextNoPrefix);
    text->setCentred(true);
    EXPECT_EQ(text->layoutFlags(wraps), T::kTextCentred | T::kTextSingleLine | T::kTextEndEllipsis | T::kTextNoPrefix);
}

TEST(TextDrawer, ApplyToCopiesOnlyWhatWasSet)
{
    Pooled<drawer::text::win::Basic> text(drawer::text::win::Basic::take());
    int fontHandle = 0;
    text->fontSetting(0).setTextColour(grey(1));
    text->fontSetting(0).setFont(&fontHandle);
    text->fontSetting(1).setThirdColour(grey(3));
    text->fontSetting(4).setSecondColour(grey(5));
    FontSetting first = fontIn(grey(90));
    first.setSecondColour(grey(91));
    FontSetting second = fontIn(grey(92));
    FontSetting fifth;
    text->applyTo(&first, &second, nullptr, nullptr, &fifth);
    EXPECT_EQ(first.textColour(), grey(1));
    EXPECT_EQ(first.font(), &fontHandle);
    EXPECT_EQ(first.secondColour(), grey(91));
    EXPECT_EQ(second.textColour(), grey(92));
    EXPECT_EQ(second.thirdColour(), grey(3));
    EXPECT_TRUE(second.isThirdColourSet());
    EXPECT_EQ(fifth.secondColour(), grey(5));
    EXPECT_FALSE(fifth.isTextColourSet());
}

// --- Unskinned main-window drawers -------------------------------------------------------------

TEST(GroupBoxDrawer, FrameLeavesTheTitleGapAndRoundsTheCorners)
{
    Pooled<drawer::groupbox::win::Basic> groupBox(drawer::groupbox::win::Basic::take());
    const uint32_t line = rgb(208, 208, 191);
    EXPECT_EQ(groupBox->lineColour(), line);
    PixelCanvas canvas(60, 40, kUntouched);
    groupBox->paint(canvas, 0, 0, 60, 40, u"Strength", groupBox->titleFont(), 20, 10);
    expectPixels(canvas, {{0, 0, kUntouched}, {1, 0, kUntouched}, {2, 0, line}, {6, 0, line}, {7, 0, kUntouched},
                          {30, 0, kUntouched}, {31, 0, line}, {57, 0, line}, {58, 0, kUntouched},
                          {2, 39, line}, {57, 39, line}, {1, 39, kUntouched}, {58, 39, kUntouched},
                          {0, 1, kUntouched}, {0, 2, line}, {0, 37, line}, {0, 38, kUntouched},
                          {59, 2, line}, {59, 37, line},
                          {1, 1, line}, {2, 1, line}, {57, 1, line}, {58, 1, line},
                          {1, 38, line}, {2, 38, line}, {57, 38, line}, {58, 38, line},
                          {1, 2, line}, {58, 2, line}, {1, 37, line}, {58, 37, line}, {2, 2, kUntouched}});
    ASSERT_EQ(canvas.texts().size(), 1u);
    const PixelCanvas::TextDraw& title = canvas.texts()[0];
    EXPECT_EQ(std::vector<int32_t>({title.left, title.top, title.right, title.bottom}),
              std::vector<int32_t>({9, 0, 29, 10}));
    EXPECT_EQ(title.colour, rgb(0, 70, 213));
    EXPECT_EQ(title.layoutFlags, ICanvas::kTextSingleLine | ICanvas::kTextNoPrefix);
}

TEST(StatusBarDrawer, GradientRowsAndShadedEndsOnlyBeforeVersionSix)
{
    Pooled<drawer::statusbar::win::Basic> bar(drawer::statusbar::win::Basic::take());
    EXPECT_EQ(bar->preferredHeight(), 23);
    EXPECT_FALSE(bar->hasGradient());
    EXPECT_FALSE(bar->hasGrip());
    bar->setGradient(true);
    bar->setMajorVersion(5);
    PixelCanvas canvas(40, 23, kUntouched);
    bar->paint(canvas, 0, 0, 40, 23);
    expectPixels(canvas, {
                             {20, 0, rgb(149, 147, 133)}, {20, 1, rgb(191, 189, 176)}, {20, 2, rgb(215, 212, 197)},
                             {20, 3, rgb(232, 229, 212)}, {20, 4, rgb(238, 235, 217)}, {20, 5, rgb(236, 233, 216)},
                             {20, 13, rgb(236, 233, 216)}, {20, 14, rgb(235, 232, 212)}, {20, 16, rgb(235, 232, 212)},
                             {20, 17, rgb(234, 230, 211)}, {20, 18, rgb(231, 228, 209)}, {20, 19, rgb(227, 225, 205)},
                             {20, 20, rgb(221, 219, 199)}, {20, 21, rgb(217, 214, 192)}, {20, 22, rgb(223, 220, 202)},
                             // The ends of the two top rows, from the outside in.
                             {0, 0, rgb(166, 164, 149)}, {1, 0, rgb(158, 155, 141)}, {4, 0, rgb(154, 151, 138)},
                             {5, 0, rgb(151, 149, 136)}, {6, 0, rgb(150, 147, 134)}, {7, 0, rgb(149, 147, 133)},
                             {39, 0, rgb(166, 164, 149)}, {33, 0, rgb(150, 147, 134)}, {32, 0, rgb(149, 147, 133)},
                             {0, 1, rgb(227, 228, 223)}, {1, 1, rgb(222, 223, 218)}, {2, 1, rgb(219, 220, 217)},
                             {39, 1, rgb(227, 228, 223)}, {33, 1, rgb(216, 217, 214)}, {32, 1, rgb(191, 189, 176)},
                             {0, 2, rgb(215, 212, 197)},
                         });
    EXPECT_EQ(canvas.changedCount(), 40 * 23);

    bar->setMajorVersion(6);
    PixelCanvas flat(40, 23, kUntouched);
    bar->paint(flat, 0, 0, 40, 23);
    EXPECT_EQ(flat.changedCount(), 0);

    // The grip is painted whatever the version.
    bar->setGrip(true);
    PixelCanvas grip(40, 23, kUntouched);
    bar->paint(grip, 0, 0, 40, 23);
    EXPECT_EQ(grip.changedCount(), 6 * 4 + 6 * 3);
    EXPECT_EQ(grip.pixel(37, 21), grey(255));
}

TEST(StatusBarDrawer, TinyBarsStayInsideTheirRectangle)
{
    Pooled<drawer::statusbar::win::Basic> bar(drawer::statusbar::win::Basic::take());
    bar->setGradient(true);
    bar->setMajorVersion(5);
    for (auto [w, h] : {std::pair{1, 1}, {3, 2}, {13, 4}, {40, 9}}) {
        PixelCanvas canvas(50, 30, kUntouched);
        bar->paint(canvas, 5, 5, 5 + w, 5 + h);
        EXPECT_EQ(canvas.changedCount(), w * h) << w << "x" << h;
    }
}

TEST(MenuDrawer, ActiveEntryOnTheHighlightAndTheLinkUnderlined)
{
    Pooled<drawer::menu::win::Basic> menu(drawer::menu::win::Basic::take());
    EXPECT_TRUE(menu->isHighlighting());
    EXPECT_FALSE(menu->hasPressOffset());
    menu->setHighlightColour(rgb(0, 0, 128));
    menu->highlightFont().setTextColour(grey(255));
    const std::vector<drawer::IMenu::Entry> entries{
        {u"View", 0, 0, 40, 19}, {u"Language", 40, 0, 100, 19}, {u"About", 100, 0, 140, 19}};
    const FontSetting normal = fontIn(grey(0));

    PixelCanvas canvas(200, 19, kUntouched);
    menu->paint(canvas, entries, normal, 6, 0, 1, false);
    expectPixels(canvas, {{40, 0, rgb(0, 0, 128)}, {99, 18, rgb(0, 0, 128)}, {39, 0, kUntouched},
                          {100, 0, kUntouched}});
    ASSERT_EQ(canvas.texts().size(), 3u);
    EXPECT_EQ(canvas.texts()[0].left, 6);
    EXPECT_EQ(canvas.texts()[0].colour, grey(0));
    EXPECT_EQ(canvas.texts()[1].left, 46);
    EXPECT_EQ(canvas.texts()[1].right, 94);
    EXPECT_EQ(canvas.texts()[1].colour, grey(255));
    EXPECT_EQ(canvas.texts()[1].layoutFlags,
              ICanvas::kTextSingleLine | ICanvas::kTextNoPrefix | ICanvas::kTextCentredVertically);

    // With the press offset the active text follows the left button.
    menu->setPressOffset(true);
    for (auto [down, shift] : {std::pair{true, 1}, {false, -1}}) {
        PixelCanvas pressed(200, 19, kUntouched);
        menu->paint(pressed, entries, normal, 6, 0, 1, down);
        EXPECT_EQ(pressed.texts()[1].left, 46 + shift);
        EXPECT_EQ(pressed.texts()[1].top, shift);
    }

    // The last entry as a link: never highlighted, underlined in its colour.
    menu->setLastEntryLink(true);
    PixelCanvas link(200, 19, kUntouched);
    menu->paint(link, entries, normal, 6, 0, 2, false);
    EXPECT_EQ(link.pixel(100, 0), kUntouched);
    ASSERT_EQ(link.texts().size(), 3u);
    EXPECT_EQ(link.texts()[2].colour, drawer::menu::win::Basic::kLinkColour);
    EXPECT_EQ(drawer::menu::win::Basic::kLinkColour, rgb(0, 0, 204));
    // Five characters are 30 pixels wide; the underline stops at the entry's 28 of text room.
    EXPECT_EQ(link.changedCount(), 28);
}

}  // namespace
