#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "archive/CallBack.h"
#include "base/IObject.h"
#include "gui/events/IEventListener.h"
#include "lang/ILanguageListener.h"
#include "thread/ITask.h"

namespace s::app {
class IAppWindow;
}
namespace s::app::win {
class AppWindow;
}
namespace s::gui {
class IComponent;
class IWindowHost;
}  // namespace s::gui
namespace s::gui::dialogs {
class About3;
}
namespace s::gui::win {
class Box;
class Button;
class CheckBox;
class ComboBox;
class GroupBox;
class Label;
class MenuEx;
class PopupMenu;
class ProgressBar;
class Spacer;
class StatusBar;
class Window;
}  // namespace s::gui::win
namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}
namespace s::str::strarray {
class StrArray;
}
namespace s::thread {
class ObjLocker;
}
namespace s::thread::win {
class Thread;
}

namespace s::gui::dialogs::dragndrop {

// A window that takes files dropped from the shell and works through them on
// a worker thread: the drop box with its operation choice, the two views
// (compact and advanced) with their remembered sizes, the status bar with
// progress, and the dispatcher for every event of the window. A concrete
// dialog adds the operation items, the options panel, what the worker runs
// and where the run keeps its list of paths.
//
// Everything but run() happens on the window's user-interface thread. The
// worker and that thread share the file list and the busy flag under the
// list lock, and the cancel flag without it.
class Dialog : public s::gui::events::IEventListener, public s::base::IObject, public s::thread::ITask {
public:
    // Shows a text to the user (the output-folder message); tests replace it.
    using MessageShower = std::function<void(std::u16string_view title, std::u16string_view text)>;

    static constexpr int32_t kTextKeepOnTop = 1000000;
    static constexpr int32_t kTextDropBox = 1001000;
    static constexpr int32_t kTextDropHint = 1002000;
    static constexpr int32_t kTextDropFormats = 1003000;
    static constexpr int32_t kTextConvertTo = 1004000;
    static constexpr int32_t kTextAdvancedOptions = 1005000;
    static constexpr int32_t kTextMinimize = 1006000;
    static constexpr int32_t kTextReady = 609450;
    static constexpr int32_t kTextDone = 609460;
    static constexpr int32_t kTextMakerPage = 101000;
    static constexpr const char16_t* kCancelingText = u"Canceling..";
    static constexpr const char16_t* kMakerName = u"vosk";
    static constexpr int32_t kMenuBarHeight = 19;

    // The menus and their items (language-pack texts).
    static constexpr int32_t kTextViewMenu = 609000;
    static constexpr int32_t kTextKeepOnTopItem = 609100;
    static constexpr int32_t kTextRightClickTransform = 609200;
    static constexpr int32_t kTextEasyDrag = 609300;
    static constexpr int32_t kTextCloseByWheelClick = 609350;
    static constexpr int32_t kTextLanguageMenu = 700000;
    static constexpr int32_t kTextTranslate = 700001;
    static constexpr int32_t kTextAboutMenu = 701000;
    static constexpr int32_t kTextVersionInformation = 701100;
    static constexpr int32_t kTextSoftwarePage = 701200;
    static constexpr int32_t kTextTellDevelopers = 701300;
    static constexpr int32_t kTextMoreSoftware = 107000;
    // Web pages the About and Language menus open (addresses in the pack).
    static constexpr int32_t kTextTranslatorsPage = 108500;
    static constexpr int32_t kTextProductPage = 500003;
    static constexpr int32_t kTextFeedbackPage = 500004;
    static constexpr int32_t kTextOtherProducts = 108000;

