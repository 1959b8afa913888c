#pragma once
#include <cstdint>

#include "image/bmp/BmpFormat.h"
#include "image/bmp/IBitmap.h"
#include "thread/PooledBy.h"

namespace s::image::bmp::win {

// A Windows bitmap file: its headers and colour table as the file has them
// (normalised to a 40-byte header) and its pixels at the file's own depth.
// Reads 1/4/8/16/24/32-bit files, BI_RGB, bit fields, RLE8/RLE4, top-down
// and OS/2 core headers; writes uncompressed bottom-up files at 1, 4, 8, 16,
// 24 or 32 bits.
class Bitmap : public IBitmap, public s::thread::PooledBy<Bitmap> {
public:
    // Largest file read into memory: the biggest picture the image model
    // accepts at 32 bits, plus headers.
    static constexpr uint64_t kMaxFileBytes = (uint64_t(1) << 30) + (uint64_t(1) << 20);

    Bitmap() = default;

    const char16_t* className() const override { return u"s_image_bmp_win_Bitmap"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    int32_t width() const override { return m_dib.m_header.m_infoHeader.m_width; }
    int32_t height() const override { return m_dib.m_header.m_infoHeader.m_height; }
    const char16_t* fileExtension() const override { return u".bmp"; }
    s::image::win::BufferedImage* toImage(int32_t index, s::image::win::BufferedImage* destination) override;
    bool encode(s::io::IOutputStream& out) override;
    bool decode(s::io::IInputStream& in) override;
    int32_t bitDepthAt(int32_t) const override { return bitCount(); }
    // Nothing was decoded (an empty picture counts as none).
    int32_t imageCount() const override { return m_dib.m_bits ? 1 : 0; }
    s::image::IEncodedImage* reencodeSet(s::image::win::BufferedImageSet& set) override;
    s::image::IEncodedImage* reencodeImage(const s::image::win::BufferedImage& image) override;

    bool createBitmap(int32_t width, int32_t height, int32_t bitCount) override;
    int32_t bitCount() const override { return m_dib.m_header.m_infoHeader.m_bitCount; }
    int32_t stride() const override { return static_cast<int32_t>(m_dib.m_header.m_stride); }
    bool hasAlphaChannel() const override { return s::image::bmp::hasAlphaChannel(m_dib.m_header); }
    bool hasColorTable() const override { return m_dib.m_header.m_colorCount != 0; }
    int32_t colorCount() const override { return static_cast<int32_t>(m_dib.m_header.m_colorCount); }
    int32_t colorTableBytes() const override { return static_cast<int32_t>(m_dib.m_header.m_colorTableBytes); }
    const uint32_t* colorTable() const override { return m_dib.m_header.m_colorTable; }
    uint8_t* row(int32_t y) const override;
    uint8_t* bits() const override { return m_dib.m_bits.get(); }
    bool hasColorKey() const override { return m_colorKey != -1; }
    void setColorKey(uint8_t red, uint8_t green, uint8_t blue) override { m_colorKey = (red << 16) | (green << 8) | blue; }
    bool encodeBody(s::io::IOutputStream& out) override;
    bool decodeBody(s::io::IInputStream& in) override;
    bool encodeImage(const s::image::win::BufferedImage& image, int32_t bitDepth, bool keepTransparency, uint8_t red, uint8_t green, uint8_t blue) override;

    const DibHeader& header() const { return m_dib.m_header; }
    // Why the last decode or encode failed (or kTruncatedPixels for a
    // picture read in part).
    Fault lastFault() const { return m_lastFault; }

private:
    bool decodeBytes(const uint8_t* data, size_t size, bool withFileHeader);
    bool writeFile(s::io::IOutputStream& out, bool withFileHeader);

    Dib m_dib;
    int32_t m_colorKey = -1;
    Fault m_lastFault = Fault::kNone;
};

}  // namespace s::image::bmp::win
