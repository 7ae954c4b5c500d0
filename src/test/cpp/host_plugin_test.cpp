// qovin.xpl end to end: the stand-in loads it from an X-Plane-like folder as
// X-Plane does, and it starts the JVM and the Java plugins in plugins/. A JVM
// can be created once per process, so ctest runs each test in a process of
// its own (one --gtest_filter each).
#include <XPLMDataAccess.h>
#include <dlfcn.h>
#include <jni.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <ctime>
#include <random>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "xplmsim/flightloops.h"
#include "xplmsim/loader.h"
#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMessage = 8081;

// An X-Plane root with qovin installed and the given Java plugin jars.
class HostPluginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("qovin-host-" + std::to_string(::getpid()));
    fs::remove_all(root);
    qovin = root / "Resources/plugins/qovin";
    fs::create_directories(qovin / "plugins");
    fs::create_directories(qovin / "lin_x64");
    const fs::path stage = QOVIN_STAGE;
    fs::copy_file(stage / "lin_x64/qovin.xpl", qovin / "lin_x64/qovin.xpl");
    fs::copy_file(stage / "lin_x64/libqovin.so", qovin / "lin_x64/libqovin.so");
    fs::copy_file(stage / "qovin.jar", qovin / "qovin.jar");
    xplmsim::setSystemPath(root.string());
    settings("");
  }
  void TearDown() override {
    xplmsim::stopPlugins();
    fs::remove_all(root);
  }
  void settings(const std::string& extra) {
    std::ofstream ini(qovin / "qovin.ini");
    ini << "log_file = " << (root / "qovinLog.txt").string() << "\nmax_failures = 5\ndeveloper = yes\n"
        << "class_archive = no\n" << extra;
  }
  void addJar(const char* name, const char* as = nullptr) {
    fs::copy_file(fs::path(QOVIN_TEST_PLUGINS) / (std::string(name) + ".jar"),
                  qovin / "plugins" / (std::string(as != nullptr ? as : name) + ".jar"),
                  fs::copy_options::overwrite_existing);
  }
  // Loads every plugin of the root; answers qovin's ID (-1 if it did not start).
  int loadQovin() {
    for (int id : xplmsim::loadPluginsFrom(root.string())) {
      const xplmsim::Plugin* plugin = xplmsim::plugin(id);
      if (plugin != nullptr && plugin->signature == "com.brevanto.qovin") return id;
    }
    return -1;
  }
  std::string qovinLog() {
    std::ifstream in(root / "qovinLog.txt");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  static int intDataRef(const char* name) {
    XPLMDataRef ref = XPLMFindDataRef(name);
    return ref == nullptr ? -1 : XPLMGetDatai(ref);
  }
  fs::path root;
  fs::path qovin;
};

// The JVM the stand-in's qovin.xpl runs, and the calling thread's environment in it.
JNIEnv* runningJavaEnv() {
  auto created = reinterpret_cast<jint (*)(JavaVM**, jsize, jsize*)>(dlsym(RTLD_DEFAULT, "JNI_GetCreatedJavaVMs"));
  JavaVM* vm = nullptr;
  jsize count = 0;
  JNIEnv* env = nullptr;
  if (created == nullptr || created(&vm, 1, &count) != JNI_OK || count == 0) return nullptr;
  return vm->GetEnv(reinterpret_cast<void**>(&env), JNI_VERSION_10) == JNI_OK ? env : nullptr;
}

// "yyyy-mm-dd hh:mm:ss.mmm" of milliseconds since 1970, read as UTC.
std::string utcStamp(int64_t millis) {
  const time_t seconds = static_cast<time_t>(millis >= 0 ? millis / 1000 : (millis - 999) / 1000);
  std::tm fields{};
  gmtime_r(&seconds, &fields);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", fields.tm_year + 1900, fields.tm_mon + 1,
                fields.tm_mday, fields.tm_hour, fields.tm_min, fields.tm_sec,
                static_cast<int>(millis - static_cast<int64_t>(seconds) * 1000));
  return text;
}

