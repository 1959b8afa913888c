#pragma once
#include <string>
#include <string_view>

namespace s::lang {
class Localizer;
}
namespace s::reg {
class IRegDir;
}

namespace s::map {

class IMappedData;

// What the application does with its settings store and the language pack
// at start-up, and the store accessors it hands out. The application object
// calls these; they hold no state.
class AppSettings {
public:
    static constexpr int32_t kTextProductPage = 500003;
    static constexpr int32_t kTextVersion = 500010;
    // Used when the pack has no registry name, so the key never ends up empty.
    static constexpr const char16_t* kDefaultRegistryName = u"Vosk Pellory";
    static constexpr const char16_t* kKeySoftwareId = u"SoftwareID";
    static constexpr const char16_t* kKeyVersion = u"Version";
    static constexpr const char16_t* kKeyLanguage = u"Language";
    static constexpr const char16_t* kValueSilent = u"Silent";

    // The product's registry name (text 300000).
    static std::u16string registryName(s::lang::Localizer& localizer);
    // "Software\Vosk\" and the registry name: where the post-install flag lives.
    static std::u16string productKeyPath(s::lang::Localizer& localizer);
    // The product key's "\SaveData": the settings store's root.
    static std::u16string storeKeyPath(s::lang::Localizer& localizer);

    // The registry store below HKEY_CURRENT_USER\<storeKeyPath>; null where
    // there is no registry (the native build). The caller releases it.
    static IMappedData* openRegistryStore(s::lang::Localizer& localizer);
    // The file store "savedata/SaveData.xml" in the given folder (the one
    // holding the executable). The caller releases it.
    static IMappedData* openFileStore(std::u16string_view executableFolder);

    // Key "Language", empty value name; the current language's English name
    // when nothing is stored.
    static std::u16string savedLanguage(IMappedData& store, s::lang::Localizer& localizer);
    static bool setSavedLanguage(IMappedData& store, std::u16string_view name);

    // "SoftwareID" and "Version" below keyPrefix ("" for the store's root,
    // "MainWindow\" for the main window's key).
    static void writeIdentification(IMappedData& store, s::lang::Localizer& localizer, std::u16string_view keyPrefix);
    // Selects the saved language (a name the pack lacks gives English), and
    // stores the selected language's English name when the saved text differs.
    static void chooseLanguage(IMappedData& store, s::lang::Localizer& localizer);
    // The start-up batch: auto-save off, the identification values, the
    // language choice, auto-save on again.
    static void startUp(IMappedData& store, s::lang::Localizer& localizer);

    // The post-install page: unless the command line has parameters, a
    // non-zero DWORD "Silent" in productKey is set to 0 and then the product
    // page (text 500003) is opened. True when the page was opened.
    static bool openPostInstallPage(s::reg::IRegDir& productKey, bool hasParameters, s::lang::Localizer& localizer);
    // The same on HKEY_CURRENT_USER\<productKeyPath>; false where there is no registry.
    static bool openPostInstallPage(bool hasParameters, s::lang::Localizer& localizer);
};

}  // namespace s::map
