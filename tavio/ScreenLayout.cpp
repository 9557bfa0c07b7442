#include "tavio/ScreenLayout.h"

namespace ScreenLayout {

const Wire kIndicatorTable[kIndicators] = {
    {0, 0}, {0, 1}, {4, 5}, {4, 4}, {4, 3}, {8, 6}, {8, 5}, {8, 4}, {12, 7}, {12, 6}, {12, 5},
    {16, kWholeCell}, {17, kWholeCell},
};

const uint8_t kDigitPatterns[10] = {0x77, 0x24, 0x5D, 0x6D, 0x2E, 0x6B, 0x7B, 0x25, 0x7F, 0x6F};

// Columns: top, upper left, upper right, middle, lower left, lower right, bottom. The core
// thousands and shader ones digits are wired unlike their neighbours; address 8 is shared.
const Wire kWiring[kFields][4][7] = {
    {
        {{4, 2}, {5, 2}, {5, 6}, {6, 6}, {7, 6}, {6, 2}, {7, 2}},
        {{4, 1}, {5, 1}, {5, 5}, {6, 5}, {7, 5}, {6, 1}, {7, 1}},
        {{4, 0}, {5, 0}, {5, 4}, {6, 4}, {7, 4}, {6, 0}, {7, 0}},
        {{5, 7}, {6, 7}, {5, 3}, {6, 3}, {7, 3}, {7, 7}, {8, 7}},
    },
    {
        {{8, 3}, {9, 3}, {9, 7}, {10, 7}, {11, 7}, {10, 3}, {11, 3}},
        {{8, 2}, {9, 2}, {9, 6}, {10, 6}, {11, 6}, {10, 2}, {11, 2}},
        {{8, 1}, {9, 1}, {9, 5}, {10, 5}, {11, 5}, {10, 1}, {11, 1}},
        {{8, 0}, {9, 0}, {9, 4}, {10, 4}, {11, 4}, {10, 0}, {11, 0}},
    },
    {
        {{12, 4}, {13, 4}, {12, 0}, {13, 0}, {14, 0}, {14, 4}, {15, 4}},
        {{12, 3}, {13, 3}, {13, 7}, {14, 7}, {15, 7}, {14, 3}, {15, 3}},
        {{12, 2}, {13, 2}, {13, 6}, {14, 6}, {15, 6}, {14, 2}, {15, 2}},
        {{12, 1}, {13, 1}, {13, 5}, {14, 5}, {15, 5}, {14, 1}, {15, 1}},
    },
};

const Span kFieldSpans[kFields] = {{4, 8}, {8, 11}, {12, 15}};

}  // namespace ScreenLayout
