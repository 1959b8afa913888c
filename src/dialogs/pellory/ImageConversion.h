#pragma once
#include <functional>
#include <string_view>

#include "thread/Pooled.h"

namespace s::file::win {
class PathWin;
}
namespace s::io {
class IOutputStream;
}
namespace s::image {
class IEncodedImage;
}
namespace s::image::win {
class BufferedImageSet;
}

namespace s::image::gui::dialogs::pellory {

class Setting;

// One file's way through a run: the decoded file and its pictures, then
// the filtered re-encode written to a fresh output beside the source.
class ImageConversion {
public:
    ImageConversion();
    ~ImageConversion();
    ImageConversion(const ImageConversion&) = delete;
    ImageConversion& operator=(const ImageConversion&) = delete;

    // Recognises and decodes the file by its content; false passes it over.
    bool load(s::file::win::PathWin& source);
    // Filters every picture and writes the re-encode under a new name in
    // folder. False when nothing complete could be written.
    bool writeFiltered(s::file::win::PathWin& folder, std::u16string_view baseName, const Setting& setting, std::u16string_view extension);

    using Encoder = std::function<bool(s::io::IOutputStream& out)>;
    // Writes an output through encoder under a fresh name: created
    // exclusively (never replacing a file that appeared meanwhile), removed
    // again if anything fails, announced to the shell when complete.
    static bool writeOutput(s::file::win::PathWin& folder, std::u16string_view baseName, const Setting& setting, std::u16string_view extension, const Encoder& encoder);

private:
    s::thread::Pooled<s::image::IEncodedImage> m_codec;
    s::thread::Pooled<s::image::win::BufferedImageSet> m_set;
};

}  // namespace s::image::gui::dialogs::pellory
