#pragma once
#include <cstdint>

#include "gui/win/Control.h"
#include "thread/PooledBy.h"

namespace s::image::win {
class BufferedImage;
}

namespace s::gui::win {

// A picture shown at a size of its own: a decoded image scaled to that
// size, or a native icon drawn at it. Neither is owned: the application
// context keeps both for the life of the window.
class Picture : public Control, public s::thread::PooledBy<Picture> {
public:
    Picture() = default;
    const char16_t* className() const override { return u"s_gui_win_Picture"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    void setImage(const s::image::win::BufferedImage* image, int32_t shownWidth, int32_t shownHeight);
    // An icon handle (HICON on Windows) drawn at size x size.
    void setIcon(void* icon, int32_t size);
    const s::image::win::BufferedImage* image() const { return m_image; }
    void* icon() const { return m_icon; }
    int32_t shownWidth() const { return m_shownWidth; }
    int32_t shownHeight() const { return m_shownHeight; }

protected:
    NativeKind nativeKind() const override { return NativeKind::kImage; }
    void measure() override;

private:
    const s::image::win::BufferedImage* m_image = nullptr;  // not owned
    void* m_icon = nullptr;                                  // not owned
    int32_t m_shownWidth = 0;
    int32_t m_shownHeight = 0;
};

}  // namespace s::gui::win
