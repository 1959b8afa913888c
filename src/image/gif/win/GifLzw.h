#pragma once
#include <cstdint>

#include "base/IObject.h"
#include "thread/PooledBy.h"

namespace s::io {
class IOutputStream;
}

namespace s::image::gif::win {

// The classic hashed GIF LZW encoder: strings are found through an
// open-addressing table of 5003 entries instead of a tree, codes grow from
// minCodeSize + 1 to 12 bits, a clear code restarts the table when it is
// full, and the output goes out in sub-blocks of at most 254 bytes.
class GifLzw : public s::base::IObject, public s::thread::PooledBy<GifLzw> {
public:
    static constexpr int32_t kHashSize = 5003;
    static constexpr int32_t kPacketCapacity = 254;
    static constexpr int32_t kMaxBits = 12;
    // Codes are at most 12 bits wide, so the table ends below 4096.
    static constexpr int32_t kMaxMaxCode = 1 << kMaxBits;

    GifLzw() { reset(); }

    const char16_t* className() const override { return u"s_image_gif_win_GifLzw"; }
    s::base::IObject* newInstance() const override { return take(); }
    void reset() override;

    // Writes the LZW data of width x height indices (rows stride bytes
    // apart, top row first) as sub-blocks, each a count byte and its bytes,
    // without the block terminator. minCodeSize is 2..8; an index is taken
    // modulo 2^minCodeSize so that it can never pose as a control code.
    // False when the stream refused a write or the arguments are unusable.
    bool encode(const uint8_t* indices, int32_t width, int32_t height, int32_t stride, int32_t minCodeSize, s::io::IOutputStream& out);

private:
    void start(int32_t minCodeSize);
    void outputCode(int32_t code);
    void clearTable();
    void addByte(uint8_t value);
    void flushPacket();
    bool findString(int32_t key, int32_t& slot, int32_t& prefix) const;

    int32_t m_hashTable[kHashSize];
    uint16_t m_codeTable[kHashSize];
    uint8_t m_packet[256];
    int32_t m_packetCount = 0;
    uint16_t m_freeCode = 0;
    uint8_t m_clearFlag = 0;
    int32_t m_codeBits = 0;
    uint32_t m_accumulator = 0;
    int32_t m_accumulatorBits = 0;
    int32_t m_maxCode = 0;
    int32_t m_initBits = 0;
    int32_t m_clearCode = 0;
    int32_t m_endCode = 0;
    s::io::IOutputStream* m_out = nullptr;  // not owned; set during encode only
    bool m_writeFailed = false;
};

}  // namespace s::image::gif::win
