#include "dialogs/pellory/ImageConversion.h"

#include "dialogs/pellory/FilterChoice.h"
#include "dialogs/pellory/OutputNaming.h"
#include "dialogs/pellory/Setting.h"
#include "file/win/FileOutputStream.h"
#include "file/win/PathWin.h"
#include "image/IEncodedImage.h"
#include "image/ImageFiles.h"
#include "image/filters/sharpness/Sharpness.h"
#include "image/win/BufferedImageSet.h"
#include "platform/FileSystem.h"

namespace s::image::gui::dialogs::pellory {

using s::file::win::FileOutputStream;
using s::file::win::PathWin;
using s::thread::Pooled;

namespace {
// Another process may take each name we choose; give up after this many.
constexpr int kCreateAttempts = 100;
}  // namespace

ImageConversion::ImageConversion() = default;
ImageConversion::~ImageConversion() = default;

bool ImageConversion::writeOutput(PathWin& folder, std::u16string_view baseName, const Setting& setting, std::u16string_view extension, const Encoder& encoder)
{
    for (int attempt = 0; attempt < kCreateAttempts; ++attempt) {
        Pooled<PathWin> output(buildOutputPath(folder, baseName, setting, extension));
        Pooled<FileOutputStream> stream(output->openOutputExclusive());
        if (!stream->isOpen()) {
            if (output->exists())
                continue;  // the name was taken after we chose it
            return false;
        }
        const bool encoded = encoder(*stream);
        const bool closed = stream->close();
        if (!encoded || !closed || stream->hasFailed()) {
            // A truncated file must not pass for a result.
            s::platform::removeFile(output->osPath().c_str());
            return false;
        }
        s::platform::notifyFileCreated(output->text().c_str());
        return true;
    }
    return false;
}

}  // namespace s::image::gui::dialogs::pellory

namespace s::image::gui::dialogs::pellory {

using s::image::IEncodedImage;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;

namespace {
bool hasAnyPicture(const BufferedImageSet& set)
{
    for (int32_t i = 0; i < set.count(); ++i) {
        if (set.item(i)->width() > 0 && set.item(i)->height() > 0)
            return true;
    }
    return false;
}
}  // namespace

bool ImageConversion::load(PathWin& source)
{
    m_codec.hold(s::image::loadImageFile(source));
    if (!m_codec)
        return false;
    m_set.hold(m_codec->toImageSet(0));
    m_codec->releasePixels();
    if (m_set && m_set->isAnimated())
        m_set.hold(m_set->composed());
    return true;
}

bool ImageConversion::writeFiltered(PathWin& folder, std::u16string_view baseName, const Setting& setting, std::u16string_view extension)
{
    // A file that decoded to no picture at all gets no output: an empty
    // re-encode would pass for a result.
    if (!m_set || !hasAnyPicture(*m_set))
        return false;
    // The pictures were decoded for this one output, so they are filtered
    // where they lie instead of into a second copy of each.
    {
        Pooled<s::image::filters::sharpness::Sharpness> filter(makeFilter(setting));
        for (int32_t j = 0; j < m_set->count(); ++j) {
            // A picture the set holds twice is still filtered once.
            BufferedImage* image = m_set->item(j);
            bool seen = false;
            for (int32_t k = 0; k < j && !seen; ++k)
                seen = m_set->item(k) == image;
            if (!seen)
                image->filterInPlace(*filter);
        }
    }
    Pooled<IEncodedImage> encoded(m_codec->reencodeSet(*m_set));
    if (!encoded)
        return false;
    return writeOutput(folder, baseName, setting, extension, [&](s::io::IOutputStream& out) { return encoded->encode(out); });
}

}  // namespace s::image::gui::dialogs::pellory