TEST_F(HostPluginTest, APluginThatThrowsInStartIsLeftOutAndTheOtherRunsAndGetsMessages) {
  addJar("good");
  addJar("bad");
  const int id = loadQovin();
  ASSERT_GT(id, 0) << xplmsim::debugLog();
  xplmsim::runFrames(5, 0.05f);
  xplmsim::sendSimulatorMessage(kMessage, nullptr);
  EXPECT_EQ(intDataRef("qovintest/good/loops"), 5);
  EXPECT_EQ(intDataRef("qovintest/good/messages"), 1);
  EXPECT_EQ(XPLMFindDataRef("qovintest/bad/published"), nullptr) << "what the failed plugin published is released";
  EXPECT_NE(xplmsim::debugLog().find("qovin: Bad plugin is left out"), std::string::npos) << xplmsim::debugLog();
  const std::string log = qovinLog();
  EXPECT_NE(log.find("[Bad plugin] start threw: java.lang.IllegalStateException: bad start"), std::string::npos)
      << log;
  EXPECT_NE(log.find("[Good plugin] good started in " + (qovin / "plugins/good").string()), std::string::npos) << log;
}

TEST_F(HostPluginTest, WithoutJavaTheStartIsRefusedWithALineSayingWhatToDo) {
  settings("java_home = /nonexistent/jdk\njava_fallbacks = no\n");
  EXPECT_EQ(loadQovin(), -1);
  const std::string log = xplmsim::debugLog();
  EXPECT_NE(log.find("qovin: Java in /nonexistent/jdk: no lib/server/libjvm.so"), std::string::npos) << log;
  EXPECT_NE(log.find("qovin: no Java 17 found. Install a Java 17 runtime"), std::string::npos) << log;
}

TEST_F(HostPluginTest, WhatAPluginLeavesRegisteredIsReleasedWhenItStops) {
  addJar("leaky");
  const int id = loadQovin();
  ASSERT_GT(id, 0) << xplmsim::debugLog();
  xplmsim::runFrames(2, 0.05f);
  const xplmsim::PluginRegistrations before = xplmsim::registrationsOf(id);
  EXPECT_GE(before.total(), 12) << before.summary();
  xplmsim::reloadPlugin(id);  // X-Plane stops qovin and starts it again
  const xplmsim::PluginRegistrations after = xplmsim::registrationsOf(id);
  EXPECT_EQ(after.total(), 0) << after.summary();
  EXPECT_NE(qovinLog().find("[Leaky plugin] released 12 registration(s) left behind at stop"), std::string::npos)
      << qovinLog();
}

// X-Plane reloading qovin.xpl: stop, dlclose, dlopen, start. The JVM of the
// first start is reused, and the plugins start again.
TEST_F(HostPluginTest, ReloadingTheXplReusesTheJvm) {
  addJar("good");
  const int id = loadQovin();
  ASSERT_GT(id, 0) << xplmsim::debugLog();
  const int again = xplmsim::reloadPlugin(id);
  ASSERT_GT(again, 0) << xplmsim::debugLog();
  xplmsim::runFrames(3, 0.05f);
  EXPECT_EQ(intDataRef("qovintest/good/loops"), 3);
  EXPECT_NE(xplmsim::debugLog().find("qovin: using the JVM already running in this process (Java 17)"),
            std::string::npos)
      << xplmsim::debugLog();
}

