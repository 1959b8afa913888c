#pragma once
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "file/win/FileInputStream.h"
#include "file/win/PathWin.h"
#include "image/IEncodedImage.h"
#include "image/win/BufferedImage.h"
#include "thread/Pooled.h"

// What the codec tests share: pictures made from a function, the digest the
// corpus tables use, and the tables themselves.
namespace codec_test {

using s::image::win::BufferedImage;
using s::thread::Pooled;

inline std::filesystem::path corpusDir() { return std::filesystem::path(PELLORY_CORPUS_DIR); }
inline std::filesystem::path testData() { return std::filesystem::path(PELLORY_TESTDATA_DIR); }
inline bool hasCorpus() { return std::filesystem::is_directory(corpusDir() / "png"); }

inline std::string readFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A new pooled image of w x h whose pixel (x, y), y = 0 at the top, is
// pixel(x, y) as 0xAARRGGBB; hasAlpha as some alpha below 255 says.
inline BufferedImage* makeImage(int32_t w, int32_t h, const std::function<uint32_t(int32_t, int32_t)>& pixel)
{
    BufferedImage* image = BufferedImage::createImage(w, h);
    bool alpha = false;
    for (int32_t y = 0; y < h; ++y) {
        for (int32_t x = 0; x < w; ++x) {
            image->row(y)[x] = pixel(x, y);
            alpha |= (pixel(x, y) >> 24) != 255;
        }
    }
    image->setHasAlpha(alpha);
    return image;
}

// 64-bit FNV-1a of the picture as R, G, B, A bytes, top row first: the
// digest tools/corpus-expectations.py writes.
inline uint64_t digest(const BufferedImage& image)
{
    uint64_t h = 0xCBF29CE484222325ull;
    for (int32_t y = 0; y < image.height(); ++y) {
        const uint32_t* row = image.row(y);
        for (int32_t x = 0; x < image.width(); ++x) {
            const uint32_t p = row[x];
            const uint8_t bytes[4] = {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)};
            for (uint8_t b : bytes)
                h = (h ^ b) * 0x100000001B3ull;
        }
    }
    return h;
}

// Largest difference of any channel between two pictures of one size.
inline int maxDifference(const BufferedImage& a, const BufferedImage& b)
{
    int most = 0;
    for (int32_t y = 0; y < a.height(); ++y) {
        for (int32_t x = 0; x < a.width(); ++x) {
            for (int shift = 0; shift < 32; shift += 8) {
                const int d = int((a.row(y)[x] >> shift) & 0xFF) - int((b.row(y)[x] >> shift) & 0xFF);
                most = std::max(most, d < 0 ? -d : d);
            }
        }
    }
    return most;
}

// One line of a corpus table (tests/data/<format>/corpus-expected.txt).
struct Expected {
    std::string path;     // below the corpus folder, "/"-separated
    std::string outcome;  // undetected, ok, partial, empty
    int32_t width = 0;
    int32_t height = 0;
    std::string hasAlpha;  // "0", "1", or "-" when not recorded
    std::string digest;    // 16 hex digits, or "-"
};

inline std::vector<Expected> readTable(const std::filesystem::path& file)
{
    std::vector<Expected> rows;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        Expected e;
        fields >> e.path >> e.outcome >> e.width >> e.height >> e.hasAlpha >> e.digest;
        rows.push_back(e);
    }
    return rows;
}

inline std::u16string corpusFile(const std::string& relative)
{
    std::filesystem::path p = corpusDir();
    std::string part;
    std::istringstream parts(relative);
    while (std::getline(parts, part, '/'))
        p /= part;
    return p.u16string();
}

// Decodes a file through a real file stream with the given codec object.
inline bool decodeFile(s::image::IEncodedImage& codec, const std::u16string& file)
{
    Pooled<s::file::win::PathWin> path(s::file::win::PathWin::fromText(file));
    Pooled<s::file::win::FileInputStream> stream(path->openInput());
    const bool decoded = codec.decode(*stream);
    stream->close();
    return decoded;
}

inline std::string hex16(uint64_t value)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

}  // namespace codec_test
