// Building frames from pictures (colour reduction, transparency, the
// changed pixels of an animation) and writing them as a GIF89a file.

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

#include "image/filters/reduction/Quantizer.h"
#include "image/gif/win/Gif.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "io/ByteWriter.h"
#include "io/IOutputStream.h"
#include "thread/Pooled.h"

namespace s::image::gif::win {

using s::image::filters::reduction::Quantizer;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;
constexpr uint32_t kColorMask = 0x00FFFFFFu;
constexpr int32_t kWrittenDepth = 8;
constexpr uint8_t kLocalTablePacked = 0x80 | (kWrittenDepth - 1);
// No global table; colour resolution and table size fields 7.
constexpr uint8_t kScreenPacked = ((kWrittenDepth - 1) << 4) | (kWrittenDepth - 1);
constexpr int32_t kDisposalKeep = 1;
constexpr int32_t kDisposalClear = 2;
const char kLoopingId[] = "NETSCAPE2.0";

uint32_t alphaOf(uint32_t pixel)
{
    return pixel >> 24;
}

bool writeBytes(s::io::IOutputStream& out, const std::vector<uint8_t>& bytes)
{
    uint32_t written = 0;
    return bytes.empty() || (out.write(bytes.data(), static_cast<uint32_t>(bytes.size()), &written) && written == bytes.size());
}

// Bits per index of a frame built for bitDepth. One bit would leave a
// single colour beside the transparent index, so a two-colour picture
// would come out one grey: two bits keep three colours. Outside 1..8 (a
// file without any colour table answers 0) the full palette is used.
int32_t frameDepth(int32_t bitDepth)
{
    if (bitDepth < 1 || bitDepth > kWrittenDepth)
        return kWrittenDepth;
    return std::max(bitDepth, 2);
}

// Alpha below the cut becomes 0, the rest 255.
bool alphaThreshold(BufferedImage& image, int32_t cut)
{
    bool anyTransparent = false;
    for (int32_t y = 0; y < image.height(); ++y) {
        uint32_t* line = image.row(y);
        for (int32_t x = 0; x < image.width(); ++x) {
            if (static_cast<int32_t>(alphaOf(line[x])) < cut) {
                line[x] &= kColorMask;
                anyTransparent = true;
            } else {
                line[x] |= kOpaque;
            }
        }
    }
    image.setHasAlpha(anyTransparent);
    return anyTransparent;
}

// Fully transparent pixels take the background colour, so that their old
// colours cannot tell in the palette or the file.
void setTransparentColor(BufferedImage& image, int32_t red, int32_t green, int32_t blue)
{
    if (!image.hasAlpha())
        return;
    const uint32_t background = (static_cast<uint32_t>(red) & 0xFF) << 16 | (static_cast<uint32_t>(green) & 0xFF) << 8 | (static_cast<uint32_t>(blue) & 0xFF);
    for (int32_t y = 0; y < image.height(); ++y) {
        uint32_t* line = image.row(y);
        for (int32_t x = 0; x < image.width(); ++x) {
            if (line[x] < 0x01000000u)
                line[x] = background;
        }
    }
}

bool anyNotOpaque(const BufferedImage& image)
{
    for (int32_t y = 0; y < image.height(); ++y) {
        const uint32_t* line = image.row(y);
        for (int32_t x = 0; x < image.width(); ++x) {
            if (alphaOf(line[x]) != 0xFF)
                return true;
        }
    }
    return false;
}

// Maps opaque colours to palette indices through the quantizer, remembering
// recent answers: a picture repeats its colours far more often than it
// has distinct ones.
class IndexCache {
public:
    explicit IndexCache(const Quantizer& quantizer) : m_quantizer(quantizer)
    {
        std::fill(std::begin(m_keys), std::end(m_keys), 0u);
    }
    uint8_t indexOf(uint32_t color)
    {
        const uint32_t key = color | kOpaque;
        const uint32_t slot = (key * 2654435761u) >> (32 - kBits);
        if (m_keys[slot] != key) {
            m_keys[slot] = key;
            m_quantizer.mapRow(&key, 1, &m_values[slot], kWrittenDepth);
        }
        return m_values[slot];
    }

private:
    static constexpr int kBits = 12;
    const Quantizer& m_quantizer;
    uint32_t m_keys[1 << kBits];  // 0: empty; a key always has alpha 255
    uint8_t m_values[1 << kBits] = {};
};

// Pixels of picture that the reader would see transparent where previous
// shows something: a frame drawn over previous cannot clear them.
bool uncovers(const BufferedImage& picture, const BufferedImage& previous, int32_t cut)
{
    const int32_t w = std::min(picture.width(), previous.width());
    const int32_t h = std::min(picture.height(), previous.height());
    for (int32_t y = 0; y < h; ++y) {
        const uint32_t* now = picture.row(y);
        const uint32_t* before = previous.row(y);
        for (int32_t x = 0; x < w; ++x) {
            if (static_cast<int32_t>(alphaOf(now[x])) < cut && static_cast<int32_t>(alphaOf(before[x])) >= cut)
                return true;
        }
    }
    return false;
}

// Makes transparent every pixel the reader already shows as it is: visible
// before and now, in the same colour. A pixel visible now over one that was
// transparent is kept even when the colours agree.
void keepOnlyChanges(BufferedImage& work, const BufferedImage& previous, int32_t cut)
{
    const int32_t w = std::min(work.width(), previous.width());
    const int32_t h = std::min(work.height(), previous.height());
    bool anyTransparent = false;
    for (int32_t y = 0; y < work.height(); ++y) {
        uint32_t* now = work.row(y);
        const uint32_t* before = y < h ? previous.row(y) : nullptr;
        for (int32_t x = 0; x < work.width(); ++x) {
            const bool visible = static_cast<int32_t>(alphaOf(now[x])) >= cut;
            if (visible && before && x < w && static_cast<int32_t>(alphaOf(before[x])) >= cut && ((now[x] ^ before[x]) & kColorMask) == 0)
                now[x] &= kColorMask;
            anyTransparent = anyTransparent || alphaOf(now[x]) != 0xFF;
        }
    }
    work.setHasAlpha(anyTransparent);
}

// The picture to reduce, in work, when image itself will not do: with
// transparency, a copy whose alpha is cut to 0 or 255 and whose transparent
// pixels show the background; without, image flattened onto the background.
// A picture whose alpha bytes do not match its flag is taken as the opaque
// picture it claims to be. False when memory is refused.
bool workingPicture(const BufferedImage& image, bool transparency, int32_t red, int32_t green, int32_t blue, int32_t alphaCut, Pooled<BufferedImage>& work)
{
    if (transparency) {
        work.hold(image.copyTo(nullptr));
        if (!work)
            return false;
        alphaThreshold(*work, alphaCut);
        setTransparentColor(*work, red, green, blue);
        return true;
    }
    if (!image.hasAlpha() && !anyNotOpaque(image))
        return true;
    work.hold(BufferedImage::createImage(image.width(), image.height()));
    if (!work)
        return false;
    const uint32_t background = kOpaque | (static_cast<uint32_t>(red) & 0xFF) << 16 | (static_cast<uint32_t>(green) & 0xFF) << 8 | (static_cast<uint32_t>(blue) & 0xFF);
    for (int32_t y = 0; y < image.height(); ++y) {
        uint32_t* line = work->row(y);
        const uint32_t* in = image.row(y);
        for (int32_t x = 0; x < image.width(); ++x)
            line[x] = image.hasAlpha() ? background : in[x] | kOpaque;
    }
    work->setHasAlpha(false);
    if (image.hasAlpha())
        work->drawImage(0, 0, image.width(), image.height(), image, 0, 0, false);
    return true;
}

// Builds at most colors colours from the picture into the frame's table
// and maps each pixel: opaque ones to their nearest colour, any other to
// the index just past the colours.
void mapColors(const BufferedImage& picture, int32_t colors, GifFrame& frame)
{
    const int32_t w = picture.width();
    const int32_t h = picture.height();
    Pooled<Quantizer> quantizer(Quantizer::take());
    const std::ptrdiff_t stride = h > 1 ? picture.row(1) - picture.row(0) : 0;
    quantizer->quantize(picture.row(0), w, h, stride, colors);
    for (int32_t i = 0; i < colors; ++i)
        frame.colorTable()[i] = quantizer->paletteColor(i) & kColorMask;
    IndexCache cache(*quantizer);
    for (int32_t y = 0; y < h; ++y) {
        const uint32_t* in = picture.row(y);
        uint8_t* out = frame.row(y);
        for (int32_t x = 0; x < w; ++x)
            out[x] = alphaOf(in[x]) == 0xFF ? cache.indexOf(in[x]) : static_cast<uint8_t>(colors);
    }
}

}  // namespace

