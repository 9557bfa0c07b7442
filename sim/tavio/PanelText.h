#pragma once
#include <string>

#include "sim/tavio/PanelDecoder.h"

// The decoded screen as text lines for people and scripts:
//   core 1234 / memory 900 / shader - (no number) / temperature 0 / fan 6 / lamps 0 1 2 ...
//   mode running / text, then nine rows of '#' and '.' / errors N, then one line per error.
std::string DescribePanel(const PanelDecoder& panel);
