#include "app/win/AppWindow.h"

#include "app/win/AppBase.h"
#include "app/win/Placement.h"
#include "gui/IWindowHost.h"
#include "gui/drawer/Skinner.h"
#include "gui/win/Window.h"
#include "lang/Localizer.h"
#include "map/AppSettings.h"
#include "map/IMappedData.h"
#include "thread/Pooled.h"

namespace s::app::win {

using s::gui::win::Window;
using s::platform::ScreenRect;

namespace {

bool textEqualsIgnoreCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char16_t x = a[i];
        char16_t y = b[i];
        if (x >= u'A' && x <= u'Z')
            x = static_cast<char16_t>(x - u'A' + u'a');
        if (y >= u'A' && y <= u'Z')
            y = static_cast<char16_t>(y - u'A' + u'a');
        if (x != y)
            return false;
    }
    return true;
}

Window::MiddleClickAction toWindowAction(const char16_t* word)
{
    if (word == AppWindow::kClose)
        return Window::MiddleClickAction::kClose;
    if (word == AppWindow::kIconize)
        return Window::MiddleClickAction::kIconize;
    return Window::MiddleClickAction::kDoNothing;
}

}  // namespace

AppWindow::AppWindow() { reset(); }

AppWindow::~AppWindow() = default;

void AppWindow::reset()
{
    m_context = nullptr;
    m_windowName.clear();
    m_defaultWidth = m_defaultHeight = 0;
    m_middleClickDefault = m_middleClickAction = kClose;
    m_easyDragDefault = m_keepOnTopDefault = true;
    m_maximizedDefault = false;
    m_titleWithVersion = true;
    s::thread::releaseToPool(m_skinHost);
    m_skinHost = nullptr;
    m_defaultSkin.clear();
}

void AppWindow::initialise(AppBase* context, std::u16string_view windowName, int32_t defaultWidth,
                           int32_t defaultHeight, std::u16string_view middleClickDefault)
{
    m_context = context;
    m_windowName.assign(windowName.data(), windowName.size());
    m_defaultWidth = defaultWidth;
    m_defaultHeight = defaultHeight;
    m_middleClickDefault = parseMiddleClickAction(middleClickDefault);
    m_titleWithVersion = true;
    s::map::IMappedData* settings = store();
    s::lang::Localizer* texts = localizer();
    if (settings && texts)
        s::map::AppSettings::writeIdentification(*settings, *texts, m_windowName + u"\\");
    m_middleClickAction = middleClickAction();
}

s::map::IMappedData* AppWindow::store() const { return m_context ? m_context->settingsStore() : nullptr; }

s::lang::Localizer* AppWindow::localizer() const { return m_context ? m_context->localizer() : nullptr; }

int32_t AppWindow::textBase() const { return m_context ? m_context->textBase() : AppBase::kTextBase; }

std::u16string AppWindow::keyPath(std::u16string_view sub) const
{
    std::u16string path = m_windowName;
    path += u'\\';
    path.append(sub.data(), sub.size());
    return path;
}

std::u16string AppWindow::title() const
{
    s::lang::Localizer* texts = localizer();
    if (!texts)
        return {};
    std::u16string text = texts->text(textBase());
    if (m_titleWithVersion) {
        text += u" v";
        text += texts->text(textBase() + AppBase::kVersionOffset);
    }
    return text;
}

// --- Binding -------------------------------------------------------------------------------

void AppWindow::bindOptions(s::gui::WindowOptions& options)
{
    options.title = title();
    if (m_context) {
        options.smallIcon = m_context->icon(16);
        options.largeIcon = m_context->icon(32);
    }
    // A stored size that no screen could show (or a tiny one) would open a
    // window the user cannot use; the default size is taken instead.
    options.width = usableWidth();
    options.height = usableHeight();
    options.centre = true;
    if (hasPosition()) {
        const ScreenRect stored{x(), y(), options.width, options.height};
        const s::platform::ScreenGeometry screens = s::platform::screenGeometry();
        const ScreenRect placed = Placement::isOnScreen(stored, screens.virtualScreen)
                                      ? stored
                                      : Placement::centredOnWorkArea(stored, screens.workArea);
        options.x = placed.left;
        options.y = placed.top;
        options.centre = false;
    }
    options.maximized = maximized();
    options.topmost = keepOnTop();
}

void AppWindow::bindWindow(Window& window)
{
    window.bindAppWindow(this);
    window.setTitle(title());
    if (m_skinHost)
        window.setSkinner(m_skinHost);
    window.setEasyDrag(easyDrag());
    window.setTopmost(keepOnTop());
    window.setMiddleClickAction(toWindowAction(middleClickAction()));
}

bool AppWindow::keepOnTop() const { return readFlag(kValueKeepOnTop, m_keepOnTopDefault); }

// --- Placement -----------------------------------------------------------------------------

ScreenRect AppWindow::boundsOf(const Window& window)
{
    return ScreenRect{window.x(), window.y(), window.width(), window.height()};
}

bool AppWindow::isOnScreen(const Window& window) const
{
    return Placement::isOnScreen(boundsOf(window), s::platform::screenGeometry().virtualScreen);
}

void AppWindow::centreOnWorkArea(Window& window) const
{
    const ScreenRect bounds = boundsOf(window);
    const ScreenRect centred = Placement::centredOnWorkArea(bounds, s::platform::screenGeometry().workArea);
    if (centred.left != bounds.left || centred.top != bounds.top)
        window.setPosition(centred.left, centred.top);
}

void AppWindow::keepInsideVirtualScreen(Window& window)
{
    if (window.sizeState() == Window::SizeState::kMaximized)
        return;
    const ScreenRect bounds = boundsOf(window);
    const ScreenRect inside = Placement::insideVirtualScreen(bounds, s::platform::screenGeometry().virtualScreen);
    if (inside.left != bounds.left || inside.top != bounds.top)
        window.setPosition(inside.left, inside.top);
}

