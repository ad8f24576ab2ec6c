#pragma once

#include <cstdio>
#include <cstdlib>

// A broken promise of a reader under fuzzing: named on stderr, then an
// abort, which the fuzzer keeps as a finding and the replay test fails on.
[[noreturn]] inline void FuzzFail(const char* file, const char* what)
{
    std::fprintf(stderr, "%s: %s\n", file, what);
    std::abort();
}

#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition))                                                                          \
            FuzzFail(__FILE__, #condition);                                                        \
    } while (0)
