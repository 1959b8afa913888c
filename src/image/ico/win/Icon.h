#pragma once
#include <cstdint>

#include "col/_array/ArrayBase.h"
#include "col/_array/ArrayP.h"
#include "image/ico/IIcon.h"
#include "image/ico/win/IconImage.h"
#include "thread/PooledBy.h"

namespace s::archive::icon {
class Archive;
}

namespace s::image::ico::win {

// The icon file codec: a directory of entries, each an IconImage.
// Reads: the entry nearest to 32 x 32 at 32 bits first, then the others in
// directory order. An entry whose record or data is broken is left out and
// the others are kept; so are entries past the image model's pixel cap for
// the whole file (many records may point at one large picture). A file
// whose every entry is broken has no pictures.
// Writes: one directory record per entry and the entries' data in order.
class Icon : public s::image::ico::IIcon, public s::thread::PooledBy<Icon> {
public:
    // What the last decode or encode met first, for tests; not shown to anyone.
    enum class Fault : uint8_t {
        kNone,
        kDirectory,       // the header or records (see archiveFault())
        kBrokenEntry,     // an entry was left out (see entryFault())
        kTruncatedEntry,  // an entry was read in part, and kept
        kNoEntries,
        kTooLarge,        // the pictures together passed the pixel cap
        kWriteFailed,
    };

    Icon();
    ~Icon() override;

    const char16_t* className() const override { return u"s_image_ico_win_Icon"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    int32_t width() const override;
    int32_t height() const override;
    const char16_t* fileExtension() const override { return u".ico"; }
    s::image::win::BufferedImage* toImage(int32_t index, s::image::win::BufferedImage* destination) override;
    bool encode(s::io::IOutputStream& out) override;
    bool decode(s::io::IInputStream& in) override;
    bool isMultiImage() const override { return imageCount() > 1; }
    int32_t imageCount() const override { return m_entries.count(); }
    int32_t bitDepthAt(int32_t index) const override;
    // The pictures go; the sizes and depths a re-encode needs stay.
    void releasePixels() override { m_entries.clear(); }
    s::image::IEncodedImage* reencodeSet(s::image::win::BufferedImageSet& set) override;
    s::image::IEncodedImage* reencodeImage(const s::image::win::BufferedImage& image) override;
    bool findExact(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const override;
    bool findNearestDepth(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const override;
    bool findNearestSize(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const override;

    bool addEntry(s::image::ico::IIconImage* entry) override;
    IconImage* entry(int32_t index) const override { return m_entries.at(index); }

    // What a re-encode writes, one value per entry in entry order:
    // (width << 16) | bit count. Kept when the pictures are released.
    const s::col::_array::ArrayS32& entryShapes() const { return m_entryShapes; }
    Fault lastFault() const { return m_fault; }
    uint8_t archiveFault() const { return m_archiveFault; }
    IconImage::Fault entryFault() const { return m_entryFault; }

    // The record the decode reads first: 32 x 32 at 32 bits, else the
    // nearest in area, ties to the depth nearer 32. Exposed for tests.
    static int32_t bestFit(const s::archive::icon::Archive& archive);

private:
    void note(Fault fault);
    void loadEntry(s::archive::icon::Archive& archive, int32_t index, uint64_t& budget);
    bool findNearest(int32_t w, int32_t h, int32_t bitDepth, bool bySize, int32_t* indexOut) const;

    s::col::_array::ArrayP<IconImage> m_entries;
    s::col::_array::ArrayS32 m_entryShapes;
    Fault m_fault = Fault::kNone;
    uint8_t m_archiveFault = 0;
    IconImage::Fault m_entryFault = IconImage::Fault::kNone;
};

}  // namespace s::image::ico::win
