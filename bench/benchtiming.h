// Clock, medians and heap use for the benchmarks, and one line per figure with its goal.
#pragma once

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace mapwright::bench {

using CClock = std::chrono::steady_clock;

inline double MillisecondsSince(CClock::time_point start)
{
    return std::chrono::duration<double, std::milli>(CClock::now() - start).count();
}

// Processor time this thread has used, in milliseconds: unlike the clock, it does not count the
// time other programs of a busy machine take.
inline double ThreadCpuMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Bytes of the heap in use, mapped blocks included.
inline std::size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

inline void Report(const char* what, double ms, const char* goal)
{
    std::printf("%-64s %9.3f ms%s%s\n", what, ms, goal[0] ? "   goal " : "", goal);
}

inline const char* BuildKind()
{
#ifdef __OPTIMIZE__
    return "optimised build";
#else
    return "UNOPTIMISED build: figures are not meaningful";
#endif
}

}  // namespace mapwright::bench
