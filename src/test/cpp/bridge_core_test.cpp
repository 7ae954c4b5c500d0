// The bridge's environment, its Java logger and the simulator-log natives.
#include <sstream>

#include "bridge.h"
#include "jvm_harness.h"
#include "xplmsim/sim.h"

// The asynchronous-load trampoline, called here before its class is initialised.
void QOVINObjectLoaded(void* inObject, void* inRefcon);

using namespace qovintest;

namespace {

class BridgeCoreTest : public BridgeTest {
 protected:
  void debugString(jstring text) {
    jclass cls = findClass("com/brevanto/qovin/util/XPlaneDebugStringImpl");
    callStatic(cls, staticMethod(cls, "debugStringN", "(Ljava/lang/String;)V"), text);
  }
  void debugBytes(jbyteArray bytes) {
    jclass cls = findClass("com/brevanto/qovin/util/XPlaneDebugStringImpl");
    callStatic(cls, staticMethod(cls, "debugStringBN", "([B)V"), bytes);
  }
};

TEST_F(BridgeCoreTest, InitNativesBindsTheHostThreadAndTheLogger) {
  EXPECT_EQ(JVMP_env, env());
  ASSERT_NE(logger, nullptr);
  EXPECT_EQ(env()->GetObjectRefType(logger), JNIGlobalRefType);
  jclass loggerClass = findClass("java/util/logging/Logger");
  jstring name = static_cast<jstring>(
      env()->CallObjectMethod(logger, env()->GetMethodID(loggerClass, "getName", "()Ljava/lang/String;")));
  expectNoPendingException();
  EXPECT_EQ(toStdString(name), "QOVINNative");
}

TEST_F(BridgeCoreTest, TextLogFunctionsUseTheirLevelAndPassTextUnchanged) {
  logInfo("info text");
  logFine("fine text\n");
  logFiner("");
  EXPECT_EQ(javaLog(), (std::vector<std::string>{"INFO|info text", "FINE|fine text\n", "FINER|"}));
}

TEST_F(BridgeCoreTest, StreamLogFunctionsKeepTheLineEndAndEmptyTheStream) {
  std::stringstream lstr;
  lstr << "first " << 42 << std::endl;
  logFiner(lstr);
  EXPECT_TRUE(lstr.str().empty());
  EXPECT_TRUE(lstr.good());

  int unreadable = 0;
  lstr >> unreadable;  // reading an empty stream fails it
  ASSERT_TRUE(lstr.fail());
  logInfo(lstr);
  EXPECT_TRUE(lstr.good());

  lstr << "second";
  logFine(lstr);
  EXPECT_EQ(javaLog(), (std::vector<std::string>{"FINER|first 42\n", "INFO|", "FINE|second"}));
}

TEST_F(BridgeCoreTest, LoggingWorksThroughTheLoggerOfALaterInitNatives) {
  jobject before = logger;
  jclass helper = findClass("com/brevanto/qovin/XPlanePluginHelper");
  callStatic(helper, staticMethod(helper, "initNatives", "()V"));
  EXPECT_NE(logger, before);
  EXPECT_TRUE(env()->IsSameObject(logger, before));
  EXPECT_EQ(JVMP_env, env());
  logInfo("after reinit");
  EXPECT_EQ(javaLog(), std::vector<std::string>{"INFO|after reinit"});
}

TEST_F(BridgeCoreTest, LogCallsWithoutALoggerLogNothing) {
  jobject saved = logger;
  logger = nullptr;
  std::stringstream lstr;
  lstr << "lost";
  logInfo("lost");
  logFiner(lstr);
  logger = saved;
  EXPECT_TRUE(lstr.str().empty());
  EXPECT_TRUE(javaLog().empty());
}

TEST_F(BridgeCoreTest, DebugStringPassesTheTextAsItIs) {
  debugString(env()->NewStringUTF("hello simulator"));
  debugString(env()->NewStringUTF(""));
  debugString(env()->NewStringUTF("line\n"));
  EXPECT_EQ(xplmsim::debugLog(), "hello simulatorline\n");
  const auto calls = xplmsim::callsTo("XPLMDebugString");
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[1].s(0), "");
}

TEST_F(BridgeCoreTest, DebugBytesStopAtTheFirstZeroByte) {
  debugBytes(byteArray({'a', 'b', 0, 'c', 'd'}));
  EXPECT_EQ(xplmsim::debugLog(), "ab");
}

TEST_F(BridgeCoreTest, DebugBytesWithoutZeroByteEndAtTheArrayEnd) {
  // Checked JNI surrounds the elements with guard bytes: a read past the end
  // would show up in the log.
  debugBytes(byteArray({'x', 'y', 'z'}));
  debugBytes(byteArray({}));
  EXPECT_EQ(xplmsim::debugLog(), "xyz");
  EXPECT_EQ(xplmsim::callsTo("XPLMDebugString").size(), 2u);
}

TEST_F(BridgeCoreTest, NullArgumentsWriteNothing) {
  debugString(nullptr);
  debugBytes(nullptr);
  EXPECT_EQ(xplmsim::callsTo("XPLMDebugString").size(), 0u);
}

// This test binary never touches the scenery classes, so their initialize has
// not run: a completion arriving now is only released.
TEST_F(BridgeCoreTest, ALoadCompletingBeforeInitializeIsOnlyReleased) {
  jobject callback = newObject("java/lang/Object", "()V");
  jobject weak = weakReference(callback);
  QOVINObjectLoaded(reinterpret_cast<void*>(0x1234), env()->NewGlobalRef(callback));
  EXPECT_FALSE(env()->ExceptionCheck());
  env()->DeleteLocalRef(callback);
  EXPECT_TRUE(collected(weak));
}

}  // namespace
