#include "sim/tavio/PanelText.h"

namespace {
std::string NumberText(const PanelDecoder& panel, PanelDecoder::Field field) {
    const int value = panel.Number(field);
    if (value >= 0) return std::to_string(value);
    return "- [" + panel.Digits(field) + "]";
}

const char* ModeName(PanelDecoder::Mode mode) {
    switch (mode) {
        case PanelDecoder::Mode::Running: return "running";
        case PanelDecoder::Mode::Exited: return "exited";
        default: return "off";
    }
}
}  // namespace

std::string DescribePanel(const PanelDecoder& panel) {
    std::string out;
    out += "core " + NumberText(panel, PanelDecoder::Core) + "\n";
    out += "memory " + NumberText(panel, PanelDecoder::Memory) + "\n";
    out += "shader " + NumberText(panel, PanelDecoder::Shader) + "\n";
    out += "temperature " + std::to_string(panel.BarLevel(PanelDecoder::Temperature)) + "\n";
    out += "fan " + std::to_string(panel.BarLevel(PanelDecoder::Fan)) + "\n";
    out += "lamps";
    for (int id = 0; id < panel::kLamps; ++id)
        if (panel.Lamp(id)) out += " " + std::to_string(id);
    out += "\nmode ";
    out += ModeName(panel.CurrentMode());
    out += "\ntext\n";
    for (const std::string& row : panel.TextRows()) out += row + "\n";
    out += "errors " + std::to_string(panel.Errors().size()) + "\n";
    for (const std::string& error : panel.Errors()) out += error + "\n";
    return out;
}
