#include "benchmark_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace {

// The value below which `fraction` of the sorted times lie (nearest rank).
double percentile(const std::vector<double>& sorted, double fraction)
{
    const auto rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::min(sorted.size(), std::max<size_t>(rank, 1)) - 1];
}

} // namespace

std::string benchmarkReport(std::vector<double> frameSeconds)
{
    if (frameSeconds.empty())
        return "Benchmark: no frames";
    const double total = std::accumulate(frameSeconds.begin(), frameSeconds.end(), 0.0);
    std::sort(frameSeconds.begin(), frameSeconds.end());
    const double median = percentile(frameSeconds, 0.5);
    const double slowest = percentile(frameSeconds, 0.99);
    char line[200];
    std::snprintf(line, sizeof line,
                  "Benchmark: %zu frames in %.3f s, %.1f frames per second, median %.2f ms, 99th percentile %.2f ms",
                  frameSeconds.size(), total, total > 0.0 ? static_cast<double>(frameSeconds.size()) / total : 0.0,
                  median * 1000.0, slowest * 1000.0);
    return line;
}
