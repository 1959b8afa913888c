#include "image/filters/convolution/Convolve.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace s::image::filters::convolution;

namespace {

constexpr uint32_t kOpaqueBlack = 0xFF000000;
constexpr uint32_t kGuard = 0xDEADBEEF;
constexpr int32_t kPadding = 2;  // guard pixels on each side of a row

KernelWeights kernelFor(int32_t strength) {
    KernelWeights k{};
    EXPECT_TRUE(weightsForStrength(strength, k)) << "strength " << strength;
    return k;
}

uint32_t grey(uint32_t level) {
    return kOpaqueBlack | level << 16 | level << 8 | level;
}

// A picture stored the way the image model stores it: bottom-up, each row
// inside a wider stride, with guard pixels around it that no pass may touch.
class Picture {
public:
    Picture(int32_t width, int32_t height, const std::vector<uint32_t>& topDown)
        : m_width(width), m_height(height), m_stride(width + 2 * kPadding),
          m_store(static_cast<size_t>(m_stride) * (height > 0 ? height : 0), kGuard),
          m_rows(height > 0 ? height : 0) {
        for (int32_t y = 0; y < height; ++y) {
            m_rows[y] = m_store.data() + static_cast<size_t>(height - 1 - y) * m_stride + kPadding;
            for (int32_t x = 0; x < width; ++x) m_rows[y][x] = topDown[size_t(y) * width + x];
        }
    }

    uint32_t* const* rows() { return m_rows.data(); }

    std::vector<uint32_t> pixels() const {
        std::vector<uint32_t> out;
        for (int32_t y = 0; y < m_height; ++y) out.insert(out.end(), m_rows[y], m_rows[y] + m_width);
        return out;
    }

    bool guardsIntact() const {
        for (int32_t y = 0; y < m_height; ++y)
            for (int32_t x = -kPadding; x < m_width + kPadding; ++x)
                if ((x < 0 || x >= m_width) && m_rows[y][x] != kGuard) return false;
        return true;
    }

private:
    int32_t m_width;
    int32_t m_height;
    int32_t m_stride;
    std::vector<uint32_t> m_store;
    std::vector<uint32_t*> m_rows;
};

using Pass = std::function<void(const KernelWeights&, uint32_t* const*, int32_t, int32_t)>;

struct NamedPass {
    std::string name;
    Pass pass;
};

// The reference, the dispatching pass, and every SIMD tier this processor
// can run, so that the narrower tiers are checked on a wide machine too.
std::vector<NamedPass> allPasses() {
    std::vector<NamedPass> passes{{"naive", convolveNaive}, {"shipped", convolve}};
    const std::pair<SimdTier, const char*> tiers[] = {
        {SimdTier::kSse2, "sse2"}, {SimdTier::kSse41, "sse4.1"}, {SimdTier::kAvx2, "avx2"}};
    for (const auto& [tier, name] : tiers) {
        if (!isSimdTierAvailable(tier)) continue;
        passes.push_back({name, [tier = tier](const KernelWeights& k, uint32_t* const* rows,
                                              int32_t w, int32_t h) {
                              convolveWithTier(tier, k, rows, w, h);
                          }});
    }
    return passes;
}

std::vector<uint32_t> filtered(const Pass& pass, const KernelWeights& k, int32_t width,
                               int32_t height, const std::vector<uint32_t>& topDown) {
    Picture picture(width, height, topDown);
    pass(k, picture.rows(), width, height);
    EXPECT_TRUE(picture.guardsIntact());
    return picture.pixels();
}

// Random pixels with random alpha; a third of the bytes are 0 or 255 so that
// sums often sit on the clamps and on exact multiples of the divisor.
std::vector<uint32_t> randomPixels(size_t count, std::mt19937& random) {
    std::uniform_int_distribution<uint32_t> byte(0, 255);
    std::uniform_int_distribution<int> kind(0, 5);
    std::vector<uint32_t> out(count);
    for (uint32_t& p : out) {
        p = 0;
        for (int c = 0; c < 4; ++c) {
            const int k = kind(random);
            const uint32_t value = k == 0 ? 0 : (k == 1 ? 255 : byte(random));
            p |= value << (8 * c);
        }
    }
    return out;
}

// ---- Kernels -------------------------------------------------------------

TEST(ConvolveKernel, MatchesTelltaleStrengths) {
    struct Case {
        int32_t strength;
        int32_t k[9];
        int32_t divisor;
    };
    const Case cases[] = {
        {-1, {0, 1, 0, 1, 400, 1, 0, 1, 0}, 404},
        {-29, {28, 57, 28, 57, 400, 57, 28, 57, 28}, 740},
        {-50, {50, 100, 50, 100, 400, 100, 50, 100, 50}, 1000},
        {-100, {100, 200, 100, 200, 400, 200, 100, 200, 100}, 1600},
        {1, {0, -1, 0, -1, 1100, -1, 0, -1, 0}, 1096},
        {35, {0, -62, 0, -62, 1100, -62, 0, -62, 0}, 852},
        {50, {0, -90, 0, -90, 1100, -90, 0, -90, 0}, 740},
        {80, {0, -144, 0, -144, 1100, -144, 0, -144, 0}, 524},
        {100, {0, -180, 0, -180, 1100, -180, 0, -180, 0}, 380},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.strength);
        KernelWeights k{};
        ASSERT_TRUE(weightsForStrength(c.strength, k));
        for (int i = 0; i < 9; ++i) EXPECT_EQ(k.k[i], c.k[i]) << "weight " << i;
        EXPECT_EQ(k.divisor, c.divisor);
    }
}

