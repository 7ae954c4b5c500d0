// qovin.xpl end to end: the stand-in loads it from an X-Plane-like folder as
// X-Plane does, and it starts the JVM and the Java plugins in plugins/. A JVM
// can be created once per process, so ctest runs each test in a process of
// its own (one --gtest_filter each).
#include <XPLMDataAccess.h>
#include <dlfcn.h>
#include <jni.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

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
    ini << "log_file = " << (root / "qovinLog.txt").string() << "\nmax_failures = 5\ndeveloper = yes\n" << extra;
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
  auto created = reinterpret_cast<jint (*)(JavaVM**, jsize, jsize*)>(dlsym(RTLD_DEFAULT, "JNI_GetCreatedJavaVMs"));
  ASSERT_NE(created, nullptr);
  JavaVM* vm = nullptr;
  jsize count = 0;
  ASSERT_EQ(created(&vm, 1, &count), JNI_OK);
  JNIEnv* env = nullptr;
  ASSERT_EQ(vm->GetEnv(reinterpret_cast<void**>(&env), JNI_VERSION_10), JNI_OK);
  jclass host = env->FindClass("com/brevanto/qovin/host/Host");
  ASSERT_NE(host, nullptr);
  EXPECT_EQ(env->CallStaticIntMethod(host, env->GetStaticMethodID(host, "oldLoadersAlive", "()I")), 0);
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

}  // namespace
