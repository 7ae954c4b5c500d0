// qovin-host: the stand-in X-Plane. It loads the plugins of an X-Plane-like
// folder as X-Plane does (qovin.xpl among them, which runs the Java plugins of
// its plugins/ folder), runs frames, and reports what happened.
//
//   qovin-host --xplane ROOT | --classpath JARS --plugin CLASS
//              [--frames N] [--frame-time SECONDS] [--set DATAREF=VALUE]...
//              [--command NAME]... [--open-map MAP]... [--log-level LEVEL] [--check-jni]
//              [--allow-leftovers] [--help]
//
// With --classpath and --plugin it makes a folder of its own, with qovin
// installed and that one Java plugin in it. VALUE is a number, [a, b, ...]
// for an array, or a text for byte data. SIGINT and SIGTERM end the run at the
// next frame: the plugins are stopped and the summary printed (a second one
// ends the process at once). Exit codes: see kUsage.
#include <XPLMDataAccess.h>
#include <XPLMPlugin.h>

#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "dataref_settings.h"
#include "display_activity.h"
#include "navigation_report.h"
#include "runner_plugin.h"
#include "scenery_summary.h"
#include "map_summary.h"
#include "xplmsim/maps.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/loader.h"
#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

namespace {

namespace fs = std::filesystem;

int theRunnerPlugin = -1;

// Values in the summary: an array's first 16 elements, a text's first 200 characters.
constexpr int kShownElements = 16;
constexpr int kShownCharacters = 200;

std::string shownValue(const std::string& name) { return xplmsim::valueText(name, kShownElements, kShownCharacters); }

struct Options {
  std::string xplane;
  std::string classpath;
  std::string plugin;
  int frames = 60;
  float frameTime = 1.0f / 20.0f;
  std::vector<std::string> settings;  // DATAREF=VALUE
  std::vector<std::string> commands;
  std::vector<std::string> maps;  // opened before the first frame
  std::string logLevel = "INFO";
  bool checkJni = false;
  bool allowLeftovers = false;
};

constexpr const char* kUsage =
    "usage: qovin-host --xplane ROOT | --classpath JARS --plugin CLASS [OPTION]...\n"
    "  --xplane ROOT         run every plugin of an X-Plane-like folder\n"
    "  --classpath JARS      the plugin's jars or class folders, separated by ':'; each must exist\n"
    "  --plugin CLASS        the plugin's class, run in a folder of the runner's own\n"
    "  --frames N            frames to run, a whole number, 0 or more (default 60)\n"
    "  --frame-time SECONDS  about how long a frame takes, more than 0 (default 0.05)\n"
    "  --set DATAREF=VALUE   seed a simulator dataref before the plugins start (default none);\n"
    "                        VALUE: a number, [a, b, ...] for an array, or a text for byte data\n"
    "  --command NAME        execute a command once, halfway through (default none)\n"
    "  --open-map MAP        open a map (XPLM_MAP_USER_INTERFACE, XPLM_MAP_IOS) before the first\n"
    "                        frame, so map layers draw (default none)\n"
    "  --log-level LEVEL     SEVERE, WARNING, INFO, CONFIG, FINE, FINER, FINEST, ALL or OFF,\n"
    "                        in any case (default INFO)\n"
    "  --check-jni           run the JVM with -Xcheck:jni (default off)\n"
    "  --allow-leftovers     registrations left after stop do not fail the run (default off)\n"
    "  --help                show this and exit\n"
    "SIGINT and SIGTERM end the run at the next frame: the plugins stop, the summary is printed.\n"
    "exit codes: 0 done; 1 a Java callback threw, or registrations were left after stop;\n"
    "            2 bad input, an unknown --command, or qovin did not start;\n"
    "            130 stopped by SIGINT, 143 stopped by SIGTERM\n";

[[noreturn]] void usage(const std::string& problem) {
  std::cerr << "qovin-host: " << problem << "\n" << kUsage;
  std::exit(2);
}

// A whole number of frames, 0 or more, taking the whole text.
int frameCount(const std::string& text) {
  errno = 0;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || !std::isdigit(static_cast<unsigned char>(text[0])) || *end != '\0' || errno == ERANGE ||
      value > INT_MAX) {
    usage("--frames takes a whole number, 0 or more, not \"" + text + "\"");
  }
  return static_cast<int>(value);
}

