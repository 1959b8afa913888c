#include "image/bmp/BmpFormat.h"

#include <cstdint>
#include <cstring>

#include "io/ByteWriter.h"

// Layout helpers shared by the reader and the writer, the creation of an empty
// DIB header, and the serialisation of a DIB as a file or an icon body.

namespace s::image::bmp {

uint64_t strideFor(uint64_t width, uint32_t bitCount, uint32_t planes)
{
    // Callers pass widths below 2^31 and at most 32 × 1 bits per pixel, so the
    // product stays far below 2^64.
    return ((uint64_t(bitCount) * planes * width + 31) >> 3) & ~uint64_t(3);
}

size_t bitsSize(const DibHeader& header)
{
    const int32_t height = header.m_infoHeader.m_height;
    if (height <= 0) return 0;
    const uint64_t n = uint64_t(header.m_stride) * uint64_t(height);
    return n <= SIZE_MAX ? static_cast<size_t>(n) : 0;
}

bool hasAlphaChannel(const DibHeader& header)
{
    return header.m_infoHeader.m_bitCount == 32 &&
           header.m_infoHeader.m_compression != kBiBitfields;
}

ColorMasks colorMasks(const DibHeader& header)
{
    ColorMasks masks;
    if (header.m_infoHeader.m_compression == kBiBitfields) {
        masks.m_red = header.m_colorTable[0];
        masks.m_green = header.m_colorTable[1];
        masks.m_blue = header.m_colorTable[2];
    } else if (header.m_infoHeader.m_bitCount == 16) {
        masks.m_red = 0x7C00;
        masks.m_green = 0x03E0;
        masks.m_blue = 0x001F;
    } else if (header.m_infoHeader.m_bitCount == 32) {
        masks.m_red = 0x00FF0000;
        masks.m_green = 0x0000FF00;
        masks.m_blue = 0x000000FF;
    }
    return masks;
}

namespace {

bool isWritableBitCount(uint32_t bitCount)
{
    switch (bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: return true;
    default: return false;
    }
}

void writeInfoHeader(io::ByteWriter& w, const InfoHeader& info)
{
    w.u32le(kInfoHeaderSize);  // only the 40-byte form is ever written
    w.s32le(info.m_width);
    w.s32le(info.m_height);
    w.u16le(info.m_planes);
    w.u16le(info.m_bitCount);
    w.u32le(info.m_compression);
    w.u32le(info.m_imageSize);
    w.s32le(info.m_horizontalResolution);
    w.s32le(info.m_verticalResolution);
    w.u32le(info.m_colorsUsed);
    w.u32le(info.m_importantColors);
}

bool isEmpty(const DibHeader& header)
{
    return header.m_infoHeader.m_width <= 0 || header.m_infoHeader.m_height <= 0 ||
           header.m_stride == 0;
}

bool fail(Fault& fault, Fault why)
{
    fault = why;
    return false;
}

// Everything before the rows. The header must be one that was created or
// parsed here, so that its stride and table size agree with its fields.
bool writeHeaders(const DibHeader& header, bool withFileHeader, std::vector<uint8_t>& out,
                  Fault& fault)
{
    // A file without a picture is not an output at all.
    if (isEmpty(header)) return fail(fault, Fault::kEmptyPicture);
    if (header.m_colorTableBytes > kColorTableCapacity) return fail(fault, Fault::kBadArgument);
    // Size and offset follow from what is written, whatever the record says,
    // so a record kept from a file with a longer header still gives a true file.
    const uint32_t offset = kFileHeaderSize + kInfoHeaderSize + header.m_colorTableBytes;
    const uint64_t fileSize = uint64_t(offset) + bitsSize(header);
    if (fileSize > UINT32_MAX) return fail(fault, Fault::kTooLarge);
    io::ByteWriter w(out);
    if (withFileHeader) {
        w.u16le(kFileType);
        w.u32le(static_cast<uint32_t>(fileSize));
        w.u16le(0);
        w.u16le(0);
        w.u32le(offset);
    }
    writeInfoHeader(w, header.m_infoHeader);
    for (uint32_t i = 0; i < header.m_colorTableBytes / 4; ++i) w.u32le(header.m_colorTable[i]);
    return true;
}

bool writeDib(const DibHeader& header, bool withFileHeader, const uint8_t* bits,
              size_t bitsCapacity, std::vector<uint8_t>& out, Fault& fault)
{
    fault = Fault::kNone;
    out.clear();
    const size_t need = bitsSize(header);
    if (!isEmpty(header) && (!bits || bitsCapacity < need)) return fail(fault, Fault::kBadArgument);
    if (!writeHeaders(header, withFileHeader, out, fault)) return false;
    out.insert(out.end(), bits, bits + need);
    return true;
}

}  // namespace

bool createHeader(int32_t width, int32_t height, uint32_t bitCount, DibHeader& header,
                  Fault& fault)
{
    fault = Fault::kNone;
    if (width < 0 || height < 0) return fail(fault, Fault::kBadArgument);
    if (!isWritableBitCount(bitCount)) return fail(fault, Fault::kBadBitCount);
    const uint64_t pixels = uint64_t(width) * uint64_t(height);
    if (pixels > kMaxPixels) return fail(fault, Fault::kTooLarge);
    const uint32_t colors = bitCount <= 8 ? (1u << bitCount) : 0;

    header = DibHeader();
    InfoHeader& info = header.m_infoHeader;
    info.m_width = width;
    info.m_height = height;
    info.m_bitCount = static_cast<uint16_t>(bitCount);
    // The picture's bytes without row padding, as this writer has always
    // stated them; readers take the size from the rows.
    info.m_imageSize = static_cast<uint32_t>((pixels * bitCount + 7) / 8);
    info.m_colorsUsed = colors;
    info.m_importantColors = colors;

    header.m_stride = static_cast<uint32_t>(strideFor(uint32_t(width), bitCount));
    header.m_colorCount = colors;
    header.m_colorTableBytes = colors * 4;

    const uint32_t headers = kFileHeaderSize + kInfoHeaderSize + header.m_colorTableBytes;
    header.m_fileHeader.m_fileSize = static_cast<uint32_t>(bitsSize(header)) + headers;
    header.m_fileHeader.m_pixelOffset = headers;
    return true;
}

bool encodeHeaders(const DibHeader& header, bool withFileHeader, std::vector<uint8_t>& out,
                   Fault& fault)
{
    fault = Fault::kNone;
    out.clear();
    return writeHeaders(header, withFileHeader, out, fault);
}

bool encodeFile(const DibHeader& header, const uint8_t* bits, size_t bitsCapacity,
                std::vector<uint8_t>& out, Fault& fault)
{
    const bool withFileHeader = true;
    return writeDib(header, withFileHeader, bits, bitsCapacity, out, fault);
}

bool encodeBody(const DibHeader& header, const uint8_t* bits, size_t bitsCapacity,
                std::vector<uint8_t>& out, Fault& fault)
{
    const bool withFileHeader = false;
    return writeDib(header, withFileHeader, bits, bitsCapacity, out, fault);
}

}  // namespace s::image::bmp