// Single precision shows in exactly six sharpen strengths: their edge weight
// is one nearer to zero than -1.8 s truncated.
TEST(ConvolveKernel, SharpenEdgeRoundsThroughSinglePrecision) {
    const std::set<int32_t> nearer{35, 45, 65, 70, 90, 95};
    for (int32_t s = 1; s <= 100; ++s) {
        SCOPED_TRACE(s);
        const int32_t truncated = -(18 * s / 10);
        EXPECT_EQ(kernelFor(s).k[1], nearer.count(s) ? truncated + 1 : truncated);
    }
}

TEST(ConvolveKernel, EveryStrengthInUseIsSymmetricWithPositiveDivisorAndFastPath) {
    for (int32_t s = -100; s <= 100; ++s) {
        if (s == 0) continue;
        SCOPED_TRACE(s);
        const KernelWeights k = kernelFor(s);
        const int32_t corner = k.k[0];
        const int32_t edge = k.k[1];
        for (int i : {2, 6, 8}) EXPECT_EQ(k.k[i], corner);
        for (int i : {3, 5, 7}) EXPECT_EQ(k.k[i], edge);
        int32_t sum = 0;
        for (int32_t w : k.k) sum += w;
        EXPECT_EQ(k.divisor, sum);
        EXPECT_GE(k.divisor, 380);
        if (s < 0) {
            // Blur weights are |s| and 2|s|, or one lower after the rounding.
            EXPECT_EQ(k.k[4], 400);
            EXPECT_TRUE(corner == -s || corner == -s - 1) << corner;
            EXPECT_TRUE(edge == -2 * s || edge == -2 * s - 1) << edge;
        } else {
            EXPECT_EQ(k.k[4], 1100);
            EXPECT_EQ(corner, 0);
        }
        EXPECT_TRUE(hasFastPath(k));
    }
}

TEST(ConvolveKernel, NoKernelWithoutStrengthOrPositiveDivisor) {
    KernelWeights k{};
    EXPECT_FALSE(weightsForStrength(0, k));
    EXPECT_TRUE(weightsForStrength(152, k));
    EXPECT_GT(k.divisor, 0);
    EXPECT_FALSE(weightsForStrength(153, k));  // the weights sum to 0
    EXPECT_FALSE(weightsForStrength(INT32_MAX, k));
    EXPECT_TRUE(weightsForStrength(kStrongestBlur, k));
    EXPECT_FALSE(weightsForStrength(kStrongestBlur - 1, k));
    EXPECT_FALSE(weightsForStrength(INT32_MIN, k));
}

// ---- Division by a reciprocal ---------------------------------------------