// A finite number of seconds, more than 0, taking the whole text.
float frameTime(const std::string& text) {
  char* end = nullptr;
  const float value = std::strtof(text.c_str(), &end);
  if (end == text.c_str() || *end != '\0' || !std::isfinite(value) || value <= 0) {
    usage("--frame-time takes a number of seconds, more than 0, not \"" + text + "\"");
  }
  return value;
}

// java.util.logging's level names, in any case; answered in capitals.
std::string logLevel(const std::string& text) {
  static const std::set<std::string> kLevels = {"SEVERE", "WARNING", "INFO",   "CONFIG", "FINE",
                                                "FINER",  "FINEST",  "ALL",    "OFF"};
  std::string level = text;
  for (char& c : level) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (kLevels.count(level) == 0) {
    usage("--log-level takes SEVERE, WARNING, INFO, CONFIG, FINE, FINER, FINEST, ALL or OFF, not \"" + text +
          "\"");
  }
  return level;
}

Options parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) usage(("missing value after " + arg).c_str());
      return argv[++i];
    };
    if (arg == "--xplane") {
      o.xplane = value();
    } else if (arg == "--classpath") {
      o.classpath = value();
    } else if (arg == "--plugin") {
      o.plugin = value();
    } else if (arg == "--frames") {
      o.frames = frameCount(value());
    } else if (arg == "--frame-time") {
      o.frameTime = frameTime(value());
    } else if (arg == "--set") {
      o.settings.push_back(value());
    } else if (arg == "--command") {
      o.commands.push_back(value());
    } else if (arg == "--open-map") {
      o.maps.push_back(value());
    } else if (arg == "--log-level") {
      o.logLevel = logLevel(value());
    } else if (arg == "--check-jni") {
      o.checkJni = true;
    } else if (arg == "--allow-leftovers") {
      o.allowLeftovers = true;
    } else if (arg == "--help") {
      std::cout << kUsage;
      std::exit(0);
    } else {
      usage(("unknown option " + arg).c_str());
    }
  }
  if (o.xplane.empty() == (o.plugin.empty() || o.classpath.empty())) {
    usage("give --xplane, or --classpath and --plugin");
  }
  return o;
}

// The first entry of the classpath that does not exist, or "".
std::string missingClasspathEntry(const std::string& classpath) {
  std::stringstream entries(classpath);
  for (std::string entry; std::getline(entries, entry, ':');) {
    std::error_code error;
    if (!entry.empty() && !fs::exists(entry, error)) return entry;
  }
  return "";
}

// The signal that asked the run to end (SIGINT, SIGTERM), or 0.
volatile std::sig_atomic_t theStopSignal = 0;

void stopAtNextFrame(int signal) { theStopSignal = signal; }

