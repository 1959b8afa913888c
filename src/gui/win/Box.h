#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gui/IBox.h"
#include "gui/win/Container.h"
#include "str/strarray/StrArray.h"
#include "thread/PooledBy.h"

namespace s::gui::win {

// A plain container window that arranges its children as a row, column,
// flow or pile and paints its background. Setters of type, alignment,
// spacing and margins only record: the next pass uses them, so a window can
// change several and lay out once.
//
// It also reports what happens to its native window (EventTypes.h, box
// types): files and web addresses dropped on it, wheel turns and clicks
// that no child took, finished layout passes and its own moves.
class Box : public Container<IBox>, public s::thread::PooledBy<Box> {
public:
    // The system's button-face colour, taken when the box paints.
    static constexpr uint32_t kSystemFaceColour = 0xFF000000u;

    Box() = default;
    // The pool may delete a box without resetting it; the children go back anyway.
    ~Box() override { resetContainer(); }

    const char16_t* className() const override { return u"s_gui_win_Box"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // A box from the pool set up in one call, as windows build them: the
    // percentages that are 0 or more (relaying the parent out), alignment
    // (0 or less: left/top, 1: centre/middle, else right/bottom), and the
    // spacings and margin pairs that are above 0.
    static Box* makeBox(int32_t widthPercent, int32_t heightPercent, int32_t hAlign, int32_t vAlign,
                        int32_t hSpacing, int32_t vSpacing, int32_t marginLeftRight, int32_t marginTopBottom,
                        int32_t layoutType);

    int32_t minWidth() const override;
    int32_t minHeight() const override;

    void setHSpacing(int32_t n) { m_hSpacing = n; }
    void setVSpacing(int32_t n) { m_vSpacing = n; }
    void setMarginLeft(int32_t n);
    void setMarginRight(int32_t n);
    void setMarginTop(int32_t n);
    void setMarginBottom(int32_t n);
    void setMarginsLeftRight(int32_t n);
    void setMarginsTopBottom(int32_t n);
    void setMargins(int32_t n);
    void alignTop() { m_vAlign = kAlignTop; }
    void alignMiddle() { m_vAlign = kAlignMiddle; }
    void alignBottom() { m_vAlign = kAlignBottom; }
    void alignLeft() { m_hAlign = kAlignLeft; }
    void alignCenter() { m_hAlign = kAlignCenter; }
    void alignRight() { m_hAlign = kAlignRight; }
    int32_t layoutType() const override { return m_layoutType; }
    void setHorizontal() { m_layoutType = kLayoutRow; }
    void setVertical() { m_layoutType = kLayoutColumn; }
    void setFlow() { m_layoutType = kLayoutFlow; }
    void setPile() { m_layoutType = kLayoutPile; }
    void setMinimumWidth(int32_t n) { m_minimumWidth = n; }
    void setCollapsedWidth(bool flag) { m_collapsedWidth = flag; }
    void setCollapsedHeight(bool flag) { m_collapsedHeight = flag; }
    void setBackgroundColour(uint32_t colour) { m_backgroundColour = colour; }
    // The line the box draws around or under itself: a plain frame in a
    // colour (0x00RRGGBB), or the shaded line under a window's menu bar.
    enum class BorderStyle { kNone, kPlain, kUnderWindowMenu };
    void setBorder(BorderStyle style, uint32_t colour = 0);
    BorderStyle borderStyle() const { return m_borderStyle; }
    uint32_t borderColour() const { return m_borderColour; }

    int32_t hAlign() const { return m_hAlign; }
    int32_t vAlign() const { return m_vAlign; }
    int32_t hSpacing() const { return m_hSpacing; }
    int32_t vSpacing() const { return m_vSpacing; }
    int32_t minimumWidth() const { return m_minimumWidth; }
    bool isCollapsedWidth() const { return m_collapsedWidth; }
    bool isCollapsedHeight() const { return m_collapsedHeight; }
    uint32_t backgroundColour() const { return m_backgroundColour; }

    // --- Called by the native adapter on the window's thread ---
    // Files dropped from the shell, full paths in the shell's order (each
    // read whole, however long). Listeners read them from droppedFiles().
    void onFilesDropped(const std::vector<std::u16string>& paths);
    // A wheel turn that no child took, in lines with the turn's sign; false
    // when nobody listens and the default processing should have it.
    bool onWheel(int32_t lines);
    // Left button pressed on the box; true (handled) when someone listens.
    bool onLeftButtonDown();
    void onAddressDropped(std::u16string_view address);

    const s::str::strarray::StrArray& droppedFiles() const { return m_droppedFiles; }
    int32_t wheelLines() const { return m_wheelLines; }
    const std::u16string& droppedAddress() const { return m_droppedAddress; }

protected:
    NativeKind nativeKind() const override { return NativeKind::kBox; }
    ContentSizes arrange() override;
    int32_t parentRelayouts() const override { return m_layoutType == kLayoutFlow ? 2 : 1; }

private:
    int32_t m_layoutType = kLayoutColumn;
    int32_t m_hAlign = kAlignLeft;
    int32_t m_vAlign = kAlignTop;
    int32_t m_hSpacing = 0;
    int32_t m_vSpacing = 0;
    int32_t m_minimumWidth = kUnset;
    bool m_collapsedWidth = false;
    bool m_collapsedHeight = false;
    uint32_t m_backgroundColour = kSystemFaceColour;
    BorderStyle m_borderStyle = BorderStyle::kNone;
    uint32_t m_borderColour = 0;
    s::str::strarray::StrArray m_droppedFiles;
    int32_t m_wheelLines = 0;
    std::u16string m_droppedAddress;
};

}  // namespace s::gui::win
