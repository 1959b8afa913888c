#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "io/ByteReader.h"
#include "io/ByteWriter.h"

using s::io::ByteReader;
using s::io::ByteWriter;

namespace {

// 01 02 03 04 05 06 07 08 F0 FF FF FF
const uint8_t kBytes[] = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0xF0, 0xFF, 0xFF, 0xFF};

}  // namespace

TEST(ByteReader, ReadsLittleAndBigEndianValues)
{
    ByteReader r(kBytes, sizeof kBytes);
    EXPECT_EQ(r.u8(), 0x01);
    EXPECT_EQ(r.u16le(), 0x0302);
    EXPECT_EQ(r.u16be(), 0x0405);
    EXPECT_EQ(r.u8(), 0x06);
    EXPECT_EQ(r.u32be(), 0x0708F0FFu);
    r.seek(8);
    EXPECT_EQ(r.s32le(), -16);  // F0 FF FF FF
    r.seek(0);
    EXPECT_EQ(r.u32le(), 0x04030201u);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.position(), 4u);
    EXPECT_EQ(r.remaining(), sizeof kBytes - 4);
}

TEST(ByteReader, SignedValuesCoverTheWholeRange)
{
    const uint8_t minimum[] = {0x00, 0x00, 0x00, 0x80};
    const uint8_t maximum[] = {0xFF, 0xFF, 0xFF, 0x7F};
    EXPECT_EQ(ByteReader(minimum, 4).s32le(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ByteReader(maximum, 4).s32le(), std::numeric_limits<int32_t>::max());
}

// A read that does not fit answers 0, and so does every later read, even one
// that would have fitted: callers test ok() once after a whole header.
TEST(ByteReader, FailureIsStickyAndAnswersZero)
{
    ByteReader r(kBytes, 3);
    EXPECT_EQ(r.u16le(), 0x0201);
    EXPECT_EQ(r.u16le(), 0);  // one byte left
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.u8(), 0);  // would fit, but the reader has failed
    EXPECT_EQ(r.position(), 2u);
    EXPECT_FALSE(r.skip(0));
    EXPECT_FALSE(r.seek(0));
}

TEST(ByteReader, BoundsHoldAtTheEdges)
{
    struct Case {
        const char* name;
        size_t size;
        size_t skipFirst;
        size_t take;
        bool fits;
    };
    const Case cases[] = {
        {"exactly the rest", 12, 4, 8, true},
        {"one past the rest", 12, 4, 9, false},
        {"nothing from nothing", 0, 0, 0, true},
        {"one from nothing", 0, 0, 1, false},
        // A length near SIZE_MAX must not wrap the position test around.
        {"huge length", 12, 4, std::numeric_limits<size_t>::max() - 2, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ByteReader r(kBytes, c.size);
        ASSERT_TRUE(r.skip(c.skipFirst));
        EXPECT_EQ(r.has(c.take), c.fits);
        EXPECT_EQ(r.skip(c.take), c.fits);
        EXPECT_EQ(r.ok(), c.fits);
    }
}

TEST(ByteReader, CopiesAndViewsStayInsideTheBuffer)
{
    ByteReader r(kBytes, sizeof kBytes);
    uint8_t out[4] = {9, 9, 9, 9};
    EXPECT_TRUE(r.bytes(out, 4));
    EXPECT_EQ(out[3], 0x04);
    const uint8_t* view = r.view(8);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view[0], 0x05);
    EXPECT_EQ(r.remaining(), 0u);
    EXPECT_TRUE(r.seek(sizeof kBytes));  // standing at the end is allowed
    EXPECT_EQ(r.view(1), nullptr);
    ByteReader short_(kBytes, 2);
    uint8_t partial[4] = {9, 9, 9, 9};
    EXPECT_FALSE(short_.bytes(partial, 4));
    // A failed copy leaves zeros, never what the buffer held before.
    EXPECT_EQ(partial[0], 0);
    EXPECT_EQ(partial[3], 0);
    ByteReader past(kBytes, sizeof kBytes);
    EXPECT_FALSE(past.seek(sizeof kBytes + 1));
    EXPECT_FALSE(past.ok());
}

TEST(ByteWriter, WritesWhatTheReaderReads)
{
    std::vector<uint8_t> out;
    ByteWriter w(out);
    w.u8(0xAB);
    w.u32le(0);  // a length known only at the end
    w.u16le(0x1234);
    w.s32le(-2);
    w.u16be(0x1234);
    w.u32be(0xCAFEF00D);
    w.zeros(2);
    const uint8_t tail[] = {7, 8};
    w.bytes(tail, 2);
    ASSERT_EQ(w.size(), 21u);
    EXPECT_TRUE(w.patchU32le(1, 0xDEADBEEF));
    EXPECT_FALSE(w.patchU32le(18, 0));  // only three bytes from there on
    EXPECT_EQ(out[1], 0xEF);  // little-endian whatever the host

    ByteReader r(out.data(), out.size());
    EXPECT_EQ(r.u8(), 0xAB);
    EXPECT_EQ(r.u32le(), 0xDEADBEEFu);
    EXPECT_EQ(r.u16le(), 0x1234);
    EXPECT_EQ(r.s32le(), -2);
    EXPECT_EQ(r.u16be(), 0x1234);
    EXPECT_EQ(r.u32be(), 0xCAFEF00Du);
    EXPECT_EQ(r.u16le(), 0);
    EXPECT_EQ(r.u8(), 7);
    EXPECT_EQ(r.u8(), 8);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.remaining(), 0u);
}
