// qovin-host: runs a Java plugin against the stand-in simulator, as the
// simulator's host plugin would run it, and reports what happened.
//
//   qovin-host --classpath JARS --plugin CLASS [--frames N] [--frame-time SECONDS]
//              [--set DATAREF=VALUE]... [--command NAME]... [--log-level LEVEL]
//              [--check-jni] [--bridge LIBRARY] [--qovin-jar JAR]
//
// VALUE is a number, [a, b, ...] for an array, or a text for byte data.
#include <XPLMDataAccess.h>
#include <jni.h>

#include <cstdlib>
#include <iostream>
#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "dataref_settings.h"
#include "display_activity.h"
#include "embedded_jvm.h"
#include "navigation_report.h"
#include "scenery_summary.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"

namespace {

struct Options {
  std::string classpath;
  std::string plugin;
  int frames = 60;
  float frameTime = 1.0f / 20.0f;
  std::vector<std::string> settings;  // DATAREF=VALUE
  std::vector<std::string> commands;
  std::string logLevel = "INFO";
  bool checkJni = false;
  std::string bridge = QOVIN_BRIDGE_PATH;
  std::string qovinJar = QOVIN_JAR;
};

[[noreturn]] void usage(const char* problem) {
  std::cerr << "qovin-host: " << problem << "\n"
            << "usage: qovin-host --classpath JARS --plugin CLASS [--frames N] [--frame-time SECONDS]\n"
            << "                  [--set DATAREF=VALUE]... [--command NAME]... [--log-level LEVEL]\n"
            << "                  [--check-jni] [--bridge LIBRARY] [--qovin-jar JAR]\n"
            << "VALUE: a number, [a, b, ...] for an array, or a text for byte data\n";
  std::exit(2);
}

Options parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) usage(("missing value after " + arg).c_str());
      return argv[++i];
    };
    if (arg == "--classpath") {
      o.classpath = value();
    } else if (arg == "--plugin") {
      o.plugin = value();
    } else if (arg == "--frames") {
      o.frames = std::atoi(value().c_str());
    } else if (arg == "--frame-time") {
      o.frameTime = std::strtof(value().c_str(), nullptr);
    } else if (arg == "--set") {
      o.settings.push_back(value());
    } else if (arg == "--command") {
      o.commands.push_back(value());
    } else if (arg == "--log-level") {
      o.logLevel = value();
    } else if (arg == "--check-jni") {
      o.checkJni = true;
    } else if (arg == "--bridge") {
      o.bridge = value();
    } else if (arg == "--qovin-jar") {
      o.qovinJar = value();
    } else {
      usage(("unknown option " + arg).c_str());
    }
  }
  if (o.plugin.empty()) usage("--plugin is required");
  if (o.frames < 0 || o.frameTime <= 0) usage("frames must be 0 or more and the frame time positive");
  return o;
}

class Jvm {
 public:
  explicit Jvm(const Options& o) {
    std::vector<std::string> options = {"-Djava.class.path=" + o.qovinJar + ":" + o.classpath};
    if (o.checkJni) options.push_back("-Xcheck:jni");
    env_ = qovin::startJvm(options);
    if (env_ == nullptr) {
      std::cerr << "qovin-host: cannot start the JVM\n";
      std::exit(2);
    }
  }
  JNIEnv* env() const { return env_; }

  // Prints and clears a pending Java exception; true if there was one.
  bool failed(const char* what) {
    if (!env_->ExceptionCheck()) return false;
    std::cerr << "qovin-host: " << what << " threw:\n";
    env_->ExceptionDescribe();
    env_->ExceptionClear();
    return true;
  }

 private:
  JNIEnv* env_ = nullptr;
};

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
    if (!info.published || info.owner != xplmsim::kHostPlugin) continue;
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
// datarefs.
void runFrames(const Options& o) {
  for (int frame = 0; frame < o.frames; ++frame) {
    if (frame == o.frames / 2) {
      for (const std::string& name : o.commands) xplmsim::commandOnce(name);
      anotherPluginVisits();
      userUsesWindows();
      userUsesMenus();
    }
    xplmsim::runFrames(1, o.frameTime * (frame % 2 == 0 ? 1.1f : 0.9f));
  }
}

void printJavaLog(JNIEnv* env, jclass logBuffer) {
  env->PushLocalFrame(16);
  auto lines = static_cast<jobjectArray>(
      env->CallStaticObjectMethod(logBuffer, env->GetStaticMethodID(logBuffer, "drain", "()[Ljava/lang/String;")));
  const jsize count = lines != nullptr ? env->GetArrayLength(lines) : 0;
  for (jsize i = 0; i < count; ++i) {
    auto line = static_cast<jstring>(env->GetObjectArrayElement(lines, i));
    const char* text = env->GetStringUTFChars(line, nullptr);
    std::cout << "  " << text << "\n";
    env->ReleaseStringUTFChars(line, text);
    env->DeleteLocalRef(line);
  }
  if (count == 0) std::cout << "  (nothing)\n";
  env->PopLocalFrame(nullptr);
}

