#include "image/bmp/BmpFormat.h"

#include <cstdint>
#include <cstring>
#include <new>

#include "io/ByteReader.h"

// The reader: headers in stages (file header, info header by version, masks,
// colour table), then the pixels, copied or run-length expanded into the
// bottom-up rows a DIB section holds. Every size a header states is checked
// in 64 bits against the file and kMaxPixels before it is used.

namespace s::image::bmp {

namespace {

constexpr uint32_t kOs2V2HeaderSize = 64;
constexpr uint32_t kMaskBytes = 12;

// The header as the file states it, before it is cut to the 40 kept bytes.
struct RawHeader {
    InfoHeader m_info;
    bool m_core = false;       // 12-byte OS/2 header: 3-byte colour entries
    uint32_t m_masks[3] = {};  // red, green, blue with BI_BITFIELDS
};

bool fail(Fault& fault, Fault why)
{
    fault = why;
    return false;
}

bool readFileHeader(io::ByteReader& r, FileHeader& header, Fault& fault)
{
    header.m_type = r.u16le();
    header.m_fileSize = r.u32le();
    header.m_reserved1 = r.u16le();
    header.m_reserved2 = r.u16le();
    header.m_pixelOffset = r.u32le();
    if (!r.ok()) return fail(fault, Fault::kTruncatedHeader);
    // The file-size field is not checked: writers disagree about it, and the
    // real size is known anyway.
    if (header.m_type != kFileType) return fail(fault, Fault::kBadSignature);
    return true;
}

void readCoreHeader(io::ByteReader& r, RawHeader& raw)
{
    InfoHeader& info = raw.m_info;
    raw.m_core = true;
    info.m_width = r.u16le();
    info.m_height = r.u16le();
    info.m_planes = r.u16le();
    info.m_bitCount = r.u16le();
    info.m_compression = kBiRgb;
}

void readInfoFields(io::ByteReader& r, InfoHeader& info)
{
    info.m_width = r.s32le();
    info.m_height = r.s32le();
    info.m_planes = r.u16le();
    info.m_bitCount = r.u16le();
    info.m_compression = r.u32le();
    info.m_imageSize = r.u32le();
    info.m_horizontalResolution = r.s32le();
    info.m_verticalResolution = r.s32le();
    info.m_colorsUsed = r.u32le();
    info.m_importantColors = r.u32le();
}

void readMasks(io::ByteReader& r, RawHeader& raw)
{
    for (uint32_t& mask : raw.m_masks) mask = r.u32le();
}

bool isKnownHeaderSize(uint32_t size)
{
    switch (size) {
    case 12: case 40: case 52: case 56: case 64: case 108: case 124: return true;
    default: return false;
    }
}

// Reads the info header of any known version from the reader's position and
// leaves the reader after it, and after the masks that follow a 40-byte header.
bool readInfoHeader(io::ByteReader& r, RawHeader& raw, Fault& fault)
{
    const size_t start = r.position();
    const uint32_t size = r.u32le();
    if (!r.ok()) return fail(fault, Fault::kTruncatedHeader);
    if (!isKnownHeaderSize(size)) return fail(fault, Fault::kBadHeaderSize);
    if (!r.has(size - 4)) return fail(fault, Fault::kTruncatedHeader);
    raw.m_info.m_headerSize = size;
    if (size == kCoreHeaderSize) {
        readCoreHeader(r, raw);
        return true;
    }
    readInfoFields(r, raw.m_info);
    // From 52 bytes on the masks are part of the header (v2, v3, v4 and v5);
    // in the OS/2 2.x header the same bytes mean something else.
    if (size > kInfoHeaderSize && size != kOs2V2HeaderSize) readMasks(r, raw);
    r.seek(start + size);
    if (size == kInfoHeaderSize && raw.m_info.m_compression == kBiBitfields) {
        if (!r.has(kMaskBytes)) return fail(fault, Fault::kTruncatedHeader);
        readMasks(r, raw);
    }
    return r.ok() ? true : fail(fault, Fault::kTruncatedHeader);
}

bool isValidBitCount(const RawHeader& raw)
{
    switch (raw.m_info.m_bitCount) {
    case 1: case 4: case 8: case 24: return true;
    case 16: case 32: return !raw.m_core;
    default: return false;
    }
}

bool checkCompression(const RawHeader& raw, Fault& fault)
{
    const InfoHeader& info = raw.m_info;
    switch (info.m_compression) {
    case kBiRgb:
        return true;
    case kBiRle8:
        return info.m_bitCount == 8 ? true : fail(fault, Fault::kCompressionMismatch);
    case kBiRle4:
        return info.m_bitCount == 4 ? true : fail(fault, Fault::kCompressionMismatch);
    case kBiBitfields:
        // In an OS/2 2.x header compression 3 is Huffman 1D, not bit fields.
        if (info.m_headerSize == kOs2V2HeaderSize) return fail(fault, Fault::kUnsupportedCompression);
        return info.m_bitCount == 16 || info.m_bitCount == 32
                   ? true
                   : fail(fault, Fault::kCompressionMismatch);
    default:
        // JPEG, PNG and alpha bit fields are for printers and other platforms.
        return fail(fault, Fault::kUnsupportedCompression);
    }
}

bool isContiguous(uint32_t mask)
{
    if (mask == 0) return true;
    while ((mask & 1) == 0) mask >>= 1;
    return (mask & (mask + 1)) == 0;
}

// Masks decide where each channel's bits are; ones with gaps, overlaps or bits
// beyond the pixel would make every later shift meaningless.
bool checkMasks(const RawHeader& raw, Fault& fault)
{
    const uint32_t r = raw.m_masks[0], g = raw.m_masks[1], b = raw.m_masks[2];
    if ((r | g | b) == 0) return fail(fault, Fault::kBadMasks);
    if ((r & g) | (r & b) | (g & b)) return fail(fault, Fault::kBadMasks);
    if (raw.m_info.m_bitCount == 16 && ((r | g | b) >> 16) != 0) return fail(fault, Fault::kBadMasks);
    if (!isContiguous(r) || !isContiguous(g) || !isContiguous(b)) return fail(fault, Fault::kBadMasks);
    return true;
}

bool checkInfoHeader(const RawHeader& raw, Fault& fault)
{
    const InfoHeader& info = raw.m_info;
    if (info.m_planes != 1) return fail(fault, Fault::kBadPlanes);
    if (!checkCompression(raw, fault)) return false;
    if (!isValidBitCount(raw)) return fail(fault, Fault::kBadBitCount);
    if (info.m_width <= 0) return fail(fault, Fault::kBadWidth);
    // INT32_MIN has no positive counterpart; no real picture is that tall.
    if (info.m_height == 0 || info.m_height == INT32_MIN) return fail(fault, Fault::kBadHeight);
    if (info.m_height < 0 && (info.m_compression == kBiRle8 || info.m_compression == kBiRle4))
        return fail(fault, Fault::kTopDownCompressed);
    const uint64_t height = info.m_height < 0 ? uint64_t(-int64_t(info.m_height)) : uint64_t(info.m_height);
    if (uint64_t(info.m_width) * height > kMaxPixels) return fail(fault, Fault::kTooLarge);
    if (info.m_compression == kBiBitfields && !checkMasks(raw, fault)) return false;
    return true;
}

uint32_t declaredColors(const RawHeader& raw)
{
    const InfoHeader& info = raw.m_info;
    if (!raw.m_core && info.m_colorsUsed != 0) return info.m_colorsUsed;
    return info.m_bitCount <= 8 ? (1u << info.m_bitCount) : 0;
}

// Reads the colour table that starts at the reader's position into the kept
// table after the masks. A table that states more entries than the 256 kept
// is cut; one that does not fit in the file is refused.
bool readColorTable(io::ByteReader& r, const RawHeader& raw, DibHeader& header,
                    uint32_t& keptColors, Fault& fault)
{
    const uint32_t entrySize = raw.m_core ? 3 : 4;
    const uint32_t declared = declaredColors(raw);
    if (uint64_t(declared) * entrySize > r.remaining()) return fail(fault, Fault::kColorTableOutOfFile);
    const uint32_t maskEntries = raw.m_info.m_compression == kBiBitfields ? 3 : 0;
    for (uint32_t i = 0; i < maskEntries; ++i) header.m_colorTable[i] = raw.m_masks[i];
    keptColors = declared < kColorTableEntries - maskEntries ? declared : kColorTableEntries - maskEntries;
    for (uint32_t i = 0; i < keptColors; ++i) {
        const uint32_t blue = r.u8(), green = r.u8(), red = r.u8();
        const uint32_t reserved = entrySize == 4 ? r.u8() : 0;
        header.m_colorTable[maskEntries + i] = blue | (green << 8) | (red << 16) | (reserved << 24);
    }
    r.skip(size_t(declared - keptColors) * entrySize);
    header.m_colorCount = maskEntries + keptColors;
    header.m_colorTableBytes = header.m_colorCount * 4;
    return r.ok() ? true : fail(fault, Fault::kColorTableOutOfFile);
}

// The 40 bytes a DIB section is made from: positive height, uncompressed
// once run-length data is expanded, and no more colours than are kept, so the
// platform never reads beyond the kept table.
void keepInfoHeader(const RawHeader& raw, uint32_t keptColors, DibHeader& header)
{
    InfoHeader info = raw.m_info;
    info.m_headerSize = kInfoHeaderSize;
    if (info.m_height < 0) info.m_height = -info.m_height;
    header.m_stride = static_cast<uint32_t>(strideFor(uint32_t(info.m_width), info.m_bitCount));
    if (info.m_compression == kBiRle8 || info.m_compression == kBiRle4) {
        info.m_compression = kBiRgb;
        info.m_imageSize = static_cast<uint32_t>(uint64_t(header.m_stride) * uint32_t(info.m_height));
    }
    if (raw.m_core) info.m_colorsUsed = 0;
    if (info.m_colorsUsed > keptColors) info.m_colorsUsed = keptColors;
    if (info.m_importantColors > info.m_colorsUsed) info.m_importantColors = info.m_colorsUsed;
    header.m_infoHeader = info;
}

// Everything after the file header. headersEnd is where the headers and
// masks end (the colour table starts); the reader is left after the table.
bool readDibHeaders(io::ByteReader& r, DibHeader& header, PixelSource& source,
                    size_t& headersEnd, Fault& fault)
{
    RawHeader raw;
    if (!readInfoHeader(r, raw, fault)) return false;
    if (!checkInfoHeader(raw, fault)) return false;
    headersEnd = r.position();
    uint32_t keptColors = 0;
    if (!readColorTable(r, raw, header, keptColors, fault)) return false;
    keepInfoHeader(raw, keptColors, header);
    source.m_compression = raw.m_info.m_compression;
    source.m_topDown = raw.m_info.m_height < 0;
    return true;
}

void fillFileHeader(DibHeader& header)
{
    const uint32_t headers = kFileHeaderSize + kInfoHeaderSize + header.m_colorTableBytes;
    header.m_fileHeader = FileHeader();
    header.m_fileHeader.m_fileSize = static_cast<uint32_t>(bitsSize(header)) + headers;
    header.m_fileHeader.m_pixelOffset = headers;
}

// --- Pixels -----------------------------------------------------------------

// Uncompressed rows: the file's rows have the DIB's stride, so each is copied
// whole, to the mirrored row when the file is top-down.
bool copyRows(const uint8_t* data, size_t size, const DibHeader& header,
              const PixelSource& source, uint8_t* bits, Fault& fault)
{
    const uint32_t height = uint32_t(header.m_infoHeader.m_height);
    const size_t stride = header.m_stride;
    size_t available = size - source.m_offset;
    const uint8_t* from = data + source.m_offset;
    for (uint32_t i = 0; i < height && available > 0; ++i) {
        const size_t n = available < stride ? available : stride;
        const uint32_t row = source.m_topDown ? height - 1 - i : i;
        std::memcpy(bits + size_t(row) * stride, from, n);
        from += n;
        available -= n;
    }
    if (uint64_t(size - source.m_offset) < uint64_t(stride) * height) fault = Fault::kTruncatedPixels;
    return true;
}

// Run-length expansion, bottom row first. Pixels the codes skip keep index 0.
class RleExpander {
public:
    RleExpander(const DibHeader& header, bool fourBits, uint8_t* bits)
        : m_bits(bits), m_stride(header.m_stride), m_width(uint32_t(header.m_infoHeader.m_width)),
          m_height(uint32_t(header.m_infoHeader.m_height)), m_fourBits(fourBits) {}

