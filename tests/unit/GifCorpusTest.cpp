#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "GifTestSupport.h"

using namespace giftest;

namespace {

struct Expectation {
    std::string file;
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint64_t> frames;
};

// What ImageMagick shows for each frame of the corpus animations, written
// by tests/data/gif/make-coalesce-expectations.py.
std::vector<Expectation> readExpectations()
{
    std::vector<Expectation> all;
    std::ifstream in(testDataFile("gif/coalesce-expectations.txt"));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        Expectation e;
        size_t count = 0;
        fields >> e.file >> e.width >> e.height >> count;
        for (size_t i = 0; i < count; ++i) {
            std::string hash;
            fields >> hash;
            e.frames.push_back(std::stoull(hash, nullptr, 16));
        }
        all.push_back(e);
    }
    return all;
}

// The pictures the conversion works on: the decoded set, composed.
Pooled<BufferedImageSet> composedPictures(const std::filesystem::path& path, Pooled<Gif>* keep = nullptr)
{
    Pooled<Gif> gif = decodeBytes(readFile(path));
    Pooled<BufferedImageSet> set(gif->toImageSet(0));
    Pooled<BufferedImageSet> composed(set && set->count() > 0 ? set->composed() : nullptr);
    if (keep)
        *keep = std::move(gif);
    return composed;
}

bool haveCorpus()
{
    return std::filesystem::is_directory(corpusFile("gif"));
}

TEST(GifCorpus, ComposedFramesMatchTheReferenceDecoder)
{
    if (!haveCorpus())
        GTEST_SKIP() << "no corpus at " << PELLORY_CORPUS_DIR;
    const std::vector<Expectation> expectations = readExpectations();
    ASSERT_GE(expectations.size(), 30u);
    for (const Expectation& e : expectations) {
        SCOPED_TRACE(e.file);
        Pooled<BufferedImageSet> composed = composedPictures(corpusFile(e.file.c_str()));
        ASSERT_TRUE(composed);
        ASSERT_EQ(static_cast<int32_t>(e.frames.size()), composed->count());
        for (int32_t i = 0; i < composed->count(); ++i) {
            EXPECT_EQ(e.width, composed->item(i)->width());
            EXPECT_EQ(e.height, composed->item(i)->height());
            EXPECT_EQ(e.frames[i], shownHash(*composed->item(i))) << "frame " << i;
        }
    }
}

// An optimised animation: later frames are small patches at offsets with
// local tables and transparency, disposed of in all three ways.
TEST(GifCorpus, OptimisedAnimationIsComposedFrameByFrame)
{
    Pooled<Gif> gif;
    Pooled<BufferedImageSet> composed = composedPictures(testDataFile("gif/mixed-disposal.gif"), &gif);
    ASSERT_TRUE(composed);
    ASSERT_EQ(5, gif->imageCount());
    EXPECT_EQ((std::vector<int32_t>{1, 3, 2, 1, 1}), (std::vector<int32_t>{gif->disposalAt(0), gif->disposalAt(1), gif->disposalAt(2), gif->disposalAt(3), gif->disposalAt(4)}));
    // Frames keep their places: (5, 10), (15, 10), (5, 16), (15, 15), (10, 10).
    EXPECT_EQ(15, gif->frameAt(1)->left());
    EXPECT_EQ(16, gif->frameAt(2)->top());
    ASSERT_EQ(5, composed->count());
    for (int32_t i = 0; i < 5; ++i) {
        EXPECT_EQ(32, composed->item(i)->width());
        EXPECT_EQ(32, composed->item(i)->height());
    }
    // Frame 1 is restored away before frame 2, so frame 2 shows frame 0's
    // pixels where frame 1 had its own.
    const std::vector<uint32_t> zero = shownPixels(*composed->item(0));
    const std::vector<uint32_t> one = shownPixels(*composed->item(1));
    const std::vector<uint32_t> two = shownPixels(*composed->item(2));
    size_t changedByOne = 0;
    size_t restored = 0;
    for (size_t p = 0; p < zero.size(); ++p) {
        if (one[p] != zero[p]) {
            ++changedByOne;
            const int32_t x = static_cast<int32_t>(p % 32);
            const int32_t y = static_cast<int32_t>(p / 32);
            const bool underFrameTwo = x >= 5 && x < 21 && y >= 16 && y < 32;
            if (!underFrameTwo && two[p] == zero[p])
                ++restored;
            else if (!underFrameTwo)
                ADD_FAILURE() << "pixel " << x << "," << y << " not restored";
        }
    }
    EXPECT_GT(changedByOne, 0u);
    EXPECT_GT(restored, 0u);
}

TEST(GifCorpus, TruncatedAnimationKeepsTheFramesRead)
{
    if (!haveCorpus())
        GTEST_SKIP() << "no corpus at " << PELLORY_CORPUS_DIR;
    bool decoded = false;
    Pooled<Gif> gif = decodeBytes(readFile(corpusFile("odd/welcome2-truncated.gif")), &decoded);
    EXPECT_TRUE(decoded);
    // Cut inside the fourth frame's data, which keeps what it has.
    EXPECT_EQ(Gif::Fault::kDataEnded, gif->fault());
    EXPECT_EQ(4, gif->imageCount());
    Pooled<Gif> whole = decodeBytes(readFile(corpusFile("gif/welcome2.gif")));
    ASSERT_EQ(6, whole->imageCount());
    for (int32_t i = 0; i < 3; ++i) {
        const auto* cut = gif->frameAt(i);
        const auto* full = whole->frameAt(i);
        ASSERT_EQ(full->width() * full->height(), cut->width() * cut->height());
        EXPECT_TRUE(std::equal(full->indices(), full->indices() + full->width() * full->height(), cut->indices())) << "frame " << i;
    }
}

TEST(GifCorpus, EveryGifDecodesOrFailsCleanly)
{
    if (!haveCorpus())
        GTEST_SKIP() << "no corpus at " << PELLORY_CORPUS_DIR;
    int files = 0;
    for (const char* folder : {"gif", "odd"}) {
        for (const auto& entry : std::filesystem::directory_iterator(corpusFile(folder))) {
            if (entry.path().extension() != ".gif")
                continue;
            SCOPED_TRACE(entry.path().filename().string());
            ++files;
            Pooled<Gif> gif;
            Pooled<BufferedImageSet> composed = composedPictures(entry.path(), &gif);
            if (gif->imageCount() > 0)
                EXPECT_TRUE(composed);
        }
    }
    EXPECT_GT(files, 30);
    // 65535 x 1, which the reference decoder refuses, is an honest picture.
    Pooled<Gif> wide = decodeBytes(readFile(corpusFile("gif/suite-max-width.gif")));
    ASSERT_EQ(1, wide->imageCount());
    EXPECT_EQ(65535, wide->width());
}

}  // namespace
