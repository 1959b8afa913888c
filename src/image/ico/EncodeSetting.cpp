#include "image/ico/EncodeSetting.h"

#include "image/bmp/BmpFormat.h"
#include "image/ico/win/Icon.h"
#include "image/ico/win/IconImage.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

namespace s::image::ico {

using s::image::ico::win::Icon;
using s::image::ico::win::IconImage;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

// picture centred on a size x size canvas of transparent black, as a new
// pooled image.
BufferedImage* centred(BufferedImage& picture, int32_t size)
{
    BufferedImage* canvas = BufferedImage::createImage(size, size);
    if (!canvas)
        return nullptr;
    for (int32_t y = 0; y < size; ++y) {
        uint32_t* line = canvas->row(y);
        for (int32_t x = 0; x < size; ++x)
            line[x] = 0;
    }
    canvas->setHasAlpha(true);
    const int32_t w = picture.width();
    const int32_t h = picture.height();
    canvas->drawImage((size - w) / 2, (size - h) / 2, w, h, picture, 0, 0, false);
    return canvas;
}

}  // namespace

void EncodeSetting::reset()
{
    m_keepTransparency = true;
    resetBackground();
    m_keepRatio = true;
    m_entryShapes.clearAndFree();
}

s::image::IEncodedImage* EncodeSetting::toEncoded(const BufferedImage&)
{
    return nullptr;
}

s::image::IEncodedImage* EncodeSetting::toEncodedSet(BufferedImageSet& set)
{
    if (m_entryShapes.isEmpty() || m_entryShapes.count() != set.count()) {
        const BufferedImage* primary = set.primary();
        return primary ? toEncoded(*primary) : nullptr;
    }
    Pooled<Icon> icon(Icon::take());
    for (int32_t i = 0; i < set.count(); ++i) {
        const uint32_t shape = static_cast<uint32_t>(m_entryShapes.at(i));
        const int32_t size = static_cast<int32_t>(shape >> 16);
        const int32_t depth = static_cast<int32_t>(shape & 0xFFFF);
        // A square entry past the image model's pixel cap cannot be made.
        if (size <= 0 || uint64_t(size) * uint64_t(size) > s::image::bmp::kMaxPixels)
            return nullptr;
        BufferedImage* item = set.item(i);
        // The filters the task put on the picture take effect here; the
        // picture itself keeps its pixels.
        BufferedImage* source = item->hasFilters() ? item->applyFilters() : item;
        if (!source)
            return nullptr;
        BufferedImage* scaled = source->scaled(size, size, m_keepRatio);  // owned by source
        if (!scaled)
            return nullptr;
        Pooled<BufferedImage> canvas;
        if (scaled->width() != size || scaled->height() != size) {
            canvas.hold(centred(*scaled, size));
            if (!canvas)
                return nullptr;
        }
        Pooled<IconImage> entry(IconImage::take());
        if (!entry->encodeImage(canvas ? *canvas : *scaled, depth, m_keepTransparency, channel(m_bgRed), channel(m_bgGreen), channel(m_bgBlue)))
            return nullptr;
        icon->addEntry(entry.take());
    }
    return icon.take();
}

}  // namespace s::image::ico
