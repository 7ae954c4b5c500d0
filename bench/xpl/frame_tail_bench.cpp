// qovin-bench-frame-tail: the frame-time tail of a careless Java plugin (about
// 1 MB of garbage per frame) run through the real qovin.xpl, under JVM
// settings given as qovin.ini lines. Each setting runs in a process of its own
// (a process creates one JVM), in turn; each frame's wall time on the main
// thread (flight loops and drawing) is measured, and between frames the
// simulator's own work is stood in for by a pause of --gap-us.
//
//   qovin-bench-frame-tail [--frames N] [--warmup N] [--gap-us N] [--rounds N] [--nice N] [--smoke]
//                          [--variant "NAME|key=value;key=value"]...
//
// Frames in which the scheduler took the CPU from the main thread (an
// involuntary context switch: another process, or the JVM's own threads on a
// busy machine) are counted apart, and the tail of the others shown too.
//
// The baseline, run after the first setting, has no JVM: a C++ flight loop
// writes the same 1 MB a frame into a ring of 30 frames and computes for the
// rest of the first setting's p50, so its tail is the machine's own.
#include <XPLMDataAccess.h>
#include <XPLMProcessing.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "staged_root.h"
#include "xplmsim/loader.h"
#include "xplmsim/sim.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Variant {
  std::string name;
  std::string ini;  // qovin.ini lines
};

// "NAME|a=1;b=2" as a name and qovin.ini lines.
Variant variant(const std::string& text) {
  const auto bar = text.find('|');
  Variant v{text.substr(0, bar), ""};
  std::string rest = bar == std::string::npos ? "" : text.substr(bar + 1);
  for (size_t start = 0; start < rest.size();) {
    const size_t end = std::min(rest.find(';', start), rest.size());
    const std::string line = rest.substr(start, end - start);
    const auto equals = line.find('=');
    if (equals != std::string::npos) v.ini += line.substr(0, equals) + " = " + line.substr(equals + 1) + "\n";
    start = end + 1;
  }
  return v;
}

double percentile(const std::vector<double>& sorted, double q) {
  const size_t index = std::min(sorted.size() - 1, static_cast<size_t>(q * static_cast<double>(sorted.size())));
  return sorted[index];
}

// The baseline's plugin: each frame writes 120 blocks of 8 KB into a ring of
// 30 frames, then computes `spins` rounds; the spins are tuned during the
// warm-up until a frame takes `targetMs`.
struct Baseline {
  static constexpr size_t kBlocks = 120;
  std::vector<char> ring = std::vector<char>(30u * kBlocks * 8192);
  size_t next = 0;
  long spins = 1000;
  double sink = 0;
  float bytes = 0;

  static float loop(float, float, int, void* refcon) {
    auto* b = static_cast<Baseline*>(refcon);
    for (size_t block = 0; block < kBlocks; ++block) {
      std::memset(b->ring.data() + b->next, static_cast<int>(block), 8192);
      b->next = (b->next + 8192) % b->ring.size();
    }
    double x = b->sink;
    for (long i = 0; i < b->spins; ++i) x = x * 0.999999 + static_cast<double>(i & 7);
    b->sink = x;
    b->bytes = kBlocks * 8192;
    return -1;
  }
};

