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
namespace s::app::win {
class AppBase;
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
    // The application context the window belongs to, where there is one.
    virtual s::app::win::AppBase* context() const { return nullptr; }

    // The window's title in the current language (product name, " v", version).
    virtual std::u16string title() const = 0;
    // Fills the options a window starts with: title, icons, the saved
    // placement (or the default size, centred), maximized and topmost.
    virtual void bindOptions(s::gui::WindowOptions& options) = 0;
    // Binds the window object to these settings and gives it its behaviour
    // settings (easy drag, topmost, middle-click action) once its native
    // window exists.
    virtual void bindWindow(s::gui::win::Window& window) = 0;

    // --- Settings the window's behaviours read and store (the window object
    // carries the behaviours out and stores each change through these) ---
    virtual bool keepOnTop() const = 0;
    virtual void setKeepOnTop(bool onTop) = 0;
    virtual bool easyDrag() const { return true; }
    virtual void setEasyDrag(bool) {}
    virtual bool middleClickCloses() const { return true; }
    // "Close", "Iconize" or "DoNothing"; stored when it differs from the
    // current action.
    virtual void setMiddleClickAction(std::u16string_view) {}
    virtual bool maximized() const { return false; }
    virtual void setMaximized(bool) {}
    // Both "X" and "Y" are stored.
    virtual bool hasPosition() const { return false; }
    // The name of the skin the window's frame is drawn with.
    virtual void setSkin(std::u16string_view) {}

    // --- Placement of the bound window ---
    // Stores position, size and maximized state where they changed.
    virtual void savePlacement(s::gui::win::Window& window) = 0;
    // Moves the window inside the virtual screen where it sticks out.
    virtual void keepInsideVirtualScreen(s::gui::win::Window& window) = 0;
    // At least 10 pixels of the window lie inside the virtual screen on each axis.
    virtual bool isOnScreen(const s::gui::win::Window&) const { return true; }
    virtual void centreOnWorkArea(s::gui::win::Window&) const {}
};

}  // namespace s::app