bool Gif::encodeImage(const BufferedImage& image, int32_t bitDepth, bool keepTransparency, int32_t red, int32_t green, int32_t blue, int32_t alphaCut)
{
    const int32_t w = image.width();
    const int32_t h = image.height();
    if (w < 1 || h < 1 || w > GifFrame::kMaxSide || h > GifFrame::kMaxSide) {
        note(Fault::kBadPicture);
        return false;
    }
    const int32_t colors = (1 << frameDepth(bitDepth)) - 1;
    const bool transparency = image.hasAlpha() && keepTransparency;
    Pooled<BufferedImage> work;
    Pooled<GifFrame> frame(GifFrame::take());
    if (!workingPicture(image, transparency, red, green, blue, alphaCut, work) || !frame->create(w, h)) {
        note(Fault::kOutOfMemory);
        return false;
    }
    mapColors(work ? *work : image, colors, *frame);
    // The index past the colours, which non-opaque pixels got, is the
    // transparent one when transparency stays.
    return addFrame(frame.take(), transparency ? colors : -1, 0, 0);
}

bool Gif::encodeAnimation(const BufferedImageSet& set, int32_t bitDepth, bool keepTransparency, int32_t red, int32_t green, int32_t blue)
{
    if (set.count() <= 1 || !set.isAnimated()) {
        const BufferedImage* primary = set.primary();
        if (!primary) {
            note(Fault::kBadPicture);
            return false;
        }
        return encodeImage(*primary, bitDepth, keepTransparency, red, green, blue, kAlphaCut);
    }
    m_loopCount = set.loopCount();
    const BufferedImage& first = *set.item(0);
    Pooled<BufferedImage> previous(first.copyTo(nullptr));
    if (!previous) {
        note(Fault::kOutOfMemory);
        return false;
    }
    if (!encodeImage(first, bitDepth, keepTransparency, red, green, blue, kAlphaCut))
        return false;
    m_delays.at(imageCount() - 1) = set.delayAt(0);
    m_disposals.at(imageCount() - 1) = set.disposalAt(0);
    for (int32_t i = 1; i < set.count(); ++i) {
        if (!encodeChange(*set.item(i), previous, bitDepth, keepTransparency, red, green, blue))
            return false;
        m_delays.at(imageCount() - 1) = set.delayAt(i);
        m_disposals.at(imageCount() - 1) = kDisposalKeep;
    }
    return true;
}