// SIGINT and SIGTERM end the frame loop at the next frame; the handler is
// then reset, so a second one ends the process at once. Installed before the
// JVM starts: it runs with -Xrs and leaves these signals to the process.
void stopOnSignals() {
  struct sigaction action {};
  action.sa_handler = stopAtNextFrame;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

bool commandExists(const std::string& name) {
  for (const xplmsim::CommandInfo& info : xplmsim::commands()) {
    if (info.name == name) return true;
  }
  return false;
}

// Adds one to each of `count` elements that `get` reads, and writes them back with `set`.
template <typename T, typename Get, typename Set>
void incrementArray(XPLMDataRef ref, Get get, Set set, bool writable) {
  const int size = get(ref, nullptr, 0, 0);
  if (size <= 0) return;
  std::vector<T> values(static_cast<size_t>(size));
  const int count = std::min(size, get(ref, values.data(), 0, size));
  if (!writable || count <= 0) return;
  for (int i = 0; i < count; ++i) values[static_cast<size_t>(i)] += 1;
  set(ref, values.data(), 0, count);
}

// Another plugin reads every dataref the plugin has published, and writes back
// to each writable one what it read plus one (every element, for arrays; byte
// data is written back unchanged).
void anotherPluginVisits() {
  xplmsim::CallerScope other(xplmsim::kOtherPlugin);
  for (const xplmsim::DataRefInfo& info : xplmsim::dataRefs()) {
    if (!info.published || info.owner != theRunnerPlugin) continue;
    XPLMDataRef ref = XPLMFindDataRef(info.name.c_str());
    const int types = XPLMGetDataRefTypes(ref);
    const bool writable = XPLMCanWriteDataRef(ref) != 0;
    if (types & xplmType_Int) {
      const int value = XPLMGetDatai(ref);
      if (writable) XPLMSetDatai(ref, value + 1);
    }
    if (types & xplmType_Float) {
      const float value = XPLMGetDataf(ref);
      if (writable) XPLMSetDataf(ref, value + 1);
    }
    if (types & xplmType_Double) {
      const double value = XPLMGetDatad(ref);
      if (writable) XPLMSetDatad(ref, value + 1);
    }
    if (types & xplmType_FloatArray) incrementArray<float>(ref, XPLMGetDatavf, XPLMSetDatavf, writable);
    if (types & xplmType_IntArray) incrementArray<int>(ref, XPLMGetDatavi, XPLMSetDatavi, writable);
    if (types & xplmType_Data) {
      std::string bytes(static_cast<size_t>(std::max(0, XPLMGetDatab(ref, nullptr, 0, 0))), '\0');
      const int count = XPLMGetDatab(ref, bytes.data(), 0, static_cast<int>(bytes.size()));
      if (writable && count > 0) XPLMSetDatab(ref, bytes.data(), 0, std::min(count, static_cast<int>(bytes.size())));
    }
  }
}

// Frames take 10% more and 10% less than the frame time in turn, as real
// frames vary. Halfway through, the user executes each --command once and
// uses the plugin's windows and menus, and another plugin reads and writes the plugin's
// datarefs. A stop signal ends the loop before the next frame. Answers the
// commands the simulator did not have then (or at the end, if the run did not
// get halfway).
std::vector<std::string> runFrames(const Options& o) {
  std::vector<std::string> unknown;
  bool halfway = false;
  for (const std::string& map : o.maps) xplmsim::openMap(map);
  for (int frame = 0; frame < o.frames && theStopSignal == 0; ++frame) {
    if (frame == o.frames / 2) {
      halfway = true;
      for (const std::string& name : o.commands) {
        if (commandExists(name)) {
          xplmsim::commandOnce(name);
        } else {
          unknown.push_back(name);
        }
      }
      anotherPluginVisits();
      userUsesWindows();
      userUsesMenus();
    }
    xplmsim::runFrames(1, o.frameTime * (frame % 2 == 0 ? 1.1f : 0.9f));
  }
  for (const std::string& name : o.commands) {
    if (!halfway && !commandExists(name)) unknown.push_back(name);
  }
  return unknown;
}

// The qovin log: every line of the Java plugins, tagged with the plugin's name.
std::string javaLog(const fs::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void printLines(const std::string& text) {
  if (text.empty()) {
    std::cout << "  (nothing)\n";
    return;
  }
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::cout << "  " << text.substr(start, end - start) << "\n";
    start = end + 1;
  }
}

// What the plugin has registered, while it still is: published datarefs with
// their values, its commands, its flight loops.
std::string registrations() {
  std::map<std::string, std::pair<int, int>> byOthers;  // dataref: reads, writes by other plugins
  for (const xplmsim::Call& call : xplmsim::calls()) {
    if (call.plugin != xplmsim::kOtherPlugin || call.function.rfind("XPLM", 0) != 0 ||
        call.function.find("Data") == std::string::npos || call.args.empty() ||
        !std::holds_alternative<long long>(call.args[0])) {
      continue;
    }
    const std::string name = xplmsim::dataRefName(reinterpret_cast<XPLMDataRef>(call.i(0)));
    if (call.function.rfind("XPLMGetData", 0) == 0 && call.function != "XPLMGetDataRefTypes") ++byOthers[name].first;
    if (call.function.rfind("XPLMSetData", 0) == 0) ++byOthers[name].second;
  }
  std::string published;
  for (const xplmsim::DataRefInfo& info : xplmsim::dataRefs()) {
    if (!info.published || info.owner != theRunnerPlugin) continue;
    const auto& [reads, writes] = byOthers[info.name];
    published += "    " + info.name + " = " + shownValue(info.name) + " (another plugin read it " +
                 std::to_string(reads) + "x, wrote it " + std::to_string(writes) + "x)\n";
  }
  const xplmsim::PluginRegistrations held = xplmsim::registrationsOf(theRunnerPlugin);
  std::string commands;
  for (const xplmsim::CommandInfo& info : xplmsim::commands()) {
    if (info.creator != theRunnerPlugin) continue;
    commands += "    " + info.name + " (" + info.description + "): " + std::to_string(info.handlers) +
                " handler(s), executed " + std::to_string(xplmsim::commandActions(info.name).size()) + " phase(s)\n";
  }
  return "  datarefs published:" + (published.empty() ? std::string(" none\n") : "\n" + published) +
         "  commands created:" + (commands.empty() ? std::string(" none\n") : "\n" + commands) +
         "  flight loops: " + std::to_string(xplmsim::flightLoopCount()) + " registered, " +
         std::to_string(xplmsim::flightLoopCallsMade()) + " calls; flight-loop objects: " +
         std::to_string(held.flightLoopObjects) + "\n" + "  shared data notifications: " +
         std::to_string(held.dataShares) + "\n" + displayRegistrations();
}

// What the plugin did through XPLM: calls by function and the datarefs it
// wrote, followed by what it had registered before stop and what it left
// registered after.
void printSummary(const Options& o, bool failed, const std::string& registered,
                  const xplmsim::PluginRegistrations& left) {
  std::map<std::string, int> counts;
  std::set<std::string> written;
  int total = 0;
  for (const xplmsim::Call& call : xplmsim::calls()) {
    if (call.plugin != theRunnerPlugin) continue;
    ++counts[call.function];
    ++total;
    if (call.function.rfind("XPLMSetData", 0) == 0) {
      written.insert(xplmsim::dataRefName(reinterpret_cast<XPLMDataRef>(call.i(0))));
    }
  }
  std::cout << "  plugin: " << (o.plugin.empty() ? o.xplane : o.plugin) << (failed ? " (FAILED)" : "") << "\n"
            << "  frames: " << xplmsim::frameCount() << " of about " << o.frameTime << " s ("
            << xplmsim::scalarValue("sim/time/total_running_time_sec") << " s in all)"
            << (theStopSignal == SIGINT    ? ", stopped by SIGINT"
                : theStopSignal == SIGTERM ? ", stopped by SIGTERM"
                                           : "")
            << "\n"
            << "  XPLM calls: " << total << "\n";
  for (const auto& [function, count] : counts) std::cout << "    " << function << " " << count << "\n";
  std::cout << "  datarefs written:" << (written.empty() ? " none" : "") << "\n";
  for (const std::string& name : written) {
    if (!name.empty()) std::cout << "    " << name << " = " << shownValue(name) << "\n";
  }
  std::cout << registered << "  left registered after stop: " << (left.total() > 0 ? left.summary() : "none")
            << (left.total() > 0 && o.allowLeftovers ? " (allowed)" : "") << "\n"
            << drawingSummary() << cameraSummary();
}

// The process's resident memory (VmRSS), in KiB.
long residentKib() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  }
  return 0;
}

