// qovin-bench-frame: what a plugin costs the simulator per frame, written in
// Java on qovin against the same plugin written in C++ on XPLM (the physical
// limit), and how the cost grows with the number of Java plugins.
//
// Both plugins are loaded as in production, from an X-Plane-like folder: the
// C++ one as a .xpl, the Java one through qovin.xpl (which starts the JVM and
// the Java host). The benchmark is the simulator and, each frame, another
// plugin: it reads each of the 6 datarefs a plugin publishes 10 times and
// executes its command once. In each round it enables one plugin at a time (a
// plugin registers its callbacks in XPluginEnable), or none, and times a batch
// of frames on the main thread's CPU clock, then each part of the frame as a
// batch of its own (a flight-loop pass, a drawn frame, the reads, the
// command); a plugin's cost is its figure less the same figure with no plugin
// enabled, the median over the rounds. The stand-in's record of calls is off.
// --jvm-options adds options to qovin.ini's jvm_options (e.g.
// -XX:-CriticalJNINatives for the figures without the critical twins).
//
//   qovin-bench-frame [--smoke] [--rounds N] [--frames N] [--jvm-options "..."]
#include <XPLMDataAccess.h>
#include <XPLMDisplay.h>
#include <XPLMPlugin.h>
#include <XPLMProcessing.h>
#include <XPLMUtilities.h>
#include <dlfcn.h>
#include <jni.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "frame_root.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/display.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/loader.h"
#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

namespace {

using qovinframe::FrameRoot;

constexpr float kFrameSeconds = 0.05f;
constexpr int kReadsPerDataRef = 10;
// Frames before timing: a callback called once a frame is compiled by C2 only
// after some ten thousand calls.
constexpr int kWarmUpFrames = 40000;

struct Options {
  bool smoke = false;
  int rounds = 15;
  int frames = 400;
  std::string jvmOptions;
};

double threadCpuMicros() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
}

// --- Java heap bytes of the main thread (ThreadMXBean) ------------------------
JNIEnv* env = nullptr;
jobject threadBean = nullptr;
jmethodID allocatedBytes = nullptr;

// The JVM that qovin.xpl started, found as it finds a running one.
bool findJava() {
  using Created = jint (*)(JavaVM**, jsize, jsize*);
  auto created = reinterpret_cast<Created>(dlsym(RTLD_DEFAULT, "JNI_GetCreatedJavaVMs"));
  JavaVM* vm = nullptr;
  jsize count = 0;
  if (created == nullptr || created(&vm, 1, &count) != JNI_OK || count == 0) return false;
  if (vm->GetEnv(reinterpret_cast<void**>(&env), JNI_VERSION_10) != JNI_OK) return false;
  jclass factory = env->FindClass("java/lang/management/ManagementFactory");
  jclass bean = env->FindClass("com/sun/management/ThreadMXBean");
  if (factory == nullptr || bean == nullptr) return false;
  jobject local = env->CallStaticObjectMethod(
      factory, env->GetStaticMethodID(factory, "getThreadMXBean", "()Ljava/lang/management/ThreadMXBean;"));
  if (env->ExceptionCheck() || local == nullptr) return false;
  allocatedBytes = env->GetMethodID(bean, "getCurrentThreadAllocatedBytes", "()J");
  if (env->ExceptionCheck() || allocatedBytes == nullptr) return false;
  threadBean = env->NewGlobalRef(local);
  env->DeleteLocalRef(local);
  env->DeleteLocalRef(factory);
  env->DeleteLocalRef(bean);
  return true;
}

// What the main thread has allocated on the Java heap so far.
long long heapBytes() {
  const long long bytes = env->CallLongMethod(threadBean, allocatedBytes);
  if (env->ExceptionCheck()) {
    env->ExceptionDescribe();
    env->ExceptionClear();
  }
  return bytes;
}

// The garbage collections the JVM has run so far, summed over its collectors.
long long garbageCollections() {
  jclass factory = env->FindClass("java/lang/management/ManagementFactory");
  jclass listClass = env->FindClass("java/util/List");
  jclass beanClass = env->FindClass("java/lang/management/GarbageCollectorMXBean");
  jobject beans = env->CallStaticObjectMethod(
      factory, env->GetStaticMethodID(factory, "getGarbageCollectorMXBeans", "()Ljava/util/List;"));
  const jint count = env->CallIntMethod(beans, env->GetMethodID(listClass, "size", "()I"));
  const jmethodID get = env->GetMethodID(listClass, "get", "(I)Ljava/lang/Object;");
  const jmethodID collections = env->GetMethodID(beanClass, "getCollectionCount", "()J");
  long long total = 0;
  for (jint i = 0; i < count; ++i) {
    jobject bean = env->CallObjectMethod(beans, get, i);
    total += std::max<jlong>(0, env->CallLongMethod(bean, collections));
    env->DeleteLocalRef(bean);
  }
  env->DeleteLocalRef(beans);
  env->DeleteLocalRef(beanClass);
  env->DeleteLocalRef(listClass);
  env->DeleteLocalRef(factory);
  return total;
}

