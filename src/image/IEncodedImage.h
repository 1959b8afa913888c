#pragma once
#include <cstdint>
#include <string_view>

#include "image/IImage.h"

namespace s::io {
class IInputStream;
class IOutputStream;
}
namespace s::file::win {
class PathWin;
}
namespace s::image::win {
class BufferedImage;
class BufferedImageSet;
}

namespace s::image {

// What every codec offers: one file's worth of data in its format's own
// terms, turned into buffered images and back. Codec objects are pooled;
// give them back with s::thread::releaseToPool.
class IEncodedImage : public IImage {
public:
    virtual const char16_t* fileExtension() const = 0;
    // Picture index (frame, icon entry) into destination or a new pooled
    // image when null. Null when there is no such picture.
    virtual s::image::win::BufferedImage* toImage(int32_t index, s::image::win::BufferedImage* destination) = 0;
    // A new pooled set of every picture with its bit depth (and, for an
    // animation, its delay and disposal). The argument is not used.
    virtual s::image::win::BufferedImageSet* toImageSet(int32_t flags);
    virtual bool encode(s::io::IOutputStream& out) = 0;
    virtual bool decode(s::io::IInputStream& in) = 0;
    virtual bool isMultiImage() const { return false; }
    virtual int32_t imageCount() const { return 1; }
    // The bit depth picture index had in its file.
    virtual int32_t bitDepthAt(int32_t index) const = 0;
    // Frees the decoded pictures once toImageSet has handed them out as
    // images, so a file is not held twice; what a re-encode needs of this
    // object stays. toImage gives null afterwards.
    virtual void releasePixels() {}

    // Writes a file only when the path is free; an existing file is never touched.
    bool save(std::u16string_view pathText);
    bool save(s::file::win::PathWin& path);
    bool load(std::u16string_view pathText);
    bool load(s::file::win::PathWin& path);

    // New codec objects of this class holding the set (or image) encoded
    // with the settings this object's own data implies.
    virtual IEncodedImage* reencodeSet(s::image::win::BufferedImageSet& set) = 0;
    virtual IEncodedImage* reencodeImage(const s::image::win::BufferedImage& image) = 0;

    virtual bool findExact(int32_t, int32_t, int32_t, int32_t* indexOut) const;
    virtual bool findNearestDepth(int32_t, int32_t, int32_t, int32_t* indexOut) const;
    virtual bool findNearestSize(int32_t, int32_t, int32_t, int32_t* indexOut) const;
};

}  // namespace s::image
