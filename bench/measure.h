#pragma once

// What the benchmarks share: the process's CPU time, and runs summed up as
// a median with its min-max, since these machines are shared and noisy.

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace varentix::bench {

// The process's CPU time, user and system together, in seconds.
inline double cpu_seconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// "median (min-max)", each printed with `format`.
inline std::string spread(const std::vector<double>& values, const char* format = "%.3f") {
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    char median_text[32], low_text[32], high_text[32];
    std::snprintf(median_text, sizeof median_text, format, median(values));
    std::snprintf(low_text, sizeof low_text, format, *low);
    std::snprintf(high_text, sizeof high_text, format, *high);
    return std::string(median_text) + " (" + low_text + "-" + high_text + ")";
}

}  // namespace varentix::bench
