#include "image/gif/win/Gif.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "image/gif/EncodeSetting.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "platform/PixelStore.h"
#include "thread/Pooled.h"

namespace s::image::gif::win {

using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
// Every frame this codec holds is a palette picture of one byte per pixel.
constexpr int32_t kFrameDepth = 8;

uint16_t u16At(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

// Copies frame's rows unchanged (alpha too) into canvas at x, y.
void copyCentred(const BufferedImage& frame, BufferedImage& canvas, int32_t x, int32_t y)
{
    for (int32_t row = 0; row < frame.height(); ++row)
        std::memcpy(canvas.row(y + row) + x, frame.row(row), static_cast<size_t>(frame.width()) * 4);
}

void fill(BufferedImage& image, uint32_t value)
{
    for (int32_t y = 0; y < image.height(); ++y)
        std::fill(image.row(y), image.row(y) + image.width(), value);
}

}  // namespace

Gif::Gif()
{
    m_frames.setElementDisposer(&GifFrame::classPool());
    reset();
}

Gif::~Gif()
{
    clearFrames();
}

void Gif::reset()
{
    m_lzw.reset();
    std::fill(std::begin(m_header), std::end(m_header), uint8_t(0));
    m_globalEntries = m_globalBytes = 0;
    std::fill(std::begin(m_globalTable), std::end(m_globalTable), uint8_t(0));
    m_localEntries = m_localBytes = 0;
    std::fill(std::begin(m_localTable), std::end(m_localTable), uint8_t(0));
    std::fill(std::begin(m_controlBlock), std::end(m_controlBlock), uint8_t(0));
    std::fill(std::begin(m_appBlock), std::end(m_appBlock), uint8_t(0));
    std::fill(std::begin(m_descriptor), std::end(m_descriptor), uint8_t(0));
    m_codeData.reset();
    m_codeSize = 0;
    m_colorBits = 0;
    m_interlaced = 0;
    clearFrames();
    m_loopCount = 1;
    m_fault = Fault::kNone;
}

void Gif::note(Fault fault)
{
    if (m_fault == Fault::kNone)
        m_fault = fault;
}

void Gif::clearFrames()
{
    m_frames.clearAndFree();
    m_transparentIndices.clearAndFree();
    m_delays.clearAndFree();
    m_disposals.clearAndFree();
}

bool Gif::addFrame(GifFrame* frame, int32_t transparentIndex, int32_t delay, int32_t disposal)
{
    if (!frame)
        return false;
    m_frames.add(frame);
    m_transparentIndices.add(transparentIndex);
    m_delays.add(delay);
    m_disposals.add(disposal);
    return true;
}

int32_t Gif::width() const
{
    return imageCount() > 0 ? m_frames.at(0)->width() : 0;
}

int32_t Gif::height() const
{
    return imageCount() > 0 ? m_frames.at(0)->height() : 0;
}

int32_t Gif::screenWidth() const
{
    return u16At(m_header + 6);
}

int32_t Gif::screenHeight() const
{
    return u16At(m_header + 8);
}

int32_t Gif::bytesPerRow() const
{
    return width();
}

uint8_t* Gif::row(int32_t y) const
{
    if (imageCount() == 0 || y < 0 || y >= m_frames.at(0)->height())
        return nullptr;
    return m_frames.at(0)->row(y);
}

int32_t Gif::reencodeDepth() const
{
    // A file without any colour table has no depth of its own; the full
    // palette keeps whatever the grey ramp showed.
    return m_colorBits > 0 ? m_colorBits : kFrameDepth;
}

BufferedImage* Gif::toImage(int32_t index, BufferedImage* destination)
{
    if (index < 0 || index >= imageCount())
        return nullptr;
    const GifFrame& frame = *m_frames.at(index);
    const int32_t w = frame.width();
    const int32_t h = frame.height();
    BufferedImage* image = destination;
    if (image) {
        image->setSize(0, 0);
        if (!image->reserve(w, h))
            return nullptr;
        image->setSize(w, h);
    } else {
        image = BufferedImage::createImage(w, h);
        if (!image)
            return nullptr;
    }
    const int32_t transparent = m_transparentIndices.at(index);
    const uint32_t* table = frame.colorTable();
    bool matched = false;
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* in = frame.row(y);
        uint32_t* out = image->row(y);
        for (int32_t x = 0; x < w; ++x) {
            const uint8_t value = in[x];
            if (value == transparent) {
                out[x] = table[value] & ~kOpaque;
                matched = true;
            } else {
                out[x] = table[value] | kOpaque;
            }
        }
    }
    image->setHasAlpha(matched);
    return image;
}

