// Fuzz target: output reports of any length and content fed to the controller emulator's decoder,
// which must keep what it shows within the glass and refuse what it cannot take.
#include <fuzzer/FuzzedDataProvider.h>

#include "sim/tavio/PanelDecoder.h"
#include "tests/fuzz/fuzz_require.h"

namespace {

// The emulator's output report length, and the lengths around it a device may declare.
constexpr size_t kLengths[] = {65, 64, 66, 1, 0, 255};

void CheckShown(const PanelDecoder& panel) {
    for (PanelDecoder::Field field : {PanelDecoder::Core, PanelDecoder::Memory, PanelDecoder::Shader}) {
        FUZZ_REQUIRE(panel.Digits(field).size() == 4);
        const int number = panel.Number(field);
        FUZZ_REQUIRE(number >= -1 && number <= 9999);
    }
    for (PanelDecoder::Bar bar : {PanelDecoder::Temperature, PanelDecoder::Fan}) {
        const int level = panel.BarLevel(bar);
        FUZZ_REQUIRE(level >= -1 && level <= 20);
    }
    const std::vector<std::string> rows = panel.TextRows();
    FUZZ_REQUIRE(rows.size() == PanelDecoder::kTextHeight);
    for (const std::string& row : rows) FUZZ_REQUIRE(row.size() == PanelDecoder::kTextWidth);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    const size_t reportLength = kLengths[in.ConsumeIntegralInRange<size_t>(0, 5)];
    PanelDecoder panel(reportLength);
    size_t fed = 0;
    while (in.remaining_bytes() > 0) {
        // Mostly reports of the declared length, now and then one that is not.
        const size_t length = in.ConsumeBool() ? reportLength : in.ConsumeIntegralInRange<size_t>(0, 300);
        const std::vector<uint8_t> report = in.ConsumeBytes<uint8_t>(length);
        panel.Feed(report.data(), report.size());
        ++fed;
    }
    FUZZ_REQUIRE(panel.Reports() <= fed);
    CheckShown(panel);
    return 0;
}
