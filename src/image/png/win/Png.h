#pragma once
#include <cstdint>

#include "image/png/IPng.h"
#include "thread/PooledBy.h"

namespace s::image::bmp::win {
class Bitmap;
}

namespace s::image::png::win {

// The PNG codec, over libpng 1.6.
// Reads: every colour type and bit depth, interlaced or not, as 8-bit blue,
// green, red, alpha: 16-bit samples keep their high byte, palettes and grey
// are expanded, a transparency chunk becomes alpha, pictures without alpha
// are opaque. No gamma or background is applied. Only the first picture of
// an animated file is read.
// Refuses: what libpng refuses (bad signature, CRC errors in critical
// chunks, invalid headers), sides above kMaxSide and pictures above the
// image model's pixel cap. A stream that ends or breaks inside the image
// data keeps the rows read before it.
// Writes: 8-bit RGBA (colour type 6), Adam7 when interlaced, no other chunks,
// the library's default compression and filtering.
class Png : public s::image::png::IPng, public s::thread::PooledBy<Png> {
public:
    // The longest side read: a file claiming more is broken or hostile, and
    // the library's row buffers grow with the width before any pixel comes.
    static constexpr uint32_t kMaxSide = 1u << 20;
    // Caps on ancillary chunks kept in memory (the library's own defaults).
    static constexpr uint32_t kMaxCachedChunks = 1000;
    static constexpr uint32_t kMaxChunkBytes = 8000000;

    enum class Fault : uint8_t {
        kNone,
        kLibrary,          // the library stopped: broken file, CRC, truncated, invalid header
        kEndOfStream,      // the stream ended before the file did
        kTooLarge,         // above the pixel cap
        kOutOfMemory,
        kNothingToWrite,
        kWriteFailed,
    };

    Png();
    ~Png() override;
    Png(const Png&) = delete;
    Png& operator=(const Png&) = delete;

    const char16_t* className() const override { return u"s_image_png_win_Png"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    int32_t width() const override;
    int32_t height() const override;
    const char16_t* fileExtension() const override { return u".png"; }
    s::image::win::BufferedImage* toImage(int32_t index, s::image::win::BufferedImage* destination) override;
    bool encode(s::io::IOutputStream& out) override;
    bool decode(s::io::IInputStream& in) override;
    int32_t bitDepthAt(int32_t) const override { return 32; }
    void releasePixels() override;
    s::image::IEncodedImage* reencodeSet(s::image::win::BufferedImageSet& set) override;
    s::image::IEncodedImage* reencodeImage(const s::image::win::BufferedImage& image) override;

    bool createStorage(int32_t width, int32_t height) override;
    void setInterlace(bool interlace) override { m_interlace = interlace; }
    bool isInterlaced() const override { return m_interlace; }
    bool encodeImage(const s::image::win::BufferedImage& image, bool interlace, bool keepTransparency, int32_t red, int32_t green, int32_t blue) override;
    int32_t bitDepth() const override { return 32; }
    int32_t bytesPerRow() const override;
    uint8_t* row(int32_t y) const override;

    Fault lastFault() const { return m_fault; }

private:
    bool m_interlace = false;
    // The picture, bottom-up as a DIB section holds it; taken from the Bitmap
    // pool with this object and destroyed with it. Owned.
    s::image::bmp::win::Bitmap* m_storage;
    Fault m_fault = Fault::kNone;
};

}  // namespace s::image::png::win
