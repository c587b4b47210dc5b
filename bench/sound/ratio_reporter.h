// A console reporter that also prints, at the end, each benchmark's time as
// a ratio against the baseline named beside it. With repetitions, the
// fastest repetition of each counts: on a shared, noisy machine the minimum
// is the time least disturbed by others.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace orlane::bench {

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  // {measured, baseline} pairs of benchmark names (without arguments).
  explicit RatioReporter(std::vector<std::pair<std::string, std::string>> pairs) : pairs_(std::move(pairs)) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration) {
        const auto [at, fresh] = times_.emplace(run.run_name.function_name, run.GetAdjustedRealTime());
        if (!fresh) at->second = std::min(at->second, run.GetAdjustedRealTime());
      }
    ConsoleReporter::ReportRuns(runs);
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [measured, baseline] : pairs_) {
      if (!times_.count(measured) || !times_.count(baseline) || times_[baseline] <= 0) continue;
      std::printf("ratio %s / %s = %.2f\n", measured.c_str(), baseline.c_str(), times_[measured] / times_[baseline]);
    }
  }

 private:
  std::vector<std::pair<std::string, std::string>> pairs_;
  std::map<std::string, double> times_;
};

}  // namespace orlane::bench
