#include "gui/dialogs/dragndrop/Dialog.h"

#include <algorithm>
#include <chrono>

#include "app/IAppWindow.h"
#include "app/win/AppWindow.h"
#include "archive/CallBack.h"
#include "gui/INativeWindow.h"
#include "gui/IWindowHost.h"
#include "gui/LayoutTypes.h"
#include "gui/dialogs/About3.h"
#include "gui/drawer/SkinFamilies.h"
#include "gui/drawer/Skinner.h"
#include "gui/events/EventTypes.h"
#include "gui/win/Box.h"
#include "gui/win/Controls.h"
#include "gui/menuitem/MenuItem.h"
#include "gui/win/GroupBox.h"
#include "gui/win/MenuEx.h"
#include "gui/win/PopupMenu.h"
#include "gui/win/Spacer.h"
#include "gui/win/StatusBar.h"
#include "gui/win/Window.h"
#include "lang/LangPack.h"
#include "lang/Localizer.h"
#include "map/AppSettings.h"
#include "map/IMappedData.h"
#include "platform/UserMessage.h"
#include "platform/WebPage.h"
#include "str/strarray/StrArray.h"
#include "str/strbuffer/StrBuffer.h"
#include "thread/ObjLocker.h"
#include "thread/Pooled.h"
#include "thread/win/Thread.h"