    // Command numbers of the menu items. Languages take kCommandFirstLanguage
    // plus their index, up to kCommandLastLanguage; an item's position in the
    // Language menu is its command number (the first two lines come before).
    static constexpr int32_t kCommandTranslate = 0;
    static constexpr int32_t kCommandFirstLanguage = 2;
    static constexpr int32_t kCommandLastLanguage = 99;
    static constexpr int32_t kCommandKeepOnTop = 100;
    static constexpr int32_t kCommandRightClickTransform = 110;
    static constexpr int32_t kCommandEasyDrag = 120;
    static constexpr int32_t kCommandCloseByWheelClick = 125;
    static constexpr int32_t kCommandVersionInformation = 10000;
    static constexpr int32_t kCommandSoftwarePage = 10100;
    static constexpr int32_t kCommandTellDevelopers = 10200;
    static constexpr int32_t kCommandMoreSoftware = 10900;
    // Progress bars take ranges up to this; larger counts are halved.
    static constexpr int32_t kLargestProgressCount = 0x7FFF;

    ~Dialog() override;

    const char16_t* className() const override { return u"s_gui_dialogs_dragndrop_Dialog"; }

    // The window settings object the dialog reads and writes through (not
    // owned); the store and the localizer come from it.
    void setUp(s::app::IAppWindow* appWindow);
    // Builds the window on the host's user-interface thread, shows it and
    // returns when it has been closed.
    void buildAndRun(s::gui::IWindowHost& host);

    void onEvent(s::base::IObject* source, int32_t type) override;

    // --- Values a concrete dialog may change ---
    virtual int32_t smallWidth() const { return 250; }
    virtual int32_t smallHeight() const { return 250; }
    virtual int32_t largeWidth() const { return 450; }
    virtual int32_t largeHeight() const { return 450; }
    virtual int32_t workerPriority() const { return -1; }
    virtual bool compactByDefault() const { return true; }
    virtual bool offersViewToggle() const { return true; }
    virtual bool offersRunOptions() const { return false; }
    virtual bool offersOutputFolderMenu() const { return false; }
    virtual bool asksBeforeRun() const { return false; }

    // --- Hooks of the concrete dialog ---
    // Takes the user's choice for the run about to start; false stops the drop.
    virtual bool captureSetting() { return true; }
    // The "Convert to:" combo box with its items (width percent 100).
    virtual s::gui::win::ComboBox* buildModeItems();
    // The pile of option pages the advanced view shows, one per item.
    virtual s::gui::win::Box* buildOptionsPanel();
    // Makes the dialog the listener of the panel's controls.
    virtual void attachListeners() {}
    // Keeps the panel's controls in step; true when the event is used up.
    virtual bool onValueChanged(s::base::IObject*) { return false; }
    // After a run's end; nothing to do while no option asks for it.
    virtual void onRunFinished() {}
    // After a change of language, for the texts that carry no text id.
    virtual void onLanguageChanged() {}
    // The About window (command 10000): on its own thread, modal to this
    // window. Made on first use with its own settings ("AboutWindow") and
    // kept until the dialog is released.
    virtual void showAbout();
    // How the About window gets its user-interface thread (tests hand in
    // their own host); the platform's by default.
    using WindowHostMaker = std::function<std::unique_ptr<s::gui::IWindowHost>()>;
    void setWindowHostMaker(WindowHostMaker maker) { m_windowHostMaker = std::move(maker); }
    s::gui::dialogs::About3* about() const { return m_about; }

    // --- Run-time operations (user-interface thread) ---
    // The paths of one drop: ignored while a run is under way, else the run starts.
    void startRun(const s::str::strarray::StrArray& paths);
    void requestCancel();
    // Reads the status event the window keeps and shows it.
    void onStatus();
    // Gives every text of the window the current language and lays it out.
    void followLanguage();
    // What a menu command does (the bar's lastCommand); unknown numbers do nothing.
    void onMenuCommand(int32_t command);
    // Makes the language at that index of the pack current, with every text
    // of the window; the current one again changes nothing.
    void selectLanguageAt(int32_t index);
    // Applies a view; with saveSizeFirst the size of the view being left is stored.
    void switchView(bool compact, bool saveSizeFirst);
    // The view toggle of the button and the right click: hide, switch, show.
    void toggleView();

    void setMessageShower(MessageShower shower) { m_messageShower = std::move(shower); }

