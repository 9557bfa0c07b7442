// Cutting the window's shape from the committed skin: the bitmap's bytes read, the key colour at
// (1, 1) taken, and the opaque runs of every row found, as the main window does when it opens.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/DibImage.h"
#include "skin/PixelRuns.h"

namespace {

// A .bmp file is a 14-byte file header followed by the bytes a bitmap resource holds.
constexpr size_t kFileHeader = 14;

std::vector<uint8_t> SkinFile() {
    std::ifstream file(std::string(OSKARA_SOURCE_DIR) + "/res/skin.bmp", std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void SkinRegionRuns(benchmark::State& state) {
    const std::vector<uint8_t> file = SkinFile();
    if (file.size() <= kFileHeader) {
        state.SkipWithError("res/skin.bmp is missing");
        return;
    }
    size_t runCount = 0;
    for (auto _ : state) {
        DibImage skin;
        uint32_t key = 0;
        if (ParseDib(file.data() + kFileHeader, file.size() - kFileHeader, skin) != kDibOk ||
            !DibPixelValue(skin, 1, 1, key)) {
            state.SkipWithError("res/skin.bmp does not parse");
            return;
        }
        const std::vector<PixelRun> runs = OpaqueRuns(skin, key);
        runCount = runs.size();
        benchmark::DoNotOptimize(runs.data());
    }
    state.counters["runs"] = static_cast<double>(runCount);
}
BENCHMARK(SkinRegionRuns)->Unit(benchmark::kMicrosecond);

}  // namespace
