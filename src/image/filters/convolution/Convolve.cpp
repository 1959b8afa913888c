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
// A single row would be one long dependency chain through its left tap; the
// lanes of a step are independent, and that is where the speed comes from.
// Sums are formed with pmaddwd on 16-bit channels, divided by one
// single-precision multiply (exactReciprocal) and clamped by saturating packs.
// Border columns, the first and last band and the ramps where lanes enter and
// leave the picture go pixel by pixel; everything else in the diagonal form
// further down.

namespace s::image::filters::convolution {

namespace {

constexpr int32_t kChannelShifts[4] = {24, 16, 8, 0};
constexpr int32_t kLargestTap = 255;
constexpr int32_t kExactFloatLimit = 1 << 24;  // integers below this are exact in single precision
constexpr int32_t kSteps = 256;                // quotients the clamp to 0..255 must tell apart
constexpr int kLanes = 12;  // rows in flight: enough independent work to hide the step-to-step chain

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
    bool staysInRange;  // no weight below 0 and their sum within the divisor: no clamp needed
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
    out.staysInRange = corner >= 0 && edge >= 0 && centre >= 0 &&
                       4 * int64_t{corner} + 4 * int64_t{edge} + centre <= k.divisor;
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

// ---- The SIMD pieces. They use SSE2 intrinsics and generic vector
// ---- shuffles only, and are forced inline, so each tier below compiles them
// ---- again with its own instruction set.

#define PELLORY_INLINE inline __attribute__((always_inline))

struct SimdKernel {
    __m128i centreAndEdge;    // pmaddwd weights for (centre, edge sum) pairs
    __m128i centreAndCorner;  // pmaddwd weights for (centre, corner sum) pairs
    __m128 reciprocal;
    __m128i channelMax;
    __m128i lowBytes;         // the blue and red bytes of each pixel
};

PELLORY_INLINE __m128i weightPairs(int16_t first, int16_t second) {
    return _mm_set1_epi32(static_cast<int32_t>(
        (static_cast<uint32_t>(static_cast<uint16_t>(second)) << 16) |
        static_cast<uint16_t>(first)));
}

PELLORY_INLINE SimdKernel makeSimdKernel(const FastKernel& f) {
    SimdKernel s;
    s.centreAndEdge = weightPairs(f.centreWithEdges, f.edge);
    s.centreAndCorner = weightPairs(f.centreWithCorners, f.corner);
    s.reciprocal = _mm_set1_ps(f.reciprocal);
    s.channelMax = _mm_set1_epi16(255);
    s.lowBytes = _mm_set1_epi32(0x00FF00FF);
    return s;
}

// The division shared by both forms below: 32-bit sums in, the quotients out
// as 16-bit words, clamped to 0..255 (packs saturate, so a quotient far out
// of range still meets the clamp). A kernel whose sums stay within
// 0..255 * divisor needs no clamp, which the diagonal form's blur saves.
template <bool kClamp>
PELLORY_INLINE __m128i divide(const SimdKernel& sk, __m128i sumsA, __m128i sumsB) {
    const __m128i a = _mm_cvttps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(sumsA), sk.reciprocal));
    const __m128i b = _mm_cvttps_epi32(_mm_mul_ps(_mm_cvtepi32_ps(sumsB), sk.reciprocal));
    const __m128i words = _mm_packs_epi32(a, b);
    if (!kClamp) return words;
    return _mm_min_epi16(_mm_max_epi16(words, _mm_setzero_si128()), sk.channelMax);
}

// --- One pixel at a time, for the band edges and the rows no full band
// --- covers. A register holds one pixel, its channels widened to 16 bits.

PELLORY_INLINE __m128i widen(uint32_t pixel) {
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int32_t>(pixel)), _mm_setzero_si128());
}

