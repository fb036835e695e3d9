// Clocks and summaries the benchmarks share.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <sys/resource.h>
#include <vector>

namespace bench {

// User plus system time of a getrusage record, in seconds.
inline double cpuSeconds(const rusage& usage) {
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// The CPU this process has used so far, all threads.
inline double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return cpuSeconds(usage);
}

// The steady clock in nanoseconds, comparable with the engine's own stamps.
inline std::int64_t steadyNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The value at fraction p (0 the least, 1 the greatest) of the values; 0 for none.
inline double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(p * double(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

} // namespace bench
