#pragma once
#include <cstdint>

#include "base/IObject.h"
#include "thread/PooledBy.h"

namespace s::image::gui::dialogs::pellory {

// The operation and strength a run applies, captured when the run starts.
class Setting : public s::base::IObject, public s::thread::PooledBy<Setting> {
public:
    static constexpr int32_t kModeSharpen = 1;
    static constexpr int32_t kModeBlur = 2;

    Setting() { reset(); }

    const char16_t* className() const override { return u"s_image_gui_dialogs_pellory_Setting"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override
    {
        m_mode = kModeSharpen;
        m_strength = 50;
    }

    int32_t mode() const { return m_mode; }
    int32_t strength() const { return m_strength; }
    void set(int32_t mode, int32_t strength)
    {
        m_mode = mode;
        m_strength = strength;
    }
    // The filter strength: positive sharpens, negative blurs, 0 for any other mode.
    int32_t signedStrength() const
    {
        if (m_mode == kModeSharpen)
            return m_strength;
        if (m_mode == kModeBlur)
            return -m_strength;
        return 0;
    }

private:
    int32_t m_mode = kModeSharpen;
    int32_t m_strength = 50;
};

}  // namespace s::image::gui::dialogs::pellory
