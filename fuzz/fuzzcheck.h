#pragma once

#include <QtGlobal>

// A broken rule is a crash to the fuzzer and a failure to the replay test.
inline void fuzzCheck(bool holds, const char *rule)
{
    if (!holds) {
        qFatal("Broken: %s", rule);
    }
}