    bool isBusy();
    bool isCompactView() const { return m_compactView; }
    bool rightClickTransform() const { return m_rightClickTransform; }
    int64_t runStart() const { return m_runStart; }
    int32_t lastIndex() const { return m_lastIndex; }
    s::archive::CallBack& progressReporter() { return m_progressReporter; }
    s::app::IAppWindow* appWindow() const { return m_appWindow; }
    s::map::IMappedData* store() const { return m_store; }
    s::lang::Localizer* localizer() const { return m_localizer; }

    s::gui::win::Window* window() const { return m_window; }
    s::gui::win::MenuEx* menuBar() const { return m_menuBar; }
    s::gui::win::PopupMenu* viewMenu() const { return m_viewMenu; }
    s::gui::win::PopupMenu* languageMenu() const { return m_languageMenu; }
    s::gui::win::PopupMenu* aboutMenu() const { return m_aboutMenu; }
    s::gui::win::Box* mainArea() const { return m_mainArea; }
    s::gui::win::Box* leftColumn() const { return m_leftColumn; }
    s::gui::win::Box* rightColumn() const { return m_rightColumn; }
    s::gui::win::CheckBox* keepOnTopBox() const { return m_keepOnTopBox; }
    s::gui::win::GroupBox* dropBox() const { return m_dropBox; }
    s::gui::win::Box* dropBoxTopGap() const { return m_dropBoxTopGap; }
    s::gui::win::ComboBox* modeCombo() const { return m_modeCombo; }
    s::gui::win::Box* optionsPanel() const { return m_optionsPanel; }
    s::gui::win::Button* viewToggleButton() const { return m_viewToggleButton; }
    s::gui::win::Label* statusLabel() const { return m_statusLabel; }
    s::gui::win::Label* statusLabel2() const { return m_statusLabel2; }
    s::gui::win::Label* makerLabel() const { return m_makerLabel; }
    s::gui::win::Box* makerSection() const { return m_makerSection; }
    s::gui::win::Box* progressRow() const { return m_progressRow; }
    s::gui::win::ProgressBar* progressBar() const { return m_progressBar; }

protected:
    Dialog();

    // Back to the state of a new dialog: a run still going is told to stop
    // and waited for (it ends after its current file), then the window and
    // its tree go back to their pools. Concrete resets call it last.
    void resetDialog();

    // Where the run keeps its paths, guarded by listLock(), and its cancel
    // flag: the concrete dialog's task owns them.
    virtual s::thread::ObjLocker& listLock() = 0;
    virtual s::str::strarray::StrArray& fileList() = 0;
    virtual void setCancelRequested(bool cancel) = 0;
    virtual bool isCancelRequested() const = 0;
    // Whether outputs can go beside the first dropped path; when not, the
    // text for the user is put in *message.
    virtual bool checkOutputFolder(std::u16string_view firstPath, std::u16string* message) = 0;

    // Key paths below the window's own key ("MainWindow\View").
    std::u16string keyPath(std::u16string_view sub) const;
    const char16_t* text(int32_t textId) const;
    // Lays the window out so that every box has measured its content.
    void layOutWindow();
    void showMessage(std::u16string_view text);

    // Owned outright rather than pooled: a dialog left idle in its pool is
    // deleted at exit, when the pools of its parts may be gone already.
    std::unique_ptr<s::thread::win::Thread> m_workerThread;
    s::archive::CallBack m_progressReporter;
    s::app::IAppWindow* m_appWindow = nullptr;  // not owned
    s::map::IMappedData* m_store = nullptr;  // not owned: the app window's
    s::lang::Localizer* m_localizer = nullptr;  // not owned: the app window's

