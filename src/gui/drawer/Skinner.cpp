#include "gui/drawer/Skinner.h"

#include "gui/drawer/ISkin.h"
#include "gui/drawer/SkinFamilies.h"
#include "thread/Pooled.h"

namespace s::gui::drawer {

namespace {

constexpr std::u16string_view kResetFamily = u"Basic";

char16_t foldCase(char16_t c)
{
    // Skin and family names are Latin; this covers ASCII and Latin-1 letters.
    if ((c >= u'A' && c <= u'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7))
        return static_cast<char16_t>(c + 0x20);
    return c;
}

bool equalsIgnoringCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i]))
            return false;
    }
    return true;
}

}  // namespace

Skinner::~Skinner()
{
    releaseSkins();
}

void Skinner::releaseSkins()
{
    m_currentSkin = nullptr;
    for (ISkin* skin : m_skins)
        s::thread::releaseToPool(skin);
    m_skins.clear();
    m_skinNames.clear();
}

void Skinner::reset()
{
    releaseSkins();
    m_listeners.clear();
    m_familyName = kResetFamily;
}

void Skinner::fillFamily()
{
    if (equalsIgnoringCase(m_familyName, SkinFamilies::kThinWindow))
        SkinFamilies::addThinWindowSkins(*this);
    else if (equalsIgnoringCase(m_familyName, SkinFamilies::kThin))
        SkinFamilies::addThinSkins(*this);
}

void Skinner::addSkin(ISkin* skin)
{
    if (!skin)
        return;
    m_skinNames.push_back(skin->name());
    m_skins.push_back(skin);
}

bool Skinner::findSkin(std::u16string_view name, int32_t& index) const
{
    for (size_t i = 0; i < m_skinNames.size(); ++i) {
        if (equalsIgnoringCase(m_skinNames[i], name)) {
            index = static_cast<int32_t>(i);
            return true;
        }
    }
    index = -1;
    return false;
}

void Skinner::selectSkin(std::u16string_view name)
{
    // A skinner without skins has nothing to select; it keeps what it has.
    if (m_skins.empty())
        return;
    int32_t index = 0;
    if (!findSkin(name, index))
        index = 0;
    ISkin* chosen = m_skins[static_cast<size_t>(index)];
    if (chosen == m_currentSkin)
        return;
    m_currentSkin = chosen;
    m_listeners.notify(this, kSkinChanged);
}

ISkin* Skinner::skinAt(int32_t index) const
{
    return index >= 0 && index < skinCount() ? m_skins[static_cast<size_t>(index)] : nullptr;
}

std::u16string_view Skinner::skinNameAt(int32_t index) const
{
    return index >= 0 && index < skinCount() ? std::u16string_view(m_skinNames[static_cast<size_t>(index)])
                                             : std::u16string_view();
}

}  // namespace s::gui::drawer
