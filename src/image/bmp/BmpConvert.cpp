#include "image/bmp/BmpFormat.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

// Conversion between a DIB at any depth and 32-bit 0xAARRGGBB rows. On
// Windows the platform's bit-block transfer would do the colour part; it is
// done here instead so that both builds give the same pixels.

namespace s::image::bmp {

namespace {

// One colour channel of a bit-field pixel. Fields narrower than 8 bits are
// widened by repeating their bits (5 bits abcde give abcdeabc), so the
// largest value is 255 and 0 stays 0; wider fields keep their top 8 bits.
class Channel {
public:
    explicit Channel(uint32_t mask)
    {
        if (mask == 0) return;
        while (((mask >> m_shift) & 1) == 0) ++m_shift;
        while (m_length < 32 - m_shift && ((mask >> (m_shift + m_length)) & 1)) ++m_length;
        if (m_length >= 8) return;
        for (uint32_t v = 0; v < (1u << m_length); ++v) {
            uint32_t bits = v, filled = m_length;
            while (filled < 8) {
                bits = (bits << m_length) | v;
                filled += m_length;
            }
            m_widen[v] = static_cast<uint8_t>(bits >> (filled - 8));
        }
    }

    uint32_t operator()(uint32_t pixel) const
    {
        if (m_length == 0) return 0;
        const uint32_t field = (pixel >> m_shift) & (m_length >= 32 ? ~0u : ((1u << m_length) - 1));
        return m_length >= 8 ? field >> (m_length - 8) : m_widen[field];
    }

private:
    uint32_t m_shift = 0;
    uint32_t m_length = 0;
    uint8_t m_widen[128] = {};
};

// Converts stored rows to colours with alpha 0, except 32-bit pixels with an
// alpha channel, which keep their stored fourth byte for the alpha pass.
class RowConverter {
public:
    explicit RowConverter(const DibHeader& header)
        : m_bitCount(header.m_infoHeader.m_bitCount),
          m_width(uint32_t(header.m_infoHeader.m_width)),
          m_rawAlpha(hasAlphaChannel(header)),
          m_red(colorMasks(header).m_red),
          m_green(colorMasks(header).m_green),
          m_blue(colorMasks(header).m_blue)
    {
        // Entries past the file's table are zero in the header: black.
        for (uint32_t i = 0; i < kColorTableEntries; ++i) m_palette[i] = header.m_colorTable[i] & 0x00FFFFFF;
    }

    void convert(const uint8_t* src, uint32_t* dst) const
    {
        switch (m_bitCount) {
        case 1: indexed1(src, dst); break;
        case 4: indexed4(src, dst); break;
        case 8: indexed8(src, dst); break;
        case 16: fields16(src, dst); break;
        case 24: bgr24(src, dst); break;
        case 32: m_rawAlpha ? bgra32(src, dst) : fields32(src, dst); break;
        default: break;  // refused before any row is converted
        }
    }

private:
    void indexed1(const uint8_t* src, uint32_t* dst) const
    {
        for (uint32_t x = 0; x < m_width; ++x) dst[x] = m_palette[(src[x >> 3] >> (7 - (x & 7))) & 1];
    }
    void indexed4(const uint8_t* src, uint32_t* dst) const
    {
        for (uint32_t x = 0; x < m_width; ++x) dst[x] = m_palette[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 0x0F];
    }
    void indexed8(const uint8_t* src, uint32_t* dst) const
    {
        for (uint32_t x = 0; x < m_width; ++x) dst[x] = m_palette[src[x]];
    }
    uint32_t fromFields(uint32_t pixel) const
    {
        return (m_red(pixel) << 16) | (m_green(pixel) << 8) | m_blue(pixel);
    }
    void fields16(const uint8_t* src, uint32_t* dst) const
    {
        for (uint32_t x = 0; x < m_width; ++x, src += 2) dst[x] = fromFields(uint32_t(src[0]) | (uint32_t(src[1]) << 8));
    }
    void bgr24(const uint8_t* src, uint32_t* dst) const
    {
        for (uint32_t x = 0; x < m_width; ++x, src += 3)
            dst[x] = uint32_t(src[0]) | (uint32_t(src[1]) << 8) | (uint32_t(src[2]) << 16);
    }
    static uint32_t le32(const uint8_t* p)
    {
        return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
    }
    void bgra32(const uint8_t* src, uint32_t* dst) const
    {
        for (uint32_t x = 0; x < m_width; ++x, src += 4) dst[x] = le32(src);
    }
    void fields32(const uint8_t* src, uint32_t* dst) const
    {
        for (uint32_t x = 0; x < m_width; ++x, src += 4) dst[x] = fromFields(le32(src));
    }