    // The window and its tree: owned through the window.
    s::gui::win::Window* m_window = nullptr;
    s::gui::win::MenuEx* m_menuBar = nullptr;
    s::gui::win::PopupMenu* m_viewMenu = nullptr;      // owned through the menu bar
    s::gui::win::PopupMenu* m_languageMenu = nullptr;  // owned through the menu bar
    s::gui::win::PopupMenu* m_aboutMenu = nullptr;     // owned through the menu bar
    s::gui::win::Box* m_mainArea = nullptr;
    s::gui::win::Box* m_leftColumn = nullptr;
    s::gui::win::Box* m_rightColumn = nullptr;
    s::gui::win::Spacer* m_spacerAboveKeepOnTop = nullptr;
    s::gui::win::Spacer* m_spacerBelowKeepOnTop = nullptr;
    s::gui::win::CheckBox* m_keepOnTopBox = nullptr;
    s::gui::win::GroupBox* m_dropBox = nullptr;
    s::gui::win::Box* m_dropBoxContent = nullptr;
    s::gui::win::Box* m_dropBoxTopGap = nullptr;
    s::gui::win::Label* m_dropHint = nullptr;
    s::gui::win::Label* m_dropFormats = nullptr;
    s::gui::win::ComboBox* m_modeCombo = nullptr;
    s::gui::win::Box* m_optionsPanel = nullptr;
    s::gui::win::Button* m_viewToggleButton = nullptr;
    s::gui::win::StatusBar* m_statusBar = nullptr;
    s::gui::win::Label* m_statusLabel = nullptr;
    s::gui::win::Label* m_statusLabel2 = nullptr;
    s::gui::win::Box* m_makerSection = nullptr;
    s::gui::win::Label* m_makerLabel = nullptr;
    s::gui::win::Box* m_progressRow = nullptr;
    s::gui::win::ProgressBar* m_progressBar = nullptr;

private:
    // Hears the localizer's change of language for the dialog.
    class LanguageFollower : public s::lang::ILanguageListener {
    public:
        explicit LanguageFollower(Dialog& dialog) : m_dialog(dialog) {}
        void languageChanged(s::lang::Localizer*) override { m_dialog.followLanguage(); }

    private:
        Dialog& m_dialog;
    };

    static void updateTexts(s::gui::IComponent& component);
    void buildWindow();
    s::gui::win::MenuEx* buildMenuStrip();
    s::gui::win::PopupMenu* buildViewMenu();
    s::gui::win::PopupMenu* buildLanguageMenu();
    s::gui::win::PopupMenu* buildAboutMenu();
    s::gui::win::Box* buildMainArea();
    s::gui::win::Box* buildLeftColumn();
    s::gui::win::GroupBox* buildDropBox();
    s::gui::win::Label* makeDropBoxLabel(int32_t textId);
    s::gui::win::Box* buildRightColumn();
    s::gui::win::StatusBar* buildStatusBar();
    void listenToControls();
    void selectStoredMode();
    void settleMinimumSize();
    void enlargeToMinimumSize();

    void onWindowClosing();
    void onKeepOnTopChanged();
    // The View menu's switches: each takes the opposite of its item's tick.
    void toggleKeepOnTop();
    void toggleRightClickTransform();
    void toggleEasyDrag();
    void toggleCloseByWheelClick();
    void openPage(int32_t textId);
    // The language's English name becomes the saved one and the title follows.
    void storeLanguageAndTitle();
    void onModeChanged();
    void showOptionsPage(int32_t index);
    void storeWindowSize();
    void applyView(bool compact);
    void showRunning(bool running);

    void onRunStarted();
    void onRunUpdate(int32_t entries, int32_t index, std::u16string_view fileName);
    void onRunEnded();

    std::atomic<uint8_t> m_busy{0};  // written under listLock()
    bool m_compactView = true;
    bool m_rightClickTransform = true;
    int64_t m_runStart = 0;
    int32_t m_lastIndex = 0;
    MessageShower m_messageShower;
    LanguageFollower m_languageFollower{*this};
    s::lang::Localizer* m_followedLocalizer = nullptr;  // the one we listen to
    s::app::win::AppWindow* m_aboutAppWindow = nullptr;  // owned (pooled), from the first showAbout
    s::gui::dialogs::About3* m_about = nullptr;          // owned (pooled), from the first showAbout
    WindowHostMaker m_windowHostMaker;
};

}  // namespace s::gui::dialogs::dragndrop
