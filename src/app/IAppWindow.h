#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "base/IObject.h"

namespace s::gui {
struct WindowOptions;
}
namespace s::gui::win {
class Window;
}
namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}

namespace s::app {

// The persistent identity of a top-level window: its settings name (the
// first component of every key path it uses), the store and localizer it
// reads them with, and the placement and behaviour settings of the window.
// A dialog binds its toolkit window to one.
class IAppWindow : public s::base::IObject {
public:
    virtual const std::u16string& windowName() const = 0;
    virtual s::map::IMappedData* store() const = 0;
    virtual s::lang::Localizer* localizer() const = 0;

    // The window's title in the current language (product name, " v", version).
    virtual std::u16string title() const = 0;
    // Fills the options a window starts with: title, icons, the saved
    // placement (or the default size, centred), maximized and topmost.
    virtual void bindOptions(s::gui::WindowOptions& options) = 0;
    // Gives the window object its behaviour settings (middle-click action,
    // easy drag, topmost) once its native window exists.
    virtual void bindWindow(s::gui::win::Window& window) = 0;

    virtual bool keepOnTop() const = 0;
    virtual void setKeepOnTop(s::gui::win::Window& window, bool onTop) = 0;
    // Stores position, size and maximized state where they changed.
    virtual void savePlacement(s::gui::win::Window& window) = 0;
    // Moves the window inside the virtual screen where it sticks out.
    virtual void keepInsideVirtualScreen(s::gui::win::Window& window) = 0;

    // Easy drag and the middle-click action, as the View menu switches them.
    // A settings object without these behaviours keeps them on and ignores
    // the changes.
    virtual bool easyDrag() const { return true; }
    virtual void setEasyDrag(s::gui::win::Window&, bool) {}
    virtual bool middleClickCloses() const { return true; }
    // "Close", "Iconize" or "DoNothing": the window's action and the stored one.
    virtual void setMiddleClickAction(s::gui::win::Window&, std::u16string_view) {}
};

}  // namespace s::app
