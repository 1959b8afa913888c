#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gui/win/Control.h"
#include "thread/PooledBy.h"

namespace s::gui::menuitem {
class MenuItem;
}

namespace s::gui::win {

class PopupMenu;

// The menu bar across the top of a window: a row of entries, each a pop-up
// menu or a plain item, drawn by the bar itself. It reports the command the
// user chose (kMenuCommand), which it keeps as lastCommand(), to its
// listeners in registration order.
//
// Everything the bar decides lives here, so it runs the same under a test's
// fake view: which entry a point hits, the highlight, when a pop-up opens,
// the hop to a neighbouring entry while one is open, and the guard that keeps
// a press that closed a pop-up from opening it again at once. The native view
// only draws, forwards the mouse and shows the pop-up (PopupView).
class MenuEx : public Control, public s::thread::PooledBy<MenuEx> {
public:
    using MenuItem = s::gui::menuitem::MenuItem;
    using Clock = std::function<int64_t()>;

    enum class EntryKind : int32_t { kItem = 0, kPopup = 1 };
    struct Rect {
        int32_t x = 0;
        int32_t y = 0;
        int32_t width = 0;
        int32_t height = 0;
        bool contains(int32_t px, int32_t py) const { return px >= x && px < x + width && py >= y && py < y + height; }
    };

    // What the native view must do beyond drawing: show a pop-up and end it.
    class PopupView {
    public:
        virtual ~PopupView() = default;
        // Shows `menu` with its top-left corner at (x, y) of the bar's client
        // area, accepting either mouse button, and returns once it has closed.
        // While it is open the view calls onPopupPoll() every kPollMs; a
        // choice in it comes back through chooseCommand().
        virtual void showPopup(const PopupMenu& menu, int32_t x, int32_t y) = 0;
        // Ends the pop-up that is open, choosing nothing.
        virtual void closePopup() = 0;
    };

    // A pop-up that closed this recently does not open again on a press: the
    // press that closed it lands on the bar too.
    static constexpr int64_t kReopenGuardMs = 500;
    // How often the view looks where the mouse is while a pop-up is open.
    static constexpr int32_t kPollMs = 10;
    // Room on each side of an entry's text, and above and below it.
    static constexpr int32_t kEntryPaddingX = 6;
    static constexpr int32_t kEntryPaddingY = 3;

    MenuEx() = default;
    ~MenuEx() override { releaseEntries(); }

    const char16_t* className() const override { return u"s_gui_win_MenuEx"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // The bar owns what is appended and gives it back to its pool.
    void appendMenu(PopupMenu* menu);
    void appendItem(MenuItem* item);

    int32_t entryCount() const { return static_cast<int32_t>(m_entries.size()); }
    EntryKind entryKind(int32_t index) const;
    const std::u16string& entryText(int32_t index) const;
    Rect entryRect(int32_t index) const;
    // Null for an entry of the other kind or out of range.
    PopupMenu* menuAt(int32_t index) const;
    MenuItem* itemAt(int32_t index) const;
    // The entry under a point of the bar's client area, -1 for none.
    int32_t entryAt(int32_t x, int32_t y) const;

    int32_t highlighted() const { return m_highlighted; }
    bool isOpen() const { return m_open; }
    int32_t lastCommand() const { return m_lastCommand; }

    // The first item of any menu (or plain entry) sending `command`.
    MenuItem* findCommand(int32_t command) const;
    bool isChecked(int32_t command) const;
    // False when no item sends the command.
    bool setChecked(int32_t command, bool checked);

    // A command chosen in a pop-up (or a plain entry): kept and reported when
    // one of the bar's items sends it; false for a command the bar lacks.
    bool chooseCommand(int32_t command);

    // Entry texts follow the language; the bar measures itself again.
    void updateLanguage() override;

    // Milliseconds of a steady clock; tests give their own.
    void setClock(Clock clock);

    // --- Called by the native view on the window's thread (client coordinates) ---
    void onLeftButtonDown(int32_t x, int32_t y);
    void onLeftButtonUp(int32_t x, int32_t y);
    // Where the mouse is while a pop-up is open.
    void onPopupPoll(int32_t x, int32_t y);
    // Beside the entries the bar is part of the window's body: presses there
    // belong to the window (easy drag, the view switch).
    bool isTransparentAt(int32_t x, int32_t y) const { return entryAt(x, y) < 0; }

protected:
    NativeKind nativeKind() const override { return NativeKind::kMenuBar; }
    void measure() override;
    void boundsChanged() override { placeEntries(); }

private:
    struct Entry {
        EntryKind kind = EntryKind::kItem;
        PopupMenu* menu = nullptr;  // owned, for kPopup
        MenuItem* item = nullptr;   // owned, for kItem
        int32_t textWidth = 0;
        Rect rect;
    };

    void releaseEntries();
    void placeEntries();
    void setHighlight(int32_t index);
    // Opens the entry's pop-up, then each neighbour the mouse moved to while
    // one was open, until a pop-up closes without such a move.
    void runPopups(int32_t index);
    PopupView* popupView() const;
    int64_t now() const;

    std::vector<Entry> m_entries;
    int32_t m_textHeight = 0;
    int32_t m_highlighted = -1;
    int32_t m_lastCommand = -1;
    bool m_open = false;
    int32_t m_pendingEntry = -1;  // the neighbour to open once the open pop-up has closed
    bool m_hasClosed = false;
    int64_t m_lastCloseMs = 0;
    Clock m_clock;
};

}  // namespace s::gui::win