// Appends picture as a frame over previous, then makes previous the picture
// the reader now shows. Usually the frame holds only the pixels that changed,
// drawn over the frame before it, which is kept. A picture that turns
// visible pixels transparent cannot be drawn that way: the frame before it
// is then cleared when it ends and the picture is written whole.
bool Gif::encodeChange(const BufferedImage& picture, Pooled<BufferedImage>& previous, int32_t bitDepth, bool keepTransparency, int32_t red, int32_t green, int32_t blue)
{
    const int32_t before = imageCount() - 1;
    if (keepTransparency && uncovers(picture, *previous, kAlphaCut)) {
        Pooled<BufferedImage> next(picture.copyTo(nullptr));
        if (!next) {
            note(Fault::kOutOfMemory);
            return false;
        }
        if (!encodeImage(picture, bitDepth, keepTransparency, red, green, blue, kAlphaCut))
            return false;
        m_disposals.at(before) = kDisposalClear;
        previous.hold(next.take());
        return true;
    }
    Pooled<BufferedImage> canvas(previous->copyTo(nullptr));
    if (!canvas) {
        note(Fault::kOutOfMemory);
        return false;
    }
    const int32_t w = std::min(canvas->width(), picture.width());
    const int32_t h = std::min(canvas->height(), picture.height());
    canvas->drawImage(0, 0, w, h, picture, 0, 0, false);
    Pooled<BufferedImage> work(canvas->copyTo(nullptr));
    if (!work) {
        note(Fault::kOutOfMemory);
        return false;
    }
    keepOnlyChanges(*work, *previous, kAlphaCut);
    if (!encodeImage(*work, bitDepth, true, red, green, blue, kAlphaCut))
        return false;
    m_disposals.at(before) = kDisposalKeep;
    previous.hold(canvas.take());
    return true;
}

