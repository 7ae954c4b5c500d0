// qovin-bench-startup: how long the real qovin.xpl takes from XPluginStart
// until every Java plugin is enabled (JVM creation included), and the
// process's resident memory then, with 1 and 10 small plugin jars, without and
// with the class archive. Each start is a process of its own; the two are run
// in turn, --rounds times, and the medians reported.
//
//   qovin-bench-startup [--rounds N] [--nice N] [--smoke] [--ini "key=value;key=value"]
#include <XPLMDataAccess.h>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "staged_root.h"
#include "xplmsim/loader.h"
#include "xplmsim/sim.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::vector<std::string> pluginJars() {
  std::vector<std::string> jars;
  std::stringstream list(QOVIN_STARTUP_JARS);
  for (std::string jar; std::getline(list, jar, ':');) jars.push_back(jar);
  return jars;
}

// CPU time of the whole process (every thread) so far, in ms.
double cpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

// The child: starts qovin from ROOT and checks that its N plugins are enabled.
int child(const fs::path& root, int plugins, const std::string& out) {
  if (const char* nice = std::getenv("QOVIN_BENCH_NICE")) setpriority(PRIO_PROCESS, 0, std::atoi(nice));
  xplmsim::reset();
  xplmsim::setSystemPath(root.string());
  const double cpuBefore = cpuMs();
  const auto began = Clock::now();
  const int id = qovinbench::loadQovin(root);
  const double ms = std::chrono::duration<double, std::milli>(Clock::now() - began).count();
  const double cpu = cpuMs() - cpuBefore;
  const long rss = qovinbench::residentKib();
  int enabled = 0;
  for (int i = 1; i <= plugins; ++i) {
    XPLMDataRef ref = XPLMFindDataRef(("qovinbench/startup/" + std::to_string(i) + "/enabled").c_str());
    enabled += ref != nullptr && XPLMGetDatai(ref) == 1 ? 1 : 0;
  }
  const std::string log = xplmsim::debugLog();
  const bool used = log.find("qovin: using the class archive") != std::string::npos;
  const std::string started = "qovin: the JVM started in ";
  const auto at = log.find(started);
  const double jvmMs = at == std::string::npos ? 0 : std::atof(log.c_str() + at + started.size());
  if (id < 0 || enabled != plugins) {
    std::cerr << "qovin or its plugins did not start:\n" << xplmsim::debugLog();
    return 1;
  }
  xplmsim::stopPlugins();
  qovinbench::writeResults(out, {{"ms", std::to_string(ms)}, {"cpu_ms", std::to_string(cpu)},
                                 {"jvm_ms", std::to_string(jvmMs)},
                                 {"rss_kib", std::to_string(rss)},
                                 {"archive_used", used ? "1" : "0"}});
  return 0;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// Waits until the class archive of `root` is written (it is made in the background).
bool waitForArchive(const fs::path& root) {
  for (int i = 0; i < 1200; ++i) {
    if (fs::exists(root / "Resources/plugins/qovin/class-archive/qovin.jsa.jars")) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 7;
  std::string ini;  // qovin.ini lines for both starts
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--child" && i + 3 < argc) return child(argv[i + 1], std::atoi(argv[i + 2]), argv[i + 3]);
    if (arg == "--rounds" && i + 1 < argc) {
      rounds = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--nice" && i + 1 < argc) {
      setenv("QOVIN_BENCH_NICE", argv[++i], 1);  // the children's nice value
    } else if (arg == "--smoke") {
      rounds = 1;
    } else if (arg == "--ini" && i + 1 < argc) {
      std::string lines = argv[++i];
      std::replace(lines.begin(), lines.end(), ';', '\n');
      ini += lines + "\n";
    } else {
      std::cerr << "usage: qovin-bench-startup [--rounds N] [--nice N] [--smoke] [--ini \"key=value;key=value\"]\n";
      return 2;
    }
  }
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  const std::string out =
      (fs::temp_directory_path() / ("qovin-bench-startup-results-" + std::to_string(::getpid()))).string();
  const std::vector<std::string> all = pluginJars();
  std::cout << "From XPluginStart until every Java plugin is enabled, JVM creation included; median of " << rounds
            << " starts each, run in turn; resident memory of the whole process then; CPU time of all its threads"
               " during the start:\n\n"
            << "| plugins | without ms | with ms | ratio | the JVM's creation ms, without, with "
               "| after it ms, without, with | ratio after it | RSS without MiB | RSS with MiB | CPU without ms "
               "| CPU with ms | CPU ratio |\n"
            << "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
  int failures = 0;
  for (size_t count : {size_t{1}, all.size()}) {
    const std::vector<std::string> jars(all.begin(), all.begin() + static_cast<long>(count));
    const fs::path without = qovinbench::makeStagedRoot("startup-without", jars, ini + "class_archive = no\n");
    const fs::path with = qovinbench::makeStagedRoot("startup-with", jars, ini + "class_archive = yes\n");
    const std::vector<std::string> n = {std::to_string(count)};
    // The first start with the archive on makes it, in the background.
    qovinbench::runChild(self, {"--child", with.string(), n[0], out});
    if (!waitForArchive(with)) {
      std::cout << "| " << count << " | the class archive was not made |\n";
      ++failures;
    }
    std::vector<double> ms[2], cpu[2], rss[2], jvm[2];
    int unused = 0;
    for (int round = 0; round < rounds; ++round) {
      for (int archived = 0; archived < 2; ++archived) {
        auto r = qovinbench::runChild(self, {"--child", (archived ? with : without).string(), n[0], out});
        if (r.empty()) {
          ++failures;
          continue;
        }
        if (archived && r["archive_used"] != "1") ++unused;
        ms[archived].push_back(std::atof(r["ms"].c_str()));
        cpu[archived].push_back(std::atof(r["cpu_ms"].c_str()));
        jvm[archived].push_back(std::atof(r["jvm_ms"].c_str()));
        rss[archived].push_back(std::atof(r["rss_kib"].c_str()) / 1024);
      }
    }
    fs::remove_all(without);
    fs::remove_all(with);
    char row[400];
    const double rest[2] = {median(ms[0]) - median(jvm[0]), median(ms[1]) - median(jvm[1])};
    std::snprintf(row, sizeof row, "| %zu | %.0f | %.0f | %.2f | %.0f, %.0f | %.0f, %.0f | %.2f | %.0f | %.0f | %.0f | %.0f | %.2f |",
                  count, median(ms[0]), median(ms[1]), median(ms[1]) / std::max(1e-9, median(ms[0])), median(jvm[0]),
                  median(jvm[1]), rest[0], rest[1], rest[1] / std::max(1e-9, rest[0]), median(rss[0]),
                  median(rss[1]), median(cpu[0]), median(cpu[1]), median(cpu[1]) / std::max(1e-9, median(cpu[0])));
    std::cout << row << (unused > 0 ? " (archive not used in " + std::to_string(unused) + " starts)" : "")
              << std::endl;
    failures += unused;
  }
  std::remove(out.c_str());
  return failures == 0 ? 0 : 1;
}
