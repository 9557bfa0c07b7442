#include "sim/tavio/KeyReports.h"

std::vector<uint8_t> KeyReport(PanelKey key, size_t inputLength) {
    if (inputLength < 3) return {};
    std::vector<uint8_t> report(inputLength, 0);
    report[1] = 0x01;
    report[2] = static_cast<uint8_t>(key);
    return report;
}