// XPLMReloadPlugins asked by a Java plugin takes the simulator's own way at
// the frame's end: XPluginDisable and XPluginStop of qovin.xpl, unload, load,
// start and enable again, with the JVM of the first start.
TEST_F(HostPluginTest, AJavaPluginsReloadRequestStopsAndStartsQovinAtTheFramesEndInTheSameJvm) {
  addJar("reloader");
  const int id = loadQovin();
  ASSERT_GT(id, 0) << xplmsim::debugLog();
  EXPECT_EQ(intDataRef("qovintest/reloader/starts"), 1);
  xplmsim::runFrames(1, 0.05f);  // the plugin asks in this frame's flight loop
  EXPECT_EQ(xplmsim::requestedReloads(), 1);
  const std::vector<int> loaded = xplmsim::loadedPlugins();
  ASSERT_EQ(loaded.size(), 1u);
  EXPECT_NE(loaded[0], id);  // unloaded and loaded again: a new ID
  EXPECT_EQ(xplmsim::plugin(id), nullptr);
  xplmsim::runFrames(2, 0.05f);
  EXPECT_EQ(xplmsim::requestedReloads(), 1);  // asked once per JVM
  EXPECT_EQ(intDataRef("qovintest/reloader/starts"), 2);
  EXPECT_EQ(intDataRef("qovintest/reloader/stops"), 1);
  EXPECT_NE(qovinLog().find("reloader disabled 1"), std::string::npos) << qovinLog();
  EXPECT_NE(qovinLog().find("reloader stopped 1"), std::string::npos) << qovinLog();
  EXPECT_NE(xplmsim::debugLog().find("qovin: using the JVM already running in this process (Java 17)"),
            std::string::npos)
      << xplmsim::debugLog();
}

// The simulator's own "reload plugins", which a request takes too.
TEST_F(HostPluginTest, TheSimulatorsReloadOfEveryPluginStopsAndStartsQovinInTheSameJvm) {
  addJar("reloader");
  settings("jvm_options = -Dqovintest.reloader.asked=true\n");  // it does not ask itself
  const int id = loadQovin();
  ASSERT_GT(id, 0) << xplmsim::debugLog();
  const std::vector<int> again = xplmsim::reloadPlugins();
  ASSERT_EQ(again.size(), 1u) << xplmsim::debugLog();
  xplmsim::runFrames(2, 0.05f);
  EXPECT_EQ(intDataRef("qovintest/reloader/starts"), 2);
  EXPECT_EQ(intDataRef("qovintest/reloader/stops"), 1);
  EXPECT_EQ(xplmsim::requestedReloads(), 0);
  EXPECT_NE(xplmsim::debugLog().find("qovin: using the JVM already running in this process (Java 17)"),
            std::string::npos)
      << xplmsim::debugLog();
}

// The reload command picks up a changed jar and keeps nothing of the old one.
TEST_F(HostPluginTest, ReloadPicksUpAChangedJarAndKeepsNothingOfTheOld) {
  addJar("v1", "versioned");
  const int id = loadQovin();
  ASSERT_GT(id, 0) << xplmsim::debugLog();
  EXPECT_EQ(intDataRef("qovintest/version"), 1);
  const int held = xplmsim::registrationsOf(id).total();
  addJar("v2", "versioned");
  xplmsim::commandOnce("qovin/reload_plugins");
  xplmsim::runFrames(1, 0.05f);
  EXPECT_EQ(intDataRef("qovintest/version"), 2);
  EXPECT_EQ(xplmsim::registrationsOf(id).total(), held) << xplmsim::registrationsOf(id).summary();

  // The old class loader can be collected: ask the host, through the JVM.
  JNIEnv* env = runningJavaEnv();
  ASSERT_NE(env, nullptr);
  jclass host = env->FindClass("com/brevanto/qovin/host/Host");
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(env->CallStaticIntMethod(host, env->GetStaticMethodID(host, "oldLoadersAlive", "()I")), 0);
}

