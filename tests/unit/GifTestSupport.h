#pragma once
// Helpers shared by the GIF codec's tests: streams over memory, a hash of
// what a picture shows, and small picture builders.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "TestFolder.h"
#include "image/gif/win/Gif.h"
#include "image/win/BufferedImage.h"
#include "image/win/BufferedImageSet.h"
#include "io/IInputStream.h"
#include "io/IOutputStream.h"
#include "thread/Pooled.h"

namespace giftest {

using Bytes = std::vector<uint8_t>;
using s::image::gif::win::Gif;
using s::image::win::BufferedImage;
using s::image::win::BufferedImageSet;
using s::thread::Pooled;

class MemoryInput : public s::io::IInputStream {
public:
    explicit MemoryInput(Bytes bytes) : m_bytes(std::move(bytes)) {}
    bool read(void* buffer, uint32_t count, uint32_t* done) override
    {
        const size_t n = std::min<size_t>(count, m_bytes.size() - m_position);
        if (n)
            std::memcpy(buffer, m_bytes.data() + m_position, n);
        m_position += n;
        *done = static_cast<uint32_t>(n);
        return true;
    }
    bool seek(int64_t position) override
    {
        if (position < 0 || static_cast<uint64_t>(position) > m_bytes.size())
            return false;
        m_position = static_cast<size_t>(position);
        return true;
    }
    bool seekFromEnd(int64_t offset) override { return seek(static_cast<int64_t>(m_bytes.size()) + offset); }
    bool skip(int64_t count) override { return seek(static_cast<int64_t>(m_position) + count); }
    int64_t position() const override { return static_cast<int64_t>(m_position); }
    bool close() override { return true; }

private:
    Bytes m_bytes;
    size_t m_position = 0;
};

// Takes what is written; refuses every write once failAfter bytes are in.
class MemoryOutput : public s::io::IOutputStream {
public:
    explicit MemoryOutput(size_t failAfter = SIZE_MAX) : m_failAfter(failAfter) {}
    bool write(const void* bytes, uint32_t count, uint32_t* written) override
    {
        if (bytes_.size() + count > m_failAfter) {
            *written = 0;
            return false;
        }
        const uint8_t* b = static_cast<const uint8_t*>(bytes);
        bytes_.insert(bytes_.end(), b, b + count);
        *written = count;
        return true;
    }
    bool flush() override { return true; }
    bool close() override { return true; }
    Bytes bytes_;

private:
    size_t m_failAfter;
};

inline Pooled<Gif> decodeBytes(const Bytes& bytes, bool* decoded = nullptr)
{
    Pooled<Gif> gif(Gif::take());
    MemoryInput in(bytes);
    const bool ok = gif->decode(in);
    if (decoded)
        *decoded = ok;
    return gif;
}

inline Bytes encodeToBytes(Gif& gif)
{
    MemoryOutput out;
    EXPECT_TRUE(gif.encode(out));
    return out.bytes_;
}

inline Bytes readFile(const std::filesystem::path& path)
{
    const std::string text = readAll(path);
    return Bytes(text.begin(), text.end());
}

// FNV-1a 64 over the picture's red, green, blue and alpha bytes, top row
// first; a pixel of alpha 0 counts as 0, 0, 0, 0 (its colour cannot show).
inline uint64_t shownHash(const BufferedImage& image)
{
    uint64_t h = 0xCBF29CE484222325ull;
    auto mix = [&h](uint8_t b) {
        h ^= b;
        h *= 0x100000001B3ull;
    };
    for (int32_t y = 0; y < image.height(); ++y) {
        const uint32_t* line = image.row(y);
        for (int32_t x = 0; x < image.width(); ++x) {
            const uint32_t p = (line[x] >> 24) == 0 ? 0 : line[x];
            mix(static_cast<uint8_t>(p >> 16));
            mix(static_cast<uint8_t>(p >> 8));
            mix(static_cast<uint8_t>(p));
            mix(static_cast<uint8_t>(p >> 24));
        }
    }
    return h;
}

// What the picture shows at each pixel: alpha-0 pixels all read 0.
inline std::vector<uint32_t> shownPixels(const BufferedImage& image)
{
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < image.height(); ++y)
        for (int32_t x = 0; x < image.width(); ++x)
            pixels.push_back((image.row(y)[x] >> 24) == 0 ? 0 : image.row(y)[x]);
    return pixels;
}

// A new pooled w x h image of the given pixels (top row first).
inline BufferedImage* makeImage(int32_t w, int32_t h, const std::vector<uint32_t>& pixels)
{
    BufferedImage* image = BufferedImage::createImage(w, h);
    bool alpha = false;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            const uint32_t p = pixels[static_cast<size_t>(y) * w + x];
            image->row(y)[x] = p;
            alpha = alpha || (p >> 24) != 0xFF;
        }
    }
    image->setHasAlpha(alpha);
    return image;
}

inline std::filesystem::path corpusFile(const char* relative)
{
    return std::filesystem::path(PELLORY_CORPUS_DIR) / relative;
}

inline std::filesystem::path testDataFile(const char* relative)
{
    return std::filesystem::path(PELLORY_TESTDATA_DIR) / relative;
}

}  // namespace giftest