void AppWindow::savePlacement(Window& window)
{
    if (!window.isVisible())
        return;
    const Window::SizeState state = window.sizeState();
    if (state == Window::SizeState::kMaximized) {
        if (!maximized())
            setMaximized(true);
        return;
    }
    // A minimized window's rectangle is the system's parking place, not the user's.
    if (state == Window::SizeState::kMinimized)
        return;
    if (maximized())
        setMaximized(false);
    const ScreenRect bounds = boundsOf(window);
    if (!hasX() || x() != bounds.left)
        setX(bounds.left);
    if (!hasY() || y() != bounds.top)
        setY(bounds.top);
    if (!hasWidth() || width() != bounds.width)
        setWidth(bounds.width);
    if (!hasHeight() || height() != bounds.height)
        setHeight(bounds.height);
}

// --- Skin --------------------------------------------------------------------------------

void AppWindow::setSkinHost(s::gui::drawer::Skinner* skinHost, std::u16string_view defaultSkin)
{
    if (skinHost != m_skinHost)
        s::thread::releaseToPool(m_skinHost);
    m_skinHost = skinHost;
    m_defaultSkin.assign(defaultSkin.data(), defaultSkin.size());
    if (m_skinHost)
        m_skinHost->selectSkin(skin());
}

std::u16string AppWindow::skin() const
{
    s::map::IMappedData* settings = store();
    if (!settings)
        return m_defaultSkin;
    const std::u16string key = hasSkinHost() ? keyPath(kSkinKey) : std::u16string(kSkinKey);
    const char16_t* stored = settings->getString(key, u"", m_defaultSkin.c_str());
    std::u16string name = stored ? std::u16string(stored) : m_defaultSkin;
    int32_t index = -1;
    if (m_skinHost && !m_skinHost->findSkin(name, index))
        return m_defaultSkin;
    return name;
}

void AppWindow::setSkin(std::u16string_view name)
{
    if (s::map::IMappedData* settings = store())
        settings->setString(hasSkinHost() ? keyPath(kSkinKey) : std::u16string(kSkinKey), u"", name);
}

// --- Sizes ---------------------------------------------------------------------------------

void AppWindow::setBounds(int32_t x, int32_t y, int32_t width, int32_t height)
{
    setX(x);
    setY(y);
    setWidth(width);
    setHeight(height);
}

void AppWindow::setSize(int32_t width, int32_t height)
{
    setWidth(width);
    setHeight(height);
}

void AppWindow::forgetBounds()
{
    s::map::IMappedData* settings = store();
    if (!settings)
        return;
    const std::u16string key = viewKey();
    for (const char16_t* name : {kValueX, kValueY, kValueWidth, kValueHeight})
        settings->deleteValue(key, name);
}

bool AppWindow::widthUsable() const
{
    const int32_t value = width();
    return value >= kMinUsableSize && value <= s::platform::screenGeometry().virtualScreen.width;
}

bool AppWindow::heightUsable() const
{
    const int32_t value = height();
    return value >= kMinUsableSize && value <= s::platform::screenGeometry().virtualScreen.height;
}

int32_t AppWindow::usableWidth() const { return widthUsable() ? width() : m_defaultWidth; }

int32_t AppWindow::usableHeight() const { return heightUsable() ? height() : m_defaultHeight; }

// --- Middle click --------------------------------------------------------------------------

const char16_t* AppWindow::parseMiddleClickAction(std::u16string_view stored)
{
    if (textEqualsIgnoreCase(stored, kIconize))
        return kIconize;
    if (textEqualsIgnoreCase(stored, kClose))
        return kClose;
    return kDoNothing;
}

const char16_t* AppWindow::storedMiddleClickAction() const
{
    s::map::IMappedData* settings = store();
    if (!settings)
        return m_middleClickDefault;
    const char16_t* stored = settings->getString(viewKey(), kValueOnMClick, m_middleClickDefault);
    return stored ? parseMiddleClickAction(stored) : m_middleClickDefault;
}

const char16_t* AppWindow::middleClickAction() const { return storedMiddleClickAction(); }

bool AppWindow::middleClickCloses() const { return middleClickAction() == kClose; }

bool AppWindow::middleClickIconizes() const { return middleClickAction() == kIconize; }

void AppWindow::setMiddleClickAction(std::u16string_view word)
{
    const char16_t* action = parseMiddleClickAction(word);
    if (action == m_middleClickAction)
        return;
    m_middleClickAction = action;
    if (s::map::IMappedData* settings = store())
        settings->setString(viewKey(), kValueOnMClick, action);
}

// --- Store access --------------------------------------------------------------------------

bool AppWindow::hasValue(const char16_t* name) const
{
    s::map::IMappedData* settings = store();
    return settings && settings->valueExists(viewKey(), name);
}

int32_t AppWindow::readInt(const char16_t* name, int32_t fallback) const
{
    s::map::IMappedData* settings = store();
    return settings ? settings->getInt32(viewKey(), name, fallback) : fallback;
}

void AppWindow::writeInt(const char16_t* name, int32_t value)
{
    if (s::map::IMappedData* settings = store())
        settings->setInt32(viewKey(), name, value);
}

bool AppWindow::readFlag(const char16_t* name, bool fallback) const
{
    s::map::IMappedData* settings = store();
    return settings ? settings->getBool(viewKey(), name, fallback) : fallback;
}

void AppWindow::writeFlag(const char16_t* name, bool flag)
{
    if (s::map::IMappedData* settings = store())
        settings->setBool(viewKey(), name, flag);
}

}  // namespace s::app::win
