#include "image/filters/convolution/Convolve.h"

#include <emmintrin.h>

#include <cmath>
#include <cstdlib>

// The raster-order pass is in place: pixel (i, j) reads the new values of
// (i-1, j-1..j+1) and (i, j-1) and the old values of everything else. All it
// waits for is (i-1, j+1) and (i, j-1), so pixels with the same 2i + j never
// depend on each other. The fast pass walks a band of kLanes rows along that
// wavefront: at step s, lane k filters (top + k, s - 2k). Any order that
// keeps each pixel after those two gives the reference result bit for bit.
//
// Each lane is one pixel in a 128-bit register, its four channels widened to
// 16 bits; the lanes of a step are independent, which is where the speed
// comes from (a single row is one long dependency chain through the left
// tap). Sums are formed with pmaddwd and divided by one single-precision
// multiply (exactReciprocal), then packs clamp to 0..255 for free.

namespace s::image::filters::convolution {

namespace {

constexpr int32_t kChannelShifts[4] = {24, 16, 8, 0};
constexpr int32_t kLargestTap = 255;
constexpr int32_t kExactFloatLimit = 1 << 24;  // integers below this are exact in single precision
constexpr int32_t kSteps = 256;                // quotients the clamp to 0..255 must tell apart
constexpr int kLanes = 8;                      // rows in flight; 8 keeps all registers busy

int32_t clampIndex(int32_t index, int32_t last) {
    return index < 0 ? 0 : (index > last ? last : index);
}

int32_t clampChannel(int32_t value) {
    return value < 0 ? 0 : (value > 255 ? 255 : value);
}

// One pixel of the reference: reads the rows as they are at this moment.
uint32_t filterPixel(const KernelWeights& k, uint32_t* const* rows, int32_t width, int32_t height,
                     int32_t i, int32_t j) {
    int32_t sums[4] = {0, 0, 0, 0};
    for (int32_t dy = -1; dy <= 1; ++dy) {
        const uint32_t* row = rows[clampIndex(i + dy, height - 1)];
        for (int32_t dx = -1; dx <= 1; ++dx) {
            const uint32_t tap = row[clampIndex(j + dx, width - 1)];
            const int32_t weight = k.k[(dy + 1) * 3 + dx + 1];
            for (int c = 0; c < 4; ++c)
                sums[c] += weight * static_cast<int32_t>((tap >> kChannelShifts[c]) & 0xFF);
        }
    }
    uint32_t pixel = 0;
    for (int c = 0; c < 4; ++c) {
        // A zero-sum kernel (an edge finder) is applied undivided.
        const int32_t value = (k.divisor == 1 || k.divisor == 0) ? sums[c] : sums[c] / k.divisor;
        pixel |= static_cast<uint32_t>(clampChannel(value)) << kChannelShifts[c];
    }
    return pixel;
}

// The shape the fast pass handles: one corner weight, one edge weight and the
// centre, with the centre split in two so that each pmaddwd pairs it with one
// neighbour sum.
struct FastKernel {
    int16_t corner;
    int16_t edge;
    int16_t centreWithEdges;
    int16_t centreWithCorners;
    bool hasCorners;
    float reciprocal;
};

bool fitsInt16(int32_t v) {
    return v >= INT16_MIN && v <= INT16_MAX;
}

bool prepareFastKernel(const KernelWeights& k, FastKernel& out) {
    const int32_t corner = k.k[0];
    const int32_t edge = k.k[1];
    const int32_t centre = k.k[4];
    if (k.k[2] != corner || k.k[6] != corner || k.k[8] != corner) return false;
    if (k.k[3] != edge || k.k[5] != edge || k.k[7] != edge) return false;
    if (!fitsInt16(corner) || !fitsInt16(edge) || !fitsInt16(centre)) return false;
    // Sums must be exact once converted to single precision.
    const int64_t largestSum =
        int64_t{kLargestTap} * (4 * std::abs(int64_t{corner}) + 4 * std::abs(int64_t{edge}) +
                                std::abs(int64_t{centre}));
    if (largestSum >= kExactFloatLimit) return false;
    if (!exactReciprocal(k.divisor, out.reciprocal)) return false;
    out.corner = static_cast<int16_t>(corner);
    out.edge = static_cast<int16_t>(edge);
    out.hasCorners = corner != 0;
    // Without corners the whole centre goes with the edges.
    out.centreWithEdges = static_cast<int16_t>(out.hasCorners ? centre / 2 : centre);
    out.centreWithCorners = static_cast<int16_t>(centre - out.centreWithEdges);
    return true;
}

// Quotient of the fast pass, the scalar twin of the SIMD multiply.
int32_t quotientByReciprocal(int32_t sum, float reciprocal) {
    return static_cast<int32_t>(static_cast<float>(sum) * reciprocal);
}

// float(sum) * m is monotonic in sum, so matching sum / divisor on both sides
// of every step boundary proves it right on the whole range.
bool isExactReciprocal(int32_t divisor, float reciprocal) {
    if (quotientByReciprocal(0, reciprocal) != 0) return false;
    for (int32_t q = 1; q <= kSteps; ++q) {
        if (quotientByReciprocal(q * divisor - 1, reciprocal) != q - 1) return false;
        if (quotientByReciprocal(q * divisor, reciprocal) != q) return false;
    }
    return true;
}

// ---- The SIMD pieces. They use SSE2 only and are forced inline, so each tier
// ---- below compiles them again with its own instruction set.

#define PELLORY_INLINE inline __attribute__((always_inline))

struct SimdKernel {
    __m128i centreAndEdge;    // pmaddwd weights for (centre, edge sum) pairs
    __m128i centreAndCorner;  // pmaddwd weights for (centre, corner sum) pairs
    __m128 reciprocal;
};

PELLORY_INLINE SimdKernel makeSimdKernel(const FastKernel& f) {
    SimdKernel s;
    s.centreAndEdge = _mm_set1_epi32(static_cast<int32_t>(
        (static_cast<uint32_t>(static_cast<uint16_t>(f.edge)) << 16) |
        static_cast<uint16_t>(f.centreWithEdges)));
    s.centreAndCorner = _mm_set1_epi32(static_cast<int32_t>(
        (static_cast<uint32_t>(static_cast<uint16_t>(f.corner)) << 16) |
        static_cast<uint16_t>(f.centreWithCorners)));
    s.reciprocal = _mm_set1_ps(f.reciprocal);
    return s;
}

// One pixel's four channels as 16-bit values in the low half.
PELLORY_INLINE __m128i widen(uint32_t pixel) {
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int32_t>(pixel)), _mm_setzero_si128());
}