void printDebugLog() {
  const std::string& log = xplmsim::debugLog();
  if (log.empty()) {
    std::cout << "  (nothing)\n";
    return;
  }
  size_t start = 0;
  while (start < log.size()) {
    size_t end = log.find('\n', start);
    if (end == std::string::npos) end = log.size();
    std::cout << "  " << log.substr(start, end - start) << "\n";
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
    if (!info.published || info.owner != xplmsim::kHostPlugin) continue;
    const auto& [reads, writes] = byOthers[info.name];
    published += "    " + info.name + " = " + xplmsim::valueText(info.name) + " (another plugin read it " +
                 std::to_string(reads) + "x, wrote it " + std::to_string(writes) + "x)\n";
  }
  std::string commands;
  for (const xplmsim::CommandInfo& info : xplmsim::commands()) {
    if (info.creator != xplmsim::kHostPlugin) continue;
    commands += "    " + info.name + " (" + info.description + "): " + std::to_string(info.handlers) +
                " handler(s), executed " + std::to_string(xplmsim::commandActions(info.name).size()) + " phase(s)\n";
  }
  return "  datarefs published:" + (published.empty() ? std::string(" none\n") : "\n" + published) +
         "  commands created:" + (commands.empty() ? std::string(" none\n") : "\n" + commands) +
         "  flight loops: " + std::to_string(xplmsim::flightLoopCount()) + " registered, " +
         std::to_string(xplmsim::flightLoopCallsMade()) + " calls\n" + displayRegistrations();
}

// What the plugin did through XPLM: calls by function and the datarefs it
// wrote, followed by what it had registered.
void printSummary(const Options& o, bool failed, const std::string& registered) {
  std::map<std::string, int> counts;
  std::set<std::string> written;
  int total = 0;
  for (const xplmsim::Call& call : xplmsim::calls()) {
    if (call.plugin != xplmsim::kHostPlugin) continue;
    ++counts[call.function];
    ++total;
    if (call.function.rfind("XPLMSetData", 0) == 0) {
      written.insert(xplmsim::dataRefName(reinterpret_cast<XPLMDataRef>(call.i(0))));
    }
  }
  std::cout << "  plugin: " << o.plugin << (failed ? " (FAILED)" : "") << "\n"
            << "  frames: " << xplmsim::frameCount() << " of about " << o.frameTime << " s ("
            << xplmsim::scalarValue("sim/time/total_running_time_sec") << " s in all)\n"
            << "  XPLM calls: " << total << "\n";
  for (const auto& [function, count] : counts) std::cout << "    " << function << " " << count << "\n";
  std::cout << "  datarefs written:" << (written.empty() ? " none" : "") << "\n";
  for (const std::string& name : written) {
    if (!name.empty()) std::cout << "    " << name << " = " << xplmsim::valueText(name) << "\n";
  }
  std::cout << registered << drawingSummary() << cameraSummary();
}

}  // namespace

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
  xplmsim::updateWorld();
  qovinhost::listenToMessages();

  Jvm jvm(o);
  JNIEnv* env = jvm.env();
  jclass logBuffer = env->FindClass("com/brevanto/qovin/host/LogBuffer");
  jclass hostClass = env->FindClass("com/brevanto/qovin/host/PluginHost");
  if (jvm.failed("loading the qovin classes")) return 2;
  env->CallStaticVoidMethod(logBuffer,
                            env->GetStaticMethodID(logBuffer, "capture", "(Ljava/lang/String;)V"),
                            env->NewStringUTF(o.logLevel.c_str()));
  if (jvm.failed("setting up logging")) return 2;

  bool failed = false;
  jobject host = env->CallStaticObjectMethod(
      hostClass,
      env->GetStaticMethodID(hostClass, "load",
                             "(Ljava/lang/String;Ljava/lang/String;)Lcom/brevanto/qovin/host/PluginHost;"),
      env->NewStringUTF(o.bridge.c_str()), env->NewStringUTF(o.plugin.c_str()));
  failed = jvm.failed("loading the plugin");

  auto call = [&](const char* method) {
    if (failed) return;
    env->CallVoidMethod(host, env->GetMethodID(hostClass, method, "()V"));
    failed = jvm.failed(method);
  };
  call("start");
  call("enable");
  if (!failed) runFrames(o);
  call("disable");
  const std::string registered = registrations() + qovinhost::scenerySummary();
  call("stop");

  std::cout << "== Simulator log ==\n";
  printDebugLog();
  std::cout << "== Java log ==\n";
  printJavaLog(env, logBuffer);
  std::cout << "== Summary ==\n";
  printSummary(o, failed, registered);
  std::cout << "== Plugins, navigation and aircraft ==\n" << qovinhost::navigationReport();
  std::cout.flush();
  return failed ? 1 : 0;
}