// float(sum) * m never decreases as sum grows, so agreeing with integer
// division on both sides of each quotient step covers every sum from 0 to
// 256 * divisor; the two ends cover what the clamp to 0..255 sees beyond.
TEST(ConvolveReciprocal, TruncatesLikeDivisionForEveryDivisorInUse) {
    std::set<int32_t> divisors;
    for (int32_t s = -100; s <= 100; ++s)
        if (s != 0) divisors.insert(kernelFor(s).divisor);
    for (int32_t d : divisors) {
        SCOPED_TRACE(d);
        float m = 0;
        ASSERT_TRUE(exactReciprocal(d, m));
        auto quotient = [m](int32_t sum) { return static_cast<int32_t>(static_cast<float>(sum) * m); };
        for (int32_t q = 1; q <= 256; ++q) {
            ASSERT_EQ(quotient(q * d - 1), q - 1);
            ASSERT_EQ(quotient(q * d), q);
        }
        EXPECT_LE(quotient(-1), 0);
        EXPECT_LE(quotient(-255 * 4 * 200), 0);  // below the most negative sharpen sum
        EXPECT_GE(quotient(255 * 1600), 255);    // above the largest sum of any kernel
    }
}

TEST(ConvolveReciprocal, ExhaustiveAtTheSmallestAndLargestDivisor) {
    for (int32_t d : {380, 1600}) {
        SCOPED_TRACE(d);
        float m = 0;
        ASSERT_TRUE(exactReciprocal(d, m));
        for (int32_t sum = 0; sum <= 256 * d; ++sum)
            ASSERT_EQ(static_cast<int32_t>(static_cast<float>(sum) * m), sum / d) << sum;
    }
}

TEST(ConvolveReciprocal, RefusesDivisorsOutsideItsRange) {
    float m = 0;
    EXPECT_TRUE(exactReciprocal(1, m));
    EXPECT_EQ(m, 1.0f);
    EXPECT_FALSE(exactReciprocal(0, m));
    EXPECT_FALSE(exactReciprocal(-5, m));
    EXPECT_TRUE(exactReciprocal(kLargestDivisor, m));
    EXPECT_FALSE(exactReciprocal(kLargestDivisor + 1, m));
}

// ---- The pass ------------------------------------------------------------

TEST(ConvolvePass, WorkedExamples) {
    const std::vector<uint32_t> whiteDot{kOpaqueBlack, kOpaqueBlack, kOpaqueBlack,
                                         kOpaqueBlack, grey(255),    kOpaqueBlack,
                                         kOpaqueBlack, kOpaqueBlack, kOpaqueBlack};
    struct Case {
        const char* name;
        int32_t strength;
        int32_t width;
        int32_t height;
        std::vector<uint32_t> input;
        std::vector<uint32_t> expected;
    };
    const Case cases[] = {
        // In place, in raster order: 27 above the centre where a two-buffer
        // convolution would give 25.
        {"blurred dot", -50, 3, 3, whiteDot,
         {grey(12), grey(27), grey(16), grey(28), grey(108), grey(14), grey(9), grey(14), grey(9)}},
        {"sharpened dot", 50, 3, 3, whiteDot, whiteDot},
        {"sharpened grey row", 100, 4, 1, {grey(0), grey(100), grey(200), grey(255)},
         {grey(0), grey(100), grey(221), grey(255)}},
    };
    for (const NamedPass& p : allPasses()) {
        for (const Case& c : cases) {
            SCOPED_TRACE(p.name + " " + c.name);
            EXPECT_EQ(filtered(p.pass, kernelFor(c.strength), c.width, c.height, c.input),
                      c.expected);
        }
    }
}

// Every alpha sum is 255 * divisor, so alpha stays 255 whatever the colours.
// The picture is large enough for the diagonal form.
TEST(ConvolvePass, OpaqueStaysOpaqueAtEveryStrength) {
    constexpr int32_t kWidth = 41;
    constexpr int32_t kHeight = 39;
    std::mt19937 random(7);
    std::vector<uint32_t> input = randomPixels(kWidth * kHeight, random);
    for (uint32_t& p : input) p |= kOpaqueBlack;
    for (const NamedPass& p : allPasses()) {
        for (int32_t s = -100; s <= 100; ++s) {
            if (s == 0) continue;
            SCOPED_TRACE(p.name + " strength " + std::to_string(s));
            for (uint32_t pixel : filtered(p.pass, kernelFor(s), kWidth, kHeight, input))
                ASSERT_EQ(pixel >> 24, 255u);
        }
    }
}

