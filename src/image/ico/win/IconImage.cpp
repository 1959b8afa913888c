#include "image/ico/win/IconImage.h"

#include <cstring>
#include <new>
#include <vector>

#include "archive/ByteStream.h"
#include "image/filters/reduction/Quantizer.h"
#include "image/png/win/Png.h"
#include "image/win/BufferedImage.h"
#include "io/IInputStream.h"
#include "io/StreamReading.h"
#include "thread/Pooled.h"

namespace s::image::ico::win {

using s::archive::ByteStream;
using s::image::win::BufferedImage;
using s::thread::Pooled;
namespace bmp = s::image::bmp;

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
constexpr uint32_t kOpaque = 0xFF000000u;
// Below this alpha a pixel is written transparent at depths without alpha.
constexpr uint32_t kAlphaThreshold = 32;

uint64_t maskStrideFor(uint64_t width)
{
    return ((width + 31) >> 3) & ~uint64_t(3);
}

bool startsWithPngSignature(const uint8_t* data, size_t size)
{
    return size > 7 && std::memcmp(data, kPngSignature, sizeof kPngSignature) == 0;
}

uint32_t u32be(const uint8_t* p)
{
    return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | p[3];
}

bool isWritableDepth(int32_t bitCount)
{
    switch (bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: return true;
    default: return false;
    }
}

bool anyBelowOpaque(const BufferedImage& image)
{
    for (int32_t y = 0; y < image.height(); ++y) {
        const uint32_t* line = image.row(y);
        for (int32_t x = 0; x < image.width(); ++x) {
            if (line[x] < kOpaque)
                return true;
        }
    }
    return false;
}

// Alpha cut for a depth that only has a mask: nearly transparent pixels
// become transparent black (black, so that the colour the mask lets through
// changes nothing on the screen), every other pixel opaque.
BufferedImage* thresholded(const BufferedImage& image)
{
    BufferedImage* copy = image.copyTo(nullptr);
    if (!copy)
        return nullptr;
    bool anyTransparent = false;
    for (int32_t y = 0; y < copy->height(); ++y) {
        uint32_t* line = copy->row(y);
        for (int32_t x = 0; x < copy->width(); ++x) {
            if ((line[x] >> 24) < kAlphaThreshold) {
                line[x] = 0;
                anyTransparent = true;
            } else {
                line[x] |= kOpaque;
            }
        }
    }
    copy->setHasAlpha(anyTransparent);
    return copy;
}

// The picture composed over an opaque background colour (0x00RRGGBB).
BufferedImage* flattened(const BufferedImage& image, uint32_t background)
{
    BufferedImage* canvas = BufferedImage::createImage(image.width(), image.height());
    if (!canvas)
        return nullptr;
    for (int32_t y = 0; y < canvas->height(); ++y) {
        uint32_t* line = canvas->row(y);
        for (int32_t x = 0; x < canvas->width(); ++x)
            line[x] = kOpaque | background;
    }
    canvas->drawImage(0, 0, image.width(), image.height(), image, 0, 0, false);
    canvas->setHasAlpha(false);
    return canvas;
}

// An image that says it has no alpha is opaque, whatever its alpha bytes hold.
BufferedImage* madeOpaque(const BufferedImage& image)
{
    BufferedImage* copy = image.copyTo(nullptr);
    if (!copy)
        return nullptr;
    for (int32_t y = 0; y < copy->height(); ++y) {
        uint32_t* line = copy->row(y);
        for (int32_t x = 0; x < copy->width(); ++x)
            line[x] |= kOpaque;
    }
    copy->setHasAlpha(false);
    return copy;
}

// The palette entry nearest to black: what a transparent pixel of a 1-bit
// picture shows through its mask, so it should change nothing on the screen.
uint8_t darkestIndex(const uint32_t* table, int32_t entries)
{
    uint8_t best = 0;
    uint32_t bestSum = UINT32_MAX;
    for (int32_t i = 0; i < entries; ++i) {
        const uint32_t c = table[i];
        const uint32_t sum = (c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF);
        if (sum < bestSum) {
            bestSum = sum;
            best = static_cast<uint8_t>(i);
        }
    }
    return best;
}

}  // namespace

