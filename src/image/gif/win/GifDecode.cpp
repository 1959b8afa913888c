// Reading a GIF file into frames: the block structure, colour tables and
// extensions. The LZW data itself is GifLzwDecoder's.

#include <algorithm>
#include <cstring>
#include <new>

#include "image/gif/win/Gif.h"
#include "image/gif/win/GifLzwDecoder.h"
#include "io/ByteReader.h"
#include "io/IInputStream.h"
#include "platform/PixelStore.h"
#include "thread/Pooled.h"

namespace s::image::gif::win {

using s::io::ByteReader;
using s::thread::Pooled;

namespace {

constexpr uint8_t kExtensionIntroducer = 0x21;
constexpr uint8_t kImageSeparator = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kGraphicControlLabel = 0xF9;
constexpr uint8_t kApplicationLabel = 0xFF;
constexpr uint8_t kTableFlag = 0x80;
constexpr uint8_t kInterlaceFlag = 0x40;
constexpr uint8_t kTransparencyFlag = 0x01;
constexpr int32_t kControlFields = 4;
constexpr int32_t kApplicationIdBytes = 11;
constexpr int32_t kLoopingSubBlockBytes = 3;
const uint8_t kLoopingId[kApplicationIdBytes] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
// Lets a code reader look a few bytes ahead at the end of the data.
constexpr size_t kCodeDataSpare = 4;
constexpr uint32_t kReadChunk = 1u << 24;

uint16_t u16At(const uint8_t* bytes)
{
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}

// Skips data sub-blocks from one whose size was just read up to and
// including the terminator, or to the end of the file.
void skipSubBlocks(ByteReader& r, uint8_t size)
{
    while (size != 0 && r.ok()) {
        r.skip(size);
        size = r.u8();
    }
}

// Reads what the stream holds from its position on, at most
// Gif::kMaxFileBytes. A stream that cannot tell its size is read in
// growing steps. False when memory or the stream refused.
bool readStream(s::io::IInputStream& in, std::unique_ptr<uint8_t[]>& data, size_t& size)
{
    size = 0;
    const int64_t start = in.position();
    uint64_t capacity = 1u << 16;
    bool sizeKnown = false;
    if (in.seekFromEnd(0)) {
        if (in.position() >= start) {
            capacity = static_cast<uint64_t>(in.position() - start);
            sizeKnown = true;
        }
        if (!in.seek(start))
            return false;
    }
    capacity = std::min<uint64_t>(std::max<uint64_t>(capacity, 1), Gif::kMaxFileBytes);
    data.reset(new (std::nothrow) uint8_t[capacity]);
    if (!data)
        return false;
    for (;;) {
        if (size == capacity) {
            if (sizeKnown || capacity >= Gif::kMaxFileBytes)
                return true;
            const uint64_t larger = std::min<uint64_t>(capacity * 2, Gif::kMaxFileBytes);
            std::unique_ptr<uint8_t[]> grown(new (std::nothrow) uint8_t[larger]);
            if (!grown)
                return true;
            std::memcpy(grown.get(), data.get(), size);
            data = std::move(grown);
            capacity = larger;
        }
        const uint32_t want = static_cast<uint32_t>(std::min<uint64_t>(capacity - size, kReadChunk));
        uint32_t done = 0;
        const bool read = in.read(data.get() + size, want, &done);
        size += std::min(done, want);
        if (!read || done == 0)
            return true;
    }
}

}  // namespace

struct Gif::DecodeState {
    bool controlPending = false;
    bool trailerSeen = false;
    uint64_t memoryUsed = 0;  // bytes of frames kept so far
};

bool Gif::decode(s::io::IInputStream& in)
{
    reset();
    std::unique_ptr<uint8_t[]> data;
    size_t size = 0;
    if (!readStream(in, data, size)) {
        note(Fault::kOutOfMemory);
        return false;
    }
    ByteReader r(data.get(), size);
    // The signature is not examined: detection did that.
    if (!r.bytes(m_header, kHeaderBytes)) {
        note(Fault::kTruncatedHeader);
        return false;
    }
    readGlobalTable(r);
    DecodeState state;
    while (r.has(1) && readBlock(r, state) == Step::kGoOn) {
    }
    if (!state.trailerSeen)
        note(Fault::kNoTrailer);
    m_codeData.reset();
    m_codeSize = 0;
    if (imageCount() == 0) {
        note(Fault::kNoFrames);
        return false;
    }
    return true;
}

void Gif::readGlobalTable(ByteReader& r)
{
    const uint8_t packed = m_header[10];
    if (packed & kTableFlag) {
        m_colorBits = (packed & 7) + 1;
        m_globalEntries = 1 << m_colorBits;
        m_globalBytes = 3 * m_globalEntries;
        // A table cut short reads as black; the block loop then finds the end.
        r.bytes(m_globalTable, static_cast<size_t>(m_globalBytes));
        return;
    }
    // No table: images without their own show a grey ramp.
    m_globalEntries = 256;
    m_globalBytes = kTableBytes;
    for (int32_t i = 0; i < 256; ++i)
        m_globalTable[3 * i] = m_globalTable[3 * i + 1] = m_globalTable[3 * i + 2] = static_cast<uint8_t>(i);
}

Gif::Step Gif::readBlock(ByteReader& r, DecodeState& state)
{
    switch (r.u8()) {
    case kExtensionIntroducer:
        return readExtension(r, state);
    case kImageSeparator:
        return readImage(r, state);
    case kTrailer:
        state.trailerSeen = true;
        return Step::kStop;
    default:
        // Stray bytes between blocks are passed over, as writers leave them.
        return Step::kGoOn;
    }
}

Gif::Step Gif::readExtension(ByteReader& r, DecodeState& state)
{
    const uint8_t label = r.u8();
    if (label == kGraphicControlLabel)
        readControlBlock(r, state);
    else if (label == kApplicationLabel)
        readApplicationBlock(r);
    else
        skipSubBlocks(r, r.u8());
    return Step::kGoOn;
}

void Gif::readControlBlock(ByteReader& r, DecodeState& state)
{
    // Size, packed flags, delay and transparent index; a block too short
    // for the four fields is ignored, a longer one has the rest skipped.
    const uint8_t size = r.u8();
    m_controlBlock[0] = size;
    if (size >= kControlFields) {
        state.controlPending = r.bytes(m_controlBlock + 1, kControlFields);
        r.skip(size - kControlFields);
    } else {
        r.skip(size);
    }
    skipSubBlocks(r, r.u8());
}

void Gif::readApplicationBlock(ByteReader& r)
{
    const uint8_t size = r.u8();
    m_appBlock[0] = size;
    bool looping = false;
    if (size == kApplicationIdBytes) {
        r.bytes(m_appBlock + 1, kApplicationIdBytes);
        looping = r.ok() && std::memcmp(m_appBlock + 1, kLoopingId, kApplicationIdBytes) == 0;
    } else {
        r.skip(size);
    }
    uint8_t next = r.u8();
    if (looping && next == kLoopingSubBlockBytes) {
        r.u8();  // the sub-block id
        const uint16_t count = r.u16le();
        if (r.ok())
            m_loopCount = count;
        next = r.u8();
    }
    skipSubBlocks(r, next);
}

Gif::Step Gif::readImage(ByteReader& r, DecodeState& state)
{
    // A file that ends inside the descriptor, the colour table or before the
    // code size holds no more frames.
    if (!r.bytes(m_descriptor, sizeof m_descriptor) || !readLocalTable(r))
        return Step::kStop;
    const uint8_t minCodeSize = r.u8();
    if (!r.ok())
        return Step::kStop;
    const bool complete = readCodeData(r);
    const Step step = decodeFrame(minCodeSize, state);
    state.controlPending = false;
    // A frame cut off by the end of the file is kept with what it has.
    return complete ? step : Step::kStop;
}

bool Gif::readLocalTable(ByteReader& r)
{
    const uint8_t packed = m_descriptor[8];
    if (packed & kTableFlag) {
        m_colorBits = (packed & 7) + 1;
        m_localEntries = 1 << m_colorBits;
        m_localBytes = 3 * m_localEntries;
        return r.bytes(m_localTable, static_cast<size_t>(m_localBytes));
    }
    m_localEntries = m_globalEntries;
    m_localBytes = m_globalBytes;
    std::memcpy(m_localTable, m_globalTable, sizeof m_localTable);
    return true;
}

// Gathers the image's sub-blocks into m_codeData: first measured, then
// copied, so the buffer is sized by what the file really holds. False when
// the file ended before the block terminator.
bool Gif::readCodeData(ByteReader& r)
{
    size_t total = 0;
    bool complete = false;
    ByteReader probe = r;
    for (;;) {
        const uint8_t size = probe.u8();
        if (!probe.ok())
            break;
        if (size == 0) {
            complete = true;
            break;
        }
        const size_t take = std::min<size_t>(size, probe.remaining());
        total += take;
        probe.skip(take);
        if (take < size)
            break;
    }
    m_codeData.reset(new (std::nothrow) uint8_t[total + kCodeDataSpare]());
    m_codeSize = 0;
    if (!m_codeData) {
        note(Fault::kOutOfMemory);
        return false;
    }
    for (;;) {
        const uint8_t size = r.u8();
        if (!r.ok() || size == 0)
            break;
        const size_t take = std::min<size_t>(size, r.remaining());
        r.bytes(m_codeData.get() + m_codeSize, take);
        m_codeSize += take;
        if (take < size) {
            r.skip(size);  // marks the end of the file
            break;
        }
    }
    return complete;
}

Gif::Step Gif::decodeFrame(int32_t minCodeSize, DecodeState& state)
{
    const int32_t w = u16At(m_descriptor + 4);
    const int32_t h = u16At(m_descriptor + 6);
    const uint64_t pixels = static_cast<uint64_t>(w) * static_cast<uint64_t>(h);
    // Each check below refuses a frame before anything is allocated for it.
    if (pixels == 0) {
        note(Fault::kEmptyFrame);
        return Step::kGoOn;
    }
    if (minCodeSize < GifLzwDecoder::kMinCodeSizeLow || minCodeSize > GifLzwDecoder::kMinCodeSizeHigh) {
        note(Fault::kBadCodeSize);
        return Step::kGoOn;
    }
    if (pixels > s::platform::PixelStore::kMaxPixels) {
        note(Fault::kTooLarge);
        return Step::kGoOn;
    }
    // A few bytes cannot honestly stand for a huge frame.
    if (pixels > GifLzwDecoder::maxPixelsFor(m_codeSize, minCodeSize)) {
        note(Fault::kFrameBeyondData);
        return Step::kGoOn;
    }
    // All frames together stay within what one picture may hold; each one
    // costs its colour table too, so that a flood of tiny frames ends as well.
    const uint64_t cost = pixels + sizeof(uint32_t) * GifFrame::kTableEntries;
    if (state.memoryUsed + cost > s::platform::PixelStore::kMaxPixels) {
        note(Fault::kTooLarge);
        return Step::kStop;
    }
    Pooled<GifFrame> frame(GifFrame::take());
    if (!frame->create(w, h)) {
        note(Fault::kOutOfMemory);
        return Step::kStop;
    }
    frame->setPlacement(u16At(m_descriptor), u16At(m_descriptor + 2));
    for (int32_t i = 0; i < std::min(m_localEntries, GifFrame::kTableEntries); ++i)
        frame->colorTable()[i] = static_cast<uint32_t>(m_localTable[3 * i]) << 16 | static_cast<uint32_t>(m_localTable[3 * i + 1]) << 8 | m_localTable[3 * i + 2];
    m_interlaced = (m_descriptor[8] & kInterlaceFlag) ? 1 : 0;

    Pooled<GifLzwDecoder> lzw(GifLzwDecoder::take());
    switch (lzw->decode(m_codeData.get(), m_codeSize, minCodeSize, frame->indices(), w, h, m_interlaced != 0)) {
    case GifLzwDecoder::Result::kComplete:
        break;
    case GifLzwDecoder::Result::kCodeBeyondTable:
        note(Fault::kCodeBeyondTable);
        break;
    case GifLzwDecoder::Result::kNoPreviousString:
        note(Fault::kNoPreviousString);
        break;
    default:
        note(Fault::kDataEnded);
        break;
    }

    int32_t transparent = -1;
    int32_t delay = 0;
    int32_t disposal = 0;
    if (state.controlPending) {
        const uint8_t packed = m_controlBlock[1];
        if (packed & kTransparencyFlag)
            transparent = m_controlBlock[4];
        disposal = (packed >> 2) & 7;
        delay = u16At(m_controlBlock + 2) * 10;
    }
    addFrame(frame.take(), transparent, delay, disposal);
    state.memoryUsed += cost;
    return Step::kGoOn;
}

}  // namespace s::image::gif::win
