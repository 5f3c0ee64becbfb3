#include <gtest/gtest.h>

#include "benchmark_report.h"

TEST(BenchmarkReport, GivesCountTotalRateMedianAndSlowestPercentile)
{
    std::vector<double> frames(100, 0.010);
    frames[7] = 0.050; // one slow frame: the 99th percentile of 100 is the 99th fastest
    frames[8] = 0.030;
    EXPECT_EQ(benchmarkReport(frames),
              "Benchmark: 100 frames in 1.060 s, 94.3 frames per second, median 10.00 ms, 99th percentile 30.00 ms");
}

TEST(BenchmarkReport, HandlesOneFrameAndNone)
{
    EXPECT_EQ(benchmarkReport({0.020}),
              "Benchmark: 1 frames in 0.020 s, 50.0 frames per second, median 20.00 ms, 99th percentile 20.00 ms");
    EXPECT_EQ(benchmarkReport({}), "Benchmark: no frames");
}
