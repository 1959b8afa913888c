#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "image/bmp/BmpFormat.h"
#include "image/ico/IIconImage.h"
#include "thread/PooledBy.h"

namespace s::archive {
class ByteStream;
}

namespace s::image::ico::win {

// One entry of an icon file.
// Reads: classic entries (a 12- to 124-byte info header whose height counts
// the mask too, then colour table, colour bits and AND mask) at 1, 4, 8, 16,
// 24 and 32 bits, uncompressed or with bit fields; and entries stored as a
// PNG stream, which become 32-bit classic entries with the PNG's alpha.
// Every header field is checked against the entry's bytes as the BMP reader
// checks a file: colour tables that do not fit, sizes above the pixel cap,
// unknown depths and compressions are refused before anything is allocated.
// Refuses as well: run-length compression (the mask's place would be
// unknown), top-down rows and a doubled height below 2. Colour bits or a mask
// that the entry ends inside of are kept, the rest zero.
// Writes: the classic form (40-byte header, BI_RGB, mask) up to 255 pixels a
// side, a PNG stream above.
class IconImage : public s::image::ico::IIconImage, public s::thread::PooledBy<IconImage> {
public:
    // Entry data beyond this is not read (as in the icon's directory).
    static constexpr uint64_t kMaxEntryBytes = (uint64_t(1) << 30) + (uint64_t(1) << 20);
    // Sides above this are written as a PNG stream: the directory's size
    // bytes cannot state them.
    static constexpr int32_t kMaxClassicSide = 255;

    // Why the last decode or encode failed, for tests; not shown to anyone.
    enum class Fault : uint8_t {
        kNone,
        kBadHeader,         // refused by the bitmap header checks (see bmpFault())
        kCompressed,        // run-length data
        kTopDown,
        kBadHeight,         // a doubled height below 2
        kTooLarge,          // above the pixel cap, or the icon's pixel budget
        kOutOfMemory,
        kPngFailed,         // the PNG codec gave no picture
        kEmptyPicture,      // nothing to write
        kWriteFailed,
        kTooLong,           // an entry above kMaxEntryBytes
        // Not a failure: the picture is there but the entry ended early (or
        // its PNG stream broke); what it did not hold is zero.
        kTruncatedPixels,
    };

    IconImage() { reset(); }

    const char16_t* className() const override { return u"s_image_ico_win_IconImage"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    int32_t width() const override { return m_info.m_infoHeader.m_width; }
    int32_t height() const override { return m_info.m_infoHeader.m_height; }
    const char16_t* fileExtension() const override { return u".ico"; }
    s::image::win::BufferedImage* toImage(int32_t index, s::image::win::BufferedImage* destination) override;
    bool encode(s::io::IOutputStream& out) override;
    bool decode(s::io::IInputStream& in) override;
    int32_t imageCount() const override { return m_colorPixels ? 1 : 0; }
    int32_t bitDepthAt(int32_t) const override { return bitCount(); }
    s::image::IEncodedImage* reencodeSet(s::image::win::BufferedImageSet& set) override;
    // Null: an entry is never re-encoded by itself, only as part of an icon.
    s::image::IEncodedImage* reencodeImage(const s::image::win::BufferedImage&) override { return nullptr; }

    bool createStorage(int32_t width, int32_t height, int32_t bitCount) override;
    int32_t bitCount() const override { return m_info.m_infoHeader.m_bitCount; }
    uint8_t* colorBits() const override { return m_colorPixels.get(); }
    uint8_t* colorRow(int32_t y) const override;
    int32_t colorStride() const override { return static_cast<int32_t>(m_info.m_stride); }
    uint8_t* maskBits() const override { return m_mask.get(); }
    uint8_t* maskRow(int32_t y) const override;
    int32_t maskStride() const override { return m_maskStride; }
    bool encodeImage(const s::image::win::BufferedImage& image, int32_t bitCount, bool keepTransparency, uint8_t red, uint8_t green, uint8_t blue) override;

    // Decodes the entry's bytes (classic or PNG) from the start of data,
    // refusing a picture of more than maxPixels pixels before it is made.
    // True only when the whole picture was read.
    bool decodeEntry(s::archive::ByteStream& data, uint64_t maxPixels);

    // The header, colour table and strides as kept (the picture's height).
    const s::image::bmp::DibHeader& header() const { return m_info; }
    int32_t colorCount() const { return static_cast<int32_t>(m_info.m_colorCount); }
    int32_t colorTableBytes() const { return static_cast<int32_t>(m_info.m_colorTableBytes); }
    // Whether the entry came from (or is written as) a PNG stream.
    bool isPngStream() const { return m_fromPng; }
    Fault lastFault() const { return m_fault; }
    s::image::bmp::Fault bmpFault() const { return m_bmpFault; }

private:
    bool fail(Fault why);
    void clearPicture();
    bool allocate(const s::image::bmp::DibHeader& header);
    bool decodeClassic(const uint8_t* data, size_t size, uint64_t maxPixels);
    bool decodePng(s::archive::ByteStream& data, uint64_t maxPixels);
    void readMask(const uint8_t* data, size_t size, uint64_t offset);
    bool fillColors(const s::image::win::BufferedImage& working, int32_t bitCount);
    bool fillPalette(const s::image::win::BufferedImage& working, int32_t bitCount);
    void fillMask(const s::image::win::BufferedImage& working);
    bool encodeClassic(s::io::IOutputStream& out);
    bool encodePng(s::io::IOutputStream& out);

    // Header, colour table (1024 bytes, zero past the entries in use),
    // colour stride and counts; the height is the picture's.
    s::image::bmp::DibHeader m_info;
    std::unique_ptr<uint8_t[]> m_colorPixels;  // owned, colorStride x height, bottom row first
    size_t m_colorBytes = 0;
    std::unique_ptr<uint8_t[]> m_mask;  // owned, maskStride x height, bottom row first
    size_t m_maskBytes = 0;
    int32_t m_maskStride = 0;
    bool m_fromPng = false;
    Fault m_fault = Fault::kNone;
    s::image::bmp::Fault m_bmpFault = s::image::bmp::Fault::kNone;
};

}  // namespace s::image::ico::win
