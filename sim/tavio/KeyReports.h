#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The input reports the controller sends for its keys.
enum class PanelKey : uint8_t { Left = 0x31, Middle = 0x32, Right = 0x34, Release = 0x38 };

// 00 01 <key>, zero-padded to inputLength; empty when inputLength cannot hold the three bytes.
std::vector<uint8_t> KeyReport(PanelKey key, size_t inputLength);