// What asking costs (the answer is boxed by the management bean), taken off each batch.
long long heapAskCost() {
  static const long long cost = [] {
    const long long first = heapBytes();
    return heapBytes() - first;
  }();
  return cost;
}

// --- the other plugin ---------------------------------------------------------------
// What it uses of one version: the 6 published datarefs and the command.
struct Published {
  XPLMDataRef refs[6] = {};
  XPLMCommandRef command = nullptr;
};

Published findPublished(const std::string& prefix) {
  static const char* const kNames[6] = {"airspeed", "altitude", "heading", "direct_float", "direct_int",
                                        "direct_double"};
  Published p;
  for (int i = 0; i < 6; ++i) p.refs[i] = XPLMFindDataRef((prefix + kNames[i]).c_str());
  p.command = XPLMFindCommand((prefix + "command").c_str());
  return p;
}

float readSink = 0;

// Each dataref 10 times, each in its own type (float, int, double, then again).
void otherPluginReads(const Published& p) {
  for (int r = 0; r < kReadsPerDataRef; ++r) {
    readSink += XPLMGetDataf(p.refs[0]) + static_cast<float>(XPLMGetDatai(p.refs[1])) +
                static_cast<float>(XPLMGetDatad(p.refs[2])) + XPLMGetDataf(p.refs[3]) +
                static_cast<float>(XPLMGetDatai(p.refs[4])) + static_cast<float>(XPLMGetDatad(p.refs[5]));
  }
}

// Per-frame microseconds of one batch: the whole frame, and its parts, each
// timed as a batch of its own.
struct Sample {
  double frame = 0;
  double flightLoops = 0;  // a flight-loop pass (the dataref reads and writes are in it)
  double drawing = 0;      // a drawn frame: drawing phases and windows
  double reads = 0;        // the other plugin's 60 reads
  double command = 0;      // the other plugin's XPLMCommandOnce
  double heapBytes = 0;
};

// One frame as the simulator and the other plugin make it.
void frame(const Published* other) {
  xplmsim::runFrames(1, kFrameSeconds);
  if (other == nullptr) return;
  const xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
  otherPluginReads(*other);
  XPLMCommandOnce(other->command);
}

// Microseconds per call of `count` calls of `part`.
template <typename Part>
double perCall(int count, Part part) {
  const double began = threadCpuMicros();
  for (int i = 0; i < count; ++i) part();
  return (threadCpuMicros() - began) / count;
}

// `frames` frames timed as a whole, then each part `frames` times on its own.
Sample timeBatch(int frames, const Published* other) {
  Sample s;
  const long long heapBefore = heapBytes();
  s.frame = perCall(frames, [other] { frame(other); });
  s.heapBytes = static_cast<double>(heapBytes() - heapBefore - heapAskCost()) / frames;
  s.flightLoops = perCall(frames, [] { xplmsim::runFlightLoop(kFrameSeconds); });
  s.drawing = perCall(frames, [] { xplmsim::drawFrame(); });
  if (other == nullptr) return s;
  const xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
  s.reads = perCall(frames, [other] { otherPluginReads(*other); });
  s.command = perCall(frames, [other] { XPLMCommandOnce(other->command); });
  return s;
}