    bool run(io::ByteReader& r, Fault& fault);

private:
    bool repeat(uint32_t count, uint8_t value, Fault& fault);
    bool absolute(io::ByteReader& r, uint32_t count, bool& truncated, Fault& fault);
    bool delta(io::ByteReader& r, bool& truncated, Fault& fault);
    bool room(uint32_t count, Fault& fault) const;
    void put(uint32_t x, uint8_t index);

    uint8_t* m_bits;  // not owned
    size_t m_stride;
    uint32_t m_width;
    uint32_t m_height;
    bool m_fourBits;
    uint32_t m_x = 0;
    uint32_t m_y = 0;
};

// Runs and literal groups must stay inside the row they start in: a run that
// wraps or goes past the top row is damage, not a picture.
bool RleExpander::room(uint32_t count, Fault& fault) const
{
    if (m_y >= m_height) return fail(fault, Fault::kRleRunPastPicture);
    if (count > m_width - m_x) return fail(fault, Fault::kRleRunPastRow);
    return true;
}

void RleExpander::put(uint32_t x, uint8_t index)
{
    uint8_t* row = m_bits + size_t(m_y) * m_stride;
    if (!m_fourBits) {
        row[x] = index;
        return;
    }
    uint8_t& b = row[x >> 1];
    b = (x & 1) ? uint8_t((b & 0xF0) | (index & 0x0F)) : uint8_t((b & 0x0F) | (index << 4));
}

bool RleExpander::repeat(uint32_t count, uint8_t value, Fault& fault)
{
    if (!room(count, fault)) return false;
    for (uint32_t i = 0; i < count; ++i) {
        // Four-bit runs alternate the byte's two nibbles.
        const uint8_t index = !m_fourBits ? value : (i & 1) ? (value & 0x0F) : (value >> 4);
        put(m_x + i, index);
    }
    m_x += count;
    return true;
}

bool RleExpander::absolute(io::ByteReader& r, uint32_t count, bool& truncated, Fault& fault)
{
    if (!room(count, fault)) return false;
    const size_t bytes = m_fourBits ? (size_t(count) + 1) / 2 : count;
    const size_t have = bytes < r.remaining() ? bytes : r.remaining();
    const uint8_t* src = r.view(have);
    const uint32_t pixels = m_fourBits ? (have * 2 < count ? uint32_t(have * 2) : count) : uint32_t(have);
    for (uint32_t i = 0; i < pixels; ++i) {
        const uint8_t index = !m_fourBits ? src[i] : (i & 1) ? (src[i >> 1] & 0x0F) : (src[i >> 1] >> 4);
        put(m_x + i, index);
    }
    m_x += pixels;
    if (have < bytes) {
        truncated = true;
        return true;
    }
    // Literal groups are padded to a 16-bit boundary; a missing pad byte at
    // the very end of the data loses nothing.
    if (bytes & 1) r.skip(r.remaining() ? 1 : 0);
    return true;
}

bool RleExpander::delta(io::ByteReader& r, bool& truncated, Fault& fault)
{
    if (!r.has(2)) {
        truncated = true;
        return true;
    }
    const uint32_t dx = r.u8(), dy = r.u8();
    if (dy > m_height - m_y) return fail(fault, Fault::kRleRunPastPicture);
    if (dx > m_width - m_x) return fail(fault, Fault::kRleRunPastRow);
    m_x += dx;
    m_y += dy;
    return true;
}

bool RleExpander::run(io::ByteReader& r, Fault& fault)
{
    bool truncated = false;
    bool decodedAny = false;
    while (!truncated) {
        if (!r.has(2)) {
            truncated = true;
            break;
        }
        const uint8_t count = r.u8(), code = r.u8();
        decodedAny = true;
        if (count != 0) {
            if (!repeat(count, code, fault)) return false;
            continue;
        }
        switch (code) {
        case 0:  // end of line
            m_x = 0;
            if (m_y < m_height) ++m_y;
            break;
        case 1:  // end of picture
            return true;
        case 2:
            if (!delta(r, truncated, fault)) return false;
            break;
        default:
            if (!absolute(r, code, truncated, fault)) return false;
            break;
        }
    }
    if (!decodedAny) return fail(fault, Fault::kNoPixelData);
    // Data that ends after the last row without the end code has lost nothing.
    if (m_y < m_height) fault = Fault::kTruncatedPixels;
    return true;
}

bool allocateBits(const DibHeader& header, Dib& dib, Fault& fault)
{
    const size_t n = bitsSize(header);
    // Zero-initialised, and nothrow: a machine that refuses the memory is a
    // clean failure, not a crash.
    dib.m_bits.reset(s::platform::allocateZeroed(n));
    if (!dib.m_bits) return fail(fault, Fault::kOutOfMemory);
    dib.m_bitsSize = n;
    return true;
}

}  // namespace

bool parseHeaders(const uint8_t* data, size_t size, DibHeader& header,
                  PixelSource& source, Fault& fault)
{
    fault = Fault::kNone;
    header = DibHeader();
    source = PixelSource();
    io::ByteReader r(data, size);
    if (!readFileHeader(r, header.m_fileHeader, fault)) return false;
    const FileHeader fileHeader = header.m_fileHeader;
    size_t headersEnd = 0;
    if (!readDibHeaders(r, header, source, headersEnd, fault)) return false;
    header.m_fileHeader = fileHeader;
    // Pixels may overlap a colour table that states too many entries, but
    // never the headers; and they must start inside the file.
    const uint32_t offset = fileHeader.m_pixelOffset;
    if (offset < headersEnd || offset > size) return fail(fault, Fault::kPixelOffsetOutOfRange);
    if (offset == size) return fail(fault, Fault::kNoPixelData);
    source.m_offset = offset;
    return true;
}

bool parseBodyHeaders(const uint8_t* data, size_t size, DibHeader& header,
                      PixelSource& source, Fault& fault)
{
    fault = Fault::kNone;
    header = DibHeader();
    source = PixelSource();
    io::ByteReader r(data, size);
    size_t headersEnd = 0;
    if (!readDibHeaders(r, header, source, headersEnd, fault)) return false;
    fillFileHeader(header);
    if (r.remaining() == 0) return fail(fault, Fault::kNoPixelData);
    source.m_offset = r.position();
    return true;
}

bool readPixels(const uint8_t* data, size_t size, const DibHeader& header,
                const PixelSource& source, uint8_t* bits, size_t bitsCapacity,
                Fault& fault)
{
    fault = Fault::kNone;
    const size_t need = bitsSize(header);
    if (!data || !bits || need == 0 || bitsCapacity < need) return fail(fault, Fault::kBadArgument);
    std::memset(bits, 0, need);
    if (source.m_offset >= size) return fail(fault, Fault::kNoPixelData);
    if (source.m_compression != kBiRle8 && source.m_compression != kBiRle4)
        return copyRows(data, size, header, source, bits, fault);
    io::ByteReader r(data, size);
    r.seek(source.m_offset);
    RleExpander expander(header, source.m_compression == kBiRle4, bits);
    return expander.run(r, fault);
}

bool parse(const uint8_t* data, size_t size, Dib& dib, Fault& fault)
{
    PixelSource source;
    dib.m_bits.reset();
    dib.m_bitsSize = 0;
    if (!parseHeaders(data, size, dib.m_header, source, fault)) return false;
    if (!allocateBits(dib.m_header, dib, fault)) return false;
    return readPixels(data, size, dib.m_header, source, dib.m_bits.get(), dib.m_bitsSize, fault);
}

bool parseBody(const uint8_t* data, size_t size, Dib& dib, Fault& fault)
{
    PixelSource source;
    dib.m_bits.reset();
    dib.m_bitsSize = 0;
    if (!parseBodyHeaders(data, size, dib.m_header, source, fault)) return false;
    if (!allocateBits(dib.m_header, dib, fault)) return false;
    return readPixels(data, size, dib.m_header, source, dib.m_bits.get(), dib.m_bitsSize, fault);
}

}  // namespace s::image::bmp
