// Fuzz target: the controller's input reports, as one read transfers them, decoded into key
// events; nothing past the transferred bytes may be read.
#include <vector>

#include "tavio/KeyReport.h"
#include "tests/fuzz/fuzz_require.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > KeyReport::kReadBufferSize) return 0;
    // A buffer of exactly the transferred bytes, so a read past them shows under the sanitizer.
    const std::vector<uint8_t> report(data, data + size);
    const KeyReport::Events events = KeyReport::Decode(report.data(), report.size());
    FUZZ_REQUIRE(events.count <= 3);
    for (size_t i = 0; i < events.count; ++i) {
        FUZZ_REQUIRE(events.codes[i] <= KeyReport::Right);
        // A release comes alone; held keys come left before middle before right.
        FUZZ_REQUIRE(events.codes[i] != KeyReport::Release || events.count == 1);
        if (i > 0) FUZZ_REQUIRE(events.codes[i - 1] < events.codes[i]);
    }
    return 0;
}
