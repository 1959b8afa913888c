#pragma once
#include "platform/ZeroedMemory.h"

// The Windows bitmap format without any platform: the records a Bitmap keeps
// beside its DIB section, the reader that turns a file into those records and
// bottom-up pixel rows at the file's own depth, the conversion of such rows to
// 32-bit 0xAARRGGBB pixels and back, and the serialisation of a DIB as a file.
//
// Read: 12-byte OS/2 core headers and 40/52/56/64/108/124-byte info headers;
// 1, 4, 8, 16, 24 and 32 bits per pixel; BI_RGB, BI_BITFIELDS (16 and 32 bits),
// BI_RLE8 and BI_RLE4; bottom-up and top-down. Everything is normalised to
// what a DIB section holds: a 40-byte header, positive height, rows bottom-up
// and uncompressed, and with BI_BITFIELDS the three masks in the first three
// colour-table entries, wherever the file kept them.
// Refused: other compressions (JPEG, PNG, OS/2 Huffman and RLE24, alpha bit
// fields), bit counts and header sizes, planes other than 1, pictures above
// kMaxPixels, tables and offsets outside the file.
//
// Written: a 14-byte file header, a 40-byte info header, BI_RGB, bottom-up, at
// 1, 4, 8, 16 (5-5-5), 24 or 32 bits per pixel.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace s::image::bmp {

constexpr uint16_t kFileType = 0x4D42;  // "BM"
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kColorTableEntries = 256;
constexpr uint32_t kColorTableCapacity = kColorTableEntries * 4;
// Pictures above this many pixels are refused before anything is allocated;
// at 32 bits per pixel that is 1 GiB.
constexpr uint64_t kMaxPixels = uint64_t(1) << 28;

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

// Why a read or write failed. Not shown to anyone: it lets tests check that a
// malformed file was refused for the intended reason and not by accident.
enum class Fault : uint8_t {
    kNone,
    kTruncatedHeader,       // the file ends inside the headers or masks
    kBadSignature,          // the file does not start with "BM"
    kBadHeaderSize,
    kBadWidth,              // zero or negative
    kBadHeight,             // zero
    kBadPlanes,
    kBadBitCount,
    kUnsupportedCompression,
    kCompressionMismatch,   // e.g. RLE8 on a 4-bit picture, bit fields on 8 bits
    kTopDownCompressed,     // run-length data cannot be stored top-down
    kBadMasks,              // bit fields that overlap, have gaps or exceed the pixel
    kTooLarge,              // above kMaxPixels
    kColorTableOutOfFile,
    kPixelOffsetOutOfRange, // inside the headers or past the end of the file
    kNoPixelData,
    kOutOfMemory,
    kRleRunPastRow,
    kRleRunPastPicture,
    // Not a failure: the picture is there but the file ended early, and the
    // rows or pixels it did not hold are zero. Comes with a true result.
    kTruncatedPixels,
    kEmptyPicture,          // nothing to write: width or height is 0
    kBadArgument,
};

struct FileHeader {
    uint16_t m_type = kFileType;
    uint32_t m_fileSize = kFileHeaderSize + kInfoHeaderSize;
    uint16_t m_reserved1 = 0;
    uint16_t m_reserved2 = 0;
    uint32_t m_pixelOffset = kFileHeaderSize + kInfoHeaderSize;
};

struct InfoHeader {
    uint32_t m_headerSize = kInfoHeaderSize;
    int32_t m_width = 0;
    int32_t m_height = 0;  // positive: rows are stored bottom-up
    uint16_t m_planes = 1;
    uint16_t m_bitCount = 32;
    uint32_t m_compression = kBiRgb;
    uint32_t m_imageSize = 0;
    int32_t m_horizontalResolution = 0;
    int32_t m_verticalResolution = 0;
    uint32_t m_colorsUsed = 0;
    uint32_t m_importantColors = 0;
};

// What a Bitmap keeps beside its pixel store. A default-made record is the
// empty 32-bit state a Bitmap has after reset().
struct DibHeader {
    FileHeader m_fileHeader;
    InfoHeader m_infoHeader;
    // Entries as stored in a file (blue, green, red, reserved), read as a
    // little-endian 32-bit value, so a colour is its low 24 bits. With
    // BI_BITFIELDS the first three entries are the red, green and blue masks,
    // as the platform expects them after a 40-byte header. Entries from
    // m_colorCount on are zero, so an index beyond the file's table reads as
    // black, never as memory.
    uint32_t m_colorTable[kColorTableEntries] = {};
    uint32_t m_stride = 0;
    uint32_t m_colorCount = 0;
    uint32_t m_colorTableBytes = 0;
};

// Where a parsed file keeps its pixels, and how.
struct PixelSource {
    size_t m_offset = 0;               // from the start of the given bytes
    uint32_t m_compression = kBiRgb;   // as in the file
    bool m_topDown = false;
};

// A DIB held in ordinary memory: the header and stride × height bytes.
struct Dib {
    DibHeader m_header;
    s::platform::ZeroedBytes m_bits;  // owned
    size_t m_bitsSize = 0;
};

struct ColorMasks {
    uint32_t m_red = 0;
    uint32_t m_green = 0;
    uint32_t m_blue = 0;
};

