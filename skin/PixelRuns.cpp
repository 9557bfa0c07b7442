#include "skin/PixelRuns.h"

std::vector<PixelRun> OpaqueRuns(const DibImage& image, uint32_t key) {
    std::vector<PixelRun> runs;
    for (int32_t y = 0; y < image.height; ++y) {
        int32_t start = -1;
        for (int32_t x = 0; x < image.width; ++x) {
            uint32_t value = 0;
            const bool isKey = !DibPixelValue(image, x, y, value) || value == key;
            if (isKey && start >= 0) {
                runs.push_back({y, start, x});
                start = -1;
            } else if (!isKey && start < 0) {
                start = x;
            }
        }
        if (start >= 0) runs.push_back({y, start, image.width});
    }
    return runs;
}
