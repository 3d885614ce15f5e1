#pragma once

#include <time.h>

// The monotonic clock in nanoseconds: one time base for a benchmark and the processes it starts,
// so a child's reading can be set against the moment the parent started it.
inline long long MonotonicNanoseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1'000'000'000LL + now.tv_nsec;
}