void IconImage::reset()
{
    clearPicture();
    m_fault = Fault::kNone;
    m_bmpFault = bmp::Fault::kNone;
}

void IconImage::clearPicture()
{
    // An empty 32-bit header, as a freshly made entry has.
    m_info = bmp::DibHeader();
    m_colorPixels.reset();
    m_colorBytes = 0;
    m_mask.reset();
    m_maskBytes = 0;
    m_maskStride = 0;
    m_fromPng = false;
}

bool IconImage::fail(Fault why)
{
    m_fault = why;
    return false;
}

uint8_t* IconImage::colorRow(int32_t y) const
{
    if (!m_colorPixels || y < 0 || y >= height())
        return nullptr;
    return m_colorPixels.get() + size_t(height() - 1 - y) * m_info.m_stride;
}

uint8_t* IconImage::maskRow(int32_t y) const
{
    if (!m_mask || y < 0 || y >= height())
        return nullptr;
    return m_mask.get() + size_t(height() - 1 - y) * size_t(m_maskStride);
}

// Colour bits and mask for a header that was checked (sizes within the
// pixel cap), both zero.
bool IconImage::allocate(const bmp::DibHeader& header)
{
    const uint64_t w = uint64_t(header.m_infoHeader.m_width);
    const uint64_t h = uint64_t(header.m_infoHeader.m_height);
    const uint64_t maskStride = maskStrideFor(w);
    const size_t colorBytes = bmp::bitsSize(header);
    const uint64_t maskBytes = maskStride * h;
    if (colorBytes == 0 || maskBytes > SIZE_MAX)
        return fail(Fault::kTooLarge);
    m_colorPixels.reset(new (std::nothrow) uint8_t[colorBytes]());
    m_mask.reset(new (std::nothrow) uint8_t[size_t(maskBytes)]());
    if (!m_colorPixels || !m_mask) {
        clearPicture();
        return fail(Fault::kOutOfMemory);
    }
    m_info = header;
    m_colorBytes = colorBytes;
    m_maskBytes = size_t(maskBytes);
    m_maskStride = static_cast<int32_t>(maskStride);
    return true;
}

// --- Reading ------------------------------------------------------------------

bool IconImage::decode(s::io::IInputStream& in)
{
    clearPicture();
    std::vector<uint8_t> bytes;
    if (!s::io::readWholeStream(in, bytes, kMaxEntryBytes))
        return fail(Fault::kTooLong);
    ByteStream data;
    if (!data.resize(bytes.size()))
        return fail(Fault::kOutOfMemory);
    if (!bytes.empty())
        std::memcpy(data.data(), bytes.data(), bytes.size());
    std::vector<uint8_t>().swap(bytes);
    return decodeEntry(data, bmp::kMaxPixels);
}

bool IconImage::decodeEntry(ByteStream& data, uint64_t maxPixels)
{
    clearPicture();
    m_fault = Fault::kNone;
    m_bmpFault = bmp::Fault::kNone;
    data.rewind();
    const bool ok = startsWithPngSignature(data.data(), data.size()) ? decodePng(data, maxPixels)
                                                          : decodeClassic(data.data(), data.size(), maxPixels);
    data.rewind();
    return ok && m_fault == Fault::kNone;
}

bool IconImage::decodePng(ByteStream& data, uint64_t maxPixels)
{
    // The size is known from the header chunk before the library makes
    // anything, so a picture past what the icon may still hold is refused
    // before it is decoded.
    constexpr size_t kHeaderChunkEnd = 24;
    if (data.size() >= kHeaderChunkEnd && std::memcmp(data.data() + 12, "IHDR", 4) == 0) {
        const uint64_t pixels = uint64_t(u32be(data.data() + 16)) * u32be(data.data() + 20);
        if (pixels > maxPixels)
            return fail(Fault::kTooLarge);
    }
    Pooled<s::image::png::win::Png> png(s::image::png::win::Png::take());
    const bool complete = png->decode(data);
    data.rewind();
    // A stream that broke inside the pixels keeps the rows read before it.
    Pooled<BufferedImage> image(png->toImage(0, nullptr));
    png.clear();
    if (!image || image->width() <= 0 || image->height() <= 0)
        return fail(Fault::kPngFailed);
    if (uint64_t(image->width()) * uint64_t(image->height()) > maxPixels)
        return fail(Fault::kTooLarge);
    const bool keepTransparency = true;
    if (!encodeImage(*image, 32, keepTransparency, 255, 255, 255))
        return false;
    m_fromPng = true;
    if (!complete)
        m_fault = Fault::kTruncatedPixels;
    return true;
}