    uint32_t m_bitCount;
    uint32_t m_width;
    bool m_rawAlpha;
    Channel m_red;
    Channel m_green;
    Channel m_blue;
    uint32_t m_palette[kColorTableEntries];
};

// A 32-bit DIB whose alpha bytes are all 0 was written by something that did
// not know about alpha: it is opaque, not invisible.
bool keepStoredAlpha(uint32_t* top, ptrdiff_t rowStride, uint32_t width, uint32_t height,
                     bool& hasAlpha)
{
    bool anyNonZero = false, anyBelowOpaque = false;
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t* row = top + ptrdiff_t(y) * rowStride;
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t alpha = row[x] >> 24;
            anyNonZero |= alpha != 0;
            anyBelowOpaque |= alpha != 255;
        }
    }
    if (anyNonZero) hasAlpha = anyBelowOpaque;
    return anyNonZero;
}

void applyColorKey(uint32_t* top, ptrdiff_t rowStride, uint32_t width, uint32_t height,
                   int32_t colorKey, bool& hasAlpha)
{
    const bool keyed = colorKey >= 0;
    const uint32_t key = uint32_t(colorKey) & 0x00FFFFFF;
    for (uint32_t y = 0; y < height; ++y) {
        uint32_t* row = top + ptrdiff_t(y) * rowStride;
        for (uint32_t x = 0; x < width; ++x) {
            const uint32_t color = row[x] & 0x00FFFFFF;
            const bool match = keyed && color == key;
            hasAlpha |= match;
            row[x] = match ? color : (color | 0xFF000000u);
        }
    }
}

// --- Writing ----------------------------------------------------------------

void packIndexes(const uint8_t* indexes, uint32_t width, uint32_t bitCount, uint8_t* dst)
{
    if (bitCount == 8) {
        std::memcpy(dst, indexes, width);
        return;
    }
    const uint32_t perByte = 8 / bitCount;
    const uint32_t mask = (1u << bitCount) - 1;
    for (uint32_t x = 0; x < width; ++x) {
        const uint32_t shift = 8 - bitCount * (x % perByte + 1);
        dst[x / perByte] = uint8_t(dst[x / perByte] | ((indexes[x] & mask) << shift));
    }
}

void storeRow(const uint32_t* src, uint32_t width, uint32_t bitCount, uint8_t* dst)
{
    for (uint32_t x = 0; x < width; ++x) {
        const uint32_t p = src[x];
        switch (bitCount) {
        case 16: {
            // 5-5-5: the top bits of each channel, the 16th bit clear.
            const uint32_t v = ((p >> 9) & 0x7C00) | ((p >> 6) & 0x03E0) | ((p >> 3) & 0x001F);
            dst[2 * x] = uint8_t(v);
            dst[2 * x + 1] = uint8_t(v >> 8);
            break;
        }
        case 24:
            dst[3 * x] = uint8_t(p);
            dst[3 * x + 1] = uint8_t(p >> 8);
            dst[3 * x + 2] = uint8_t(p >> 16);
            break;
        default:  // 32: alpha is written as the picture has it
            dst[4 * x] = uint8_t(p);
            dst[4 * x + 1] = uint8_t(p >> 8);
            dst[4 * x + 2] = uint8_t(p >> 16);
            dst[4 * x + 3] = uint8_t(p >> 24);
            break;
        }
    }
}

bool fail(Fault& fault, Fault why)
{
    fault = why;
    return false;
}

