#pragma once

#include <string>
#include <vector>

// "Benchmark: N frames in T s, F frames per second, median M ms, 99th percentile P ms"
// for frames that took `frameSeconds` each.
std::string benchmarkReport(std::vector<double> frameSeconds);