// Log lines are stamped with the local time of the simulator's zone (here one
// 12:45 or 13:45 ahead of UTC); the stamp's calendar holds from year 1 to 9999.
TEST_F(HostPluginTest, LogLinesAreStampedWithTheLocalTime) {
  setenv("TZ", "Pacific/Chatham", 1);
  tzset();
  auto local = [](time_t at) {
    std::tm fields{};
    localtime_r(&at, &fields);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &fields);
    return std::string(text);
  };
  const std::string before = local(time(nullptr));
  addJar("good");
  ASSERT_GT(loadQovin(), 0) << xplmsim::debugLog();
  const std::string after = local(time(nullptr));
  const std::string stamp = qovinLog().substr(0, 19);
  EXPECT_LE(before, stamp) << qovinLog();
  EXPECT_LE(stamp, after) << qovinLog();

  JNIEnv* env = runningJavaEnv();
  ASSERT_NE(env, nullptr);
  jclass hostLog = env->FindClass("com/brevanto/qovin/host/HostLog");
  ASSERT_NE(hostLog, nullptr);
  jmethodID stampOf = env->GetStaticMethodID(hostLog, "stamp", "(J)Ljava/lang/String;");
  ASSERT_NE(stampOf, nullptr);
  std::vector<int64_t> instants = {-62135596800000, -86400001, -1, 0, 951782399999, 951782400000, 951868800000,
                                   4102444799999, 4107542400000, 253402300799999};
  std::mt19937_64 random(18);
  std::uniform_int_distribution<int64_t> anywhen(-62135596800000, 253402300799999);
  for (int i = 0; i < 20000; ++i) instants.push_back(anywhen(random));
  int wrong = 0;
  for (int64_t millis : instants) {
    auto text = static_cast<jstring>(env->CallStaticObjectMethod(hostLog, stampOf, static_cast<jlong>(millis)));
    const char* chars = env->GetStringUTFChars(text, nullptr);
    if (utcStamp(millis) != chars && ++wrong <= 5) {
      ADD_FAILURE() << millis << ": " << chars << " instead of " << utcStamp(millis);
    }
    env->ReleaseStringUTFChars(text, chars);
    env->DeleteLocalRef(text);
  }
  EXPECT_EQ(wrong, 0);
}

