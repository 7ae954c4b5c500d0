#include "gbench_runner.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <set>

namespace qovinbench {

namespace {

// Keeps the medians (or, with a single repetition, the one run) of every
// benchmark while the console reporter prints as usual.
class Collector : public benchmark::ConsoleReporter {
 public:
  std::vector<Result> results;

  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (!(single || median) || run.error_occurred) continue;
      std::string name = run.run_name.function_name;
      if (!run.run_name.args.empty()) name += "/" + run.run_name.args;
      const size_t slash = name.rfind('/');
      Result r;
      r.family = name.substr(0, slash);
      r.variant = name.substr(slash + 1);
      // The benchmark thread's CPU time: on a shared machine it is far steadier
      // than wall time, and the JVM's own threads (JIT, GC) are not counted.
      r.nsPerIteration = run.GetAdjustedCPUTime();
      r.order = run.family_index * 1000 + run.per_family_instance_index;
      auto calls = run.counters.find("calls");
      if (calls != run.counters.end() && calls->second.value > 0) r.callsPerIteration = calls->second.value;
      auto allocs = run.counters.find("allocs");
      if (allocs != run.counters.end()) r.allocationsPerIteration = allocs->second.value;
      results.push_back(r);
    }
    ConsoleReporter::ReportRuns(runs);
  }
};

const Result* find(const std::vector<Result>& results, const std::string& family, const std::string& variant) {
  for (const Result& r : results) {
    if (r.family == family && r.variant == variant) return &r;
  }
  return nullptr;
}

std::vector<std::string> families(const std::vector<Result>& results) {
  std::vector<std::string> order;
  std::set<std::string> seen;
  for (const Result& r : results) {
    if (seen.insert(r.family).second) order.push_back(r.family);
  }
  return order;
}

}  // namespace

std::vector<Result> runBenchmarks(int argc, char** argv) {
  std::vector<std::string> args = {argv[0]};
  bool smoke = false;
  for (int i = 1; i < argc; ++i) smoke = smoke || std::strcmp(argv[i], "--smoke") == 0;
  if (smoke) {
    args.insert(args.end(), {"--benchmark_min_time=0.001", "--benchmark_repetitions=1"});
  } else {
    args.insert(args.end(), {"--benchmark_min_time=0.05", "--benchmark_repetitions=25",
                             "--benchmark_enable_random_interleaving=true",
                             "--benchmark_report_aggregates_only=true"});
  }
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--smoke") != 0) args.push_back(argv[i]);
  }
  std::vector<char*> pointers;
  for (std::string& a : args) pointers.push_back(a.data());
  int count = static_cast<int>(pointers.size());
  benchmark::Initialize(&count, pointers.data());
  if (benchmark::ReportUnrecognizedArguments(count, pointers.data())) std::exit(2);
  Collector collector;
  benchmark::RunSpecifiedBenchmarks(&collector);
  benchmark::Shutdown();
  // Random interleaving reports in any order: back to the order of registration.
  std::stable_sort(collector.results.begin(), collector.results.end(),
                   [](const Result& a, const Result& b) { return a.order < b.order; });
  return collector.results;
}

void printPairs(const std::string& title, const std::vector<Result>& results,
                double (*target)(const std::string& family)) {
  std::printf("\n%s: median ns per call\n\n", title.c_str());
  std::printf("| path | bridge ns | baseline ns | ratio | target | allocations/call bridge, baseline |\n");
  std::printf("|---|---:|---:|---:|---:|---:|\n");
  for (const std::string& family : families(results)) {
    const Result* bridge = find(results, family, "bridge");
    const Result* baseline = find(results, family, "baseline");
    if (bridge == nullptr || baseline == nullptr) continue;
    const double ratio = bridge->nsPerCall() / baseline->nsPerCall();
    const double limit = target(family);
    std::printf("| %s | %.1f | %.1f | %.2f%s | %.2f | %.2f, %.2f |\n", family.c_str(), bridge->nsPerCall(),
                baseline->nsPerCall(), ratio, ratio > limit ? " (above)" : "", limit, bridge->allocationsPerCall(),
                baseline->allocationsPerCall());
  }
  std::fflush(stdout);
}

void printGrowth(const std::string& title, const std::vector<Result>& results) {
  std::printf("\n%s: median ns per call at each size\n\n", title.c_str());
  for (const std::string& family : families(results)) {
    std::vector<const Result*> sizes;
    for (const Result& r : results) {
      if (r.family == family) sizes.push_back(&r);
    }
    std::printf("| %s |", family.c_str());
    for (const Result* r : sizes) std::printf(" %s |", r->variant.c_str());
    std::printf(" largest / smallest | allocations/call |\n|---|");
    for (size_t i = 0; i < sizes.size(); ++i) std::printf("---:|");
    std::printf("---:|---:|\n| ns per call |");
    double allocations = 0;
    for (const Result* r : sizes) {
      std::printf(" %.1f |", r->nsPerCall());
      if (r->allocationsPerCall() > allocations) allocations = r->allocationsPerCall();
    }
    const double growth = sizes.back()->nsPerCall() / sizes.front()->nsPerCall();
    std::printf(" %.2f%s | %.2f |\n\n", growth, growth > 1.15 ? " (above 1.15)" : "", allocations);
  }
  std::fflush(stdout);
}

}  // namespace qovinbench