// Filters interior pixel (row, j), 1 <= j <= width - 2, reading the rows as
// they are now; above and below are the clamped neighbour rows, so the top
// and bottom rows need no special case.
template <bool kCorners>
PELLORY_INLINE void filterInteriorPixel(const SimdKernel& sk, const uint32_t* above, uint32_t* row,
                                        const uint32_t* below, int32_t j) {
    const __m128i centre = widen(row[j]);
    const __m128i edges = _mm_add_epi16(_mm_add_epi16(widen(above[j]), widen(below[j])),
                                        _mm_add_epi16(widen(row[j - 1]), widen(row[j + 1])));
    __m128i sums = _mm_madd_epi16(_mm_unpacklo_epi16(centre, edges), sk.centreAndEdge);
    if (kCorners) {
        const __m128i corners =
            _mm_add_epi16(_mm_add_epi16(widen(above[j - 1]), widen(above[j + 1])),
                          _mm_add_epi16(widen(below[j - 1]), widen(below[j + 1])));
        sums = _mm_add_epi32(
            sums, _mm_madd_epi16(_mm_unpacklo_epi16(centre, corners), sk.centreAndCorner));
    }
    const __m128i words = divide<true>(sk, sums, sums);
    row[j] = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
}

// The rows of one band. rows[0] is the row above it and rows[lanes + 1] the
// row below, both clamped into the picture; lane k works on rows[k + 1].
struct Band {
    uint32_t* rows[kLanes + 2];
    int32_t top;
    int32_t lanes;
};

Band makeBand(uint32_t* const* rows, int32_t height, int32_t top) {
    Band band;
    band.top = top;
    band.lanes = height - top < kLanes ? height - top : kLanes;
    for (int32_t r = 0; r < band.lanes + 2; ++r)
        band.rows[r] = rows[clampIndex(top - 1 + r, height - 1)];
    return band;
}

// One wavefront step, pixel by pixel: lanes entering or leaving the picture
// are skipped and the border columns take the reference's clamped taps.
template <bool kCorners>
PELLORY_INLINE void filterStepByPixel(const SimdKernel& sk, const KernelWeights& k,
                                      uint32_t* const* rows, int32_t width, int32_t height,
                                      const Band& band, int32_t step) {
    for (int32_t lane = 0; lane < band.lanes; ++lane) {
        const int32_t j = step - 2 * lane;
        if (j < 0 || j >= width) continue;
        uint32_t* row = band.rows[lane + 1];
        if (j == 0 || j == width - 1)
            row[j] = filterPixel(k, rows, width, height, band.top + lane, j);
        else
            filterInteriorPixel<kCorners>(sk, band.rows[lane], row, band.rows[lane + 2], j);
    }
}

// --- The diagonal form, for the inside of a full band with real rows above
// --- and below it. A register holds one step of four lanes: lane k of
// --- vector v is band row 4v + k at column step - 2(4v + k). Along a lane
// --- the steps walk its row left to right, so four steps of one lane are one
// --- 16-byte load, and a 4x4 transpose turns four such loads into four
// --- steps. Channels are split by parity instead of widened by shuffles:
// --- the even words of a pixel are blue and red, the odd ones green and alpha.

constexpr int kVectorLanes = 4;
constexpr int kVectors = kLanes / kVectorLanes;
static_assert(kLanes % kVectorLanes == 0, "a band is a whole number of vectors");
constexpr int kBlockSteps = 4;  // steps per transposed block

// The pixels of a vector in two halves of 16-bit channels.
struct Split {
    __m128i even;  // blue and red
    __m128i odd;   // green and alpha
};

PELLORY_INLINE Split split(const SimdKernel& sk, __m128i pixels) {
    return Split{_mm_and_si128(pixels, sk.lowBytes), _mm_srli_epi16(pixels, 8)};
}

PELLORY_INLINE __m128i join(const Split& s) {
    return _mm_or_si128(s.even, _mm_slli_epi16(s.odd, 8));
}

PELLORY_INLINE Split operator+(const Split& a, const Split& b) {
    return Split{_mm_add_epi16(a.even, b.even), _mm_add_epi16(a.odd, b.odd)};
}