BufferedImageSet* Gif::toImageSet(int32_t)
{
    Pooled<BufferedImageSet> set(BufferedImageSet::take());
    int32_t canvasWidth = 0;
    int32_t canvasHeight = 0;
    for (int32_t i = 0; i < imageCount(); ++i) {
        canvasWidth = std::max(canvasWidth, m_frames.at(i)->width());
        canvasHeight = std::max(canvasHeight, m_frames.at(i)->height());
    }
    // Smaller frames are shown centred on white when the pictures are taken
    // one by one; the frame area tells an animation's composition where the
    // frame itself lies. Centring every frame of a file with one huge frame
    // and many small ones could pass the pixel cap many times over, so then
    // the frames keep their own size.
    const uint64_t centredPixels = static_cast<uint64_t>(imageCount()) * static_cast<uint64_t>(canvasWidth) * static_cast<uint64_t>(canvasHeight);
    const bool centre = centredPixels <= s::platform::PixelStore::kMaxPixels;
    for (int32_t i = 0; i < imageCount(); ++i) {
        Pooled<BufferedImage> image(toImage(i, nullptr));
        if (!image)
            return nullptr;
        BufferedImageSet::FrameArea area;
        area.left = m_frames.at(i)->left();
        area.top = m_frames.at(i)->top();
        area.width = image->width();
        area.height = image->height();
        if (centre && (image->width() != canvasWidth || image->height() != canvasHeight)) {
            Pooled<BufferedImage> canvas(BufferedImage::createImage(canvasWidth, canvasHeight));
            if (!canvas)
                return nullptr;
            fill(*canvas, kOpaqueWhite);
            canvas->setHasAlpha(image->hasAlpha());
            area.x = (canvasWidth - image->width()) / 2;
            area.y = (canvasHeight - image->height()) / 2;
            copyCentred(*image, *canvas, area.x, area.y);
            image.hold(canvas.take());
        }
        set->add(image.take(), kFrameDepth, m_delays.at(i), m_disposals.at(i));
        set->setFrameArea(set->count() - 1, area);
    }
    set->setScreenSize(screenWidth(), screenHeight());
    // Every GIF set is an animation, even of one frame: the conversion then
    // composes it on its logical screen.
    if (imageCount() > 0)
        set->setAnimation(true, m_loopCount);
    return set.take();
}

s::image::IEncodedImage* Gif::reencodeSet(BufferedImageSet& set)
{
    if (!(set.count() > 1 && set.isAnimated())) {
        const BufferedImage* primary = set.primary();
        return primary ? reencodeImage(*primary) : nullptr;
    }
    Pooled<EncodeSetting> setting(EncodeSetting::take());
    setting->setKeepTransparency(true);
    setting->setBitDepth(reencodeDepth());
    return setting->toEncodedSet(set);
}

s::image::IEncodedImage* Gif::reencodeImage(const BufferedImage& image)
{
    Pooled<EncodeSetting> setting(EncodeSetting::take());
    setting->setKeepTransparency(true);
    setting->setBitDepth(reencodeDepth());
    return setting->toEncoded(image);
}

bool Gif::findExact(int32_t w, int32_t h, int32_t depth, int32_t* indexOut) const
{
    for (int32_t i = 0; i < imageCount(); ++i) {
        if (m_frames.at(i)->width() == w && m_frames.at(i)->height() == h && depth == kFrameDepth) {
            if (indexOut)
                *indexOut = i;
            return true;
        }
    }
    if (indexOut)
        *indexOut = 0;
    return false;
}

namespace {
// The frame nearest to w x h at depth, ties to the earlier frame; an exact
// match ends the search. Every frame has the same depth, so searching by
// depth first and by area first come to the same: the nearest area.
template <class Frames>
bool findNearestFrame(const Frames& frames, int32_t count, int32_t w, int32_t h, int32_t depth, int32_t* indexOut)
{
    const int64_t wantedArea = static_cast<int64_t>(w) * h;
    const int64_t dDepth = std::llabs(static_cast<int64_t>(depth) - kFrameDepth);
    int32_t best = -1;
    int64_t bestDArea = 0;
    for (int32_t i = 0; i < count; ++i) {
        const int64_t area = static_cast<int64_t>(frames.at(i)->width()) * frames.at(i)->height();
        if (frames.at(i)->width() == w && frames.at(i)->height() == h && dDepth == 0) {
            best = i;
            break;
        }
        const int64_t dArea = std::llabs(wantedArea - area);
        if (best < 0 || dArea < bestDArea) {
            best = i;
            bestDArea = dArea;
        }
    }
    if (indexOut)
        *indexOut = best < 0 ? 0 : best;
    return best >= 0;
}
}  // namespace

bool Gif::findNearestDepth(int32_t w, int32_t h, int32_t depth, int32_t* indexOut) const
{
    return findNearestFrame(m_frames, imageCount(), w, h, depth, indexOut);
}

bool Gif::findNearestSize(int32_t w, int32_t h, int32_t depth, int32_t* indexOut) const
{
    return findNearestFrame(m_frames, imageCount(), w, h, depth, indexOut);
}

bool Gif::createStorage(int32_t w, int32_t h)
{
    clearFrames();
    Pooled<GifFrame> frame(GifFrame::take());
    if (!frame->create(w, h))
        return false;
    return addFrame(frame.take(), -1, 0, 0);
}

bool Gif::hasTransparency() const
{
    for (int32_t i = 0; i < m_transparentIndices.count(); ++i) {
        if (m_transparentIndices.at(i) != -1)
            return true;
    }
    return false;
}

}  // namespace s::image::gif::win
