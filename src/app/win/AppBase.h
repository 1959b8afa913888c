#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/IObject.h"
#include "thread/PooledBy.h"

namespace s::image::win {
class BufferedImage;
}
namespace s::lang {
class Localizer;
}
namespace s::map {
class IMappedData;
}

namespace s::app::win {

// The application context: the command line, the running executable, its
// icons, language pack and About picture, and the settings store. Built once
// at start-up on the main thread; the store and the localizer are then used
// from user-interface threads, one at a time.
class AppBase : public s::base::IObject, public s::thread::PooledBy<AppBase> {
public:
    static constexpr int32_t kTextBase = 500000;
    // Offset of the version text from the text base.
    static constexpr int32_t kVersionOffset = 10;
    static constexpr int kIconGroupId = 128;
    static constexpr int kPictureId = 131;
    static constexpr const char16_t* kPictureType = u"IDR_JPG";

    AppBase();
    ~AppBase() override;
    AppBase(const AppBase&) = delete;
    AppBase& operator=(const AppBase&) = delete;

    const char16_t* className() const override { return u"s_app_win_AppBase"; }
    s::base::IObject* newInstance() const override { return take(); }
    // Saves the store, then lets go of everything in the reverse order of
    // initialise(); COM is left last.
    void reset() override;

    // The whole start-up of the context, in order: COM, OLE and COM security
    // (Windows), the text base, the command line, the module, the icons,
    // the language pack, the picture, then the settings store with its
    // start-up batch (identification, language) written with auto-save off.
    // A store that cannot be opened leaves every setting at its default.
    void initialise();

    // Pieces of the start-up that tests (and hosts without a registry) set
    // on their own. Each adopts its argument (owned from then on) and lets
    // go of what it held.
    void setCommandLine(std::vector<std::u16string> parameters);
    void adoptLocalizer(s::lang::Localizer* localizer);
    void adoptStore(s::map::IMappedData* store);
    // The store's start-up batch; nothing without a store or a localizer.
    void runStoreStartUp();

    int32_t textBase() const { return m_textBase; }
    // The text at textBase() + offset in the current language; empty
    // without a localizer.
    std::u16string productText(int32_t offset) const;
    const std::vector<std::u16string>& commandLine() const { return m_commandLine; }
    bool hasParameters() const { return !m_commandLine.empty(); }
    const std::u16string& modulePath() const { return m_modulePath; }
    std::u16string moduleFolder() const;

    // Not owned by the caller; null until set.
    s::lang::Localizer* localizer() const { return m_localizer; }
    s::map::IMappedData* settingsStore() const { return m_store; }
    // The About picture (resource "IDR_JPG" 131), or null when the program
    // has none or it does not decode.
    s::image::win::BufferedImage* picture() const { return m_picture; }
    // The application icon at 16, 32 or 64 pixels (another size gives the
    // nearest of these) as a native handle (HICON), loaded on first request
    // and kept until reset; null where there is none.
    void* icon(int32_t size);

    // Opens a page with the shell's "open" verb (through the platform's
    // web-page seam, which tests replace).
    bool openWebPage(const char16_t* address) const;

private:
    static constexpr int kIconSizes = 3;

    void decodePicture();
    // Platform parts (AppBase_win32.cpp, AppBase_posix.cpp).
    void initialisePlatform();
    void releasePlatform();
    static std::vector<std::u16string> systemParameters();
    static void* loadIcon(int32_t size);
    static void destroyIcon(void* icon);

    int32_t m_textBase = 0;
    std::vector<std::u16string> m_commandLine;
    std::u16string m_modulePath;
    s::lang::Localizer* m_localizer = nullptr;     // owned (pooled)
    s::map::IMappedData* m_store = nullptr;        // owned (pooled)
    s::image::win::BufferedImage* m_picture = nullptr;  // owned (pooled)
    void* m_icons[kIconSizes] = {};                // owned native icons: 16, 32, 64
    bool m_comInitialised = false;
    bool m_oleInitialised = false;
};

}  // namespace s::app::win