typedef int32_t Lanes4 __attribute__((vector_size(16)));

// Lane k takes lane k - 1 of v, lane 0 takes lane 3 of fill.
PELLORY_INLINE __m128i fromLaneAbove(__m128i v, __m128i fill) {
#if defined(__clang__)
    return reinterpret_cast<__m128i>(
        __builtin_shufflevector(reinterpret_cast<Lanes4>(fill), reinterpret_cast<Lanes4>(v), 3, 4, 5, 6));
#else
    return reinterpret_cast<__m128i>(__builtin_shuffle(
        reinterpret_cast<Lanes4>(fill), reinterpret_cast<Lanes4>(v), Lanes4{3, 4, 5, 6}));
#endif
}

// Lane k takes lane k + 1 of v, lane 3 takes lane 0 of fill.
PELLORY_INLINE __m128i fromLaneBelow(__m128i v, __m128i fill) {
#if defined(__clang__)
    return reinterpret_cast<__m128i>(
        __builtin_shufflevector(reinterpret_cast<Lanes4>(v), reinterpret_cast<Lanes4>(fill), 1, 2, 3, 4));
#else
    return reinterpret_cast<__m128i>(__builtin_shuffle(
        reinterpret_cast<Lanes4>(v), reinterpret_cast<Lanes4>(fill), Lanes4{1, 2, 3, 4}));
#endif
}

PELLORY_INLINE Split fromLaneAbove(const Split& v, const Split& fill) {
    return Split{fromLaneAbove(v.even, fill.even), fromLaneAbove(v.odd, fill.odd)};
}

PELLORY_INLINE void transpose(__m128i& a, __m128i& b, __m128i& c, __m128i& d) {
    const __m128i ab0 = _mm_unpacklo_epi32(a, b);
    const __m128i cd0 = _mm_unpacklo_epi32(c, d);
    const __m128i ab2 = _mm_unpackhi_epi32(a, b);
    const __m128i cd2 = _mm_unpackhi_epi32(c, d);
    a = _mm_unpacklo_epi64(ab0, cd0);
    b = _mm_unpackhi_epi64(ab0, cd0);
    c = _mm_unpacklo_epi64(ab2, cd2);
    d = _mm_unpackhi_epi64(ab2, cd2);
}

// The old pixels of steps first..first + 3, [step][vector].
struct Block {
    __m128i pixels[kBlockSteps][kVectors];
};

// Where lane k of vector v is at a step.
PELLORY_INLINE uint32_t* laneAt(const Band& band, int v, int k, int32_t step) {
    const int lane = kVectorLanes * v + k;
    return band.rows[lane + 1] + (step - 2 * lane);
}

PELLORY_INLINE void loadBlock(const Band& band, int32_t first, Block& block) {
#pragma GCC unroll 4
    for (int v = 0; v < kVectors; ++v) {
        __m128i r[kVectorLanes];
#pragma GCC unroll 4
        for (int k = 0; k < kVectorLanes; ++k)
            r[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(laneAt(band, v, k, first)));
        transpose(r[0], r[1], r[2], r[3]);
        for (int i = 0; i < kBlockSteps; ++i) block.pixels[i][v] = r[i];
    }
}

PELLORY_INLINE void storeBlock(const Band& band, int32_t first, Block& block) {
#pragma GCC unroll 4
    for (int v = 0; v < kVectors; ++v) {
        __m128i r[kVectorLanes];
        for (int i = 0; i < kBlockSteps; ++i) r[i] = block.pixels[i][v];
        transpose(r[0], r[1], r[2], r[3]);
#pragma GCC unroll 4
        for (int k = 0; k < kVectorLanes; ++k)
            _mm_storeu_si128(reinterpret_cast<__m128i*>(laneAt(band, v, k, first)), r[k]);
    }
}

