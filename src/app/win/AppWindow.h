#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "app/IAppWindow.h"
#include "platform/ScreenGeometry.h"
#include "thread/PooledBy.h"

namespace s::gui::drawer {
class Skinner;
}

namespace s::app::win {

class AppBase;

// The persistent identity of a top-level window: its settings name, its
// defaults, and every setting of the window, read and written through the
// context's settings store below the key path windowName + "\View" (getters
// read with the defaults, setters store at once). Without a store the
// getters give the defaults and the setters store nothing.
class AppWindow : public s::app::IAppWindow, public s::thread::PooledBy<AppWindow> {
public:
    static constexpr const char16_t* kMainWindowName = u"MainWindow";
    static constexpr const char16_t* kViewKey = u"View";
    static constexpr const char16_t* kValueX = u"X";
    static constexpr const char16_t* kValueY = u"Y";
    static constexpr const char16_t* kValueWidth = u"Width";
    static constexpr const char16_t* kValueHeight = u"Height";
    static constexpr const char16_t* kValueMaximized = u"Maximized";
    static constexpr const char16_t* kValueKeepOnTop = u"KeepOnTop";
    static constexpr const char16_t* kValueEasyDrag = u"EasyDrag";
    static constexpr const char16_t* kValueOnMClick = u"OnMClick";
    static constexpr const char16_t* kSkinKey = u"Skin";
    // The three middle-click actions; the action is always one of these.
    static constexpr const char16_t* kClose = u"Close";
    static constexpr const char16_t* kIconize = u"Iconize";
    static constexpr const char16_t* kDoNothing = u"DoNothing";
    // A stored width or height below this is not used.
    static constexpr int32_t kMinUsableSize = 10;

    AppWindow();
    ~AppWindow() override;

    const char16_t* className() const override { return u"s_app_win_AppWindow"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // Binds this object to the context (not owned; it outlives the window
    // object) with the window's name and defaults, writes the product id
    // and version below the window's own key, and reads the middle-click
    // action.
    void initialise(AppBase* context, std::u16string_view windowName, int32_t defaultWidth, int32_t defaultHeight,
                    std::u16string_view middleClickDefault);
    // Whether the title carries " v" and the version (the main window's
    // does, the About window's not). On after initialise().
    void setTitleWithVersion(bool withVersion) { m_titleWithVersion = withVersion; }

    // --- s::app::IAppWindow ---
    const std::u16string& windowName() const override { return m_windowName; }
    s::map::IMappedData* store() const override;
    s::lang::Localizer* localizer() const override;
    std::u16string title() const override;
    void bindOptions(s::gui::WindowOptions& options) override;
    void bindWindow(s::gui::win::Window& window) override;
    bool keepOnTop() const override;
    void setKeepOnTop(bool flag) override { writeFlag(kValueKeepOnTop, flag); }
    void savePlacement(s::gui::win::Window& window) override;
    void keepInsideVirtualScreen(s::gui::win::Window& window) override;
    bool easyDrag() const override { return readFlag(kValueEasyDrag, m_easyDragDefault); }
    void setEasyDrag(bool flag) override { writeFlag(kValueEasyDrag, flag); }
    bool middleClickCloses() const override;
    // Makes the word current and stores it when it differs from the
    // current action; a word that is none of the three is "DoNothing".
    void setMiddleClickAction(std::u16string_view word) override;
    bool maximized() const override { return readFlag(kValueMaximized, m_maximizedDefault); }
    void setMaximized(bool flag) override { writeFlag(kValueMaximized, flag); }
    bool hasPosition() const override { return hasX() && hasY(); }

    // --- Placement of a bound window ---
    bool isOnScreen(const s::gui::win::Window& window) const override;
    void centreOnWorkArea(s::gui::win::Window& window) const override;

    // --- Skin (the About window's thin frame; the main window has none) ---
    // The skinner of the window (owned from now on; it lives as long as
    // this object) and the skin used while none is stored. The stored skin
    // is selected at once, before any window listens.
    void setSkinHost(s::gui::drawer::Skinner* skinHost, std::u16string_view defaultSkin);
    bool hasSkinHost() const { return m_skinHost != nullptr; }
    s::gui::drawer::Skinner* skinHost() const { return m_skinHost; }
    const std::u16string& defaultSkin() const { return m_defaultSkin; }
    // windowName + "\Skin" (empty value name) with a skin host, where a
    // name the skinner does not know gives the default skin; without one
    // the application's saved skin, "Skin" at the store's root.
    std::u16string skin() const;
    void setSkin(std::u16string_view name) override;

    // --- Settings ---
    AppBase* context() const override { return m_context; }
    // windowName + "\" + sub.
    std::u16string keyPath(std::u16string_view sub) const;
    int32_t textBase() const;
    int32_t defaultWidth() const { return m_defaultWidth; }
    int32_t defaultHeight() const { return m_defaultHeight; }

    void setBounds(int32_t x, int32_t y, int32_t width, int32_t height);
    void setSize(int32_t width, int32_t height);
    void forgetBounds();
    bool hasX() const { return hasValue(kValueX); }
    int32_t x() const { return readInt(kValueX, 0); }
    void setX(int32_t value) { writeInt(kValueX, value); }
    bool hasY() const { return hasValue(kValueY); }
    int32_t y() const { return readInt(kValueY, 0); }
    void setY(int32_t value) { writeInt(kValueY, value); }
    bool hasWidth() const { return hasValue(kValueWidth); }
    int32_t width() const { return readInt(kValueWidth, m_defaultWidth); }
    void setWidth(int32_t value) { writeInt(kValueWidth, value); }
    bool widthUsable() const;
    bool hasHeight() const { return hasValue(kValueHeight); }
    int32_t height() const { return readInt(kValueHeight, m_defaultHeight); }
    void setHeight(int32_t value) { writeInt(kValueHeight, value); }
    bool heightUsable() const;


    // The stored action compared with "Iconize" and then "Close", ignoring
    // case; anything else is "DoNothing". Always one of the three constants.
    const char16_t* middleClickAction() const;
    bool middleClickIconizes() const;
    // The action a text names, by the reading rule above.
    static const char16_t* parseMiddleClickAction(std::u16string_view stored);

private:
    std::u16string viewKey() const { return keyPath(kViewKey); }
    bool hasValue(const char16_t* name) const;
    int32_t readInt(const char16_t* name, int32_t fallback) const;
    void writeInt(const char16_t* name, int32_t value);
    bool readFlag(const char16_t* name, bool fallback) const;
    void writeFlag(const char16_t* name, bool flag);
    const char16_t* storedMiddleClickAction() const;
    // The window's outer rectangle on the screen.
    static s::platform::ScreenRect boundsOf(const s::gui::win::Window& window);
    // The stored size where it is usable, else the default.
    int32_t usableWidth() const;
    int32_t usableHeight() const;

    AppBase* m_context = nullptr;  // not owned
    std::u16string m_windowName;
    int32_t m_defaultWidth = 0;
    int32_t m_defaultHeight = 0;
    const char16_t* m_middleClickDefault = kClose;  // one of the three constants
    const char16_t* m_middleClickAction = kClose;   // one of the three constants
    bool m_easyDragDefault = true;
    bool m_keepOnTopDefault = true;
    bool m_maximizedDefault = false;
    bool m_titleWithVersion = true;
    s::gui::drawer::Skinner* m_skinHost = nullptr;  // owned (pooled)
    std::u16string m_defaultSkin;
};

}  // namespace s::app::win