TEST(ConvolvePass, EmptyPictureIsLeftAlone) {
    for (const NamedPass& p : allPasses()) {
        SCOPED_TRACE(p.name);
        p.pass(kernelFor(50), nullptr, 0, 0);
        p.pass(kernelFor(50), nullptr, 5, 0);
        p.pass(kernelFor(50), nullptr, 0, 5);
        p.pass(kernelFor(50), nullptr, -3, -3);
    }
}

// The fast forms against the reference, bit for bit. The sizes reach every
// path: single rows and columns, pictures thinner than a band or narrower
// than its ramps, and pictures with whole bands inside (first, last and
// middle bands, a short last band, the diagonal form's blocks and tail).
TEST(ConvolvePass, FastFormsMatchReferenceForEveryStrength) {
    const std::pair<int32_t, int32_t> sizes[] = {
        {1, 1},  {1, 17}, {17, 1}, {2, 2},   {3, 7},   {7, 3},   {5, 5},
        {23, 9}, {31, 27}, {35, 25}, {33, 40}, {40, 36}, {64, 41}, {301, 29}};
    std::mt19937 random(20240611);
    std::vector<std::vector<uint32_t>> inputs;
    for (const auto& [w, h] : sizes) inputs.push_back(randomPixels(size_t(w) * h, random));
    const std::vector<NamedPass> passes = allPasses();
    for (int32_t s = -100; s <= 100; ++s) {
        if (s == 0) continue;
        const KernelWeights k = kernelFor(s);
        for (size_t i = 0; i < inputs.size(); ++i) {
            const auto [w, h] = sizes[i];
            const std::vector<uint32_t> expected = filtered(passes[0].pass, k, w, h, inputs[i]);
            for (size_t p = 1; p < passes.size(); ++p) {
                SCOPED_TRACE(passes[p].name + " strength " + std::to_string(s) + " size " +
                             std::to_string(w) + "x" + std::to_string(h));
                ASSERT_EQ(filtered(passes[p].pass, k, w, h, inputs[i]), expected);
            }
        }
    }
}

// Kernels that weightsForStrength never makes: a symmetric one still takes
// the fast form, any other falls back to the reference; both must agree
// with it.
TEST(ConvolvePass, OtherKernelsMatchReference) {
    const struct {
        const char* name;
        KernelWeights k;
        bool fast;
    } cases[] = {
        {"gaussian", {{1, 2, 1, 2, 4, 2, 1, 2, 1}, 16}, true},
        {"identity", {{0, 0, 0, 0, 1, 0, 0, 0, 0}, 1}, true},
        {"sharpen with corners", {{-1, -2, -1, -2, 16, -2, -1, -2, -1}, 4}, true},
        {"edge finder, divisor 0", {{-1, -1, -1, -1, 8, -1, -1, -1, -1}, 0}, false},
        {"lopsided", {{0, 0, 0, 0, 2, 1, 0, 1, 0}, 4}, false},
    };
    constexpr int32_t kWidth = 45;
    constexpr int32_t kHeight = 40;
    std::mt19937 random(99);
    const std::vector<uint32_t> input = randomPixels(kWidth * kHeight, random);
    const std::vector<NamedPass> passes = allPasses();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(hasFastPath(c.k), c.fast);
        const std::vector<uint32_t> expected = filtered(passes[0].pass, c.k, kWidth, kHeight, input);
        for (size_t p = 1; p < passes.size(); ++p) {
            SCOPED_TRACE(passes[p].name);
            EXPECT_EQ(filtered(passes[p].pass, c.k, kWidth, kHeight, input), expected);
        }
    }
    EXPECT_EQ(filtered(passes[0].pass, cases[1].k, kWidth, kHeight, input), input);
}

TEST(ConvolvePass, Sse2IsAlwaysThere) {
    EXPECT_TRUE(isSimdTierAvailable(SimdTier::kSse2));
}

}  // namespace