bool IconImage::decodeClassic(const uint8_t* data, size_t size, uint64_t maxPixels)
{
    // 1. The header and colour table, checked as a bitmap file's are: a
    //    table that does not fit in the entry, an unknown depth or
    //    compression, a picture above the pixel cap are refused here, and at
    //    most 256 colours are kept, whatever the header states.
    bmp::DibHeader header;
    bmp::PixelSource source;
    if (!bmp::parseBodyHeaders(data, size, header, source, m_bmpFault))
        return fail(Fault::kBadHeader);
    if (source.m_compression == bmp::kBiRle8 || source.m_compression == bmp::kBiRle4)
        return fail(Fault::kCompressed);
    if (source.m_topDown)
        return fail(Fault::kTopDown);
    // 2. The header's height counts the colour rows and the mask rows.
    const int32_t pictureHeight = header.m_infoHeader.m_height / 2;
    if (pictureHeight <= 0)
        return fail(Fault::kBadHeight);
    if (uint64_t(header.m_infoHeader.m_width) * uint64_t(pictureHeight) > maxPixels)
        return fail(Fault::kTooLarge);
    header.m_infoHeader.m_height = pictureHeight;
    // 3. Colour bits, then the mask right after them; what the entry does
    //    not hold stays zero.
    if (!allocate(header))
        return false;
    bmp::Fault pixelFault = bmp::Fault::kNone;
    if (!bmp::readPixels(data, size, m_info, source, m_colorPixels.get(), m_colorBytes, pixelFault)) {
        m_bmpFault = pixelFault;
        clearPicture();
        return fail(Fault::kBadHeader);
    }
    readMask(data, size, uint64_t(source.m_offset) + m_colorBytes);
    if (pixelFault == bmp::Fault::kTruncatedPixels)
        m_fault = Fault::kTruncatedPixels;
    return true;
}

void IconImage::readMask(const uint8_t* data, size_t size, uint64_t offset)
{
    const uint64_t available = offset < size ? size - offset : 0;
    const size_t n = available < m_maskBytes ? size_t(available) : m_maskBytes;
    if (n > 0)
        std::memcpy(m_mask.get(), data + offset, n);
    if (n < m_maskBytes)
        m_fault = Fault::kTruncatedPixels;
}

BufferedImage* IconImage::toImage(int32_t, BufferedImage* destination)
{
    if (!m_colorPixels || width() <= 0 || height() <= 0)
        return nullptr;
    Pooled<BufferedImage> made;
    BufferedImage* image = destination;
    if (image) {
        if (!image->allocate(width(), height()))
            return nullptr;
    } else {
        made.hold(BufferedImage::createImage(width(), height()));
        image = made.get();
        if (!image)
            return nullptr;
    }
    bool hasAlpha = false;
    if (bitCount() == 32 && m_info.m_infoHeader.m_compression == bmp::kBiRgb) {
        // The fourth byte is the alpha, even where it is 0 throughout; the
        // mask is not consulted.
        for (int32_t y = 0; y < height(); ++y) {
            const uint8_t* in = colorRow(y);
            uint32_t* out = image->row(y);
            for (int32_t x = 0; x < width(); ++x, in += 4) {
                out[x] = uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
                hasAlpha |= in[3] != 0xFF;
            }
        }
    } else {
        bool unused = false;
        const int32_t noColorKey = -1;
        const ptrdiff_t rowStride = -static_cast<ptrdiff_t>(image->capacityWidth());
        if (!bmp::toArgb(m_info, m_colorPixels.get(), m_colorBytes, image->row(0), rowStride, noColorKey, unused))
            return nullptr;
        // Pixels whose mask bit is set are transparent.
        for (int32_t y = 0; y < height(); ++y) {
            const uint8_t* mask = maskRow(y);
            uint32_t* out = image->row(y);
            for (int32_t x = 0; x < width(); ++x) {
                if (mask[x >> 3] & (0x80 >> (x & 7))) {
                    out[x] &= 0x00FFFFFFu;
                    hasAlpha = true;
                } else {
                    out[x] |= kOpaque;
                }
            }
        }
    }
    image->setHasAlpha(hasAlpha);
    made.take();
    return image;
}

