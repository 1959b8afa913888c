#include "gui/drawer/statusbar/win/Basic.h"

#include <algorithm>

#include "gui/drawer/Colour.h"
#include "gui/drawer/Extent.h"
#include "gui/drawer/ICanvas.h"
#include "platform/SystemVersion.h"

namespace s::gui::drawer::statusbar::win {

namespace {

using colour::rgb;

// Rows from the top, then rows counted back from the bottom (the last is
// row h - 1); everything between has the middle colour.
constexpr uint32_t kTopRows[] = {rgb(149, 147, 133), rgb(191, 189, 176), rgb(215, 212, 197), rgb(232, 229, 212),
                                 rgb(238, 235, 217)};
constexpr uint32_t kMiddle = rgb(236, 233, 216);
constexpr uint32_t kBottomRows[] = {rgb(235, 232, 212), rgb(235, 232, 212), rgb(235, 232, 212),
                                    rgb(234, 230, 211), rgb(231, 228, 209), rgb(227, 225, 205),
                                    rgb(221, 219, 199), rgb(217, 214, 192), rgb(223, 220, 202)};
constexpr int32_t kTopCount = 5;
constexpr int32_t kBottomCount = 9;

// The first seven pixels of the two top rows, from the outer end inwards.
constexpr uint32_t kEndsOfRow0[] = {rgb(166, 164, 149), rgb(158, 155, 141), rgb(154, 151, 138), rgb(154, 151, 138),
                                    rgb(154, 151, 138), rgb(151, 149, 136), rgb(150, 147, 134)};
constexpr uint32_t kEndsOfRow1[] = {rgb(227, 228, 223), rgb(222, 223, 218), rgb(219, 220, 217), rgb(219, 220, 217),
                                    rgb(219, 220, 217), rgb(217, 218, 215), rgb(216, 217, 214)};

}  // namespace

void Basic::reset()
{
    m_grip = false;
    m_gradient = false;
    m_majorVersion = s::platform::systemVersion().major;
}

void Basic::paint(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom)
{
    if (!hasArea(left, top, right, bottom))
        return;
    if (m_gradient && m_majorVersion < kFlatFromMajorVersion)
        paintGradient(canvas, left, top, right, bottom);
    if (m_grip)
        m_resizer.paint(canvas, left, top, right, bottom);
}

void Basic::paintGradient(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t bottom) const
{
    const int32_t w = right - left;
    const int32_t h = bottom - top;
    // Middle first: on a bar too low for all rows the fixed ones win, the top ones last.
    canvas.fillRect(left, top + kTopCount, w, h - kTopCount - kBottomCount, kMiddle);
    for (int32_t i = 0; i < kBottomCount; ++i) {
        const int32_t row = h - kBottomCount + i;
        if (row >= 0)
            canvas.fillRect(left, top + row, w, 1, kBottomRows[i]);
    }
    for (int32_t row = 0; row < std::min(kTopCount, h); ++row)
        canvas.fillRect(left, top + row, w, 1, kTopRows[row]);
    paintShadedEnds(canvas, left, top, right, h);
}

void Basic::paintShadedEnds(ICanvas& canvas, int32_t left, int32_t top, int32_t right, int32_t height) const
{
    // On a bar narrower than fourteen pixels the two ends share it half and half.
    const int32_t ends = std::min<int32_t>(7, (right - left + 1) / 2);
    for (int32_t i = 0; i < ends; ++i) {
        canvas.fillRect(left + i, top, 1, 1, kEndsOfRow0[i]);
        canvas.fillRect(right - 1 - i, top, 1, 1, kEndsOfRow0[i]);
        if (height < 2)
            continue;
        canvas.fillRect(left + i, top + 1, 1, 1, kEndsOfRow1[i]);
        canvas.fillRect(right - 1 - i, top + 1, 1, 1, kEndsOfRow1[i]);
    }
}

}  // namespace s::gui::drawer::statusbar::win
