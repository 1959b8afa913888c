// Speed of the sharpen/blur pass on a 12-megapixel picture: the reference
// against the pass the filter ships. The picture is a corpus photo (the one
// nearest 12 MP, decoded by ImageMagick's convert) when the corpus is there,
// otherwise a synthetic picture, and the bench says which in its label.

#include "image/filters/convolution/Convolve.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

using namespace s::image::filters::convolution;

constexpr int32_t kSyntheticWidth = 4000;
constexpr int32_t kSyntheticHeight = 3000;
constexpr double kTargetPixels = 12.0e6;

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;
    std::string source;
};

bool readSize(const std::string& path, int32_t& width, int32_t& height) {
    const std::string command = "identify -ping -format '%w %h' '" + path + "[0]' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    const bool ok = std::fscanf(pipe, "%d %d", &width, &height) == 2;
    pclose(pipe);
    return ok && width > 0 && height > 0;
}

// convert writes bytes red, green, blue, alpha; the picture wants 0xAARRGGBB.
bool decode(const std::string& path, Picture& picture) {
    int32_t width = 0;
    int32_t height = 0;
    if (!readSize(path, width, height)) return false;
    const std::string command = "convert '" + path + "[0]' -depth 8 rgba:- 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return false;
    const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
    std::vector<uint8_t> bytes(count * 4);
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), pipe);
    pclose(pipe);
    if (got != bytes.size()) return false;
    picture.width = width;
    picture.height = height;
    picture.pixels.resize(count);
    for (size_t p = 0; p < count; ++p) {
        const uint8_t* b = &bytes[p * 4];
        picture.pixels[p] = uint32_t{b[3]} << 24 | uint32_t{b[0]} << 16 | uint32_t{b[1]} << 8 | b[2];
    }
    picture.source = std::filesystem::path(path).filename().string();
    return true;
}

bool loadCorpusPhoto(Picture& picture) {
#ifdef PELLORY_CORPUS_DIR
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(PELLORY_CORPUS_DIR) / "photos";
    std::string best;
    double bestDistance = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        int32_t width = 0;
        int32_t height = 0;
        if (!entry.is_regular_file() || !readSize(entry.path().string(), width, height)) continue;
        const double distance = std::abs(double(width) * height - kTargetPixels);
        if (best.empty() || distance < bestDistance) {
            best = entry.path().string();
            bestDistance = distance;
        }
    }
    return !best.empty() && decode(best, picture);
#else
    (void)picture;
    return false;
#endif
}

// Smooth gradients with noise and some transparency, so that neither kernel
// meets a flat picture.
void makeSynthetic(Picture& picture) {
    picture.width = kSyntheticWidth;
    picture.height = kSyntheticHeight;
    picture.pixels.resize(size_t(kSyntheticWidth) * kSyntheticHeight);
    uint32_t seed = 12345;
    for (int32_t y = 0; y < kSyntheticHeight; ++y)
        for (int32_t x = 0; x < kSyntheticWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const uint32_t noise = seed >> 28;
            const uint32_t a = (x / 64 + y / 64) % 7 == 0 ? 128 : 255;
            const uint32_t r = (x * 255 / kSyntheticWidth + noise) & 0xFF;
            const uint32_t g = (y * 255 / kSyntheticHeight + noise) & 0xFF;
            const uint32_t b = ((x ^ y) + noise) & 0xFF;
            picture.pixels[size_t(y) * kSyntheticWidth + x] = a << 24 | r << 16 | g << 8 | b;
        }
    picture.source = "synthetic picture (no corpus photo)";
}

const Picture& picture() {
    static const Picture loaded = [] {
        Picture p;
        if (!loadCorpusPhoto(p)) makeSynthetic(p);
        return p;
    }();
    return loaded;
}

std::vector<uint32_t*> rowsOf(std::vector<uint32_t>& pixels, int32_t width, int32_t height) {
    std::vector<uint32_t*> rows(height);
    for (int32_t y = 0; y < height; ++y) rows[y] = pixels.data() + size_t(y) * width;
    return rows;
}

// Once per kernel: the shipped pass must match the reference on this picture,
// or its speed means nothing.
bool matchesReference(const KernelWeights& k) {
    const Picture& p = picture();
    std::vector<uint32_t> expected = p.pixels;
    std::vector<uint32_t> actual = p.pixels;
    convolveNaive(k, rowsOf(expected, p.width, p.height).data(), p.width, p.height);
    convolve(k, rowsOf(actual, p.width, p.height).data(), p.width, p.height);
    return expected == actual;
}

using Pass = void (*)(const KernelWeights&, uint32_t* const*, int32_t, int32_t);

void runPass(benchmark::State& state, Pass pass, int32_t strength, bool check) {
    const Picture& p = picture();
    KernelWeights k;
    if (!weightsForStrength(strength, k)) {
        state.SkipWithError("no kernel for this strength");
        return;
    }
    if (check && !matchesReference(k)) {
        state.SkipWithError("shipped pass differs from the reference");
        return;
    }
    std::vector<uint32_t> work(p.pixels.size());
    std::vector<uint32_t*> rows = rowsOf(work, p.width, p.height);
    for (auto _ : state) {
        // The pass is in place; every run starts from the original picture.
        state.PauseTiming();
        std::copy(p.pixels.begin(), p.pixels.end(), work.begin());
        state.ResumeTiming();
        pass(k, rows.data(), p.width, p.height);
        benchmark::ClobberMemory();
    }
    const double pixels = double(p.width) * p.height;
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(pixels));
    state.counters["MP"] =
        benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsIterationInvariantRate);
    state.SetLabel(p.source + " " + std::to_string(p.width) + "x" + std::to_string(p.height));
}

void BM_NaiveSharpen50(benchmark::State& state) { runPass(state, convolveNaive, 50, false); }
void BM_NaiveBlur50(benchmark::State& state) { runPass(state, convolveNaive, -50, false); }
void BM_ShippedSharpen50(benchmark::State& state) { runPass(state, convolve, 50, true); }
void BM_ShippedBlur50(benchmark::State& state) { runPass(state, convolve, -50, true); }

BENCHMARK(BM_NaiveSharpen50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NaiveBlur50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShippedSharpen50)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShippedBlur50)->Unit(benchmark::kMillisecond);

}  // namespace