// Lanes of vector v at a step, read one by one from rowOffset rows below
// each lane's own (-1 above, 0 its own, 1 below); for setting up.
PELLORY_INLINE __m128i gather(const Band& band, int v, int rowOffset, int32_t step) {
    uint32_t p[kVectorLanes];
    for (int k = 0; k < kVectorLanes; ++k) {
        const int lane = kVectorLanes * v + k;
        p[k] = band.rows[lane + 1 + rowOffset][step - 2 * lane];
    }
    return _mm_setr_epi32(static_cast<int32_t>(p[0]), static_cast<int32_t>(p[1]),
                          static_cast<int32_t>(p[2]), static_cast<int32_t>(p[3]));
}

// One half of a vector's pixels: weighs centre, edge and corner sums of two
// channels of four pixels, divides and clamps. The words of a pixel go to
// pmaddwd as (centre, edge) and (centre, corner) pairs.
template <bool kCorners, bool kClamp>
PELLORY_INLINE __m128i weighHalf(const SimdKernel& sk, __m128i centre, __m128i edges,
                                 __m128i corners) {
    __m128i low = _mm_madd_epi16(_mm_unpacklo_epi16(centre, edges), sk.centreAndEdge);
    __m128i high = _mm_madd_epi16(_mm_unpackhi_epi16(centre, edges), sk.centreAndEdge);
    if (kCorners) {
        low = _mm_add_epi32(
            low, _mm_madd_epi16(_mm_unpacklo_epi16(centre, corners), sk.centreAndCorner));
        high = _mm_add_epi32(
            high, _mm_madd_epi16(_mm_unpackhi_epi16(centre, corners), sk.centreAndCorner));
    }
    return divide<kClamp>(sk, low, high);
}

// What a vector carries from one step to the next.
struct VectorState {
    Split latest;    // its results of the previous step: the left taps
    Split vertical;  // upper plus lower middle taps of this step
    Split verticalLeft;  // ... of the previous step: this step's upper plus lower left taps
};

// Filters steps first, first + 1, ... in blocks of four, as long as every
// lane stays on an interior column and the next block's loads stay inside
// the rows; returns the first step not done. All new values reach memory at
// the end of each block. Taps, per lane at column j: the upper row comes from
// the lane above (a shift of its results by one lane, lane 0 of the first
// vector reading the row above the band), the lower row is the lane below's
// old pixels two steps ahead (lane 3 of the last vector reading the row below
// the band), the centre and right are the lane's own old pixels.
template <bool kCorners, bool kClamp>
PELLORY_INLINE int32_t filterStepsDiagonal(const SimdKernel& sk, const Band& band, int32_t first,
                                           int32_t width) {
    const uint32_t* aboveBand = band.rows[0];
    const uint32_t* belowBand = band.rows[kLanes + 1];
    constexpr int kLast = kVectors - 1;
    VectorState state[kVectors];
    for (int v = 0; v < kVectors; ++v) {
        state[v].latest = split(sk, gather(band, v, 0, first - 1));
        state[v].vertical =
            split(sk, gather(band, v, -1, first)) + split(sk, gather(band, v, 1, first));
        state[v].verticalLeft =
            split(sk, gather(band, v, -1, first - 1)) + split(sk, gather(band, v, 1, first - 1));
    }
    Block current;
    Block next;
    Block results;
    loadBlock(band, first, current);
    int32_t start = first;
    // The block after this one is read ahead: lane 0 reaches column start + 7.
    for (; start + 2 * kBlockSteps - 1 <= width - 1; start += kBlockSteps) {
        loadBlock(band, start + kBlockSteps, next);
#pragma GCC unroll 4
        for (int i = 0; i < kBlockSteps; ++i) {
            const int32_t step = start + i;
            // Old pixels of a later step of this block or the next.
            auto ahead = [&](int offset, int v) {
                const int at = i + offset;
                return at < kBlockSteps ? current.pixels[at][v] : next.pixels[at - kBlockSteps][v];
            };
            // The last vector first, so that it still sees the first one's
            // results of the previous step.
#pragma GCC unroll 3
            for (int v = kLast; v >= 0; --v) {
                VectorState& st = state[v];
                // Upper taps one column to the right: the lane above's last
                // results, or the row above the band for the first lane.
                const Split aboveFill =
                    v == 0 ? split(sk, _mm_loadu_si128(reinterpret_cast<const __m128i*>(
                                           aboveBand + step + 1 - kVectorLanes + 1)))
                           : state[v - 1].latest;
                const Split upperRight = fromLaneAbove(st.latest, aboveFill);
                // Lower taps one column to the right: two steps ahead for the
                // lane below, or the row below the band for the last lane.
                const __m128i belowFill =
                    v == kLast
                        ? _mm_cvtsi32_si128(static_cast<int32_t>(
                              belowBand[step + 1 - 2 * (kLanes - 1)]))
                        : ahead(3, v + 1);
                const Split lowerRight = split(sk, fromLaneBelow(ahead(3, v), belowFill));
                const Split verticalRight = upperRight + lowerRight;
                const Split centre = split(sk, ahead(0, v));
                const Split right = split(sk, ahead(1, v));
                // The left taps are on the chain from step to step: add them last.
                const Split edges = (st.vertical + right) + st.latest;
                const Split corners = kCorners ? st.verticalLeft + verticalRight : edges;
                const Split result{
                    weighHalf<kCorners, kClamp>(sk, centre.even, edges.even, corners.even),
                    weighHalf<kCorners, kClamp>(sk, centre.odd, edges.odd, corners.odd)};
                results.pixels[i][v] = join(result);
                st.verticalLeft = st.vertical;
                st.vertical = verticalRight;
                st.latest = result;
            }
        }
        storeBlock(band, start, results);
        current = next;
    }
    return start;
}

