#include "image/ico/win/Icon.h"

#include <cstdlib>

#include "archive/icon/Archive.h"
#include "archive/icon/Entry.h"
#include "image/ico/EncodeSetting.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "thread/Pooled.h"

namespace s::image::ico::win {

using s::archive::icon::Archive;
using s::archive::icon::Entry;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

namespace {

constexpr int32_t kBestSide = 32;
constexpr int32_t kBestDepth = 32;
constexpr uint32_t kMaxShapeSide = 0xFFFF;

// (width << 16) | bit count, as the ICO encode setting reads it. A width the
// 16 bits cannot hold is stated as 0, which the setting refuses.
int32_t packShape(int32_t width, int32_t bitCount)
{
    const uint32_t side = width > 0 && uint32_t(width) <= kMaxShapeSide ? uint32_t(width) : 0;
    return static_cast<int32_t>(side << 16 | (uint32_t(bitCount) & 0xFFFF));
}

}  // namespace

Icon::Icon()
{
    m_entries.setElementDisposer(&IconImage::classPool());
    reset();
}

Icon::~Icon()
{
    m_entries.clear();
}

void Icon::reset()
{
    m_entries.clear();
    m_entryShapes.clear();
    m_fault = Fault::kNone;
    m_archiveFault = 0;
    m_entryFault = IconImage::Fault::kNone;
}

void Icon::note(Fault fault)
{
    if (m_fault == Fault::kNone)
        m_fault = fault;
}

int32_t Icon::width() const
{
    return m_entries.count() ? m_entries.at(0)->width() : 0;
}

int32_t Icon::height() const
{
    return m_entries.count() ? m_entries.at(0)->height() : 0;
}

int32_t Icon::bitDepthAt(int32_t index) const
{
    if (index < 0 || index >= m_entryShapes.count())
        return 0;
    return m_entryShapes.at(index) & 0xFFFF;
}

BufferedImage* Icon::toImage(int32_t index, BufferedImage* destination)
{
    if (index < 0 || index >= m_entries.count())
        return nullptr;
    return m_entries.at(index)->toImage(0, destination);
}

bool Icon::addEntry(s::image::ico::IIconImage* entry)
{
    auto* image = dynamic_cast<IconImage*>(entry);
    if (!image) {
        s::thread::releaseToPool(entry);
        return false;
    }
    m_entries.add(image);
    m_entryShapes.add(packShape(image->width(), image->bitCount()));
    return true;
}

// --- Reading ------------------------------------------------------------------

int32_t Icon::bestFit(const Archive& archive)
{
    const int32_t wanted = kBestSide * kBestSide;
    int32_t best = 0;
    for (int32_t i = 0; i < archive.entryCount(); ++i) {
        const Entry* e = archive.entryAt(i);
        if (e->widthByte() == kBestSide && e->heightByte() == kBestSide && e->bitCount() == kBestDepth)
            return i;
        if (i == 0)
            continue;
        const Entry* b = archive.entryAt(best);
        const int32_t distance = std::abs(wanted - e->widthByte() * e->heightByte());
        const int32_t bestDistance = std::abs(wanted - b->widthByte() * b->heightByte());
        const int32_t depthDistance = std::abs(kBestDepth - e->bitCount());
        const int32_t bestDepthDistance = std::abs(kBestDepth - b->bitCount());
        if (distance < bestDistance || (distance == bestDistance && depthDistance < bestDepthDistance))
            best = i;
    }
    return best;
}

void Icon::loadEntry(Archive& archive, int32_t index, uint64_t& budget)
{
    if (!archive.loadEntry(index)) {
        if (archive.lastFault() != Archive::Fault::kShortRead) {
            m_archiveFault = static_cast<uint8_t>(archive.lastFault());
            note(Fault::kBrokenEntry);
            return;
        }
        // The stream broke inside the data: what came is decoded.
        note(Fault::kTruncatedEntry);
    }
    Entry* record = archive.entryAt(index);
    Pooled<IconImage> image(IconImage::take());
    const bool complete = image->decodeEntry(record->dataStream(), budget);
    // The entry's bytes are not needed once its picture is made.
    record->dataStream().clear();
    if (image->imageCount() == 0) {
        if (m_entryFault == IconImage::Fault::kNone)
            m_entryFault = image->lastFault();
        note(image->lastFault() == IconImage::Fault::kTooLarge ? Fault::kTooLarge : Fault::kBrokenEntry);
        return;
    }
    if (!complete) {
        if (m_entryFault == IconImage::Fault::kNone)
            m_entryFault = image->lastFault();
        note(Fault::kTruncatedEntry);
    }
    budget -= uint64_t(image->width()) * uint64_t(image->height());
    addEntry(image.take());
}

bool Icon::decode(s::io::IInputStream& in)
{
    reset();
    Pooled<Archive> archive(Archive::take());
    if (!archive->open(in) || !archive->readDirectory()) {
        m_archiveFault = static_cast<uint8_t>(archive->lastFault());
        note(Fault::kDirectory);
        archive->close();
        return false;
    }
    // The pictures of one file share the image model's pixel cap, so records
    // that all point at one large picture cannot multiply it.
    uint64_t budget = s::image::bmp::kMaxPixels;
    const int32_t first = bestFit(*archive);
    loadEntry(*archive, first, budget);
    for (int32_t i = 0; i < archive->entryCount(); ++i) {
        if (i != first)
            loadEntry(*archive, i, budget);
    }
    archive->close();
    if (m_entries.count() == 0)
        note(Fault::kNoEntries);
    return m_fault == Fault::kNone;
}

// --- Writing ------------------------------------------------------------------

bool Icon::encode(s::io::IOutputStream& out)
{
    if (m_entries.count() == 0) {
        m_fault = Fault::kNoEntries;
        return false;
    }
    Pooled<Archive> archive(Archive::take());
    for (int32_t i = 0; i < m_entries.count(); ++i) {
        IconImage* image = m_entries.at(i);
        Pooled<Entry> record(Entry::take());
        if (!image->encode(record->dataStream())) {
            m_entryFault = image->lastFault();
            m_fault = Fault::kWriteFailed;
            return false;
        }
        const int32_t w = image->width();
        const int32_t h = image->height();
        // A picture written as a PNG stream is 32-bit whatever it held.
        const bool asPng = w > IconImage::kMaxClassicSide || h > IconImage::kMaxClassicSide;
        const int32_t depth = asPng ? 32 : image->bitCount();
        const uint8_t colorCount = depth < 8 ? uint8_t(1u << depth) : 0;
        record->setRecord(w < 256 ? uint8_t(w) : 0, h < 256 ? uint8_t(h) : 0, colorCount, 1, uint16_t(depth));
        archive->addEntry(record.take());
    }
    if (!archive->write(out)) {
        m_archiveFault = static_cast<uint8_t>(archive->lastFault());
        m_fault = Fault::kWriteFailed;
        return false;
    }
    return true;
}

s::image::IEncodedImage* Icon::reencodeSet(BufferedImageSet& set)
{
    Pooled<EncodeSetting> setting(EncodeSetting::take());
    setting->setKeepTransparency(true);
    setting->setKeepRatio(false);
    for (int32_t i = 0; i < m_entryShapes.count(); ++i)
        setting->entryShapes().add(m_entryShapes.at(i));
    return setting->toEncodedSet(set);
}

s::image::IEncodedImage* Icon::reencodeImage(const BufferedImage& image)
{
    Pooled<EncodeSetting> setting(EncodeSetting::take());
    setting->setKeepTransparency(true);
    setting->setKeepRatio(false);
    for (int32_t i = 0; i < m_entryShapes.count(); ++i)
        setting->entryShapes().add(m_entryShapes.at(i));
    // An icon is only ever built from a set: this gives null.
    return setting->toEncoded(image);
}

// --- Lookup -------------------------------------------------------------------

bool Icon::findExact(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const
{
    for (int32_t i = 0; i < m_entries.count(); ++i) {
        const IconImage* e = m_entries.at(i);
        if (e->width() == w && e->height() == h && e->bitCount() == bitDepth) {
            if (indexOut)
                *indexOut = i;
            return true;
        }
    }
    if (indexOut)
        *indexOut = 0;
    return false;
}

bool Icon::findNearest(int32_t w, int32_t h, int32_t bitDepth, bool bySize, int32_t* indexOut) const
{
    int32_t bestIndex = -1;
    int64_t bestDDepth = 0;
    int64_t bestDArea = 0;
    const int64_t wantedArea = int64_t(w) * h;
    for (int32_t i = 0; i < m_entries.count(); ++i) {
        const IconImage* e = m_entries.at(i);
        if (e->width() == w && e->height() == h && e->bitCount() == bitDepth) {
            bestIndex = i;
            break;
        }
        const int64_t dDepth = std::llabs(int64_t(bitDepth) - e->bitCount());
        const int64_t dArea = std::llabs(wantedArea - int64_t(e->width()) * e->height());
        const bool better = bySize ? (dArea < bestDArea || (dArea == bestDArea && dDepth < bestDDepth))
                                   : (dDepth < bestDDepth || (dDepth == bestDDepth && dArea < bestDArea));
        if (bestIndex < 0 || better) {
            bestIndex = i;
            bestDDepth = dDepth;
            bestDArea = dArea;
        }
    }
    if (indexOut)
        *indexOut = bestIndex < 0 ? 0 : bestIndex;
    return bestIndex >= 0;
}

bool Icon::findNearestDepth(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const
{
    return findNearest(w, h, bitDepth, false, indexOut);
}

bool Icon::findNearestSize(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const
{
    return findNearest(w, h, bitDepth, true, indexOut);
}

}  // namespace s::image::ico::win