bool storeIndexed(const uint32_t* top, ptrdiff_t rowStride, const PaletteMapping& palette,
                  DibHeader& header, uint8_t* bits, Fault& fault)
{
    const uint32_t width = uint32_t(header.m_infoHeader.m_width);
    const uint32_t height = uint32_t(header.m_infoHeader.m_height);
    const uint32_t bitCount = header.m_infoHeader.m_bitCount;
    std::unique_ptr<uint8_t[]> indexes(new (std::nothrow) uint8_t[width]());
    if (!indexes) return fail(fault, Fault::kOutOfMemory);

    // The table keeps the header's size (2^bitCount entries); colours the
    // palette does not fill stay 0, 0, 0, 0.
    std::memset(header.m_colorTable, 0, sizeof header.m_colorTable);
    uint32_t colors = palette.m_colorCount < (1u << bitCount) ? palette.m_colorCount : (1u << bitCount);
    if (colors > header.m_colorCount) colors = header.m_colorCount;
    for (uint32_t i = 0; i < colors; ++i) header.m_colorTable[i] = palette.m_colors[i] & 0x00FFFFFF;

    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t* src = top + ptrdiff_t(y) * rowStride;
        std::memset(indexes.get(), 0, width);
        palette.m_mapRow(palette.m_context, src, width, indexes.get());
        packIndexes(indexes.get(), width, bitCount, bits + size_t(height - 1 - y) * header.m_stride);
    }
    return true;
}

}  // namespace

bool toArgb(const DibHeader& header, const uint8_t* bits, size_t bitsCapacity,
            uint32_t* top, ptrdiff_t rowStride, int32_t colorKey, bool& hasAlpha)
{
    hasAlpha = false;
    const InfoHeader& info = header.m_infoHeader;
    if (info.m_width <= 0 || info.m_height <= 0) return false;
    const size_t need = bitsSize(header);
    if (!bits || !top || need == 0 || bitsCapacity < need) return false;
    if (header.m_stride < strideFor(uint32_t(info.m_width), info.m_bitCount)) return false;
    if (info.m_compression != kBiRgb && info.m_compression != kBiBitfields) return false;

    const uint32_t width = uint32_t(info.m_width), height = uint32_t(info.m_height);
    switch (info.m_bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return false;
    }
    const RowConverter converter(header);
    for (uint32_t y = 0; y < height; ++y)
        converter.convert(bits + size_t(height - 1 - y) * header.m_stride, top + ptrdiff_t(y) * rowStride);

    if (hasAlphaChannel(header) && keepStoredAlpha(top, rowStride, width, height, hasAlpha)) return true;
    applyColorKey(top, rowStride, width, height, colorKey, hasAlpha);
    return true;
}

bool fromArgb(const uint32_t* top, ptrdiff_t rowStride, const PaletteMapping* palette,
              DibHeader& header, uint8_t* bits, size_t bitsCapacity, Fault& fault)
{
    fault = Fault::kNone;
    const InfoHeader& info = header.m_infoHeader;
    if (info.m_width <= 0 || info.m_height <= 0) return fail(fault, Fault::kEmptyPicture);
    const size_t need = bitsSize(header);
    if (!top || !bits || need == 0 || bitsCapacity < need || info.m_compression != kBiRgb ||
        header.m_stride < strideFor(uint32_t(info.m_width), info.m_bitCount))
        return fail(fault, Fault::kBadArgument);
    const uint32_t bitCount = info.m_bitCount;
    // Row padding and anything a mapper leaves out are zero, never old memory.
    std::memset(bits, 0, need);

    switch (bitCount) {
    case 1: case 4: case 8:
        if (!palette || !palette->m_mapRow || (palette->m_colorCount && !palette->m_colors))
            return fail(fault, Fault::kBadArgument);
        return storeIndexed(top, rowStride, *palette, header, bits, fault);
    case 16: case 24: case 32:
        break;
    default:
        return fail(fault, Fault::kBadBitCount);
    }
    const uint32_t width = uint32_t(info.m_width), height = uint32_t(info.m_height);
    for (uint32_t y = 0; y < height; ++y)
        storeRow(top + ptrdiff_t(y) * rowStride, width, bitCount, bits + size_t(height - 1 - y) * header.m_stride);
    return true;
}

}  // namespace s::image::bmp