bool Gif::encode(s::io::IOutputStream& out)
{
    if (imageCount() == 0) {
        note(Fault::kNothingToWrite);
        return false;
    }
    // The logical screen holds every frame.
    int32_t screenW = 0;
    int32_t screenH = 0;
    for (int32_t i = 0; i < imageCount(); ++i) {
        screenW = std::max(screenW, m_frames.at(i)->left() + m_frames.at(i)->width());
        screenH = std::max(screenH, m_frames.at(i)->top() + m_frames.at(i)->height());
    }
    if (screenW > GifFrame::kMaxSide || screenH > GifFrame::kMaxSide) {
        note(Fault::kBadPicture);
        return false;
    }
    std::vector<uint8_t> head;
    s::io::ByteWriter w(head);
    w.bytes(reinterpret_cast<const uint8_t*>("GIF89a"), 6);
    w.u16le(static_cast<uint16_t>(screenW));
    w.u16le(static_cast<uint16_t>(screenH));
    w.u8(kScreenPacked);
    w.u8(0);  // background index
    w.u8(0);  // pixel aspect ratio
    // The looping extension.
    w.u8(0x21);
    w.u8(0xFF);
    w.u8(11);
    w.bytes(reinterpret_cast<const uint8_t*>(kLoopingId), 11);
    w.u8(3);
    w.u8(1);
    w.u16le(m_loopCount);
    w.u8(0);
    bool ok = writeBytes(out, head);
    for (int32_t i = 0; i < imageCount() && ok; ++i)
        ok = writeFrame(i, out);
    const std::vector<uint8_t> trailer(1, 0x3B);
    ok = ok && writeBytes(out, trailer);
    if (!ok)
        note(Fault::kWriteFailed);
    return ok;
}

bool Gif::writeFrame(int32_t index, s::io::IOutputStream& out)
{
    const GifFrame& frame = *m_frames.at(index);
    const int32_t transparent = m_transparentIndices.at(index);
    std::vector<uint8_t> head;
    s::io::ByteWriter w(head);
    // Graphic control extension.
    w.u8(0x21);
    w.u8(0xF9);
    w.u8(4);
    w.u8(static_cast<uint8_t>((m_disposals.at(index) & 7) << 2 | (transparent != -1 ? 1 : 0)));
    w.u16le(static_cast<uint16_t>(std::clamp(m_delays.at(index) / 10, 0, 65535)));
    w.u8(static_cast<uint8_t>(transparent & 0xFF));
    w.u8(0);
    // Image descriptor and the full local colour table.
    w.u8(0x2C);
    w.u16le(static_cast<uint16_t>(frame.left()));
    w.u16le(static_cast<uint16_t>(frame.top()));
    w.u16le(static_cast<uint16_t>(frame.width()));
    w.u16le(static_cast<uint16_t>(frame.height()));
    w.u8(kLocalTablePacked);
    for (int32_t i = 0; i < GifFrame::kTableEntries; ++i) {
        const uint32_t color = frame.colorTable()[i];
        w.u8(static_cast<uint8_t>(color >> 16));
        w.u8(static_cast<uint8_t>(color >> 8));
        w.u8(static_cast<uint8_t>(color));
    }
    w.u8(kWrittenDepth);  // LZW minimum code size
    if (!writeBytes(out, head))
        return false;
    if (!m_lzw.encode(frame.indices(), frame.width(), frame.height(), frame.width(), kWrittenDepth, out))
        return false;
    const std::vector<uint8_t> terminator(1, 0);
    return writeBytes(out, terminator);
}

}  // namespace s::image::gif::win