s::image::IEncodedImage* IconImage::reencodeSet(s::image::win::BufferedImageSet&)
{
    return nullptr;
}

// --- Writing ------------------------------------------------------------------

bool IconImage::createStorage(int32_t w, int32_t h, int32_t bitCountValue)
{
    clearPicture();
    bmp::DibHeader header;
    if (!bmp::createHeader(w, h, static_cast<uint32_t>(bitCountValue), header, m_bmpFault))
        return fail(m_bmpFault == bmp::Fault::kTooLarge ? Fault::kTooLarge : Fault::kBadHeader);
    if (w == 0 || h == 0) {
        m_info = header;
        return true;
    }
    if (!allocate(header))
        return false;
    // The bytes the entry's pixels take, colour bits and mask together, as
    // readers that size their buffer from this field expect.
    m_info.m_infoHeader.m_imageSize = static_cast<uint32_t>(m_colorBytes + m_maskBytes);
    return true;
}

bool IconImage::encodeImage(const BufferedImage& image, int32_t bitCountValue, bool keepTransparency, uint8_t red, uint8_t green, uint8_t blue)
{
    m_fault = Fault::kNone;
    // Depths a picture cannot be stored at are written with full colour.
    const int32_t depth = isWritableDepth(bitCountValue) ? bitCountValue : 32;
    const uint32_t background = uint32_t(red) << 16 | uint32_t(green) << 8 | blue;
    // 1. The working picture.
    Pooled<BufferedImage> prepared;
    bool copied = true;
    if (image.hasAlpha() && keepTransparency && depth != 32)
        prepared.hold(thresholded(image));
    else if (image.hasAlpha() && !keepTransparency)
        prepared.hold(flattened(image, background));
    else if (!image.hasAlpha() && anyBelowOpaque(image))
        prepared.hold(madeOpaque(image));
    else
        copied = false;
    if (copied && !prepared) {
        clearPicture();
        return fail(Fault::kOutOfMemory);
    }
    const BufferedImage* working = copied ? prepared.get() : &image;
    if (working->width() <= 0 || working->height() <= 0) {
        clearPicture();
        return fail(Fault::kEmptyPicture);
    }
    // 2. Storage, colour bits, mask.
    if (!createStorage(working->width(), working->height(), depth))
        return false;
    if (!fillColors(*working, depth)) {
        clearPicture();
        return false;
    }
    fillMask(*working);
    return true;
}

bool IconImage::fillColors(const BufferedImage& working, int32_t depth)
{
    if (depth == 32) {
        const bool opaque = !working.hasAlpha();
        for (int32_t y = 0; y < height(); ++y) {
            const uint32_t* in = working.row(y);
            uint8_t* out = colorRow(y);
            for (int32_t x = 0; x < width(); ++x, out += 4) {
                const uint32_t p = opaque ? (in[x] | kOpaque) : in[x];
                out[0] = uint8_t(p);
                out[1] = uint8_t(p >> 8);
                out[2] = uint8_t(p >> 16);
                out[3] = uint8_t(p >> 24);
            }
        }
        return true;
    }
    if (depth <= 8)
        return fillPalette(working, depth);
    // 16 and 24 bits: the colours as they are (transparent pixels are black
    // after the alpha cut).
    const ptrdiff_t rowStride = -static_cast<ptrdiff_t>(working.capacityWidth());
    if (!bmp::fromArgb(working.row(0), rowStride, nullptr, m_info, m_colorPixels.get(), m_colorBytes, m_bmpFault))
        return fail(Fault::kBadHeader);
    return true;
}

