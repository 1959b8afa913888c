#include "gui/dialogs/About3.h"

#include <algorithm>

#include "app/win/AppBase.h"
#include "app/win/AppWindow.h"
#include "gui/IWindowHost.h"
#include "gui/LayoutTypes.h"
#include "gui/drawer/Colour.h"
#include "gui/drawer/ISkin.h"
#include "gui/drawer/IText.h"
#include "gui/drawer/Skinner.h"
#include "gui/drawer/counter/win/Basic.h"
#include "gui/drawer/window/win/Thin.h"
#include "gui/events/EventTypes.h"
#include "gui/win/Box.h"
#include "gui/win/Controls.h"
#include "gui/win/FontSetting.h"
#include "gui/win/Picture.h"
#include "gui/win/Spacer.h"
#include "gui/win/Window.h"
#include "image/win/BufferedImage.h"
#include "lang/Localizer.h"
#include "thread/Pooled.h"

namespace s::gui::dialogs {

using s::gui::win::Box;
using s::gui::win::Button;
using s::gui::win::Label;
using s::gui::win::Window;

namespace {

constexpr int32_t kStart = 0;
constexpr int32_t kMiddle = 1;
constexpr int32_t kEnd = 2;
constexpr int32_t kBannerShownWidth = 350;  // half the picture's 700 x 230
constexpr int32_t kBannerShownHeight = 115;
constexpr int32_t kIconSize = 64;
constexpr int32_t kCloseWidth = 100;
constexpr int32_t kCloseHeight = 20;
constexpr int32_t kSmallCloseWidth = 50;
constexpr int32_t kSmallCloseHeight = 14;
constexpr int32_t kNamePoints = 11;
constexpr int32_t kHeadingPoints = 10;
// Used when the skin gives no colours (it always does in the program).
constexpr uint32_t kPlainBackground = 0x747474;
constexpr uint32_t kPlainText = 0xFFFFFF;
constexpr uint32_t kPlainLink = 0xC3EA00;

}  // namespace

About3::~About3() { releaseWindow(); }

void About3::reset()
{
    releaseWindow();
    m_mainWindow = nullptr;
    m_appWindow = nullptr;
    m_localizer = nullptr;
}

void About3::setUp(Window* mainWindow, s::app::win::AppWindow* appWindow)
{
    m_mainWindow = mainWindow;
    m_appWindow = appWindow;
    m_localizer = appWindow ? appWindow->localizer() : nullptr;
}

bool About3::isOpen() const { return m_window && m_host && !m_window->isClosed(); }

void About3::releaseWindow()
{
    // Released with the window open (the main window is going away): it
    // closes without reaching for the main window, whose thread is busy
    // releasing it.
    if (isOpen()) {
        m_mainWindow = nullptr;
        m_window->close();
    }
    // The window's thread ends with its window; the window object is ours.
    if (m_host)
        m_host->waitClosed();
    m_host.reset();
    s::thread::releaseToPool(m_window);
    m_window = nullptr;
    m_closeButton = m_smallCloseButton = nullptr;
    m_link = nullptr;
}

bool About3::show(std::unique_ptr<s::gui::IWindowHost> host)
{
    if (!m_appWindow || !host)
        return false;
    if (isOpen()) {
        m_host->runOnWindowThread([this] { m_window->activate(); });
        return true;
    }
    releaseWindow();
    s::gui::WindowOptions options;
    m_appWindow->bindOptions(options);
    options.sizingBorder = false;
    options.maximizeButton = false;
    options.minimizeButton = false;
    options.thinFrame = true;
    options.maximized = false;
    m_window = Window::take();
    m_host = std::move(host);
    // Modal: the main window waits for this one. Disabled first, here on its
    // own thread: the new window may close (and enable it) at any moment
    // once it exists.
    s::gui::win::Window* mainWindow = m_mainWindow.load();
    if (mainWindow)
        mainWindow->setEnabled(false);
    if (!m_host->start(*m_window, options, [this] { build(); })) {
        if (mainWindow)
            mainWindow->setEnabled(true);
        releaseWindow();
        return false;
    }
    return true;
}

void About3::onEvent(s::base::IObject* source, int32_t type)
{
    if (source == m_window && type == s::gui::events::kWindowClosing) {
        if (s::gui::win::Window* mainWindow = m_mainWindow.load())
            mainWindow->setEnabled(true);
    } else if (source == m_link && m_link && m_appWindow && m_appWindow->context()) {
        m_appWindow->context()->openWebPage(m_link->text().c_str());
    }
}

// --- Building, on the About window's thread ---

void About3::build()
{
    m_appWindow->bindWindow(*m_window);
    m_window->setTitle(text(kTextTitle));

    m_background = kPlainBackground;
    m_textColour = kPlainText;
    m_linkColour = kPlainLink;
    s::gui::drawer::Skinner* skinner = m_window->skinner();
    if (s::gui::drawer::ISkin* skin = skinner ? skinner->currentSkin() : nullptr) {
        if (const auto* frame = dynamic_cast<const s::gui::drawer::window::win::Thin*>(skin->window()))
            m_background = s::gui::drawer::colour::toControlColour(frame->fillColour());
        if (s::gui::drawer::IText* texts = skin->text())
            m_textColour = s::gui::drawer::colour::toControlColour(texts->fontSetting(0).textColour());
        if (const auto* counter = dynamic_cast<const s::gui::drawer::counter::win::Basic*>(skin->counter()))
            m_linkColour = s::gui::drawer::colour::toControlColour(counter->firstColour());
    }

    Box* content = Box::makeBox(100, 100, kStart, kStart, 0, 6, 10, 6, s::gui::kLayoutColumn);
    content->setBackgroundColour(m_background);
    content->addChild(buildCloseStrip());
    content->addChild(buildBanner());
    content->addChild(buildFacts());
    content->addChild(buildButtonRow());
    m_window->addChild(content);

    m_window->addCloseButton(m_closeButton);
    m_window->addCloseButton(m_smallCloseButton);
    m_window->addListener(s::gui::events::kWindowClosing, this);
    m_link->addListener(s::gui::events::kLabelClicked, this);

    sizeToContents();
    m_appWindow->keepInsideVirtualScreen(*m_window);
    m_window->setVisible(true, true);
    sizeToContents();
}

Box* About3::buildCloseStrip()
{
    Box* strip = Box::makeBox(100, -1, kEnd, kMiddle, 0, 0, 0, 0, s::gui::kLayoutRow);
    m_smallCloseButton = Button::take();
    m_smallCloseButton->setText(kSmallCloseCaption);
    m_smallCloseButton->setFixedWidth(kSmallCloseWidth);
    m_smallCloseButton->setFixedHeight(kSmallCloseHeight);
    strip->addChild(m_smallCloseButton);
    return strip;
}

Box* About3::buildBanner()
{
    Box* row = Box::makeBox(100, -1, kMiddle, kStart, 0, 0, 0, 0, s::gui::kLayoutRow);
    auto* banner = s::gui::win::Picture::take();
    s::app::win::AppBase* context = m_appWindow->context();
    banner->setImage(context ? context->picture() : nullptr, kBannerShownWidth, kBannerShownHeight);
    row->addChild(banner);
    return row;
}

Box* About3::buildFacts()
{
    Box* row = Box::makeBox(100, -1, kStart, kStart, 12, 0, 0, 0, s::gui::kLayoutRow);
    auto* icon = s::gui::win::Picture::take();
    s::app::win::AppBase* context = m_appWindow->context();
    icon->setIcon(context ? context->icon(kIconSize) : nullptr, kIconSize);
    row->addChild(icon);

    Box* texts = Box::makeBox(-1, -1, kStart, kStart, 0, 2, 0, 0, s::gui::kLayoutColumn);
    Label* name = makeLabel(productText(0));
    name->setFontStyle(kNamePoints, true, false);
    Label* heading = makeLabel(text(kTextTitle));
    heading->setFontStyle(kHeadingPoints, true, false);
    texts->addChild(name);
    texts->addChild(heading);

    // Labels in one column, values in the next, so the values line up.
    Box* table = Box::makeBox(-1, -1, kStart, kStart, 8, 0, 0, 0, s::gui::kLayoutRow);
    Box* labels = Box::makeBox(-1, -1, kStart, kStart, 0, 1, 0, 0, s::gui::kLayoutColumn);
    Box* values = Box::makeBox(-1, -1, kStart, kStart, 0, 1, 0, 0, s::gui::kLayoutColumn);
    labels->addChild(makeLabel(text(kTextVersionLabel)));
    values->addChild(makeLabel(productText(kTextVersionOffset)));
    labels->addChild(makeLabel(text(kTextUpdatedLabel)));
    values->addChild(makeLabel(productText(kTextDateOffset)));
    labels->addChild(makeLabel(text(kTextAddressLabel)));
    m_link = makeLabel(text(kTextMakerPage));
    m_link->setFontStyle(0, false, true);
    m_link->setClickable(true);
    m_link->setColours(m_linkColour, m_background, s::gui::INativeView::kDefaultColour);
    values->addChild(m_link);
    table->addChild(labels);
    table->addChild(values);
    texts->addChild(table);
    row->addChild(texts);
    return row;
}

Box* About3::buildButtonRow()
{
    Box* row = Box::makeBox(100, -1, kEnd, kMiddle, 0, 0, 0, 0, s::gui::kLayoutRow);
    m_closeButton = Button::take();
    m_closeButton->setTextId(kTextClose, m_localizer);
    m_closeButton->setFixedWidth(kCloseWidth);
    m_closeButton->setFixedHeight(kCloseHeight);
    row->addChild(m_closeButton);
    return row;
}

Label* About3::makeLabel(std::u16string_view value)
{
    Label* label = Label::take();
    label->setText(value);
    label->setColours(m_textColour, m_background, s::gui::INativeView::kDefaultColour);
    return label;
}

// The size its contents need, whatever size is stored; the place stays.
void About3::sizeToContents()
{
    // A new size lays the window out (its size message does); the same size
    // needs no pass.
    const int32_t width = m_window->minWidth();
    const int32_t height = m_window->minHeight();
    if (width != m_window->width() || height != m_window->height())
        m_window->setSize(width, height);
}

std::u16string About3::text(int32_t textId) const
{
    return m_localizer ? std::u16string(m_localizer->text(textId)) : std::u16string();
}

std::u16string About3::productText(int32_t offset) const
{
    s::app::win::AppBase* context = m_appWindow ? m_appWindow->context() : nullptr;
    return context ? context->productText(offset) : text(s::app::win::AppBase::kTextBase + offset);
}

}  // namespace s::gui::dialogs
