#pragma once
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "base/IObject.h"
#include "gui/events/IEventListener.h"
#include "thread/PooledBy.h"

namespace s::app::win {
class AppWindow;
}
namespace s::gui {
class IWindowHost;
}
namespace s::gui::win {
class Box;
class Button;
class Label;
class Window;
}  // namespace s::gui::win
namespace s::lang {
class Localizer;
}

namespace s::gui::dialogs {

// The About window: the banner, the icon, the product's name, version,
// date and address, and two close buttons, in the thin frame of its skin.
// It runs on a user-interface thread of its own and is modal to the main
// window, which takes no input until it closes. Built anew at each show;
// its settings object keeps its place between shows.
class About3 : public s::gui::events::IEventListener,
               public s::base::IObject,
               public s::thread::PooledBy<About3> {
public:
    static constexpr int32_t kTextTitle = 400100;
    static constexpr int32_t kTextVersionLabel = 400010;
    static constexpr int32_t kTextUpdatedLabel = 400020;
    static constexpr int32_t kTextAddressLabel = 400080;
    static constexpr int32_t kTextClose = 400120;
    static constexpr int32_t kTextMakerPage = 101000;
    static constexpr int32_t kTextVersionOffset = 10;
    static constexpr int32_t kTextDateOffset = 20;
    static constexpr const char16_t* kSmallCloseCaption = u"#X";

    About3() = default;
    ~About3() override;

    const char16_t* className() const override { return u"s_gui_dialogs_About3"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // The main window (disabled while the About window is open) and the
    // About window's settings object; neither is owned.
    void setUp(s::gui::win::Window* mainWindow, s::app::win::AppWindow* appWindow);
    // Releases the window of the last show, then opens a new one on the
    // host's thread and disables the main window. False when no window
    // could be made (the main window stays enabled). While one is open, it
    // is only brought forward.
    bool show(std::unique_ptr<s::gui::IWindowHost> host);
    bool isOpen() const;

    // The window closing enables the main window again; the address link
    // opens its page.
    void onEvent(s::base::IObject* source, int32_t type) override;

    s::gui::win::Window* window() const { return m_window; }
    s::gui::win::Button* closeButton() const { return m_closeButton; }
    s::gui::win::Button* smallCloseButton() const { return m_smallCloseButton; }
    s::gui::win::Label* link() const { return m_link; }

private:
    // On the About window's thread.
    void build();
    s::gui::win::Box* buildCloseStrip();
    s::gui::win::Box* buildBanner();
    s::gui::win::Box* buildFacts();
    s::gui::win::Box* buildButtonRow();
    s::gui::win::Label* makeLabel(std::u16string_view text);
    void sizeToContents();
    void releaseWindow();
    std::u16string text(int32_t textId) const;
    std::u16string productText(int32_t offset) const;

    // Not owned. Read on the About window's thread when it closes.
    std::atomic<s::gui::win::Window*> m_mainWindow{nullptr};
    s::app::win::AppWindow* m_appWindow = nullptr;   // not owned
    s::lang::Localizer* m_localizer = nullptr;       // not owned
    s::gui::win::Window* m_window = nullptr;         // owned (pooled)
    std::unique_ptr<s::gui::IWindowHost> m_host;     // the window's thread
    s::gui::win::Button* m_closeButton = nullptr;    // owned through the window
    s::gui::win::Button* m_smallCloseButton = nullptr;
    s::gui::win::Label* m_link = nullptr;
    uint32_t m_background = 0;  // 0x00RRGGBB of the skin's fill
    uint32_t m_textColour = 0;
    uint32_t m_linkColour = 0;
};

}  // namespace s::gui::dialogs