// Filters interior pixel (row, j) (1 <= j <= width - 2) and stores it; above
// and below are the clamped neighbour rows, so the top and bottom rows need
// no special case. left is the new (row, j - 1) and aboveRight the new
// (above, j + 1), both widened; returns the new pixel widened, the next
// step's left.
template <bool kCorners>
PELLORY_INLINE __m128i filterInterior(const SimdKernel& sk, const uint32_t* above, uint32_t* row,
                                      const uint32_t* below, int32_t j, __m128i left,
                                      __m128i aboveRight) {
    const __m128i centre = widen(row[j]);
    // left is the value the previous step just produced: adding it last keeps
    // the chain from one step to the next short.
    const __m128i edges = _mm_add_epi16(
        _mm_add_epi16(_mm_add_epi16(widen(above[j]), widen(below[j])), widen(row[j + 1])), left);
    __m128i sums = _mm_madd_epi16(_mm_unpacklo_epi16(centre, edges), sk.centreAndEdge);
    if (kCorners) {
        const __m128i corners =
            _mm_add_epi16(_mm_add_epi16(widen(above[j - 1]), widen(below[j - 1])),
                          _mm_add_epi16(widen(below[j + 1]), aboveRight));
        sums = _mm_add_epi32(sums,
                             _mm_madd_epi16(_mm_unpacklo_epi16(centre, corners), sk.centreAndCorner));
    }
    const __m128i quotients = _mm_cvttps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(sums), sk.reciprocal));
    // packs saturate: negative quotients become 0, large ones 255.
    const __m128i bytes = _mm_packus_epi16(_mm_packs_epi32(quotients, quotients), _mm_setzero_si128());
    row[j] = static_cast<uint32_t>(_mm_cvtsi128_si32(bytes));
    return _mm_unpacklo_epi8(bytes, _mm_setzero_si128());
}

