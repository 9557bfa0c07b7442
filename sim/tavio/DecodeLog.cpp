// tavio-decode LOG: prints the controller's screen after the output reports logged in LOG.
// Exit status 0 when every report decoded, 2 when some were malformed, 1 when LOG is unreadable.
#include <fstream>
#include <iostream>
#include <memory>

#include "sim/tavio/HexLog.h"
#include "sim/tavio/PanelText.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: tavio-decode LOG\n";
        return 1;
    }
    std::ifstream log(argv[1], std::ios::binary);
    if (!log) {
        std::cerr << "tavio-decode: cannot read " << argv[1] << "\n";
        return 1;
    }
    std::unique_ptr<PanelDecoder> panel;
    std::string line;
    std::vector<uint8_t> report;
    size_t number = 0;
    bool unreadable = false;
    while (std::getline(log, line)) {
        ++number;
        if (!ParseHexLine(line, report)) {
            std::cerr << "tavio-decode: line " << number << " is not hex\n";
            unreadable = true;
            continue;
        }
        // Every report of one controller has its output report length: the first one tells it.
        if (!panel) panel = std::make_unique<PanelDecoder>(report.size());
        panel->Feed(report);
    }
    if (!panel) panel = std::make_unique<PanelDecoder>(0);
    std::cout << DescribePanel(*panel);
    return panel->Errors().empty() && !unreadable ? 0 : 2;
}