template <bool kCorners, bool kClamp>
PELLORY_INLINE void filterBand(const SimdKernel& sk, const KernelWeights& k, uint32_t* const* rows,
                               int32_t width, int32_t height, const Band& band) {
    const int32_t lastStep = width - 1 + 2 * (band.lanes - 1);
    // The diagonal form needs real rows above and below the band (a clamped
    // one is a lane's own row, whose pixels change under it) and starts once
    // the last lane is past column 0.
    const bool inside = band.lanes == kLanes && band.top > 0 && band.top + kLanes < height;
    const int32_t diagonalFirst = 2 * kLanes - 1;
    int32_t step = 0;
    if (inside && diagonalFirst + 2 * kBlockSteps - 1 <= width - 1) {
        for (; step < diagonalFirst; ++step)
            filterStepByPixel<kCorners>(sk, k, rows, width, height, band, step);
        step = filterStepsDiagonal<kCorners, kClamp>(sk, band, diagonalFirst, width);
    }
    for (; step <= lastStep; ++step)
        filterStepByPixel<kCorners>(sk, k, rows, width, height, band, step);
}

// Bands run top to bottom: a band starts when every row above it is final.
template <bool kCorners, bool kClamp>
PELLORY_INLINE void filterBands(const FastKernel& f, const KernelWeights& k, uint32_t* const* rows,
                                int32_t width, int32_t height) {
    const SimdKernel sk = makeSimdKernel(f);
    for (int32_t top = 0; top < height; top += kLanes)
        filterBand<kCorners, kClamp>(sk, k, rows, width, height, makeBand(rows, height, top));
}

PELLORY_INLINE void filterFast(const FastKernel& f, const KernelWeights& k, uint32_t* const* rows,
                               int32_t width, int32_t height) {
    if (!f.hasCorners)
        filterBands<false, true>(f, k, rows, width, height);
    else if (f.staysInRange)
        filterBands<true, false>(f, k, rows, width, height);
    else
        filterBands<true, true>(f, k, rows, width, height);
}

// The same code three times: the wider tiers gain three-operand encodings
// and a one-instruction lane shift (palignr), chosen by the compiler.
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
    // would truncate to q - 1; a few ulps up is enough and stays clear of
    // the other side, which allows 1 / (256 * divisor) relative (about
    // 2^-18 for the divisors in use, 20-odd ulps).
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