// A folder of its own for --classpath and --plugin: qovin installed as the
// build staged it, and the plugin named by a descriptor in plugins/.
fs::path makeRoot(const Options& o) {
  const fs::path root = fs::temp_directory_path() / ("qovin-host-" + std::to_string(::getpid()));
  fs::remove_all(root);
  const fs::path qovin = root / "Resources/plugins/qovin";
  fs::create_directories(qovin / "plugins");
  fs::copy(QOVIN_STAGE, qovin, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  std::string classpath;
  std::stringstream entries(o.classpath);
  for (std::string entry; std::getline(entries, entry, ':');) {
    if (!entry.empty()) classpath += (classpath.empty() ? "" : ":") + fs::absolute(entry).string();
  }
  std::ofstream(qovin / "plugins/plugin.qovin") << "class = " << o.plugin << "\nclasspath = " << classpath
                                                 << "\nname = " << o.plugin << "\n";
  return root;
}

// Runner settings go to qovin.ini: the log next to the root, the level, checked JNI.
void configure(const fs::path& root, const Options& o) {
  std::ofstream ini(root / "Resources/plugins/qovin/qovin.ini", std::ios::app);
  ini << "\nlog_file = " << (root / "qovinLog.txt").string() << "\nlog_level = " << o.logLevel
      << "\ndeveloper = " << (o.checkJni ? "yes" : "no") << "\nmenu = no\n";
  // A folder of the runner's own is deleted at the end: no class archive for it.
  if (o.xplane.empty()) ini << "class_archive = no\n";
}

}  // namespace

