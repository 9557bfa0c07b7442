#pragma once
// The floor program's window title; ./bench.sh waits for a visible window of this name.
#define BENCH_FLOOR_TITLE L"Oskara Floor"
