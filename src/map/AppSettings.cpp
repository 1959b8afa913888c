#include "map/AppSettings.h"

#include <vector>

#include "file/win/PathWin.h"
#include "lang/LangPack.h"
#include "lang/Localizer.h"
#include "map/IMappedData.h"
#include "platform/WebPage.h"
#include "reg/IRegDir.h"
#include "xml/MappedData.h"

namespace s::map {

std::u16string AppSettings::registryName(s::lang::Localizer& localizer)
{
    const std::u16string name = localizer.text(s::lang::Localizer::kTextIdRegistryName);
    return name.empty() ? std::u16string(kDefaultRegistryName) : name;
}

std::u16string AppSettings::productKeyPath(s::lang::Localizer& localizer)
{
    return u"Software\\Vosk\\" + registryName(localizer);
}

std::u16string AppSettings::storeKeyPath(s::lang::Localizer& localizer)
{
    return productKeyPath(localizer) + u"\\SaveData";
}

IMappedData* AppSettings::openFileStore(std::u16string_view executableFolder)
{
    std::u16string path(executableFolder);
    if (!path.empty() && path.back() != u'\\' && path.back() != u'/')
        path += s::file::win::PathWin::kSeparator;
    path += u"savedata";
    path += s::file::win::PathWin::kSeparator;
    path += u"SaveData.xml";
    return s::xml::MappedData::openFile(path);
}

std::u16string AppSettings::savedLanguage(IMappedData& store, s::lang::Localizer& localizer)
{
    const s::lang::LangPack* current = localizer.currentLanguage();
    const char16_t* fallback = current ? current->engName().text() : u"";
    return store.getString(kKeyLanguage, u"", fallback);
}

bool AppSettings::setSavedLanguage(IMappedData& store, std::u16string_view name)
{
    return store.setString(kKeyLanguage, u"", name);
}

void AppSettings::writeIdentification(IMappedData& store, s::lang::Localizer& localizer, std::u16string_view keyPrefix)
{
    const std::u16string prefix(keyPrefix);
    store.setString(prefix + kKeySoftwareId, u"", registryName(localizer));
    store.setString(prefix + kKeyVersion, u"", localizer.text(kTextVersion));
}

void AppSettings::chooseLanguage(IMappedData& store, s::lang::Localizer& localizer)
{
    // Nothing stored yet counts as a difference, so that a first start
    // leaves the chosen language in the store.
    const char16_t* stored = store.getString(kKeyLanguage, u"", nullptr);
    const std::u16string saved = stored ? std::u16string(stored) : savedLanguage(store, localizer);
    localizer.selectLanguage(saved);
    const s::lang::LangPack* current = localizer.currentLanguage();
    if (current && (!stored || current->engName().view() != saved))
        setSavedLanguage(store, current->engName().view());
}

void AppSettings::startUp(IMappedData& store, s::lang::Localizer& localizer)
{
    store.setAutoSave(false);
    writeIdentification(store, localizer, u"");
    chooseLanguage(store, localizer);
    store.setAutoSave(true);
}

bool AppSettings::openPostInstallPage(s::reg::IRegDir& productKey, bool hasParameters, s::lang::Localizer& localizer)
{
    if (hasParameters)
        return false;
    s::reg::ValueType type = s::reg::ValueType::None;
    std::vector<uint8_t> data;
    if (!productKey.readValue(kValueSilent, &type, &data) || type != s::reg::ValueType::Dword || data.size() != 4)
        return false;
    if (data[0] == 0 && data[1] == 0 && data[2] == 0 && data[3] == 0)
        return false;
    // The flag goes first: a page that keeps opening at every start would be
    // worse than one that never opened.
    const uint8_t zero[4] = {0, 0, 0, 0};
    if (!productKey.writeValue(kValueSilent, s::reg::ValueType::Dword, zero, sizeof zero))
        return false;
    return s::platform::openWebPage(localizer.text(kTextProductPage));
}

}  // namespace s::map
