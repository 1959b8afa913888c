#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "gui/IGroupBox.h"
#include "gui/win/Container.h"
#include "str/strarray/StrArray.h"
#include "thread/PooledBy.h"

namespace s::gui::win {

class Box;

// A framed, titled container holding one content box, placed inside the
// frame's insets: 4 pixels left, right and below, and the title's height
// plus 1 above. The title's measured extent only grows while the group box
// lives, so a language change to a shorter title does not make the frame
// jump. Files dropped on the content box are reported as the group box's
// own drop, so a dialog listens to the group box.
class GroupBox : public Container<IGroupBox>, public s::thread::PooledBy<GroupBox> {
public:
    GroupBox() { reset(); }
    ~GroupBox() override { resetContainer(); }

    const char16_t* className() const override { return u"s_gui_win_GroupBox"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    int32_t minWidth() const override;
    int32_t minHeight() const override;
    int32_t titleWidth() const override { return m_titleWidth; }
    int32_t titleHeight() const override { return m_titleHeight; }

    void addChild(IComponent* child) override;
    void onEvent(s::base::IObject* source, int32_t type) override;

    void setTitle(std::u16string_view title);
    const std::u16string& title() const { return m_title; }
    // The frame's colour (0x00RRGGBB); kDefaultFrameColour until set.
    static constexpr uint32_t kDefaultFrameColour = 0x00D0D0BFu;
    void setFrameColour(uint32_t colour);
    uint32_t frameColour() const { return m_frameColour; }
    // The adapter calls this after it gave the group box another font.
    void fontChanged() { measureTitle(); }

    // The first child that is a box: the content.
    Box* contentBox() const;
    // The paths of the last drop on the content box.
    const s::str::strarray::StrArray* droppedFiles() const;

protected:
    NativeKind nativeKind() const override { return NativeKind::kGroupBox; }
    ContentSizes arrange() override;
    void onAttached() override;
    // A group box takes its percentage as a control does: truncated.
    int32_t scalePercent(int32_t parentInner, int32_t percent) const override;

private:
    void measureTitle();
    void setInsets(int32_t top);

    std::u16string m_title;
    uint32_t m_frameColour = kDefaultFrameColour;
    int32_t m_titleWidth = 0;
    int32_t m_titleHeight = 0;
};

}  // namespace s::gui::win