bool IconImage::fillPalette(const BufferedImage& working, int32_t depth)
{
    using s::image::filters::reduction::Quantizer;
    // Index n stays black for the pixels the mask makes transparent, so at
    // most n = 2^depth - 1 colours come from the picture. One bit keeps both
    // colours: with one, a black-and-white icon would turn one grey.
    const int32_t colors = depth == 1 ? 2 : (1 << depth) - 1;
    Pooled<Quantizer> quantizer(Quantizer::take());
    const ptrdiff_t rowStride = -static_cast<ptrdiff_t>(working.capacityWidth());
    if (!quantizer->quantize(working.row(0), working.width(), working.height(), rowStride, colors))
        return fail(Fault::kOutOfMemory);
    const int32_t produced = quantizer->colorCount() < colors ? quantizer->colorCount() : colors;
    for (int32_t i = 0; i < produced; ++i)
        m_info.m_colorTable[i] = quantizer->palette()[i] & 0x00FFFFFFu;
    if (depth != 1) {
        for (int32_t y = 0; y < height(); ++y)
            quantizer->mapRow(working.row(y), width(), colorRow(y), depth);
        return true;
    }
    // One bit: map at 8 bits, then pack, leftmost pixel in the high bit.
    const uint8_t transparentIndex = darkestIndex(m_info.m_colorTable, 2);
    std::unique_ptr<uint8_t[]> indexes(new (std::nothrow) uint8_t[size_t(width())]);
    if (!indexes)
        return fail(Fault::kOutOfMemory);
    for (int32_t y = 0; y < height(); ++y) {
        quantizer->mapRow(working.row(y), width(), indexes.get(), 8);
        uint8_t* out = colorRow(y);
        for (int32_t x = 0; x < width(); ++x) {
            const uint8_t index = indexes[x] >= 2 ? transparentIndex : indexes[x];
            if (index)
                out[x >> 3] |= uint8_t(0x80 >> (x & 7));
        }
    }
    return true;
}

void IconImage::fillMask(const BufferedImage& working)
{
    std::memset(m_mask.get(), 0, m_maskBytes);
    if (!working.hasAlpha())
        return;
    for (int32_t y = 0; y < height(); ++y) {
        const uint32_t* in = working.row(y);
        uint8_t* mask = maskRow(y);
        for (int32_t x = 0; x < width(); ++x) {
            if ((in[x] >> 24) == 0)
                mask[x >> 3] |= uint8_t(0x80 >> (x & 7));
        }
    }
}

bool IconImage::encode(s::io::IOutputStream& out)
{
    if (!m_colorPixels || width() <= 0 || height() <= 0)
        return fail(Fault::kEmptyPicture);
    if (width() > kMaxClassicSide || height() > kMaxClassicSide)
        return encodePng(out);
    return encodeClassic(out);
}

bool IconImage::encodeClassic(s::io::IOutputStream& out)
{
    // The header states the colour rows and the mask rows as one height.
    bmp::DibHeader doubled = m_info;
    doubled.m_infoHeader.m_height = height() * 2;
    doubled.m_infoHeader.m_imageSize = static_cast<uint32_t>(m_colorBytes + m_maskBytes);
    std::vector<uint8_t> head;
    const bool withFileHeader = false;
    if (!bmp::encodeHeaders(doubled, withFileHeader, head, m_bmpFault))
        return fail(Fault::kBadHeader);
    if (!s::io::writeAll(out, head.data(), head.size()) || !s::io::writeAll(out, m_colorPixels.get(), m_colorBytes) ||
        !s::io::writeAll(out, m_mask.get(), m_maskBytes))
        return fail(Fault::kWriteFailed);
    return true;
}

bool IconImage::encodePng(s::io::IOutputStream& out)
{
    Pooled<BufferedImage> image(toImage(0, nullptr));
    if (!image)
        return fail(Fault::kOutOfMemory);
    Pooled<s::image::png::win::Png> png(s::image::png::win::Png::take());
    const bool interlace = false;
    const bool keepTransparency = true;
    if (!png->encodeImage(*image, interlace, keepTransparency, 255, 255, 255) || !png->encode(out))
        return fail(Fault::kWriteFailed);
    return true;
}

}  // namespace s::image::ico::win
