#pragma once

#include <benchmark/benchmark.h>

namespace telvane::bench {

// A run's real time per iteration in seconds, whatever unit the benchmark reports it in.
struct RunTime {
    static double Seconds(const benchmark::BenchmarkReporter::Run& run) {
        const double time = run.GetAdjustedRealTime();
        switch (run.time_unit) {
            case benchmark::kNanosecond:
                return time / 1e9;
            case benchmark::kMicrosecond:
                return time / 1e6;
            case benchmark::kMillisecond:
                return time / 1e3;
            case benchmark::kSecond:
                return time;
        }
        return time;
    }
};

}  // namespace telvane::bench