// --- plugins on and off ------------------------------------------------------------
void enableOnly(const std::vector<int>& on, const std::vector<int>& all) {
  for (int id : all) {
    if (std::find(on.begin(), on.end(), id) == on.end()) XPLMDisablePlugin(id);
  }
  for (int id : on) XPLMEnablePlugin(id);
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n == 0 ? 0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The median of one field over the rounds.
double medianOf(const std::vector<Sample>& samples, double Sample::*field) {
  std::vector<double> values;
  for (const Sample& s : samples) values.push_back(s.*field);
  return median(values);
}

// Per-round differences against the frame without the plugin, then their median.
double medianCost(const std::vector<Sample>& with, const std::vector<Sample>& without, double Sample::*field) {
  std::vector<double> values;
  for (size_t i = 0; i < with.size() && i < without.size(); ++i) values.push_back(with[i].*field - without[i].*field);
  return median(values);
}

// Per-round ratios of two plugins' costs, then their median.
double medianRatio(const std::vector<Sample>& a, const std::vector<Sample>& b, const std::vector<Sample>& none,
                   double Sample::*field) {
  std::vector<double> values;
  for (size_t i = 0; i < a.size(); ++i) {
    const double below = b[i].*field - none[i].*field;
    if (below > 0) values.push_back((a[i].*field - none[i].*field) / below);
  }
  return median(values);
}

// --- the pair: Java against C++ -------------------------------------------------------
struct Pair {
  std::vector<Sample> java, cpp, none;
};

Pair runPair(const Options& o, int qovinId, int cppId, const Published& javaSide, const Published& cppSide) {
  const std::vector<int> all = {qovinId, cppId};
  // Warm-up: the JIT compiles the Java plugin's callbacks after some thousand calls each.
  enableOnly({qovinId}, all);
  for (int i = 0; i < (o.smoke ? 20 : kWarmUpFrames); ++i) frame(&javaSide);
  enableOnly({cppId}, all);
  for (int i = 0; i < (o.smoke ? 20 : 2000); ++i) frame(&cppSide);
  Pair pair;
  for (int round = 0; round < o.rounds; ++round) {
    for (int k = 0; k < 3; ++k) {
      const int which = (round + k) % 3;  // the order turns each round
      enableOnly(which == 0 ? std::vector<int>{qovinId} : which == 1 ? std::vector<int>{cppId} : std::vector<int>{},
                 all);
      const Published* other = which == 0 ? &javaSide : which == 1 ? &cppSide : nullptr;
      for (int i = 0; i < (o.smoke ? 2 : 50); ++i) frame(other);
      const Sample s = timeBatch(o.frames, other);
      (which == 0 ? pair.java : which == 1 ? pair.cpp : pair.none).push_back(s);
    }
  }
  enableOnly({}, all);
  return pair;
}

void printPair(const Options& o, const Pair& p) {
  std::printf("\nPer frame: a plugin in Java on qovin against the same plugin in C++ on XPLM; the thread's CPU\n"
              "time in microseconds, median of %d rounds of %d frames; a plugin's cost is its frame less the\n"
              "frame with no plugin enabled (%.1f us)\n\n",
              o.rounds, o.frames, medianOf(p.none, &Sample::frame));
  std::printf("| part of the frame | Java us | C++ us | Java / C++ |\n|---|---:|---:|---:|\n");
  const struct {
    const char* name;
    double Sample::*field;
  } rows[] = {{"whole frame (the plugin's cost)", &Sample::frame},
              {"a flight-loop pass (5 loops: 100 reads, 20 writes)", &Sample::flightLoops},
              {"a drawn frame (2 callbacks, 20 lines; the window)", &Sample::drawing},
              {"another plugin's 60 reads", &Sample::reads},
              {"another plugin's command", &Sample::command}};
  for (const auto& row : rows) {
    std::printf("| %s | %.2f | %.2f | %.2f%s |\n", row.name, medianCost(p.java, p.none, row.field),
                medianCost(p.cpp, p.none, row.field), medianRatio(p.java, p.cpp, p.none, row.field),
                row.field == &Sample::frame && medianRatio(p.java, p.cpp, p.none, row.field) > 1.5 ? " (above 1.5)"
                                                                                                   : "");
  }
  std::printf("\nJava heap bytes per frame on the main thread: Java %.1f, C++ %.1f, none %.1f\n",
              medianOf(p.java, &Sample::heapBytes), medianOf(p.cpp, &Sample::heapBytes),
              medianOf(p.none, &Sample::heapBytes));
  std::fflush(stdout);
}

// --- growth: 1, 10 and 100 small Java plugins ---------------------------------------------
void reloadJavaPlugins(int qovinId) {
  XPLMEnablePlugin(qovinId);
  XPLMCommandOnce(XPLMFindCommand("qovin/reload_plugins"));
  xplmsim::runFrames(1, kFrameSeconds);  // the host reloads in its flight loop
  XPLMDisablePlugin(qovinId);
}

void runGrowth(const Options& o, const FrameRoot& root, int qovinId, int cppId) {
  const std::vector<int> counts = o.smoke ? std::vector<int>{1, 3} : std::vector<int>{1, 10, 100};
  const std::vector<int> all = {qovinId, cppId};
  std::printf("\nGrowth: frames with N small Java plugins enabled (each a flight loop of 5 reads and a draw\n"
              "callback of 2 lines) against frames with none; microseconds of the thread's CPU time,\n"
              "median of %d rounds\n\n",
              o.rounds);
  std::printf("| Java plugins | frame us | frame without them us | cost per frame us | per plugin us | Java heap "
              "bytes/frame |\n|---:|---:|---:|---:|---:|---:|\n");
  int made = 0;
  root.removeJavaPlugins();
  for (int count : counts) {
    for (; made < count; ++made) {
      char name[32];
      std::snprintf(name, sizeof name, "small-%03d", made);
      root.addJavaPlugin(name, "com.brevanto.qovin.bench.frame.SmallPlugin");
    }
    reloadJavaPlugins(qovinId);
    enableOnly({qovinId}, all);
    for (int i = 0; i < (o.smoke ? 20 : kWarmUpFrames); ++i) frame(nullptr);
    std::vector<Sample> with, without;
    const int frames = std::max(1, o.frames / (count >= 100 ? 4 : 1));
    for (int round = 0; round < o.rounds; ++round) {
      for (int k = 0; k < 2; ++k) {
        const bool on = (round + k) % 2 == 0;
        enableOnly(on ? std::vector<int>{qovinId} : std::vector<int>{}, all);
        for (int i = 0; i < (o.smoke ? 2 : 50); ++i) frame(nullptr);
        (on ? with : without).push_back(timeBatch(frames, nullptr));
      }
    }
    const double cost = medianCost(with, without, &Sample::frame);
    std::printf("| %d | %.2f | %.2f | %.2f | %.3f | %.1f |\n", count, medianOf(with, &Sample::frame),
                medianOf(without, &Sample::frame), cost, cost / count, medianOf(with, &Sample::heapBytes));
    std::fflush(stdout);
  }
  enableOnly({}, all);
}

// --- set-up -------------------------------------------------------------------------
Options parse(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--smoke") {
      o.smoke = true;
      o.rounds = 2;
      o.frames = 10;
    } else if (arg == "--rounds" && hasValue) {
      o.rounds = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--frames" && hasValue) {
      o.frames = std::max(1, std::atoi(argv[++i]));
    } else if (arg == "--jvm-options" && hasValue) {
      o.jvmOptions = argv[++i];
    } else {
      std::cerr << "usage: qovin-bench-frame [--smoke] [--rounds N] [--frames N] [--jvm-options \"...\"]\n";
      std::exit(2);
    }
  }
  return o;
}

