#include "image/gif/win/GifLzwDecoder.h"

namespace s::image::gif::win {

// Where the next decoded pixel goes: left to right, then down a row, or for
// an interlaced frame every 8th row from 0, every 8th from 4, every 4th from
// 2 and every 2nd from 1, passes without rows skipped.
class GifLzwDecoder::RowCursor {
public:
    RowCursor(uint8_t* indices, int32_t width, int32_t height, bool interlaced)
        : m_indices(indices), m_width(width), m_height(height), m_interlaced(interlaced)
    {
        m_line = m_indices;
    }

    void put(uint8_t value)
    {
        m_line[m_column] = value;
        if (++m_column == m_width) {
            m_column = 0;
            nextRow();
        }
    }

private:
    void nextRow()
    {
        if (!m_interlaced) {
            ++m_row;
        } else {
            static constexpr int32_t kStart[4] = {0, 4, 2, 1};
            static constexpr int32_t kStep[4] = {8, 8, 4, 2};
            m_row += kStep[m_pass];
            while (m_row >= m_height && m_pass < 3) {
                ++m_pass;
                m_row = kStart[m_pass];
            }
        }
        // Past the last row the cursor stays on row 0; the caller never
        // puts more than width x height pixels.
        if (m_row >= m_height)
            m_row = 0;
        m_line = m_indices + static_cast<size_t>(m_row) * static_cast<size_t>(m_width);
    }

    uint8_t* m_indices;  // not owned
    uint8_t* m_line;     // not owned
    int32_t m_width;
    int32_t m_height;
    bool m_interlaced;
    int32_t m_row = 0;
    int32_t m_column = 0;
    int32_t m_pass = 0;
};

uint64_t GifLzwDecoder::maxPixelsFor(size_t size, int32_t minCodeSize)
{
    const uint64_t codes = static_cast<uint64_t>(size) * 8 / static_cast<uint64_t>(minCodeSize + 1);
    return codes * kTableSize;
}

int32_t GifLzwDecoder::pushString(int32_t code, int32_t firstFree, int32_t start)
{
    int32_t top = start;
    // Every entry's prefix is an older code, so the walk ends at a root
    // well within the table's size; the bound only guards the stack.
    while (code >= firstFree && top < kTableSize) {
        m_stack[top++] = m_suffix[code];
        code = m_prefix[code];
    }
    m_stack[top++] = static_cast<uint8_t>(code);
    return top - start;
}

GifLzwDecoder::Result GifLzwDecoder::decode(const uint8_t* data, size_t size, int32_t minCodeSize, uint8_t* indices, int32_t width, int32_t height, bool interlaced)
{
    m_produced = 0;
    if (minCodeSize < kMinCodeSizeLow || minCodeSize > kMinCodeSizeHigh)
        return Result::kBadCodeSize;
    const int32_t clear = 1 << minCodeSize;
    const int32_t end = clear + 1;
    const int32_t firstFree = clear + 2;
    int32_t codeBits = minCodeSize + 1;
    int32_t next = firstFree;
    int32_t previous = -1;
    uint8_t previousFirst = 0;
    const uint64_t total = static_cast<uint64_t>(width) * static_cast<uint64_t>(height);
    const uint64_t dataBits = static_cast<uint64_t>(size) * 8;
    uint64_t bitPosition = 0;
    RowCursor cursor(indices, width, height, interlaced);

    while (m_produced < total) {
        if (bitPosition + static_cast<uint64_t>(codeBits) > dataBits)
            return Result::kDataEnded;
        // Codes are packed least significant bit first; at most 12 bits from
        // a bit offset below 8 span three bytes, all inside the data.
        const size_t at = static_cast<size_t>(bitPosition / 8);
        uint32_t window = data[at];
        if (at + 1 < size)
            window |= static_cast<uint32_t>(data[at + 1]) << 8;
        if (at + 2 < size)
            window |= static_cast<uint32_t>(data[at + 2]) << 16;
        const int32_t code = static_cast<int32_t>((window >> (bitPosition % 8)) & ((1u << codeBits) - 1u));
        bitPosition += static_cast<uint64_t>(codeBits);

        if (code == end)
            return Result::kEndCode;
        if (code == clear) {
            codeBits = minCodeSize + 1;
            next = firstFree;
            previous = -1;
            continue;
        }
        if (code > next)
            return Result::kCodeBeyondTable;
        int32_t length = 0;
        if (code == next) {
            // The string not yet in the table: the previous one plus its own
            // first character. Without a previous string it means nothing.
            if (previous < 0 || next >= kTableSize)
                return Result::kNoPreviousString;
            m_stack[0] = previousFirst;
            length = 1 + pushString(previous, firstFree, 1);
        } else {
            length = pushString(code, firstFree, 0);
        }
        const uint8_t first = m_stack[length - 1];
        if (previous >= 0 && next < kTableSize) {
            m_prefix[next] = static_cast<uint16_t>(previous);
            m_suffix[next] = first;
            ++next;
            if (next >= (1 << codeBits) && codeBits < kMaxBits)
                ++codeBits;
        }
        previous = code;
        previousFirst = first;
        for (int32_t k = length - 1; k >= 0 && m_produced < total; --k, ++m_produced)
            cursor.put(m_stack[k]);
    }
    return Result::kComplete;
}

}  // namespace s::image::gif::win