namespace qovinhost {
int runnerPlugin() { return theRunnerPlugin; }
void setRunnerPlugin(int id) { theRunnerPlugin = id; }
}  // namespace qovinhost

int main(int argc, char** argv) {
  const Options o = parse(argc, argv);
  xplmsim::reset();
  for (const std::string& setting : o.settings) {
    const std::string problem = qovinhost::applySetting(setting);
    if (!problem.empty()) {
      std::cerr << "qovin-host: --set " << setting << ": " << problem << "\n";
      return 2;
    }
  }
  if (const std::string missing = missingClasspathEntry(o.classpath); !missing.empty()) {
    std::cerr << "qovin-host: no such file: " << missing << "\n";
    return 2;
  }
  stopOnSignals();
  xplmsim::updateWorld();
  qovinhost::listenToMessages();

  const bool ownRoot = o.xplane.empty();
  const fs::path root = ownRoot ? makeRoot(o) : fs::absolute(o.xplane);
  configure(root, o);
  xplmsim::setSystemPath(root.string());
  const auto startBegan = std::chrono::steady_clock::now();
  const std::vector<int> loaded = xplmsim::loadPluginsFrom(root.string());
  const double startMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - startBegan).count();
  const long startRss = residentKib();
  for (int id : loaded) {
    const xplmsim::Plugin* plugin = xplmsim::plugin(id);
    if (plugin != nullptr && plugin->signature == "com.brevanto.qovin") theRunnerPlugin = id;
  }
  if (theRunnerPlugin < 0) {
    std::cout << "== Simulator log ==\n";
    printLines(xplmsim::debugLog());
    std::cerr << "qovin-host: qovin did not start (see the simulator's log above)\n";
    return 2;
  }
  qovinhost::listenToMessages();
  const std::vector<std::string> unknownCommands = runFrames(o);
  XPLMDisablePlugin(theRunnerPlugin);
  const std::string registered = registrations() + qovinhost::scenerySummary() + qovinhost::mapSummary();
  xplmsim::stopPlugins();
  const xplmsim::PluginRegistrations left = xplmsim::registrationsOf(theRunnerPlugin);

  const std::string log = javaLog(root / "qovinLog.txt");
  const bool threw = log.find(" threw: ") != std::string::npos || log.find("a callback threw") != std::string::npos;
  const bool failed = threw || (left.total() > 0 && !o.allowLeftovers);
  std::cout << "== Simulator log ==\n";
  printLines(xplmsim::debugLog());
  std::cout << "== Java log ==\n";
  printLines(log);
  std::cout << "== Summary ==\n";
  printSummary(o, failed, registered, left);
  std::cout << "  start: the plugins started and were enabled in " << static_cast<long>(startMs)
            << " ms; resident memory then " << startRss / 1024 << " MiB\n";
  std::cout << "== Plugins, navigation and aircraft ==\n" << qovinhost::navigationReport();
  std::cout.flush();
  if (ownRoot) fs::remove_all(root);
  for (const std::string& name : unknownCommands) std::cerr << "qovin-host: no such command: " << name << "\n";
  if (theStopSignal != 0) return 128 + theStopSignal;
  if (!unknownCommands.empty()) return 2;
  return failed ? 1 : 0;
}
