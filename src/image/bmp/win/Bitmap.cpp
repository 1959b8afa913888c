#include "image/bmp/win/Bitmap.h"

#include <cstring>
#include <new>
#include <vector>

#include "image/bmp/EncodeSetting.h"
#include "image/filters/reduction/Quantizer.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "io/StreamReading.h"
#include "thread/Pooled.h"

namespace s::image::bmp::win {

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

void Bitmap::reset()
{
    m_dib = Dib();
    m_colorKey = -1;
    m_lastFault = Fault::kNone;
}

uint8_t* Bitmap::row(int32_t y) const
{
    return m_dib.m_bits.get() + static_cast<size_t>(height() - 1 - y) * m_dib.m_header.m_stride;
}

bool Bitmap::createBitmap(int32_t w, int32_t h, int32_t bitCount)
{
    m_dib = Dib();
    if (!s::image::bmp::createHeader(w, h, static_cast<uint32_t>(bitCount), m_dib.m_header, m_lastFault))
        return false;
    const size_t size = bitsSize(m_dib.m_header);
    if (size == 0)
        return true;
    m_dib.m_bits.reset(s::platform::allocateZeroed(size));
    if (!m_dib.m_bits) {
        m_dib = Dib();
        m_lastFault = Fault::kOutOfMemory;
        return false;
    }
    m_dib.m_bitsSize = size;
    return true;
}

bool Bitmap::decodeBytes(const uint8_t* data, size_t size, bool withFileHeader)
{
    m_dib = Dib();
    m_lastFault = Fault::kNone;
    const bool ok = withFileHeader ? parse(data, size, m_dib, m_lastFault) : parseBody(data, size, m_dib, m_lastFault);
    if (!ok) {
        m_dib = Dib();
        return false;
    }
    // A picture cut short is kept (its missing rows are zero) but reported.
    return m_lastFault != Fault::kTruncatedPixels;
}

bool Bitmap::decode(s::io::IInputStream& in)
{
    std::vector<uint8_t> data;
    if (!s::io::readWholeStream(in, data, kMaxFileBytes)) {
        m_dib = Dib();
        m_lastFault = Fault::kTooLarge;
        return false;
    }
    return decodeBytes(data.data(), data.size(), true);
}

bool Bitmap::decodeBody(s::io::IInputStream& in)
{
    std::vector<uint8_t> data;
    if (!s::io::readWholeStream(in, data, kMaxFileBytes)) {
        m_dib = Dib();
        m_lastFault = Fault::kTooLarge;
        return false;
    }
    return decodeBytes(data.data(), data.size(), false);
}

bool Bitmap::writeFile(s::io::IOutputStream& out, bool withFileHeader)
{
    std::vector<uint8_t> head;
    if (!m_dib.m_bits || !encodeHeaders(m_dib.m_header, withFileHeader, head, m_lastFault))
        return false;
    // The rows go out straight from the store, bottom row first as stored.
    return s::io::writeAll(out, head.data(), head.size()) && s::io::writeAll(out, m_dib.m_bits.get(), bitsSize(m_dib.m_header));
}

bool Bitmap::encode(s::io::IOutputStream& out) { return writeFile(out, true); }
bool Bitmap::encodeBody(s::io::IOutputStream& out) { return writeFile(out, false); }

BufferedImage* Bitmap::toImage(int32_t, BufferedImage* destination)
{
    if (!m_dib.m_bits || width() <= 0 || height() <= 0)
        return nullptr;
    BufferedImage* image = destination;
    if (image) {
        image->setSize(0, 0);
        if (!image->reserve(width(), height()))
            return nullptr;
        image->setSize(width(), height());
    } else {
        image = BufferedImage::createImage(width(), height());
        if (!image)
            return nullptr;
    }
    bool hasAlpha = false;
    const ptrdiff_t rowStride = -static_cast<ptrdiff_t>(image->capacityWidth());
    if (!toArgb(m_dib.m_header, m_dib.m_bits.get(), m_dib.m_bitsSize, image->row(0), rowStride, m_colorKey, hasAlpha)) {
        if (!destination)
            image->release();
        return nullptr;
    }
    image->setHasAlpha(hasAlpha);
    return image;
}

namespace {

bool anyBelowOpaque(const BufferedImage& image)
{
    for (int32_t y = 0; y < image.height(); ++y) {
        const uint32_t* line = image.row(y);
        for (int32_t x = 0; x < image.width(); ++x) {
            if (line[x] < 0xFF000000u)
                return true;
        }
    }
    return false;
}

// The picture on an opaque background, as a new pooled image.
BufferedImage* flattened(const BufferedImage& image, uint32_t background)
{
    BufferedImage* canvas = BufferedImage::createImage(image.width(), image.height());
    if (!canvas)
        return nullptr;
    for (int32_t y = 0; y < canvas->height(); ++y) {
        uint32_t* line = canvas->row(y);
        for (int32_t x = 0; x < canvas->width(); ++x)
            line[x] = 0xFF000000u | background;
    }
    BufferedImage source;
    // Blend by alpha even when the flag was not kept in step with the pixels.
    image.copyTo(&source);
    source.setHasAlpha(true);
    canvas->drawImage(0, 0, image.width(), image.height(), source, 0, 0, false);
    canvas->setHasAlpha(false);
    return canvas;
}

// Fully transparent pixels take the background colour and keep alpha 0.
BufferedImage* withTransparentColor(const BufferedImage& image, uint32_t background)
{
    BufferedImage* copy = image.copyTo(nullptr);
    if (!copy)
        return nullptr;
    for (int32_t y = 0; y < copy->height(); ++y) {
        uint32_t* line = copy->row(y);
        for (int32_t x = 0; x < copy->width(); ++x) {
            if (line[x] < 0x01000000u)
                line[x] = background;
        }
    }
    return copy;
}

struct QuantizedRows {
    const s::image::filters::reduction::Quantizer* quantizer;
};

void mapRowThroughQuantizer(void* context, const uint32_t* pixels, uint32_t width, uint8_t* indexes)
{
    const auto* rows = static_cast<const QuantizedRows*>(context);
    rows->quantizer->mapRow(pixels, static_cast<int>(width), indexes, 8);
}

}  // namespace

bool Bitmap::encodeImage(const BufferedImage& image, int32_t bitDepth, bool keepTransparency, uint8_t red, uint8_t green, uint8_t blue)
{
    const uint32_t background = (static_cast<uint32_t>(red) << 16) | (static_cast<uint32_t>(green) << 8) | blue;
    Pooled<BufferedImage> prepared;
    const BufferedImage* source = &image;
    if (bitDepth == 32 && keepTransparency) {
        if (image.hasAlpha()) {
            prepared.hold(withTransparentColor(image, background));
            source = prepared.get();
        }
    } else if (image.hasAlpha() || anyBelowOpaque(image)) {
        // Depths without alpha get the picture composed over the background.
        prepared.hold(flattened(image, background));
        source = prepared.get();
    }
    if (!source || !createBitmap(image.width(), image.height(), bitDepth))
        return false;
    if (!m_dib.m_bits) {
        m_lastFault = Fault::kEmptyPicture;
        return false;
    }
    const ptrdiff_t rowStride = -static_cast<ptrdiff_t>(source->capacityWidth());
    if (bitDepth > 8)
        return fromArgb(source->row(0), rowStride, nullptr, m_dib.m_header, m_dib.m_bits.get(), m_dib.m_bitsSize, m_lastFault);

    Pooled<s::image::filters::reduction::Quantizer> quantizer(s::image::filters::reduction::Quantizer::take());
    if (!quantizer->quantize(source->row(0), source->width(), source->height(), rowStride, 1 << bitDepth))
        return false;
    QuantizedRows rows{quantizer.get()};
    s::image::bmp::PaletteMapping palette;
    palette.m_colors = quantizer->palette();
    palette.m_colorCount = static_cast<uint32_t>(quantizer->colorCount());
    palette.m_mapRow = &mapRowThroughQuantizer;
    palette.m_context = &rows;
    return fromArgb(source->row(0), rowStride, &palette, m_dib.m_header, m_dib.m_bits.get(), m_dib.m_bitsSize, m_lastFault);
}

s::image::IEncodedImage* Bitmap::reencodeSet(BufferedImageSet& set)
{
    BufferedImage* primary = set.primary();
    return primary ? reencodeImage(*primary) : nullptr;
}

s::image::IEncodedImage* Bitmap::reencodeImage(const BufferedImage& image)
{
    Pooled<EncodeSetting> setting(EncodeSetting::take());
    setting->setKeepTransparency(true);
    setting->setBitDepth(bitCount());
    return setting->toEncoded(image);
}

}  // namespace s::image::bmp::win
