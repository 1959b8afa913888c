#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/IObject.h"
#include "gui/events/ListenerList.h"
#include "thread/PooledBy.h"

namespace s::gui::events {
class IEventListener;
}

namespace s::gui::drawer {

class ISkin;

// A family of skins, one of them current. Windows and controls that draw
// with the current skin listen here and take their new drawers when it
// changes. Not locked: it lives on the thread of the window that uses it.
class Skinner : public s::base::IObject, public s::thread::PooledBy<Skinner> {
public:
    // The event type listeners get when the current skin changed.
    static constexpr int32_t kSkinChanged = 0;

    Skinner() { reset(); }
    ~Skinner() override;
    Skinner(const Skinner&) = delete;
    Skinner& operator=(const Skinner&) = delete;

    const char16_t* className() const override { return u"s_gui_drawer_Skinner"; }
    s::base::IObject* newInstance() const override { return take(); }
    // Skins back to their pools, lists emptied, family "Basic".
    void reset() override;

    const std::u16string& familyName() const { return m_familyName; }
    void setFamilyName(std::u16string_view name) { m_familyName = name; }
    // Adds the skins of the family named by familyName (ignoring case); an
    // unknown family adds nothing.
    void fillFamily();
    // Appends the skin, which the skinner then owns; null is ignored.
    void addSkin(ISkin* skin);
    // The first skin whose whole name equals `name` ignoring case; false
    // and index -1 when there is none.
    bool findSkin(std::u16string_view name, int32_t& index) const;
    // The named skin, or the first one when the name is not found, becomes
    // current; listeners are told only when that changed anything.
    void selectSkin(std::u16string_view name);
    ISkin* currentSkin() const { return m_currentSkin; }

    int32_t skinCount() const { return static_cast<int32_t>(m_skins.size()); }
    // Null / empty for an index out of range.
    ISkin* skinAt(int32_t index) const;
    std::u16string_view skinNameAt(int32_t index) const;

    // Listeners are not owned; a window removes itself when it closes.
    void addListener(s::gui::events::IEventListener* listener) { m_listeners.add(listener); }
    void removeListener(s::gui::events::IEventListener* listener) { m_listeners.remove(listener); }

private:
    void releaseSkins();

    std::u16string m_familyName;
    std::vector<ISkin*> m_skins;  // owned
    std::vector<std::u16string> m_skinNames;
    ISkin* m_currentSkin = nullptr;  // one of m_skins
    s::gui::events::ListenerList m_listeners;
};

}  // namespace s::gui::drawer