// The child: loads qovin from ROOT (or, with `baselineMs` above 0, the
// baseline plugin instead), runs the warm-up frames, then times FRAMES frames.
int child(const fs::path& root, int frames, int warmup, int gapUs, const std::string& out, double baselineMs) {
  if (const char* nice = std::getenv("QOVIN_BENCH_NICE")) setpriority(PRIO_PROCESS, 0, std::atoi(nice));
  xplmsim::reset();
  xplmsim::setRecording(false);
  xplmsim::setSystemPath(root.string());
  Baseline baseline;
  const bool isBaseline = baselineMs > 0;
  if (isBaseline) {
    XPLMRegisterFlightLoopCallback(Baseline::loop, -1, &baseline);
  } else if (qovinbench::loadQovin(root) < 0) {
    std::cerr << "qovin did not start:\n" << xplmsim::debugLog();
    return 1;
  }
  XPLMDataRef bytes = isBaseline ? nullptr : XPLMFindDataRef("qovinbench/careless/bytes_per_frame");
  if (!isBaseline && bytes == nullptr) {
    std::cerr << "the careless plugin did not start:\n" << xplmsim::debugLog();
    return 1;
  }
  const auto gap = std::chrono::microseconds(gapUs);
  std::vector<double> tuning;
  for (int i = 0; i < warmup; ++i) {
    const auto began = Clock::now();
    xplmsim::runFrames(1, 1.0f / 60);
    tuning.push_back(std::chrono::duration<double, std::milli>(Clock::now() - began).count());
    if (isBaseline && tuning.size() == 50) {
      std::sort(tuning.begin(), tuning.end());
      baseline.spins = std::max(1L, static_cast<long>(static_cast<double>(baseline.spins) * baselineMs /
                                                      std::max(1e-6, tuning[tuning.size() / 2])));
      tuning.clear();
    }
    std::this_thread::sleep_for(gap);
  }
  std::vector<double> ms(static_cast<size_t>(frames));
  std::vector<double> alone;  // frames the scheduler did not take the CPU from
  long preempted = 0;
  long waited = 0;
  double bytesSum = 0;
  for (int i = 0; i < frames; ++i) {
    rusage before{};
    getrusage(RUSAGE_THREAD, &before);
    const auto began = Clock::now();
    xplmsim::runFrames(1, 1.0f / 60);
    const double took = std::chrono::duration<double, std::milli>(Clock::now() - began).count();
    rusage after{};
    getrusage(RUSAGE_THREAD, &after);
    ms[static_cast<size_t>(i)] = took;
    // An involuntary switch: the scheduler ran something else; a voluntary
    // one: the thread waited (a safepoint of the collector, a lock).
    if (after.ru_nivcsw > before.ru_nivcsw) {
      ++preempted;
    } else {
      alone.push_back(took);
    }
    if (after.ru_nvcsw > before.ru_nvcsw) ++waited;
    bytesSum += isBaseline ? baseline.bytes : XPLMGetDataf(bytes);
    std::this_thread::sleep_for(gap);
  }
  std::sort(alone.begin(), alone.end());
  if (alone.empty()) alone.push_back(0);
  const long rss = qovinbench::residentKib();
  xplmsim::stopPlugins();
  std::sort(ms.begin(), ms.end());
  const double p50 = percentile(ms, 0.5);
  const auto slow = std::count_if(ms.begin(), ms.end(), [&](double t) { return t > 2 * p50; });
  auto text = [](double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.3f", value);
    return std::string(buffer);
  };
  qovinbench::writeResults(out, {{"p50", text(p50)},
                                 {"p99", text(percentile(ms, 0.99))},
                                 {"p999", text(percentile(ms, 0.999))},
                                 {"max", text(ms.back())},
                                 {"slow", std::to_string(slow)},
                                 {"preempted", std::to_string(preempted)},
                                 {"waited", std::to_string(waited)},
                                 {"alone_p999", text(percentile(alone, 0.999))},
                                 {"alone_max", text(alone.back())},
                                 {"mb_per_frame", text(bytesSum / frames / 1e6)},
                                 {"rss_mib", std::to_string(rss / 1024)}});
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int frames = 100000;
  int warmup = 2000;
  int gapUs = 1000;
  int rounds = 1;
  std::vector<Variant> variants;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto number = [&]() { return i + 1 < argc ? std::atoi(argv[++i]) : 0; };
    if (arg == "--child" && i + 6 < argc) {
      return child(argv[i + 1], std::atoi(argv[i + 2]), std::atoi(argv[i + 3]), std::atoi(argv[i + 4]), argv[i + 6],
                   std::atof(argv[i + 5]));
    } else if (arg == "--frames") {
      frames = number();
    } else if (arg == "--warmup") {
      warmup = number();
    } else if (arg == "--gap-us") {
      gapUs = number();
    } else if (arg == "--nice") {
      // The children's nice value (-20 to 19; below 0 needs the privilege):
      // every thread of the JVM runs at it, the main thread and the collector's alike.
      setenv("QOVIN_BENCH_NICE", std::to_string(number()).c_str(), 1);
    } else if (arg == "--rounds") {
      rounds = number();
    } else if (arg == "--smoke") {
      frames = 200;
      warmup = 20;
      gapUs = 0;
    } else if (arg == "--variant" && i + 1 < argc) {
      variants.push_back(variant(argv[++i]));
    } else {
      std::cerr << "usage: qovin-bench-frame-tail [--frames N] [--warmup N] [--gap-us N] [--rounds N] [--nice N]\n"
                   "                              [--smoke] [--variant \"NAME|key=value;key=value\"]...\n";
      return 2;
    }
  }
  if (variants.empty()) {
    variants = {variant("qovin.ini defaults|"), variant("G1, the JVM's defaults|gc=G1;heap_min=jvm;heap_max=jvm"),
                variant("the defaults with jvm_threads_nice = 19|jvm_threads_nice=19")};
  }
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  const std::string out =
      (fs::temp_directory_path() / ("qovin-bench-frame-tail-results-" + std::to_string(::getpid()))).string();
  std::cout << frames << " frames after " << warmup << " of warm-up, " << gapUs
            << " us between frames, ms per frame (flight loop + drawing):\n\n"
            << "| JVM settings (qovin.ini) | p50 | p99 | p99.9 | max | p99.9 / p50 | frames over 2 x p50 "
               "| frames that waited | frames preempted | p99.9, max of the others | MB per frame | RSS MiB |\n"
               "|---|---:|---:|---:|---:|---:|---:|---:|---:|---|---:|---:|\n";
  int failures = 0;
  // One process: a setting's row, or the baseline's for `baselineMs` above 0; the p50, or 0 if it failed.
  auto run = [&](const Variant& v, double baselineMs) {
    const fs::path root =
        qovinbench::makeStagedRoot("frame-tail", {QOVIN_CARELESS_JAR}, "class_archive = no\n" + v.ini);
    auto r = qovinbench::runChild(self, {"--child", root.string(), std::to_string(frames), std::to_string(warmup),
                                         std::to_string(gapUs), std::to_string(baselineMs), out});
    fs::remove_all(root);
    if (r.empty()) {
      std::cout << "| " << v.name << " | failed |\n";
      ++failures;
      return 0.0;
    }
    const double p50 = std::atof(r["p50"].c_str());
    char ratioText[32];
    std::snprintf(ratioText, sizeof ratioText, "%.2f", std::atof(r["p999"].c_str()) / std::max(1e-9, p50));
    std::cout << "| " << v.name << " | " << r["p50"] << " | " << r["p99"] << " | " << r["p999"] << " | " << r["max"]
              << " | " << ratioText << " | " << r["slow"] << " | " << r["waited"] << " | " << r["preempted"] << " | "
              << r["alone_p999"] << ", " << r["alone_max"] << " | " << r["mb_per_frame"] << " | " << r["rss_mib"]
              << " |" << std::endl;
    return p50;
  };
  const Variant machine{"baseline: no JVM, a C++ flight loop writing as much memory, tuned to the first p50", ""};
  for (int round = 0; round < rounds; ++round) {
    for (size_t v = 0; v < variants.size(); ++v) {
      const double p50 = run(variants[v], 0);
      if (v == 0) run(machine, p50 > 0 ? p50 : 0.35);
    }
  }
  std::remove(out.c_str());
  return failures == 0 ? 0 : 1;
}
