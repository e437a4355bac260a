#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant is a crash to the fuzzer and a failure to the replay test.
inline void fuzzCheck(bool holds, const char *invariant)
{
    if (!holds) {
        std::fprintf(stderr, "Invariant broken: %s\n", invariant);
        std::abort();
    }
}
