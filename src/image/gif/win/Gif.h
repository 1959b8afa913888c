#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "col/_array/ArrayBase.h"
#include "col/_array/ArrayP.h"
#include "image/gif/IGif.h"
#include "image/gif/win/GifFrame.h"
#include "image/gif/win/GifLzw.h"
#include "thread/Pooled.h"
#include "thread/PooledBy.h"

namespace s::io {
class ByteReader;
}

namespace s::image::gif::win {

// The GIF codec, entirely the system's own code.
// Reads: GIF87a and GIF89a; global and local colour tables (without either,
// a grey ramp); graphic control and looping extensions; interlaced images.
// Each frame keeps its place on the logical screen.
// Skips a frame: zero width or height, more pixels than the image model's
// cap or than its data could ever produce, a minimum code size outside 2..11.
// Ends a frame early, the rest of it index 0: a code above the next free
// code, a "previous string" code right after a clear, the end of its data.
// Ends the file with the frames read so far: no trailer, or the frames
// (pixels and colour tables) passing the image model's cap in all.
// Writes: GIF89a with a looping extension, and per frame a graphic control
// extension, a 256-entry local colour table and 8-bit LZW data, each frame
// at its place (the origin for frames built from pictures). A failed write
// fails the encode.
class Gif : public s::image::gif::IGif, public s::thread::PooledBy<Gif> {
public:
    static constexpr int32_t kHeaderBytes = 13;
    static constexpr int32_t kTableBytes = 768;
    // The alpha below which a pixel is written transparent.
    static constexpr int32_t kAlphaCut = 96;
    // Larger files are read only this far: no honest GIF comes near it.
    static constexpr uint64_t kMaxFileBytes = uint64_t(1) << 30;

    // What the last decode or encode met first, for tests; not shown to anyone.
    enum class Fault : uint8_t {
        kNone,
        kTruncatedHeader,   // fewer than 13 bytes
        kNoFrames,          // not one frame could be read
        kEmptyFrame,        // a frame of zero width or height, skipped
        kBadCodeSize,       // an LZW minimum code size outside 2..11, frame skipped
        kTooLarge,          // a frame above the pixel cap (skipped) or the frames' cap spent (file ended)
        kFrameBeyondData,   // a frame larger than its data could fill, skipped
        kOutOfMemory,
        // Notes: what was read is kept.
        kCodeBeyondTable,   // a code above the next free code ended a frame
        kNoPreviousString,  // a "previous string" code after a clear ended a frame
        kDataEnded,         // a frame's data ended before its last pixel
        kNoTrailer,         // the file ended without a trailer
        // Encoding.
        kNothingToWrite,
        kWriteFailed,
        kBadPicture,        // empty, or wider or higher than GIF can store
    };

    Gif();
    ~Gif() override;

    const char16_t* className() const override { return u"s_image_gif_win_Gif"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    int32_t width() const override;
    int32_t height() const override;
    const char16_t* fileExtension() const override { return u".gif"; }
    s::image::win::BufferedImage* toImage(int32_t index, s::image::win::BufferedImage* destination) override;
    s::image::win::BufferedImageSet* toImageSet(int32_t flags) override;
    bool encode(s::io::IOutputStream& out) override;
    bool decode(s::io::IInputStream& in) override;
    bool isMultiImage() const override { return imageCount() > 0; }
    int32_t imageCount() const override { return m_frames.count(); }
    int32_t bitDepthAt(int32_t) const override { return 8; }
    // The frames go; the colour depth and loop count a re-encode needs stay.
    void releasePixels() override { clearFrames(); }
    s::image::IEncodedImage* reencodeSet(s::image::win::BufferedImageSet& set) override;
    s::image::IEncodedImage* reencodeImage(const s::image::win::BufferedImage& image) override;
    bool findExact(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const override;
    bool findNearestDepth(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const override;
    bool findNearestSize(int32_t w, int32_t h, int32_t bitDepth, int32_t* indexOut) const override;

    bool createStorage(int32_t width, int32_t height) override;
    bool hasTransparency() const override;
    bool encodeImage(const s::image::win::BufferedImage& image, int32_t bitDepth, bool keepTransparency, int32_t red, int32_t green, int32_t blue, int32_t alphaCut) override;
    bool encodeAnimation(const s::image::win::BufferedImageSet& set, int32_t bitDepth, bool keepTransparency, int32_t red, int32_t green, int32_t blue) override;
    int32_t colorBits() const override { return m_colorBits; }
    uint16_t loopCount() const override { return m_loopCount; }
    int32_t bitDepth() const override { return 8; }
    int32_t bytesPerRow() const override;
    uint8_t* row(int32_t y) const override;

    // The logical screen of the file read last.
    int32_t screenWidth() const;
    int32_t screenHeight() const;
    const GifFrame* frameAt(int32_t index) const { return m_frames.at(index); }
    int32_t transparentIndexAt(int32_t index) const { return m_transparentIndices.at(index); }
    int32_t delayAt(int32_t index) const { return m_delays.at(index); }
    int32_t disposalAt(int32_t index) const { return m_disposals.at(index); }
    // The bit depth a re-encode of the file read last uses.
    int32_t reencodeDepth() const;
    Fault fault() const { return m_fault; }

private:
    struct DecodeState;
    enum class Step : uint8_t { kGoOn, kStop };

    void note(Fault fault);
    void clearFrames();
    bool addFrame(GifFrame* frame, int32_t transparentIndex, int32_t delay, int32_t disposal);
    // Decoding, one step of the block structure each.
    void readGlobalTable(s::io::ByteReader& r);
    Step readBlock(s::io::ByteReader& r, DecodeState& state);
    Step readExtension(s::io::ByteReader& r, DecodeState& state);
    void readControlBlock(s::io::ByteReader& r, DecodeState& state);
    void readApplicationBlock(s::io::ByteReader& r);
    Step readImage(s::io::ByteReader& r, DecodeState& state);
    bool readLocalTable(s::io::ByteReader& r);
    bool readCodeData(s::io::ByteReader& r);
    Step decodeFrame(int32_t minCodeSize, DecodeState& state);
    // Encoding.
    bool writeFrame(int32_t index, s::io::IOutputStream& out);
    bool encodeChange(const s::image::win::BufferedImage& picture, s::thread::Pooled<s::image::win::BufferedImage>& previous, int32_t bitDepth, bool keepTransparency, int32_t red, int32_t green, int32_t blue);

    GifLzw m_lzw;
    uint8_t m_header[kHeaderBytes];
    int32_t m_globalEntries = 0;
    int32_t m_globalBytes = 0;
    uint8_t m_globalTable[kTableBytes];
    int32_t m_localEntries = 0;
    int32_t m_localBytes = 0;
    uint8_t m_localTable[kTableBytes];
    uint8_t m_controlBlock[5];
    uint8_t m_appBlock[12];
    uint8_t m_descriptor[9];
    // The current image's LZW data without sub-block headers.
    std::unique_ptr<uint8_t[]> m_codeData;  // owned
    size_t m_codeSize = 0;
    int32_t m_colorBits = 0;
    int32_t m_interlaced = 0;
    s::col::_array::ArrayP<GifFrame> m_frames;
    s::col::_array::ArrayS32 m_transparentIndices;
    s::col::_array::ArrayS32 m_delays;
    s::col::_array::ArrayS32 m_disposals;
    uint16_t m_loopCount = 1;
    Fault m_fault = Fault::kNone;
};

}  // namespace s::image::gif::win