namespace s::gui::dialogs::dragndrop {

using s::gui::kUnset;
using s::gui::win::Box;
using s::gui::win::Button;
using s::gui::win::CheckBox;
using s::gui::win::ComboBox;
using s::gui::win::GroupBox;
using s::gui::win::Label;
using s::gui::win::MenuEx;
using s::gui::win::PopupMenu;
using s::gui::menuitem::MenuItem;
using s::gui::win::ProgressBar;
using s::gui::win::Spacer;
using s::gui::win::StatusBar;
using s::gui::win::Window;
namespace events = s::gui::events;

namespace {

constexpr char16_t kViewKey[] = u"View";
constexpr char16_t kAboutWindowName[] = u"AboutWindow";
constexpr int32_t kAboutWidth = 340;
constexpr int32_t kAboutHeight = 285;
constexpr char16_t kAboutSkin[] = u"Classic LG";
constexpr char16_t kValueCompactView[] = u"CompactView";
constexpr char16_t kValueSmallWidth[] = u"SmallWidth";
constexpr char16_t kValueSmallHeight[] = u"SmallHeight";
constexpr char16_t kValueLargeWidth[] = u"LargeWidth";
constexpr char16_t kValueLargeHeight[] = u"LargeHeight";
constexpr char16_t kValueConvertTo[] = u"ConvertTo";
constexpr char16_t kValueRightClickTransform[] = u"RightClickTransform";

constexpr char16_t kStatusStart[] = u"ProcessStatusStart";
constexpr char16_t kStatusUpdate[] = u"ProcessStatusUpdate";
constexpr char16_t kStatusEnd[] = u"ProcessStatusEnd";

constexpr uint32_t kDefaultColour = s::gui::INativeView::kDefaultColour;
constexpr uint32_t kDropTextColour = 0x777777;    // (119, 119, 119)
constexpr int32_t kSizeGripRoom = 14;
constexpr uint32_t kFrameColour = 0x919B9C;       // (145, 155, 156): drop box and strength panel
constexpr uint32_t kMakerTextColour = 0x333333;   // (51, 51, 51)
constexpr uint32_t kPanelBackground = 0xFFFFFF;

constexpr int32_t kMenuLineHeight = 7;
constexpr int32_t kStatusGap = 3;
// More than the window's depth of nested boxes.
constexpr int32_t kMaxSettlingPasses = 8;
constexpr int32_t kAdvancedLeftMinimum = 125;
constexpr int32_t kAdvancedGapAboveKeepOnTop = 5;
constexpr int32_t kAdvancedGapBelowKeepOnTop = 9;

// Alignment arguments of Box::makeBox.
constexpr int32_t kStart = 0;
constexpr int32_t kMiddle = 1;
constexpr int32_t kEnd = 2;

int64_t nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

Spacer* makeVerticalSpacer(int32_t height)
{
    Spacer* spacer = Spacer::take();
    spacer->setVerticalOrientation();
    spacer->setFixedHeight(height);
    return spacer;
}

}  // namespace

Dialog::Dialog() : m_workerThread(std::make_unique<s::thread::win::Thread>())
{
    m_workerThread->setPriority(-1);
    m_messageShower = &s::platform::showInformation;
}

// The concrete dialog has reset already, so the worker is idle.
Dialog::~Dialog() = default;

void Dialog::resetDialog()
{
    // The run stops after its current file; its status events find the
    // window closed, so the flags are cleared here.
    setCancelRequested(true);
    m_workerThread->waitIdle();
    setCancelRequested(false);
    {
        s::thread::Lock lock(listLock());
        fileList().clear();
        m_busy = 0;
    }
    if (m_followedLocalizer)
        m_followedLocalizer->removeListener(&m_languageFollower);
    m_followedLocalizer = nullptr;
    // The About window first: it is modal to the main window and may be open.
    s::thread::releaseToPool(m_about);
    m_about = nullptr;
    s::thread::releaseToPool(m_aboutAppWindow);
    m_aboutAppWindow = nullptr;
    if (m_window)
        m_window->release();  // its tree goes back to the pools with it
    m_window = nullptr;
    m_menuBar = nullptr;
    m_viewMenu = m_languageMenu = m_aboutMenu = nullptr;
    m_mainArea = m_leftColumn = m_rightColumn = nullptr;
    m_spacerAboveKeepOnTop = m_spacerBelowKeepOnTop = nullptr;
    m_keepOnTopBox = nullptr;
    m_dropBox = nullptr;
    m_dropBoxContent = m_dropBoxTopGap = nullptr;
    m_dropHint = m_dropFormats = nullptr;
    m_modeCombo = nullptr;
    m_optionsPanel = nullptr;
    m_viewToggleButton = nullptr;
    m_statusBar = nullptr;
    m_statusLabel = m_statusLabel2 = m_makerLabel = nullptr;
    m_makerSection = m_progressRow = nullptr;
    m_progressBar = nullptr;
    m_progressReporter.reset();
    m_appWindow = nullptr;
    m_store = nullptr;
    m_localizer = nullptr;
    m_compactView = true;
    m_rightClickTransform = true;
    m_runStart = 0;
    m_lastIndex = 0;
    m_messageShower = &s::platform::showInformation;
}

void Dialog::setUp(s::app::IAppWindow* appWindow)
{
    m_appWindow = appWindow;
    m_store = appWindow ? appWindow->store() : nullptr;
    m_localizer = appWindow ? appWindow->localizer() : nullptr;
    m_workerThread->setPriority(workerPriority());
}

std::u16string Dialog::keyPath(std::u16string_view sub) const
{
    std::u16string path = m_appWindow ? m_appWindow->windowName() : std::u16string();
    path += u'\\';
    path.append(sub.data(), sub.size());
    return path;
}

const char16_t* Dialog::text(int32_t textId) const
{
    return m_localizer ? m_localizer->text(textId) : u"";
}

bool Dialog::isBusy()
{
    s::thread::Lock lock(listLock());
    return m_busy != 0;
}

// --- Building ---

void Dialog::buildAndRun(s::gui::IWindowHost& host)
{
    if (!m_appWindow || !m_store || m_window)
        return;
    s::gui::WindowOptions options;
    m_appWindow->bindOptions(options);
    options.sizingBorder = true;
    options.maximizeButton = false;
    m_window = Window::take();
    if (!host.start(*m_window, options, [this] { buildWindow(); }))
        return;  // no window: the reset gives the object back
    host.waitClosed();
}

void Dialog::buildWindow()
{
    m_appWindow->bindWindow(*m_window);
    m_rightClickTransform = m_store->getBool(keyPath(kViewKey), kValueRightClickTransform, true);

    // Each part is built whole before it joins the window, which attaches
    // and lays it out in one go.
    m_window->addChild(buildMenuStrip());
    Box* menuLine = Box::makeBox(100, -1, kStart, kStart, 0, 0, 0, 0, s::gui::kLayoutColumn);
    menuLine->setFixedHeight(kMenuLineHeight, false);
    menuLine->setBorder(Box::BorderStyle::kUnderWindowMenu);
    m_window->addChild(menuLine);
    m_window->addChild(buildMainArea());
    m_window->addChild(makeVerticalSpacer(kStatusGap));
    m_window->addChild(buildStatusBar());

    listenToControls();
    if (m_localizer) {
        m_localizer->addListener(&m_languageFollower);
        m_followedLocalizer = m_localizer;
    }
    selectStoredMode();
    switchView(m_store->getBool(keyPath(kViewKey), kValueCompactView, compactByDefault()), false);
    layOutWindow();
    enlargeToMinimumSize();
    m_appWindow->keepInsideVirtualScreen(*m_window);
    m_window->setVisible(true, true);
}

MenuEx* Dialog::buildMenuStrip()
{
    m_menuBar = MenuEx::take();
    m_menuBar->setWidthPercent(100);
    m_menuBar->setFixedHeight(kMenuBarHeight);
    m_viewMenu = buildViewMenu();
    m_languageMenu = buildLanguageMenu();
    m_aboutMenu = buildAboutMenu();
    m_menuBar->appendMenu(m_viewMenu);
    m_menuBar->appendMenu(m_languageMenu);
    m_menuBar->appendMenu(m_aboutMenu);
    return m_menuBar;
}

PopupMenu* Dialog::buildViewMenu()
{
    PopupMenu* menu = PopupMenu::fromTextId(kTextViewMenu, m_localizer);
    menu->append(MenuItem::fromTextId(kTextKeepOnTopItem, m_localizer, kCommandKeepOnTop, m_appWindow->keepOnTop()));
    if (offersViewToggle()) {
        menu->append(MenuItem::fromTextId(kTextRightClickTransform, m_localizer, kCommandRightClickTransform,
                                          m_rightClickTransform));
    }
    menu->append(MenuItem::fromTextId(kTextEasyDrag, m_localizer, kCommandEasyDrag, m_appWindow->easyDrag()));
    menu->append(MenuItem::fromTextId(kTextCloseByWheelClick, m_localizer, kCommandCloseByWheelClick,
                                      m_appWindow->middleClickCloses()));
    return menu;
}

PopupMenu* Dialog::buildLanguageMenu()
{
    PopupMenu* menu = PopupMenu::fromTextId(kTextLanguageMenu, m_localizer);
    menu->append(MenuItem::fromTextId(kTextTranslate, m_localizer, kCommandTranslate, false));
    menu->append(MenuItem::separator());
    // A language's name is written in that language, whatever the current one.
    const int32_t count = m_localizer ? m_localizer->languageCount() : 0;
    for (int32_t i = 0; i < count && kCommandFirstLanguage + i <= kCommandLastLanguage; ++i)
        menu->append(MenuItem::fromText(m_localizer->languageAt(i)->trueName().view(), kCommandFirstLanguage + i));
    // Without a current language the bullet sits on the separator, where it shows nothing.
    const int32_t current = m_localizer && m_localizer->currentLanguage()
                                ? m_localizer->indexOf(m_localizer->currentLanguage())
                                : -1;
    menu->setRadioAt(current >= 0 ? kCommandFirstLanguage + current : 1);
    return menu;
}

PopupMenu* Dialog::buildAboutMenu()
{
    PopupMenu* menu = PopupMenu::fromTextId(kTextAboutMenu, m_localizer);
    menu->append(MenuItem::fromTextId(kTextVersionInformation, m_localizer, kCommandVersionInformation, false));
    menu->append(MenuItem::separator());
    menu->append(MenuItem::fromTextId(kTextSoftwarePage, m_localizer, kCommandSoftwarePage, false));
    menu->append(MenuItem::fromTextId(kTextTellDevelopers, m_localizer, kCommandTellDevelopers, false));
    menu->append(MenuItem::separator());
    menu->append(MenuItem::fromTextId(kTextMoreSoftware, m_localizer, kCommandMoreSoftware, false));
    return menu;
}

Box* Dialog::buildMainArea()
{
    m_mainArea = Box::makeBox(100, 100, kStart, kStart, 10, 7, 8, 0, s::gui::kLayoutColumn);
    m_mainArea->addChild(buildLeftColumn());
    m_mainArea->addChild(buildRightColumn());
    return m_mainArea;
}

Box* Dialog::buildLeftColumn()
{
    m_leftColumn = Box::makeBox(100, 100, kEnd, kStart, 0, 0, 0, 0, s::gui::kLayoutColumn);
    Box* keepOnTopColumn = Box::makeBox(-1, -1, kStart, kStart, 0, 0, 0, 0, s::gui::kLayoutColumn);
    m_spacerAboveKeepOnTop = makeVerticalSpacer(0);
    m_spacerBelowKeepOnTop = makeVerticalSpacer(0);
    m_keepOnTopBox = CheckBox::take();
    m_keepOnTopBox->setTextId(kTextKeepOnTop, m_localizer);
    m_keepOnTopBox->setChecked(m_appWindow->keepOnTop());
    keepOnTopColumn->addChild(m_spacerAboveKeepOnTop);
    keepOnTopColumn->addChild(m_keepOnTopBox);
    keepOnTopColumn->addChild(m_spacerBelowKeepOnTop);
    m_leftColumn->addChild(keepOnTopColumn);
    m_leftColumn->addChild(buildDropBox());
    return m_leftColumn;
}

GroupBox* Dialog::buildDropBox()
{
    m_dropBox = GroupBox::take();
    m_dropBox->setWidthPercent(100, false);
    m_dropBox->setHeightPercent(100, false);
    m_dropBox->setTitle(text(kTextDropBox));
    m_dropBox->setFrameColour(kFrameColour);
    m_dropBoxContent = Box::makeBox(100, 100, kMiddle, kMiddle, 0, 0, 10, 0, s::gui::kLayoutColumn);
    m_dropBoxTopGap = Box::makeBox(100, -1, kStart, kStart, 0, 0, 0, 0, s::gui::kLayoutColumn);
    m_dropBoxTopGap->addChild(Label::take());
    m_dropHint = makeDropBoxLabel(kTextDropHint);
    m_dropFormats = makeDropBoxLabel(kTextDropFormats);
    m_dropBoxContent->addChild(m_dropBoxTopGap);
    m_dropBoxContent->addChild(m_dropHint);
    m_dropBoxContent->addChild(Label::take());
    m_dropBoxContent->addChild(m_dropFormats);
    m_dropBoxContent->addChild(Label::take());
    m_dropBox->addChild(m_dropBoxContent);
    return m_dropBox;
}

Label* Dialog::makeDropBoxLabel(int32_t textId)
{
    Label* label = Label::take();
    label->setTextId(textId, m_localizer);
    label->setColours(kDropTextColour, kDefaultColour, kDefaultColour);
    return label;
}

Box* Dialog::buildRightColumn()
{
    m_rightColumn = Box::makeBox(100, -1, kStart, kMiddle, 0, 4, 0, 0, s::gui::kLayoutColumn);

    // The row is as wide as the column so that the combo box, at 100
    // percent, takes what the label leaves.
    Box* modeRow = Box::makeBox(100, -1, kStart, kMiddle, 0, 0, 0, 0, s::gui::kLayoutRow);
    Label* convertTo = Label::take();
    convertTo->setTextId(kTextConvertTo, m_localizer);
    m_modeCombo = buildModeItems();
    modeRow->addChild(convertTo);
    modeRow->addChild(m_modeCombo);

    m_optionsPanel = buildOptionsPanel();
    m_optionsPanel->setBackgroundColour(kPanelBackground);
    m_optionsPanel->setBorder(Box::BorderStyle::kPlain, kFrameColour);

    Box* buttonRow = Box::makeBox(100, -1, kStart, kMiddle, 0, 0, 0, 0, s::gui::kLayoutRow);
    m_viewToggleButton = Button::take();
    m_viewToggleButton->setWidthPercent(100);
    m_viewToggleButton->setTextId(kTextAdvancedOptions, m_localizer);
    buttonRow->addChild(m_viewToggleButton);

    m_rightColumn->addChild(modeRow);
    m_rightColumn->addChild(m_optionsPanel);
    m_rightColumn->addChild(buttonRow);
    return m_rightColumn;
}

StatusBar* Dialog::buildStatusBar()
{
    // The status bar piles its children, so its three sections share one
    // row: the status texts take the room, the maker's name or the progress
    // bar sits at the end.
    m_statusBar = StatusBar::take();
    m_statusBar->setWidthPercent(100, false);
    Box* sections = Box::makeBox(100, 100, kStart, kMiddle, 0, 0, 0, 0, s::gui::kLayoutRow);
    // The size grip sits in the bar's bottom-right corner, above the sections.
    sections->setMarginRight(kSizeGripRoom);

    Box* statusSection = Box::makeBox(100, 100, kStart, kMiddle, 0, 0, 2, 0, s::gui::kLayoutRow);
    m_statusLabel = Label::take();
    m_statusLabel->setTextId(kTextReady, m_localizer);
    m_statusLabel2 = Label::take();
    statusSection->addChild(m_statusLabel);
    statusSection->addChild(m_statusLabel2);

    m_makerSection = Box::makeBox(-1, 100, kStart, kMiddle, 0, 0, 3, 0, s::gui::kLayoutRow);
    m_makerLabel = Label::take();
    m_makerLabel->setText(kMakerName);
    m_makerLabel->setClickable(true);
    m_makerLabel->setColours(kMakerTextColour, kDefaultColour, kDefaultColour);
    m_makerSection->addChild(m_makerLabel);

    m_progressRow = Box::makeBox(-1, 100, kStart, kMiddle, 0, 0, 2, 0, s::gui::kLayoutRow);
    m_progressBar = ProgressBar::take();
    m_progressRow->addChild(m_progressBar);
    m_progressRow->setFixedWidth(0, false);  // collapsed while no run is under way

    sections->addChild(statusSection);
    sections->addChild(m_makerSection);
    sections->addChild(m_progressRow);
    m_statusBar->addChild(sections);
    m_progressReporter.attach(m_statusLabel, m_progressBar);
    return m_statusBar;
}

void Dialog::listenToControls()
{
    attachListeners();
    m_makerLabel->addListener(events::kLabelClicked, this);
    m_menuBar->addListener(events::kMenuCommand, this);
    m_window->addListener(events::kWindowClosing, this);
    m_window->addListener(events::kWindowRightButtonDown, this);
    m_window->addListener(events::kWindowUserEvent, this);
    m_viewToggleButton->addListener(events::kButtonClicked, this);
    m_modeCombo->addListener(events::kComboSelectionChanged, this);
    m_keepOnTopBox->addListener(events::kCheckBoxClicked, this);
    m_dropBox->addListener(events::kBoxFilesDropped, this);
}

void Dialog::selectStoredMode()
{
    // The store keeps the item's text in the language of that day; a text
    // of another language matches nothing and the first item is taken.
    const std::u16string stored = m_store->getString(keyPath(kViewKey), kValueConvertTo, u"");
    int32_t chosen = 0;
    for (int32_t i = 0; i < m_modeCombo->itemCount(); ++i) {
        if (s::str::strbuffer::StrBuffer::equalsIgnoreCase(m_modeCombo->itemText(i), stored)) {
            chosen = i;
            break;
        }
    }
    m_modeCombo->select(chosen, true);
}

ComboBox* Dialog::buildModeItems()
{
    ComboBox* combo = ComboBox::take();
    combo->setWidthPercent(100);
    return combo;
}

Box* Dialog::buildOptionsPanel()
{
    return Box::makeBox(100, -1, kStart, kStart, 0, 0, 0, 0, s::gui::kLayoutPile);
}

void Dialog::layOutWindow()
{
    // A row measures its children before it sizes them, so a box whose
    // content changed reports its new needs only from the second pass on.
    m_window->doLayout();
    m_window->doLayout();
}

void Dialog::settleMinimumSize()
{
    // A change deep in the tree (a view's collapsed panel) reaches the
    // window's minimum one layout pass per level of boxes.
    for (int32_t pass = 0; pass < kMaxSettlingPasses; ++pass) {
        const int32_t minWidth = m_window->minWidth();
        const int32_t minHeight = m_window->minHeight();
        m_window->doLayout();
        if (m_window->minWidth() == minWidth && m_window->minHeight() == minHeight)
            break;
    }
}

void Dialog::enlargeToMinimumSize()
{
    const int32_t width = std::max(m_window->width(), m_window->minWidth());
    const int32_t height = std::max(m_window->height(), m_window->minHeight());
    if (width != m_window->width() || height != m_window->height()) {
        m_window->setSize(width, height);
        layOutWindow();
    }
}

// --- Events ---

void Dialog::onEvent(s::base::IObject* source, int32_t type)
{
    if (onValueChanged(source) || !m_window)
        return;
    if (source == m_window && type == events::kWindowClosing)
        onWindowClosing();
    else if (source == m_keepOnTopBox)
        onKeepOnTopChanged();
    else if (source == m_window && type == events::kWindowRightButtonDown) {
        if (m_rightClickTransform && offersViewToggle())
            toggleView();
    } else if (source == m_makerLabel)
        s::platform::openWebPage(text(kTextMakerPage));
    else if (source == m_viewToggleButton) {
        if (offersViewToggle())
            toggleView();
    } else if (source == m_modeCombo)
        onModeChanged();
    else if (source == m_dropBox && type == events::kBoxFilesDropped) {
        if (const s::str::strarray::StrArray* paths = m_dropBox->droppedFiles())
            startRun(*paths);
    } else if (source == m_window && type == events::kWindowUserEvent)
        onStatus();
    else if (source == m_menuBar && type == events::kMenuCommand)
        onMenuCommand(m_menuBar->lastCommand());
}

void Dialog::onWindowClosing()
{
    // The window hides itself next, which stores its placement.
    storeWindowSize();
    requestCancel();
}

void Dialog::onKeepOnTopChanged()
{
    // The View menu's tick stays as it is: the two are set apart.
    m_window->setTopmost(m_keepOnTopBox->isChecked());
}

void Dialog::onModeChanged()
{
    const int32_t index = m_modeCombo->selectedIndex();
    if (index < 0 || index >= m_modeCombo->itemCount())
        return;
    showOptionsPage(index);
    layOutWindow();
    m_store->setString(keyPath(kViewKey), kValueConvertTo, m_modeCombo->itemText(index));
}

// --- Menu commands ---

void Dialog::onMenuCommand(int32_t command)
{
    if (!m_window || !m_menuBar)
        return;
    if (command >= kCommandFirstLanguage && command <= kCommandLastLanguage) {
        selectLanguageAt(command - kCommandFirstLanguage);
        return;
    }
    switch (command) {
    case kCommandTranslate:
        openPage(kTextTranslatorsPage);
        break;
    case kCommandKeepOnTop:
        toggleKeepOnTop();
        break;
    case kCommandRightClickTransform:
        toggleRightClickTransform();
        break;
    case kCommandEasyDrag:
        toggleEasyDrag();
        break;
    case kCommandCloseByWheelClick:
        toggleCloseByWheelClick();
        break;
    case kCommandVersionInformation:
        showAbout();
        break;
    case kCommandSoftwarePage:
        openPage(kTextProductPage);
        break;
    case kCommandTellDevelopers:
        openPage(kTextFeedbackPage);
        break;
    case kCommandMoreSoftware:
        openPage(kTextOtherProducts);
        break;
    default:
        break;
    }
}

void Dialog::toggleKeepOnTop()
{
    const bool onTop = !m_menuBar->isChecked(kCommandKeepOnTop);
    m_keepOnTopBox->setChecked(onTop);
    m_menuBar->setChecked(kCommandKeepOnTop, onTop);
    m_window->setTopmost(onTop);
}

void Dialog::toggleRightClickTransform()
{
    if (!offersViewToggle())
        return;
    m_rightClickTransform = !m_menuBar->isChecked(kCommandRightClickTransform);
    m_menuBar->setChecked(kCommandRightClickTransform, m_rightClickTransform);
    m_store->setBool(keyPath(kViewKey), kValueRightClickTransform, m_rightClickTransform);
}

void Dialog::toggleEasyDrag()
{
    const bool easyDrag = !m_menuBar->isChecked(kCommandEasyDrag);
    m_window->setEasyDrag(easyDrag);
    m_menuBar->setChecked(kCommandEasyDrag, easyDrag);
}

void Dialog::toggleCloseByWheelClick()
{
    // Only "Close" and "DoNothing" are offered; an "Iconize" found in the
    // store shows unticked and becomes "Close".
    const bool wasTicked = m_menuBar->isChecked(kCommandCloseByWheelClick);
    m_menuBar->setChecked(kCommandCloseByWheelClick, !wasTicked);
    m_window->setMiddleClickAction(wasTicked ? Window::MiddleClickAction::kDoNothing
                                             : Window::MiddleClickAction::kClose);
}

void Dialog::showAbout()
{
    s::app::win::AppBase* context = m_appWindow ? m_appWindow->context() : nullptr;
    if (!context || !m_window)
        return;
    if (!m_about) {
        m_aboutAppWindow = s::app::win::AppWindow::take();
        m_aboutAppWindow->initialise(context, kAboutWindowName, kAboutWidth, kAboutHeight,
                                     s::app::win::AppWindow::kClose);
        m_aboutAppWindow->setTitleWithVersion(false);
        s::gui::drawer::Skinner* skinner = s::gui::drawer::Skinner::take();
        skinner->setFamilyName(s::gui::drawer::SkinFamilies::kThinWindow);
        skinner->fillFamily();
        m_aboutAppWindow->setSkinHost(skinner, kAboutSkin);
        m_about = s::gui::dialogs::About3::take();
        m_about->setUp(m_window, m_aboutAppWindow);
    }
    m_about->show(m_windowHostMaker ? m_windowHostMaker() : s::gui::makeWindowHost());
}

void Dialog::openPage(int32_t textId)
{
    // The shell's failure to open a page is not the user's concern here.
    s::platform::openWebPage(text(textId));
}

void Dialog::selectLanguageAt(int32_t index)
{
    if (!m_localizer || index < 0 || index >= m_localizer->languageCount())
        return;
    // The localizer tells every follower, this dialog too (followLanguage).
    if (!m_localizer->selectLanguageAt(index))
        return;
    if (m_languageMenu)
        m_languageMenu->setRadioAt(kCommandFirstLanguage + index);
}

void Dialog::showOptionsPage(int32_t index)
{
    // Hide first: the page shown last lays the panel out without the others.
    for (int32_t i = 0; i < m_optionsPanel->childCount(); ++i) {
        if (i != index)
            m_optionsPanel->child(i)->setVisible(false, true);
    }
    if (s::gui::IComponent* page = m_optionsPanel->child(index))
        page->setVisible(true, true);
}

// --- Language ---

void Dialog::followLanguage()
{
    if (!m_window)
        return;
    // Every text and place changes: painted once at the end, not at each step.
    s::gui::INativeWindow* native = m_window->nativeWindow();
    if (native)
        native->setRedraw(false);
    updateTexts(*m_window);
    m_dropBox->setTitle(text(kTextDropBox));
    onLanguageChanged();
    storeLanguageAndTitle();
    layOutWindow();
    enlargeToMinimumSize();
    if (native)
        native->setRedraw(true);
    m_window->redraw();
}

void Dialog::storeLanguageAndTitle()
{
    m_window->setTitle(m_appWindow->title());
    s::lang::LangPack* current = m_localizer ? m_localizer->currentLanguage() : nullptr;
    if (current && m_store)
        s::map::AppSettings::setSavedLanguage(*m_store, current->engName().view());
}

void Dialog::updateTexts(s::gui::IComponent& component)
{
    if (auto* control = dynamic_cast<s::gui::win::Control*>(&component))
        control->updateLanguage();
    for (int32_t i = 0; i < component.childCount(); ++i)
        updateTexts(*component.child(i));
}

// --- Views ---

void Dialog::toggleView()
{
    m_window->setVisible(false, true);  // stores the placement
    switchView(!m_compactView, true);
    m_window->setVisible(true, true);
}

void Dialog::switchView(bool compact, bool saveSizeFirst)
{
    if (!m_window || !m_mainArea)
        return;
    if (saveSizeFirst)
        storeWindowSize();
    applyView(compact);
    // The system keeps a window at least at the minimum it reports while it
    // is resized: that must be the new view's, not the one being left.
    settleMinimumSize();
    const std::u16string view = keyPath(kViewKey);
    const int32_t width = m_store->getInt32(view, compact ? kValueSmallWidth : kValueLargeWidth,
                                            compact ? smallWidth() : largeWidth());
    const int32_t height = m_store->getInt32(view, compact ? kValueSmallHeight : kValueLargeHeight,
                                             compact ? smallHeight() : largeHeight());
    m_window->setSize(width, height);
    layOutWindow();
    // A stored size too small for this view's content (or nonsense) would
    // cut the window's controls off.
    enlargeToMinimumSize();
    m_compactView = compact;
    m_store->setBool(view, kValueCompactView, compact);
}

void Dialog::storeWindowSize()
{
    // A minimized or maximized window's size is not the one to reopen at.
    if (m_window->sizeState() != Window::SizeState::kRestored)
        return;
    const std::u16string view = keyPath(kViewKey);
    m_store->setInt32(view, m_compactView ? kValueSmallWidth : kValueLargeWidth, m_window->width());
    m_store->setInt32(view, m_compactView ? kValueSmallHeight : kValueLargeHeight, m_window->height());
}

void Dialog::applyView(bool compact)
{
    if (compact) {
        m_mainArea->setVertical();
        m_leftColumn->setWidthPercent(100, false);
        m_leftColumn->setMinimumWidth(kUnset);
        m_leftColumn->alignRight();
        m_spacerAboveKeepOnTop->setFixedHeight(0);
        m_spacerBelowKeepOnTop->setFixedHeight(0);
        m_dropBoxContent->alignCenter();
        m_dropBoxTopGap->setFixedHeight(kUnset, false);
        m_dropBoxTopGap->setFixedWidth(kUnset, false);
        m_dropBoxTopGap->setWidthPercent(100, false);
        m_optionsPanel->setFixedWidth(0, false);
        m_optionsPanel->setFixedHeight(0, false);
        m_rightColumn->setHeightPercent(kUnset, false);
        m_viewToggleButton->setTextId(kTextAdvancedOptions, m_localizer);
        return;
    }
    m_mainArea->setHorizontal();
    m_leftColumn->setWidthPercent(kUnset, false);
    m_leftColumn->setMinimumWidth(kAdvancedLeftMinimum);
    m_leftColumn->alignCenter();
    m_spacerAboveKeepOnTop->setFixedHeight(kAdvancedGapAboveKeepOnTop);
    m_spacerBelowKeepOnTop->setFixedHeight(kAdvancedGapBelowKeepOnTop);
    m_dropBoxContent->alignLeft();
    m_dropBoxTopGap->setFixedWidth(0, false);
    m_dropBoxTopGap->setFixedHeight(0, false);
    m_optionsPanel->setWidthPercent(100, false);
    m_optionsPanel->setHeightPercent(100, false);
    m_rightColumn->setHeightPercent(100, false);
    m_viewToggleButton->setTextId(kTextMinimize, m_localizer);
}

// --- Runs ---

void Dialog::startRun(const s::str::strarray::StrArray& paths)
{
    if (paths.isEmpty())
        return;
    std::u16string message;
    {
        s::thread::Lock lock(listLock());
        // Files dropped during a run are ignored, not queued.
        if (m_busy)
            return;
        if (!captureSetting())
            return;
        if (checkOutputFolder(paths.at(0).view(), &message)) {
            for (int32_t i = 0; i < paths.count(); ++i)
                fileList().add(paths.at(i).view());
            m_busy = 1;
            m_workerThread->start(this);
            return;
        }
    }
    // Shown without the lock: the message box runs a message loop of its own.
    showMessage(message);
}

void Dialog::showMessage(std::u16string_view message)
{
    if (!m_messageShower)
        return;
    const std::u16string title = m_appWindow ? m_appWindow->title() : std::u16string();
    m_messageShower(title, message);
}

void Dialog::requestCancel()
{
    setCancelRequested(true);
    m_progressReporter.setText(kCancelingText);
}

void Dialog::onStatus()
{
    const std::u16string& name = m_window->eventName();
    if (name == kStatusStart)
        onRunStarted();
    else if (name == kStatusUpdate)
        onRunUpdate(m_window->eventFirst(), m_window->eventSecond(), m_window->eventText());
    else if (name == kStatusEnd)
        onRunEnded();
}

void Dialog::onRunStarted()
{
    m_runStart = nowMs();
    showRunning(true);
    m_progressReporter.setRange(1000);
    m_progressReporter.setPosition(0);
}

void Dialog::onRunUpdate(int32_t entries, int32_t index, std::u16string_view fileName)
{
    if (isCancelRequested())
        return;  // "Canceling.." stays
    m_lastIndex = index;
    while (entries > kLargestProgressCount) {
        entries >>= 1;
        index >>= 1;
    }
    m_progressReporter.setRange(static_cast<int64_t>(entries) + 1);
    m_progressReporter.setPosition(static_cast<int64_t>(index) + 1);
    m_progressReporter.setText(fileName);
}

void Dialog::onRunEnded()
{
    m_progressReporter.setRange(1);
    m_progressReporter.setPosition(1);
    m_statusLabel2->setText(u"");
    m_progressReporter.setText(text(kTextDone));
    m_statusLabel->setTextId(kTextReady, m_localizer);
    showRunning(false);
    onRunFinished();
    m_runStart = 0;
    m_lastIndex = 0;
    {
        // The worker waits in its status call and holds no lock meanwhile.
        s::thread::Lock lock(listLock());
        fileList().clear();
        m_busy = 0;
    }
    setCancelRequested(false);
}

void Dialog::showRunning(bool running)
{
    m_makerSection->setFixedWidth(running ? 0 : kUnset, false);
    m_progressRow->setFixedWidth(running ? kUnset : 0, false);
    layOutWindow();
}

}  // namespace s::gui::dialogs::dragndrop
