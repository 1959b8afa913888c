#include "gui/win/MenuEx.h"

#include <algorithm>
#include <chrono>

#include "gui/events/EventTypes.h"
#include "gui/menuitem/MenuItem.h"
#include "gui/win/PopupMenu.h"

namespace s::gui::win {

namespace {

const std::u16string kNoText;

int64_t steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

void MenuEx::reset()
{
    releaseEntries();
    m_textHeight = 0;
    m_highlighted = -1;
    m_lastCommand = -1;
    m_open = false;
    m_pendingEntry = -1;
    m_hasClosed = false;
    m_lastCloseMs = 0;
    m_clock = nullptr;
    resetControl();
}

void MenuEx::releaseEntries()
{
    // Menus stop listening to the localizer as they go back to their pool.
    std::vector<Entry> entries;
    entries.swap(m_entries);
    for (Entry& entry : entries) {
        if (entry.menu)
            entry.menu->release();
        if (entry.item)
            entry.item->release();
    }
}

void MenuEx::appendMenu(PopupMenu* menu)
{
    if (!menu)
        return;
    Entry entry;
    entry.kind = EntryKind::kPopup;
    entry.menu = menu;
    m_entries.push_back(entry);
    measure();
}

void MenuEx::appendItem(MenuItem* item)
{
    if (!item)
        return;
    Entry entry;
    entry.kind = EntryKind::kItem;
    entry.item = item;
    m_entries.push_back(entry);
    measure();
}

MenuEx::EntryKind MenuEx::entryKind(int32_t index) const
{
    if (index < 0 || index >= entryCount())
        return EntryKind::kItem;
    return m_entries[static_cast<size_t>(index)].kind;
}

const std::u16string& MenuEx::entryText(int32_t index) const
{
    if (const PopupMenu* menu = menuAt(index))
        return menu->text();
    if (const MenuItem* item = itemAt(index))
        return item->text();
    return kNoText;
}

MenuEx::Rect MenuEx::entryRect(int32_t index) const
{
    if (index < 0 || index >= entryCount())
        return Rect();
    return m_entries[static_cast<size_t>(index)].rect;
}

PopupMenu* MenuEx::menuAt(int32_t index) const
{
    if (index < 0 || index >= entryCount())
        return nullptr;
    return m_entries[static_cast<size_t>(index)].menu;
}

MenuEx::MenuItem* MenuEx::itemAt(int32_t index) const
{
    if (index < 0 || index >= entryCount())
        return nullptr;
    return m_entries[static_cast<size_t>(index)].item;
}

int32_t MenuEx::entryAt(int32_t x, int32_t y) const
{
    for (int32_t i = 0; i < entryCount(); ++i) {
        if (m_entries[static_cast<size_t>(i)].rect.contains(x, y))
            return i;
    }
    return -1;
}

MenuEx::MenuItem* MenuEx::findCommand(int32_t command) const
{
    for (const Entry& entry : m_entries) {
        if (entry.menu) {
            if (MenuItem* item = entry.menu->findCommand(command))
                return item;
        } else if (entry.item && !entry.item->isSeparator() && entry.item->command() == command) {
            return entry.item;
        }
    }
    return nullptr;
}

bool MenuEx::isChecked(int32_t command) const
{
    const MenuItem* item = findCommand(command);
    return item && item->isTicked();
}

bool MenuEx::setChecked(int32_t command, bool checked)
{
    MenuItem* item = findCommand(command);
    if (!item)
        return false;
    item->setTicked(checked);
    return true;
}

bool MenuEx::chooseCommand(int32_t command)
{
    if (!findCommand(command))
        return false;
    m_lastCommand = command;
    // A listener may release the bar with its window: nothing after this.
    notify(events::kMenuCommand);
    return true;
}

void MenuEx::updateLanguage()
{
    // Each menu follows the localizer on its own too; which of them hears of
    // the change first must not matter, so the bar asks again.
    for (Entry& entry : m_entries) {
        if (entry.menu)
            entry.menu->updateLanguage();
        if (entry.item)
            entry.item->updateLanguage();
    }
    measure();
    redraw();
}

void MenuEx::setClock(Clock clock) { m_clock = std::move(clock); }

int64_t MenuEx::now() const { return m_clock ? m_clock() : steadyMs(); }

// --- Size ---

void MenuEx::measure()
{
    if (!m_native)
        return;
    m_textHeight = m_native->measureText(u"").height;
    int32_t total = 0;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        Entry& entry = m_entries[i];
        entry.textWidth = m_native->measureText(entryText(static_cast<int32_t>(i))).width;
        total += entry.textWidth + 2 * kEntryPaddingX;
    }
    // The bar may be narrower than its entries: a window is not held wide
    // for the sake of its menu, whose last entries are then cut off.
    const int32_t height = m_textHeight + 2 * kEntryPaddingY;
    setNaturalMinSize(0, height);
    setNaturalPreferredSize(total, height);
    placeEntries();
}

void MenuEx::placeEntries()
{
    const int32_t height = m_height > 0 ? m_height : m_textHeight + 2 * kEntryPaddingY;
    int32_t x = 0;
    for (Entry& entry : m_entries) {
        entry.rect = Rect{x, 0, entry.textWidth + 2 * kEntryPaddingX, height};
        x += entry.rect.width;
    }
}

// --- Mouse ---

MenuEx::PopupView* MenuEx::popupView() const { return dynamic_cast<PopupView*>(m_native); }

void MenuEx::setHighlight(int32_t index)
{
    if (index == m_highlighted)
        return;
    m_highlighted = index;
    redraw();
}

void MenuEx::onLeftButtonDown(int32_t x, int32_t y)
{
    const int32_t index = entryAt(x, y);
    if (index < 0)
        return;
    setHighlight(index);
    if (m_open) {
        m_pendingEntry = -1;
        if (PopupView* view = popupView())
            view->closePopup();
        return;
    }
    if (entryKind(index) != EntryKind::kPopup)
        return;  // a plain item is chosen when the button comes up on it
    if (m_hasClosed && now() - m_lastCloseMs < kReopenGuardMs) {
        setHighlight(-1);
        return;
    }
    runPopups(index);
}

void MenuEx::onLeftButtonUp(int32_t x, int32_t y)
{
    const int32_t pressed = m_highlighted;
    if (pressed < 0 || m_open || entryKind(pressed) != EntryKind::kItem)
        return;
    setHighlight(-1);
    if (entryAt(x, y) == pressed)
        chooseCommand(itemAt(pressed)->command());
}

void MenuEx::onPopupPoll(int32_t x, int32_t y)
{
    if (!m_open)
        return;
    const int32_t index = entryAt(x, y);
    if (index < 0 || index == m_highlighted || entryKind(index) != EntryKind::kPopup)
        return;
    m_pendingEntry = index;
    if (PopupView* view = popupView())
        view->closePopup();
}

void MenuEx::runPopups(int32_t index)
{
    PopupView* view = popupView();
    int32_t next = index;
    while (view && next >= 0) {
        const PopupMenu* menu = menuAt(next);
        if (!menu)
            break;
        setHighlight(next);
        const Rect anchor = entryRect(next);
        m_open = true;
        m_pendingEntry = -1;
        view->showPopup(*menu, anchor.x, anchor.y + anchor.height);
        m_open = false;
        m_hasClosed = true;
        m_lastCloseMs = now();
        next = m_pendingEntry;
        m_pendingEntry = -1;
    }
    setHighlight(-1);
}

}  // namespace s::gui::win
