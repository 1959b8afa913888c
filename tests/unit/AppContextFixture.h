#pragma once
// The application context the window tests stand on: the compiled-in language
// pack in English, a settings store over the in-memory registry, and one fixed
// monitor. The window objects a test makes are released before the context.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "SettingsFakeRegistry.h"
#include "app/win/AppBase.h"
#include "app/win/AppWindow.h"
#include "gui/win/Window.h"
#include "lang/LangResource.h"
#include "lang/Localizer.h"
#include "map/IMappedData.h"
#include "platform/ScreenGeometry.h"
#include "reg/MappedData.h"
#include "thread/Pooled.h"

namespace settings_test {

// One 1024 x 768 monitor with a 40-pixel task bar at the bottom.
inline const s::platform::ScreenGeometry kOneMonitor{{0, 0, 1024, 768}, {0, 0, 1024, 728}};

class AppContextFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        FakeHive::instance().clear();
        s::platform::setScreenGeometryOverride(&kOneMonitor);
        m_context.hold(s::app::win::AppBase::take());
        const std::string_view pack = s::lang::LangResource::compiledInBytes();
        m_context->adoptLocalizer(
            s::lang::Localizer::fromUtf8(reinterpret_cast<const uint8_t*>(pack.data()), pack.size()));
        m_context->localizer()->selectLanguage(u"English");
        m_context->adoptStore(
            s::reg::MappedData::withRoot(FakeRegDir::make(u"Software\\Vosk\\Vosk Pellory\\SaveData")));
    }
    void TearDown() override
    {
        m_window.clear();
        m_appWindow.clear();
        m_context.clear();
        s::platform::setScreenGeometryOverride(nullptr);
    }

    s::map::IMappedData& store() { return *m_context->settingsStore(); }

    s::thread::Pooled<s::app::win::AppBase> m_context;
    s::thread::Pooled<s::app::win::AppWindow> m_appWindow;
    s::thread::Pooled<s::gui::win::Window> m_window;
};

}  // namespace settings_test
