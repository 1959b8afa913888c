#pragma once
#include <string>
#include <string_view>

namespace s::file::win {
class PathWin;
}

namespace s::image::gui::dialogs::pellory {

class Setting;

// " (SH +50%)" or " (BL +30%)": the plus is fixed text for both operations.
std::u16string operationSuffix(const Setting& setting);

// A new pooled path beside the source for a name that does not exist now:
// folder, base name, operation suffix and the source's extension, with a
// " (n)" counter when that is taken. The caller releases it.
s::file::win::PathWin* buildOutputPath(const s::file::win::PathWin& folder, std::u16string_view baseName, const Setting& setting, std::u16string_view extension);

// The text shown when outputs cannot go beside the first dropped file.
inline constexpr char16_t kOutputFolderMessage[] = u"The output folder is inaccessible or write-protected.";

// Whether outputs can be written beside firstPath. When not, *message gets
// the text to show the user (the folder's path in quotes after a line break).
bool checkOutputFolder(std::u16string_view firstPath, std::u16string* message);

}  // namespace s::image::gui::dialogs::pellory