// The nice value of each thread of this process, by thread name.
std::map<std::string, int> threadNiceValues() {
  std::map<std::string, int> values;
  for (const auto& task : fs::directory_iterator("/proc/self/task")) {
    std::ifstream statFile(task.path() / "stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), std::istreambuf_iterator<char>());
    const auto open = stat.find('(');
    const auto close = stat.rfind(')');
    if (open == std::string::npos || close == std::string::npos) continue;
    // After the name: state, then 15 more fields, then the nice value.
    std::istringstream after(stat.substr(close + 2));
    const std::vector<std::string> fields{std::istream_iterator<std::string>(after), {}};
    if (fields.size() > 16) values[stat.substr(open + 1, close - open - 1)] = std::atoi(fields[16].c_str());
  }
  return values;
}

// The nice values of the JVM's own threads; fails if one of them is missing.
void expectJvmThreadsAt(int expected) {
  const auto nice = threadNiceValues();
  for (const char* jvmThread : {"VM Thread", "C2 CompilerThre", "C1 CompilerThre", "Shenandoah Cont"}) {
    ASSERT_EQ(nice.count(jvmThread), 1u) << jvmThread;
    EXPECT_EQ(nice.at(jvmThread), expected) << jvmThread;
  }
}

// jvm_threads_nice lowers the JVM's own threads and leaves the simulator's
// main thread as it was.
TEST_F(HostPluginTest, TheJvmsOwnThreadsRunAtTheNiceValueOfTheSettings) {
  settings("jvm_threads_nice = 7\n");
  addJar("good");
  ASSERT_GT(loadQovin(), 0) << xplmsim::debugLog();
  xplmsim::runFrames(3, 0.05f);
  expectJvmThreadsAt(7);
  EXPECT_EQ(getpriority(PRIO_PROCESS, static_cast<id_t>(gettid())), 0) << "the main thread keeps its own";
}

// A negative value never lifts the JVM's threads above the simulator's (as
// root the system would allow it): they run at 0.
TEST_F(HostPluginTest, ANegativeJvmThreadsNiceRunsThemAtZero) {
  settings("jvm_threads_nice = -5\n");
  ASSERT_GT(loadQovin(), 0) << xplmsim::debugLog();
  expectJvmThreadsAt(0);
}

// A callback that keeps throwing is reported once, then counted; after
// max_failures (5 here) its plugin is disabled and its registrations released.
TEST_F(HostPluginTest, ACallbackThatKeepsThrowingIsReportedOnceThenItsPluginIsDisabled) {
  addJar("failing");
  addJar("good");
  const int id = loadQovin();
  ASSERT_GT(id, 0) << xplmsim::debugLog();
  xplmsim::runFrames(10, 0.05f);
  const std::string log = qovinLog();
  const auto first = log.find("a callback threw (reported once, then counted): java.lang.ArithmeticException");
  EXPECT_NE(first, std::string::npos) << log;
  EXPECT_EQ(log.find("a callback threw", first + 1), std::string::npos) << "reported once";
  EXPECT_NE(xplmsim::debugLog().find("qovin: Failing plugin is left out: its callbacks failed 5 times"),
            std::string::npos)
      << xplmsim::debugLog();
  EXPECT_EQ(intDataRef("qovintest/good/loops"), 10) << "the other plugin runs on";
}

// The class archive is made in the background; answers whether it was written within two minutes.
bool classArchiveWritten(const fs::path& qovin) {
  for (int i = 0; i < 1200 && !fs::exists(qovin / "class-archive/qovin.jsa.jars"); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return fs::exists(qovin / "class-archive/qovin.jsa.jars");
}

// The runner started on `root` (a process, so a JVM, of its own): its output.
std::string runnerOutput(const fs::path& root) {
  const std::string command = std::string(QOVIN_HOST) + " --xplane " + root.string() + " --frames 3 2>&1";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    output += "exit code " + std::to_string(WEXITSTATUS(pclose(pipe)));
  }
  return output;
}

// The first start makes the class archive in the background; the next start
// maps it; after qovin.jar changes the JVM refuses it and qovin starts
// without it, and makes it again.
TEST_F(HostPluginTest, TheClassArchiveIsMadeOnTheFirstStartUsedOnTheNextAndRefusedWhenStale) {
  settings("class_archive = yes\n");
  addJar("good");
  ASSERT_GT(loadQovin(), 0) << xplmsim::debugLog();
  xplmsim::runFrames(3, 0.05f);
  EXPECT_EQ(intDataRef("qovintest/good/loops"), 3);
  EXPECT_NE(xplmsim::debugLog().find("qovin: making the class archive " + (qovin / "class-archive/qovin.jsa").string() +
                                     " in the background"),
            std::string::npos)
      << xplmsim::debugLog();
  ASSERT_TRUE(classArchiveWritten(qovin)) << qovinLog();

  const std::string next = runnerOutput(root);  // 3 frames, and another plugin adds 1
  EXPECT_NE(next.find("qovin: using the class archive"), std::string::npos) << next;
  EXPECT_NE(next.find("qovintest/good/loops = 4 (another plugin"), std::string::npos) << next;
  EXPECT_NE(next.find("exit code 0"), std::string::npos) << next;

  fs::last_write_time(qovin / "qovin.jar", fs::last_write_time(qovin / "qovin.jar") + std::chrono::hours(1));
  fs::remove(qovin / "class-archive/qovin.jsa.jars");
  const std::string stale = runnerOutput(root);
  EXPECT_NE(stale.find("was not used (A jar file is not the one used while building the shared archive file"),
            std::string::npos)
      << stale;
  EXPECT_NE(stale.find("qovintest/good/loops = 4 (another plugin"), std::string::npos) << stale;
  EXPECT_TRUE(classArchiveWritten(qovin)) << "made again";
}

// A corrupt archive is refused by the JVM: qovin starts without it, and makes a new one.
TEST_F(HostPluginTest, ACorruptClassArchiveFallsBackToANormalStart) {
  settings("class_archive = yes\n");
  addJar("good");
  fs::create_directories(qovin / "class-archive");
  std::ofstream(qovin / "class-archive/qovin.jsa") << std::string(4096, 'x');
  ASSERT_GT(loadQovin(), 0) << xplmsim::debugLog();
  xplmsim::runFrames(3, 0.05f);
  EXPECT_EQ(intDataRef("qovintest/good/loops"), 3);
  EXPECT_NE(xplmsim::debugLog().find("qovin: the class archive " + (qovin / "class-archive/qovin.jsa").string() +
                                     " was not used (The shared archive file has a bad magic number"),
            std::string::npos)
      << xplmsim::debugLog();
  EXPECT_TRUE(classArchiveWritten(qovin)) << "made anew";
}

}  // namespace
