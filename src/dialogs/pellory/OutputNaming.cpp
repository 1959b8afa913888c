#include "dialogs/pellory/OutputNaming.h"

#include "dialogs/pellory/Setting.h"
#include "file/win/PathWin.h"
#include "thread/Pooled.h"

namespace s::image::gui::dialogs::pellory {

using s::file::win::PathWin;
using s::thread::Pooled;

std::u16string operationSuffix(const Setting& setting)
{
    std::u16string suffix = setting.mode() == Setting::kModeBlur ? u" (BL +" : u" (SH +";
    for (char c : std::to_string(setting.strength()))
        suffix += static_cast<char16_t>(c);
    suffix += u"%)";
    return suffix;
}

PathWin* buildOutputPath(const PathWin& folder, std::u16string_view baseName, const Setting& setting, std::u16string_view extension)
{
    std::u16string text = folder.text();
    if (text.empty() || text.back() != PathWin::kSeparator)
        text += PathWin::kSeparator;
    text.append(baseName.data(), baseName.size());
    text += operationSuffix(setting);
    text.append(extension.data(), extension.size());
    PathWin* path = PathWin::fromText(text);
    while (path->exists()) {
        PathWin* next = path->nextFreeName();
        path->release();
        path = next;
    }
    return path;
}

namespace {
bool isUsableFolder(PathWin& folder)
{
    return (folder.isDirectory() || folder.isDriveOnly()) && folder.isWritable();
}

std::u16string failureText(const PathWin* folder)
{
    std::u16string text = kOutputFolderMessage;
    if (folder)
        text += u"\r\n\"" + folder->text() + u"\"";
    return text;
}
}  // namespace

bool checkOutputFolder(std::u16string_view firstPath, std::u16string* message)
{
    Pooled<PathWin> dropped(PathWin::fromText(firstPath));
    Pooled<PathWin> folder(dropped->parent());
    if (!folder->isValid() || folder->text().empty()) {
        if (message)
            *message = failureText(nullptr);
        return false;
    }
    bool usable = false;
    if (folder->exists()) {
        usable = isUsableFolder(*folder);
    } else if (!folder->isDriveOnly()) {
        // A folder that is not there yet is fine if it can be made.
        Pooled<PathWin> above(folder->parent());
        usable = above->text() != folder->text() && above->exists() && isUsableFolder(*above);
    }
    if (!usable && message)
        *message = failureText(folder.get());
    return usable;
}

}  // namespace s::image::gui::dialogs::pellory