// --- Layout -----------------------------------------------------------------

// Bytes per stored row: the row rounded up to a multiple of 4 bytes. 64-bit,
// so no width a header can state overflows it.
uint64_t strideFor(uint64_t width, uint32_t bitCount, uint32_t planes = 1);
// stride × height of a header that was checked (parsed or created).
size_t bitsSize(const DibHeader& header);
// The platform takes alpha from a 32-bit DIB only when it is not BI_BITFIELDS.
bool hasAlphaChannel(const DibHeader& header);
// The masks the pixels are decoded with: the colour table's first entries with
// BI_BITFIELDS, else 5-5-5 for 16 bits and 8-8-8 for 32 bits.
ColorMasks colorMasks(const DibHeader& header);

// --- Reading ----------------------------------------------------------------

// Reads and checks a whole file's headers, masks and colour table. Nothing is
// allocated; the pixels are left to readPixels.
bool parseHeaders(const uint8_t* data, size_t size, DibHeader& header,
                  PixelSource& source, Fault& fault);
// The same for a bitmap without file header (an icon entry): the info header
// at data[0], the pixels right after the colour table. The file header is
// filled as createHeader fills it.
bool parseBodyHeaders(const uint8_t* data, size_t size, DibHeader& header,
                      PixelSource& source, Fault& fault);
// Fills bits (at least bitsSize(header) bytes) with the picture, bottom-up and
// uncompressed. Every byte is written: what the file does not hold is zero.
// True with kTruncatedPixels when the file ended inside the pixels.
bool readPixels(const uint8_t* data, size_t size, const DibHeader& header,
                const PixelSource& source, uint8_t* bits, size_t bitsCapacity,
                Fault& fault);
// parseHeaders, allocation and readPixels in one.
bool parse(const uint8_t* data, size_t size, Dib& dib, Fault& fault);
bool parseBody(const uint8_t* data, size_t size, Dib& dib, Fault& fault);

// --- To 32-bit pixels -----------------------------------------------------

// Converts the DIB to 0xAARRGGBB pixels; picture row y (0 at the top) goes to
// top + y × rowStride (in pixels; negative for a bottom-up store).
// Colours come from the colour table, the masks or the bytes; alpha is the
// stored alpha byte for a 32-bit DIB with an alpha channel when at least one
// such byte is not 0; otherwise pixels of the colour key (0x00RRGGBB, or -1
// for none) become alpha 0 and all others 255. hasAlpha tells whether some
// pixel ended below 255.
bool toArgb(const DibHeader& header, const uint8_t* bits, size_t bitsCapacity,
            uint32_t* top, ptrdiff_t rowStride, int32_t colorKey, bool& hasAlpha);

// --- Writing ----------------------------------------------------------------

// Fills the header of an empty DIB of that size and depth (compression BI_RGB,
// 2^bitCount colours up to 8 bits) and clears the colour table. 0 × 0 is the
// valid empty state; negative sizes, other depths and pictures above
// kMaxPixels are refused.
bool createHeader(int32_t width, int32_t height, uint32_t bitCount,
                  DibHeader& header, Fault& fault);

// Fills indexes[0 .. width) with the palette index of each pixel of one row.
using MapRowFunction = void (*)(void* context, const uint32_t* pixels,
                                uint32_t width, uint8_t* indexes);

// The colours chosen for a 1-, 4- or 8-bit picture and how pixels map to them.
struct PaletteMapping {
    const uint32_t* m_colors = nullptr;  // 0x00RRGGBB (alpha ignored); not owned
    uint32_t m_colorCount = 0;           // entries past 2^bitCount are ignored
    MapRowFunction m_mapRow = nullptr;
    void* m_context = nullptr;           // passed to m_mapRow; not owned
};

// Stores 32-bit pixels (row y at top + y × rowStride) into bits at the
// header's depth: 32 bits keep alpha, 24 bits drop it, 16 bits are 5-5-5, and
// 1, 4 and 8 bits take the palette's colours into the colour table (unused
// entries 0) and its indexes into the rows. Row padding is zero.
bool fromArgb(const uint32_t* top, ptrdiff_t rowStride, const PaletteMapping* palette,
              DibHeader& header, uint8_t* bits, size_t bitsCapacity, Fault& fault);

// Everything of the file before the rows, for a writer that sends the rows
// straight from its own store: the file header (when asked for), the 40-byte
// info header and the colour table. An empty picture gives no bytes and false.
bool encodeHeaders(const DibHeader& header, bool withFileHeader, std::vector<uint8_t>& out,
                   Fault& fault);
// The file as it is written: file header, 40-byte info header, colour table,
// rows. The size and offset fields are computed from what is written; an
// empty picture gives no bytes and false.
bool encodeFile(const DibHeader& header, const uint8_t* bits, size_t bitsCapacity,
                std::vector<uint8_t>& out, Fault& fault);
// The same without the file header (the body of an icon entry).
bool encodeBody(const DibHeader& header, const uint8_t* bits, size_t bitsCapacity,
                std::vector<uint8_t>& out, Fault& fault);

}  // namespace s::image::bmp
