#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant is a finding: report it and abort, which libFuzzer
// records as a crash together with the input.
#define FUZZ_CHECK(cond)                                                                    \
    do {                                                                                    \
        if (!(cond)) {                                                                      \
            std::fprintf(stderr, "%s:%d: invariant failed: %s\n", __FILE__, __LINE__, #cond); \
            std::abort();                                                                   \
        }                                                                                   \
    } while (0)
