#include <gtest/gtest.h>

#include <string>

#include "TestFolder.h"
#include "file/win/PathWin.h"
#include "image/IEncodedImage.h"
#include "image/ImageFiles.h"
#include "thread/Pooled.h"

using s::file::win::PathWin;
using s::thread::Pooled;

namespace {

std::string bytes(std::initializer_list<int> head, size_t total)
{
    std::string data;
    for (int b : head)
        data += static_cast<char>(b);
    data.resize(total, '\0');
    return data;
}

// An icon directory of one entry: reserved 0, type 1, count 1, then the
// 16-byte record with its bit count, data size and data offset.
std::string icon(int type, int count, int bitCount, uint32_t size, uint32_t offset, size_t total)
{
    std::string data = bytes({0, 0, type, 0, count, 0}, 6);
    std::string record(16, '\0');
    record[0] = 16;  // width
    record[1] = 16;  // height
    record[6] = static_cast<char>(bitCount);
    for (int i = 0; i < 4; ++i) {
        record[8 + i] = static_cast<char>((size >> (8 * i)) & 0xFF);
        record[12 + i] = static_cast<char>((offset >> (8 * i)) & 0xFF);
    }
    data += record;
    data.resize(total, '\0');
    return data;
}

struct Case {
    const char* name;
    std::string content;
    const char16_t* format;  // null: not recognised
};

TEST(FormatDetection, RecognisesByContentAlone)
{
    const std::string png = "\x89PNG\r\n\x1a\n";
    const Case cases[] = {
        {"png of 101 bytes", bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, 101), s::image::kFormatPng},
        {"png of 100 bytes is too short", bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, 100), nullptr},
        {"jpeg with APP0", bytes({0xFF, 0xD8, 0xFF, 0xE0}, 200), s::image::kFormatJpg},
        {"jpeg with a comment first", bytes({0xFF, 0xD8, 0xFF, 0xFE}, 200), s::image::kFormatJpg},
        {"jpeg marker F5 stops detection", bytes({0xFF, 0xD8, 0xFF, 0xF5}, 200), nullptr},
        {"GIF89a", bytes({'G', 'I', 'F', '8', '9', 'a'}, 200), s::image::kFormatGif},
        {"GIF87a", bytes({'G', 'I', 'F', '8', '7', 'a'}, 200), s::image::kFormatGif},
        {"GIF88a is no version", bytes({'G', 'I', 'F', '8', '8', 'a'}, 200), nullptr},
        {"BM with zero reserved fields", bytes({'B', 'M', 1, 2, 3, 4}, 200), s::image::kFormatBmp},
        {"BM with a reserved byte set", bytes({'B', 'M', 1, 2, 3, 4, 0, 0, 0, 9}, 200), nullptr},
        {"big-endian tiff", bytes({'M', 'M', 0x2A}, 200), s::image::kFormatTiff},
        {"little-endian tiff", bytes({'I', 'I', 0x2A}, 200), s::image::kFormatTiff},
        {"icon entry inside the file", icon(1, 1, 32, 100, 22, 200), s::image::kFormatIco},
        {"icon with no entries", icon(1, 0, 32, 100, 22, 200), nullptr},
        {"icon entry overlapping the directory", icon(1, 1, 32, 100, 10, 200), nullptr},
        {"icon entry running past the file", icon(1, 1, 32, 190, 22, 200), nullptr},
        {"icon bit count above 32", icon(1, 1, 64, 100, 22, 200), nullptr},
        {"cursor", icon(2, 1, 32, 100, 22, 200), nullptr},
        {"plain text", std::string(200, 'x'), nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto* head = reinterpret_cast<const uint8_t*>(c.content.data());
        if (c.content.size() > s::image::kDetectionBytes)
            EXPECT_EQ(c.format, s::image::detectFormatOfBytes(head, c.content.size()));
        TestFolder folder;
        folder.write(u"file.png", c.content);
        const char16_t* found = nullptr;
        EXPECT_EQ(c.format != nullptr, s::image::detectFormat(folder.file(u"file.png"), &found));
        EXPECT_EQ(c.format, found);
    }
}

TEST(FormatDetection, OnlyTheFirstFiveIconEntriesAreExamined)
{
    // Ten records; the sixth on claims data far past the end of the file.
    std::string data = bytes({0, 0, 1, 0, 10, 0}, 6);
    for (int i = 0; i < 10; ++i) {
        std::string record(16, '\0');
        record[6] = 32;
        record[8] = 10;                                     // data size 10
        record[12] = static_cast<char>(i < 5 ? 200 : 250);  // offset
        record[13] = static_cast<char>(i < 5 ? 0 : 100);
        data += record;
    }
    data.resize(300, '\0');
    EXPECT_EQ(s::image::kFormatIco, s::image::detectFormatOfBytes(reinterpret_cast<const uint8_t*>(data.data()), data.size()));
}

TEST(FormatDetection, MissingFilesFoldersAndTiffHaveNoCodec)
{
    TestFolder folder;
    const char16_t* found = u"unchanged";
    EXPECT_FALSE(s::image::detectFormat(folder.file(u"missing.png"), &found));
    EXPECT_EQ(nullptr, found);
    EXPECT_FALSE(s::image::detectFormat(folder.text(), &found));
    folder.write(u"scan.tif", bytes({'I', 'I', 0x2A}, 300));
    Pooled<PathWin> tiff(PathWin::fromText(folder.file(u"scan.tif")));
    EXPECT_EQ(nullptr, s::image::loadImageFile(*tiff));
}

TEST(FormatDetection, SaveNeverOverwrites)
{
    TestFolder folder;
    folder.write(u"taken.bmp", "keep me");
    folder.write(u"src.bmp", std::string("BM") + std::string(4, '\0') + std::string(4, '\0') + std::string(200, '\0'));
    Pooled<PathWin> source(PathWin::fromText(folder.file(u"src.bmp")));
    Pooled<s::image::IEncodedImage> codec(s::image::loadImageFile(*source));
    ASSERT_TRUE(codec);
    EXPECT_FALSE(codec->save(folder.file(u"taken.bmp")));
    EXPECT_EQ("keep me", readAll(folder.path() / "taken.bmp"));
}

}  // namespace