// The rows of one band: lane k works on picture row top + k.
struct Band {
    const uint32_t* above[kLanes];
    uint32_t* row[kLanes];
    const uint32_t* below[kLanes];
    int32_t top;
    int32_t lanes;
};

Band makeBand(uint32_t* const* rows, int32_t height, int32_t top) {
    Band band;
    band.top = top;
    band.lanes = height - top < kLanes ? height - top : kLanes;
    for (int32_t k = 0; k < band.lanes; ++k) {
        const int32_t i = top + k;
        band.above[k] = rows[i > 0 ? i - 1 : 0];
        band.row[k] = rows[i];
        band.below[k] = rows[i < height - 1 ? i + 1 : height - 1];
    }
    return band;
}

// One wavefront step with every check: used where lanes enter or leave the
// picture, at the border columns, and for a last band of fewer rows.
template <bool kCorners>
PELLORY_INLINE void filterStepChecked(const SimdKernel& sk, const KernelWeights& k,
                                      uint32_t* const* rows, int32_t width, int32_t height,
                                      const Band& band, int32_t step) {
    for (int32_t lane = 0; lane < band.lanes; ++lane) {
        const int32_t j = step - 2 * lane;
        if (j < 0 || j >= width) continue;
        uint32_t* row = band.row[lane];
        if (j == 0 || j == width - 1) {
            row[j] = filterPixel(k, rows, width, height, band.top + lane, j);
            continue;
        }
        filterInterior<kCorners>(sk, band.above[lane], row, band.below[lane], j, widen(row[j - 1]),
                                 widen(band.above[lane][j + 1]));
    }
}

// Steps first..last, where every lane is on an interior column. Each lane's
// left tap stays in a register, and so does the upper-right tap of lanes
// below the first: it is what the lane above produced one step earlier.
// Lanes go bottom to top so that lane k still sees that value of lane k - 1.
template <bool kCorners>
PELLORY_INLINE void filterStepsInterior(const SimdKernel& sk, const Band& band, int32_t first,
                                        int32_t last) {
    __m128i left[kLanes];
    for (int32_t lane = 0; lane < kLanes; ++lane)
        left[lane] = widen(band.row[lane][first - 2 * lane - 1]);
    for (int32_t step = first; step <= last; ++step) {
#pragma GCC unroll 8
        for (int32_t lane = kLanes - 1; lane >= 0; --lane) {
            const int32_t j = step - 2 * lane;
            const __m128i aboveRight =
                lane > 0 ? left[lane - 1] : widen(band.above[0][j + 1]);
            left[lane] = filterInterior<kCorners>(sk, band.above[lane], band.row[lane],
                                                  band.below[lane], j, left[lane], aboveRight);
        }
    }
}

template <bool kCorners>
PELLORY_INLINE void filterBand(const SimdKernel& sk, const KernelWeights& k, uint32_t* const* rows,
                               int32_t width, int32_t height, const Band& band) {
    const int32_t lastStep = width - 1 + 2 * (band.lanes - 1);
    // The lowest lane reaches column 1 at this step; the top lane leaves
    // column width - 2 after the other.
    const int32_t interiorFirst = 2 * kLanes - 1;
    const int32_t interiorLast = width - 2;
    int32_t step = 0;
    if (band.lanes == kLanes && interiorFirst <= interiorLast) {
        for (; step < interiorFirst; ++step)
            filterStepChecked<kCorners>(sk, k, rows, width, height, band, step);
        filterStepsInterior<kCorners>(sk, band, interiorFirst, interiorLast);
        step = interiorLast + 1;
    }
    for (; step <= lastStep; ++step)
        filterStepChecked<kCorners>(sk, k, rows, width, height, band, step);
}

// Bands run top to bottom: a band starts when every row above it is final.
template <bool kCorners>
PELLORY_INLINE void filterBands(const FastKernel& f, const KernelWeights& k, uint32_t* const* rows,
                                int32_t width, int32_t height) {
    const SimdKernel sk = makeSimdKernel(f);
    for (int32_t top = 0; top < height; top += kLanes)
        filterBand<kCorners>(sk, k, rows, width, height, makeBand(rows, height, top));
}

PELLORY_INLINE void filterFast(const FastKernel& f, const KernelWeights& k, uint32_t* const* rows,
                               int32_t width, int32_t height) {
    if (f.hasCorners)
        filterBands<true>(f, k, rows, width, height);
    else
        filterBands<false>(f, k, rows, width, height);
}

