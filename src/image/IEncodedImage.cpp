#include "image/IEncodedImage.h"

#include "file/win/FileInputStream.h"
#include "file/win/FileOutputStream.h"
#include "file/win/PathWin.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

namespace s::image {

using s::file::win::FileInputStream;
using s::file::win::FileOutputStream;
using s::file::win::PathWin;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

BufferedImageSet* IEncodedImage::toImageSet(int32_t)
{
    Pooled<BufferedImageSet> set(BufferedImageSet::take());
    for (int32_t i = 0; i < imageCount(); ++i)
        set->add(toImage(i, nullptr), bitDepthAt(i), 0, 0);
    return set.take();
}

bool IEncodedImage::save(std::u16string_view pathText)
{
    Pooled<PathWin> path(PathWin::fromText(pathText));
    return save(*path);
}

bool IEncodedImage::save(PathWin& path)
{
    // Exclusive creation: a file that exists, or appears meanwhile, stays as it is.
    Pooled<FileOutputStream> stream(path.openOutputExclusive());
    if (!stream->isOpen())
        return false;
    const bool encoded = encode(*stream);
    const bool closed = stream->close();
    if (!encoded || !closed) {
        s::platform::removeFile(path.osPath().c_str());
        return false;
    }
    return true;
}

bool IEncodedImage::load(std::u16string_view pathText)
{
    Pooled<PathWin> path(PathWin::fromText(pathText));
    return load(*path);
}

bool IEncodedImage::load(PathWin& path)
{
    if (!path.exists() || path.isDirectory())
        return false;
    Pooled<FileInputStream> stream(path.openInput());
    if (!stream->isOpen())
        return false;
    const bool decoded = decode(*stream);
    stream->close();
    return decoded;
}

bool IEncodedImage::findExact(int32_t, int32_t, int32_t, int32_t* indexOut) const
{
    if (indexOut)
        *indexOut = 0;
    return true;
}

bool IEncodedImage::findNearestDepth(int32_t, int32_t, int32_t, int32_t* indexOut) const
{
    if (indexOut)
        *indexOut = 0;
    return true;
}

bool IEncodedImage::findNearestSize(int32_t, int32_t, int32_t, int32_t* indexOut) const
{
    if (indexOut)
        *indexOut = 0;
    return true;
}

}  // namespace s::image
