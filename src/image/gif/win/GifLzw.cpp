#include "image/gif/win/GifLzw.h"

#include <algorithm>
#include <iterator>

#include "io/IOutputStream.h"

namespace s::image::gif::win {

namespace {
constexpr int32_t kEmptySlot = -1;
// 8 minus the doublings that take the table size to 65536 or more: spreads
// a 12-bit prefix and an 8-bit character over the table.
constexpr int32_t kHashShift = 4;
}  // namespace

void GifLzw::reset()
{
    std::fill(std::begin(m_hashTable), std::end(m_hashTable), kEmptySlot);
    std::fill(std::begin(m_codeTable), std::end(m_codeTable), uint16_t(0));
    std::fill(std::begin(m_packet), std::end(m_packet), uint8_t(0));
    m_packetCount = 0;
    m_freeCode = 0;
    m_clearFlag = 0;
    m_codeBits = 0;
    m_accumulator = 0;
    m_accumulatorBits = 0;
    m_maxCode = 0;
    m_initBits = 0;
    m_clearCode = m_endCode = 0;
    m_out = nullptr;
    m_writeFailed = false;
}

void GifLzw::start(int32_t minCodeSize)
{
    m_initBits = m_codeBits = minCodeSize + 1;
    m_maxCode = (1 << m_codeBits) - 1;
    m_clearCode = 1 << minCodeSize;
    m_endCode = m_clearCode + 1;
    m_freeCode = static_cast<uint16_t>(m_clearCode + 2);
    m_clearFlag = 0;
    m_accumulator = 0;
    m_accumulatorBits = 0;
    m_packetCount = 0;
    std::fill(std::begin(m_hashTable), std::end(m_hashTable), kEmptySlot);
}

bool GifLzw::encode(const uint8_t* indices, int32_t width, int32_t height, int32_t stride, int32_t minCodeSize, s::io::IOutputStream& out)
{
    if (!indices || width < 1 || height < 1 || stride < width || minCodeSize < 2 || minCodeSize > 8)
        return false;
    m_out = &out;
    m_writeFailed = false;
    start(minCodeSize);
    const uint8_t mask = static_cast<uint8_t>(m_clearCode - 1);
    outputCode(m_clearCode);
    int32_t prefix = indices[0] & mask;
    for (int32_t y = 0; y < height; ++y) {
        const uint8_t* line = indices + static_cast<size_t>(y) * static_cast<size_t>(stride);
        for (int32_t x = (y == 0 ? 1 : 0); x < width; ++x) {
            const int32_t c = line[x] & mask;
            const int32_t key = (c << kMaxBits) + prefix;
            int32_t slot = (c << kHashShift) ^ prefix;
            if (findString(key, slot, prefix))
                continue;
            outputCode(prefix);
            if (m_freeCode < kMaxMaxCode) {
                m_codeTable[slot] = m_freeCode++;
                m_hashTable[slot] = key;
            } else {
                clearTable();
            }
            prefix = c;
        }
    }
    outputCode(prefix);
    outputCode(m_endCode);
    m_out = nullptr;
    return !m_writeFailed;
}

// Looks key up from its first slot on; on a hit prefix becomes the string's
// code, otherwise slot is where the string would go.
bool GifLzw::findString(int32_t key, int32_t& slot, int32_t& prefix) const
{
    if (m_hashTable[slot] == key) {
        prefix = m_codeTable[slot];
        return true;
    }
    if (m_hashTable[slot] < 0)
        return false;
    const int32_t step = slot == 0 ? 1 : kHashSize - slot;
    do {
        slot -= step;
        if (slot < 0)
            slot += kHashSize;
        if (m_hashTable[slot] == key) {
            prefix = m_codeTable[slot];
            return true;
        }
    } while (m_hashTable[slot] > 0);
    return false;
}

// The table is full: start it afresh and tell the decoder so.
void GifLzw::clearTable()
{
    std::fill(std::begin(m_hashTable), std::end(m_hashTable), kEmptySlot);
    m_freeCode = static_cast<uint16_t>(m_clearCode + 2);
    m_clearFlag = 1;
    outputCode(m_clearCode);
}

void GifLzw::outputCode(int32_t code)
{
    m_accumulator &= (1u << m_accumulatorBits) - 1u;
    if (m_accumulatorBits > 0)
        m_accumulator |= static_cast<uint32_t>(code) << m_accumulatorBits;
    else
        m_accumulator = static_cast<uint32_t>(code);
    m_accumulatorBits += m_codeBits;
    while (m_accumulatorBits >= 8) {
        addByte(static_cast<uint8_t>(m_accumulator & 0xFF));
        m_accumulator >>= 8;
        m_accumulatorBits -= 8;
    }
    // The width changes after the code that made the table outgrow it, as
    // the decoder, one entry behind, expects.
    if (m_freeCode > m_maxCode || m_clearFlag) {
        if (m_clearFlag) {
            m_codeBits = m_initBits;
            m_maxCode = (1 << m_codeBits) - 1;
            m_clearFlag = 0;
        } else {
            ++m_codeBits;
            m_maxCode = m_codeBits == kMaxBits ? kMaxMaxCode : (1 << m_codeBits) - 1;
        }
    }
    if (code == m_endCode) {
        while (m_accumulatorBits > 0) {
            addByte(static_cast<uint8_t>(m_accumulator & 0xFF));
            m_accumulator >>= 8;
            m_accumulatorBits -= 8;
        }
        m_accumulatorBits = 0;
        flushPacket();
    }
}

void GifLzw::addByte(uint8_t value)
{
    m_packet[m_packetCount++] = value;
    if (m_packetCount >= kPacketCapacity)
        flushPacket();
}

void GifLzw::flushPacket()
{
    if (m_packetCount <= 0)
        return;
    uint8_t block[1 + kPacketCapacity];
    block[0] = static_cast<uint8_t>(m_packetCount);
    std::copy(m_packet, m_packet + m_packetCount, block + 1);
    const uint32_t count = static_cast<uint32_t>(m_packetCount) + 1;
    uint32_t written = 0;
    if (!m_writeFailed && (!m_out->write(block, count, &written) || written != count))
        m_writeFailed = true;
    m_packetCount = 0;
}

}  // namespace s::image::gif::win
