#pragma once

#include <cstdint>

namespace s::image::filters::convolution {

// A 3x3 kernel: k[0..2] weigh the row above a pixel (left, middle, right),
// k[3..5] its own row, k[6..8] the row below. Each weighted sum is divided by
// divisor, which is the sum of the weights for every kernel made here.
struct KernelWeights {
    int32_t k[9];
    int32_t divisor;
};

// The kernel for a signed strength: positive sharpens, negative blurs. The
// weights go through single precision on purpose (about half of the blur
// strengths and six sharpen strengths come out one step nearer to zero), so
// saved outputs stay the same as the product has always written them.
//
// Returns false when there is no kernel: strength 0 (the picture is left as
// it is), a sharpen of 153 or more (its weights no longer sum to a positive
// divisor), or a blur below kStrongestBlur. The product uses -100..100.
bool weightsForStrength(int32_t strength, KernelWeights& out);

constexpr int32_t kStrongestBlur = -10000;  // keeps every weighted sum far inside 32 bits

// The reference pass: pixels in raster order, each written back into the rows
// before the next is computed, so the taps above and to the left read new
// values and the others old ones. Taps outside the picture are clamped to
// its edge; all four channels (alpha too) use the same weights; 32-bit sums,
// division truncating toward zero, results clamped to 0..255. A divisor of 0
// or 1 leaves the sums undivided. rows holds height row addresses, top row
// first, each row width pixels 0xAARRGGBB; nothing happens for a width or
// height below 1.
void convolveNaive(const KernelWeights& k, uint32_t* const* rows, int32_t width, int32_t height);

// The pass the filter runs: the same result as convolveNaive, bit for bit,
// for every picture and every kernel. Kernels whose shape the fast form
// covers (hasFastPath) run several rows at once along the raster order's
// anti-diagonal wavefront; any other kernel runs convolveNaive.
void convolve(const KernelWeights& k, uint32_t* const* rows, int32_t width, int32_t height);

// The pieces below are public so that tests can pin each one down; the
// filter only needs convolve.

// Instruction sets the fast pass is built for; convolve takes the best one
// the processor has.
enum class SimdTier { kSse2, kSse41, kAvx2 };

bool isSimdTierAvailable(SimdTier tier);

// convolve on a given tier; a tier the processor lacks, or a kernel without a
// fast path, runs convolveNaive.
void convolveWithTier(SimdTier tier, const KernelWeights& k, uint32_t* const* rows, int32_t width,
                      int32_t height);

// True when the kernel takes the fast pass: symmetric (one corner weight, one
// edge weight), weights and sums within the fast pass's 16- and 24-bit
// ranges, a positive divisor with an exact reciprocal. Every kernel of
// weightsForStrength qualifies.
bool hasFastPath(const KernelWeights& k);

// A single-precision multiplier m such that int32_t(float(sum) * m) equals
// sum / divisor for every sum in 0 .. 256 * divisor; below that range the
// product truncates to 0 or less, above it to 256 or more, which is all the
// clamp to 0..255 needs. False when divisor is below 1 or above
// kLargestDivisor, or when no single-precision value qualifies (possible only
// for large divisors, whose tolerance shrinks to an ulp or so).
bool exactReciprocal(int32_t divisor, float& out);

constexpr int32_t kLargestDivisor = 1 << 15;  // 256 * divisor stays exact in single precision

}  // namespace s::image::filters::convolution
