#pragma once
#include <cstdint>

#include "image/jpg/IJpeg.h"
#include "thread/PooledBy.h"

namespace s::image::bmp::win {
class Bitmap;
}

namespace s::image::win {
class BufferedImage;
}

namespace s::image::jpg::win {

// The JPEG codec, over libjpeg (API 62).
// Reads: baseline, extended, progressive and arithmetic-coded 8-bit files
// with 1 (grey), 3 (YCbCr, RGB) or 4 (CMYK, YCCK) components, whatever the
// sampling; a stream that ends early is finished as if it ended there.
// Refuses: other component counts, 12-bit and lossless files (the library
// refuses them), pictures above the image model's pixel cap, files needing
// more than kLibraryMemory of library memory or more than kMaxScans scans.
// Writes: baseline JFIF, quality 75 unless set, the library's defaults
// (2 x 2 chroma subsampling, standard Huffman tables).
class Jpeg : public s::image::jpg::IJpeg, public s::thread::PooledBy<Jpeg> {
public:
    static constexpr int32_t kDefaultQuality = 75;
    // What the library may allocate for one file: its whole-picture
    // coefficient arrays (progressive and multi-scan files) come out of this.
    static constexpr long kLibraryMemory = 1L << 30;
    // Progressive files with more scans than this are hostile: each scan
    // costs a pass over the picture and a real encoder writes about ten.
    static constexpr int kMaxScans = 500;

    // Why the last decode or encode failed, for tests; not shown to anyone.
    enum class Fault : uint8_t {
        kNone,
        kLibrary,           // the library stopped: broken, unsupported, truncated header, memory limit
        kTooLarge,          // above the pixel cap
        kComponents,        // not 1, 3 or 4 components
        kTooManyScans,
        kOutOfMemory,       // the picture's own storage was refused
        kNothingToWrite,    // encode without a picture
        kWriteFailed,       // the output stream refused bytes
    };

    Jpeg();
    ~Jpeg() override;
    Jpeg(const Jpeg&) = delete;
    Jpeg& operator=(const Jpeg&) = delete;

    const char16_t* className() const override { return u"s_image_jpg_win_Jpeg"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    int32_t width() const override;
    int32_t height() const override;
    const char16_t* fileExtension() const override { return u".jpg"; }
    s::image::win::BufferedImage* toImage(int32_t index, s::image::win::BufferedImage* destination) override;
    // Hands the decoded picture over instead of copying it: afterwards the
    // codec holds no pixels, as after releasePixels.
    s::image::win::BufferedImageSet* toImageSet(int32_t index) override;
    bool encode(s::io::IOutputStream& out) override;
    bool decode(s::io::IInputStream& in) override;
    int32_t bitDepthAt(int32_t) const override { return 24; }
    void releasePixels() override;
    s::image::IEncodedImage* reencodeSet(s::image::win::BufferedImageSet& set) override;
    s::image::IEncodedImage* reencodeImage(const s::image::win::BufferedImage& image) override;

    bool createStorage(int32_t width, int32_t height) override;
    int32_t setQuality(int32_t quality) override { return m_quality = quality; }
    int32_t quality() const override { return m_quality; }
    bool encodeImage(const s::image::win::BufferedImage& image, int32_t quality, int32_t red, int32_t green, int32_t blue) override;
    int32_t bitDepth() const override { return 24; }
    int32_t bytesPerRow() const override;
    uint8_t* row(int32_t y) const override;

    Fault lastFault() const { return m_fault; }
    // Library warnings (corrupt data, premature end) met by the last decode.
    int32_t lastWarnings() const { return m_warnings; }

private:
    // The decoded picture, else the picture given to encodeImage.
    const s::image::win::BufferedImage* picture() const;
    // Fills the 24-bit storage from the picture when it is asked for rows
    // (blue, green, red, as the format's storage is defined).
    bool materializeStorage() const;

    int32_t m_quality = kDefaultQuality;
    // 24-bit rows, bottom-up as a DIB section holds them: what createStorage
    // makes, what encodeImage makes of a picture with transparency to
    // flatten, and what row() makes of a picture on demand. Taken from the
    // Bitmap pool with this object and destroyed with it. Owned.
    s::image::bmp::win::Bitmap* m_storage;
    // What decode made, in the image model's own form. Owned.
    s::image::win::BufferedImage* m_picture = nullptr;
    // An opaque picture given to encodeImage: encode reads its rows as they
    // are, so it must stay unchanged until the encode. Not owned.
    const s::image::win::BufferedImage* m_borrowed = nullptr;
    Fault m_fault = Fault::kNone;
    int32_t m_warnings = 0;
};

}  // namespace s::image::jpg::win