// The same code three times; the wider tiers gain three-operand encodings
// and pmovzx loads, chosen by the compiler.
void filterFastSse2(const FastKernel& f, const KernelWeights& k, uint32_t* const* rows,
                    int32_t width, int32_t height) {
    filterFast(f, k, rows, width, height);
}

__attribute__((target("sse4.1"))) void filterFastSse41(const FastKernel& f,
                                                       const KernelWeights& k,
                                                       uint32_t* const* rows, int32_t width,
                                                       int32_t height) {
    filterFast(f, k, rows, width, height);
}

__attribute__((target("avx2"))) void filterFastAvx2(const FastKernel& f, const KernelWeights& k,
                                                    uint32_t* const* rows, int32_t width,
                                                    int32_t height) {
    filterFast(f, k, rows, width, height);
}

SimdTier detectBestTier() {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return SimdTier::kAvx2;
    if (__builtin_cpu_supports("sse4.1")) return SimdTier::kSse41;
    return SimdTier::kSse2;
}

SimdTier bestTier() {
    static const SimdTier tier = detectBestTier();
    return tier;
}

}  // namespace

bool weightsForStrength(int32_t strength, KernelWeights& out) {
    if (strength == 0 || strength < kStrongestBlur) return false;
    if (strength < 0) {
        // Rounded through single precision, as the product always has.
        const float x = static_cast<float>(-strength / 100.0);
        const int32_t c = static_cast<int32_t>(static_cast<double>(x) * 100.0);
        const int32_t e = static_cast<int32_t>(static_cast<double>(x) * 200.0);
        out = KernelWeights{{c, e, c, e, 400, e, c, e, c}, 0};
    } else {
        if (strength > INT32_MAX / 200) return false;  // far past the last positive divisor
        const float y = static_cast<float>(strength / 100.0);
        const int32_t e = static_cast<int32_t>(static_cast<double>(y) * -180.0);
        out = KernelWeights{{0, e, 0, e, 1100, e, 0, e, 0}, 0};
    }
    int32_t sum = 0;
    for (int32_t w : out.k) sum += w;
    out.divisor = sum;
    return sum > 0;
}

void convolveNaive(const KernelWeights& k, uint32_t* const* rows, int32_t width, int32_t height) {
    for (int32_t i = 0; i < height; ++i)
        for (int32_t j = 0; j < width; ++j)
            rows[i][j] = filterPixel(k, rows, width, height, i, j);
}

bool exactReciprocal(int32_t divisor, float& out) {
    if (divisor < 1 || divisor > kLargestDivisor) return false;
    // The nearest float to 1/divisor can land a hair low, so q * divisor
    // would truncate to q - 1; a few ulps up is enough and stays far from the
    // other side (that needs about 2^-18 relative for the largest divisors).
    float candidate = static_cast<float>(1.0 / divisor);
    for (int ulps = 0; ulps < 64; ++ulps) {
        if (isExactReciprocal(divisor, candidate)) {
            out = candidate;
            return true;
        }
        candidate = std::nextafter(candidate, 1.0f);
    }
    return false;
}

bool hasFastPath(const KernelWeights& k) {
    FastKernel f;
    return prepareFastKernel(k, f);
}

bool isSimdTierAvailable(SimdTier tier) {
    return static_cast<int>(tier) <= static_cast<int>(bestTier());
}

void convolveWithTier(SimdTier tier, const KernelWeights& k, uint32_t* const* rows, int32_t width,
                      int32_t height) {
    if (width < 1 || height < 1) return;
    FastKernel f;
    if (!isSimdTierAvailable(tier) || !prepareFastKernel(k, f)) {
        convolveNaive(k, rows, width, height);
        return;
    }
    switch (tier) {
    case SimdTier::kAvx2: filterFastAvx2(f, k, rows, width, height); break;
    case SimdTier::kSse41: filterFastSse41(f, k, rows, width, height); break;
    case SimdTier::kSse2: filterFastSse2(f, k, rows, width, height); break;
    }
}

void convolve(const KernelWeights& k, uint32_t* const* rows, int32_t width, int32_t height) {
    convolveWithTier(bestTier(), k, rows, width, height);
}

}  // namespace s::image::filters::convolution