int pluginWithSignature(const std::vector<int>& ids, const std::string& signature) {
  for (int id : ids) {
    const xplmsim::Plugin* p = xplmsim::plugin(id);
    if (p != nullptr && p->signature == signature) return id;
  }
  return -1;
}

std::string fileText(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = parse(argc, argv);
  xplmsim::reset();
  xplmsim::updateWorld();
  // The smoke run checks every JNI call; timed runs do not.
  const FrameRoot root(std::string("developer = ") + (o.smoke ? "yes" : "no") + "\njvm_options = " + o.jvmOptions);
  root.addJavaPlugin("frame-java", "com.brevanto.qovin.bench.frame.FramePlugin");
  xplmsim::setSystemPath(root.path().string());
  const std::vector<int> ids = xplmsim::loadPluginsFrom(root.path().string());
  const int qovinId = pluginWithSignature(ids, "com.brevanto.qovin");
  const int cppId = pluginWithSignature(ids, "com.brevanto.qovin.bench.frame.cpp");
  const Published javaSide = findPublished("bench/frame/java/");
  const Published cppSide = findPublished("bench/frame/cpp/");
  if (qovinId < 0 || cppId < 0 || javaSide.command == nullptr || cppSide.command == nullptr || !findJava()) {
    std::cerr << "qovin-bench-frame: the plugins did not start\n" << xplmsim::debugLog() << fileText(root.javaLog());
    return 2;
  }
  // The record of calls would cost both versions alike and grow without end.
  xplmsim::setRecording(false);

  const Pair pair = runPair(o, qovinId, cppId, javaSide, cppSide);
  printPair(o, pair);
  // A long run of the Java plugin alone: frame code that makes no garbage needs no collection.
  const int longRun = o.smoke ? 1000 : 100000;
  enableOnly({qovinId}, {qovinId, cppId});
  const long long collectionsBefore = garbageCollections();
  for (int i = 0; i < longRun; ++i) frame(&javaSide);
  const long long collections = garbageCollections() - collectionsBefore;
  enableOnly({}, {qovinId, cppId});
  std::printf("Garbage collections during %d frames of the Java plugin: %lld\n", longRun, collections);
  runGrowth(o, root, qovinId, cppId);

  xplmsim::setRecording(true);
  xplmsim::stopPlugins();
  const std::string log = fileText(root.javaLog());
  if (log.find("threw") != std::string::npos) {
    std::cerr << "qovin-bench-frame: a Java plugin threw:\n" << log;
    return 1;
  }
  if (collections != 0) {
    std::cerr << "qovin-bench-frame: the Java plugin's frames needed " << collections << " garbage collection(s)\n";
    return 1;
  }
  return 0;
}
