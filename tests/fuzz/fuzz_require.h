#pragma once
// The fuzz targets' check: a broken promise stops the run with the condition and line, so the
// saved input comes with the reason.
#include <cstdio>
#include <cstdlib>

#define FUZZ_REQUIRE(condition)                                                                \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: broken: %s\n", __FILE__, __LINE__, #condition);       \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)
