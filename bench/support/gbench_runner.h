// Running Google Benchmark suites and turning their medians into tables of
// per-call costs: bridge against baseline, or cost against size.
#ifndef QOVIN_BENCH_GBENCH_RUNNER_H
#define QOVIN_BENCH_GBENCH_RUNNER_H

#include <benchmark/benchmark.h>

#include "allocation_counter.h"

#include <string>
#include <vector>

namespace qovinbench {

// One benchmark's median: thread CPU time per iteration (ns), upcalls (or reads)
// per iteration, and heap allocations per iteration.
struct Result {
  std::string family;   // the name before the last '/'
  std::string variant;  // "bridge", "baseline", or the size
  double nsPerIteration = 0;
  double callsPerIteration = 1;
  double allocationsPerIteration = 0;
  long long order = 0;  // registration order

  double nsPerCall() const { return nsPerIteration / callsPerIteration; }
  double allocationsPerCall() const { return allocationsPerIteration / callsPerIteration; }
};

// Times `iterations` of the benchmark loop and records the counters that the
// tables read: `calls` per iteration and the allocations per iteration made
// on this thread inside the loop.
template <typename Body>
void timeCalls(benchmark::State& state, double callsPerIteration, Body body);

// Runs every registered benchmark. Arguments are Google Benchmark's, plus
// --smoke: one short run of each (for CI). Without --smoke: 25 repetitions in
// random interleaving, and the medians are kept.
std::vector<Result> runBenchmarks(int argc, char** argv);

// A table with a row per family: bridge and baseline ns per call, their ratio
// against `target` (marked when above), and allocations per call.
void printPairs(const std::string& title, const std::vector<Result>& results,
                double (*target)(const std::string& family));

// A table with a row per family: ns per call at each size, the ratio of the
// largest size to the smallest, and the largest allocations per call.
void printGrowth(const std::string& title, const std::vector<Result>& results);

// --- implementation of the template ---------------------------------------
template <typename Body>
void timeCalls(benchmark::State& state, double callsPerIteration, Body body) {
  const long long before = allocations();
  for (auto _ : state) body();
  const long long made = allocations() - before;
  state.counters["calls"] = callsPerIteration;
  state.counters["allocs"] = static_cast<double>(made) / static_cast<double>(state.iterations());
}

}  // namespace qovinbench

#endif
