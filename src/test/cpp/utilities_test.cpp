// The simulator's folders, versions, speech, keys, data files, scenery reloads
// and error reports, reached from Java through the bridge.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "jvm_harness.h"
#include "xplmsim/sim.h"
#include "xplmsim/utilities.h"

using namespace qovintest;

namespace {

class UtilitiesTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    char pattern[] = "/tmp/qovin-utilities-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
    ASSERT_TRUE(xplmsim::setSystemPath(root));
  }
  void TearDown() override {
    std::system(("rm -rf '" + root + "'").c_str());
    BridgeTest::TearDown();
  }
  jclass util(const char* name) { return findClass((std::string("com/brevanto/qovin/util/") + name).c_str()); }
  std::string text(jclass cls, const char* method) {
    return toStdString(static_cast<jstring>(callStatic<jobject>(cls, staticMethod(cls, method, "()Ljava/lang/String;"))));
  }
  std::vector<std::string> contents(const std::string& folder) {
    jclass cls = util("Folders");
    jobject list = callStatic<jobject>(cls, staticMethod(cls, "contents", "(Ljava/lang/String;)Ljava/util/List;"),
                                       env()->NewStringUTF(folder.c_str()));
    auto array = static_cast<jobjectArray>(callMethod<jobject>(list, "toArray", "()[Ljava/lang/Object;"));
    return toStrings(array);
  }
  jobject enumConstant(const char* cls, const char* name) {
    jclass c = util(cls);
    const std::string signature = std::string("Lcom/brevanto/qovin/util/") + cls + ";";
    return env()->GetStaticObjectField(c, env()->GetStaticFieldID(c, name, signature.c_str()));
  }
  std::string root;
};

TEST_F(UtilitiesTest, FoldersComeFromTheSimulator) {
  jclass folders = util("Folders");
  EXPECT_EQ(text(folders, "systemPath"), root + "/");
  EXPECT_EQ(text(folders, "prefsPath"), root + "/Output/preferences/X-Plane.prf");
  EXPECT_EQ(text(folders, "separator"), "/");
  jobject parts = callStatic<jobject>(
      folders, staticMethod(folders, "split", "(Ljava/lang/String;)Lcom/brevanto/qovin/util/Folders$FileAndPath;"),
      env()->NewStringUTF("/a/b/log é.csv"));
  EXPECT_EQ(toStdString(static_cast<jstring>(callMethod<jobject>(parts, "folder", "()Ljava/lang/String;"))), "/a/b");
  EXPECT_EQ(toStdString(static_cast<jstring>(callMethod<jobject>(parts, "file", "()Ljava/lang/String;"))),
            "log é.csv");
  jmethodID extract = staticMethod(folders, "extractFileAndPathN", "(Ljava/lang/String;)[Ljava/lang/String;");
  EXPECT_EQ(toStrings(static_cast<jobjectArray>(callStatic<jobject>(folders, extract, static_cast<jstring>(nullptr)))),
            (std::vector<std::string>{"", ""}));
}

TEST_F(UtilitiesTest, AFolderOfManyNamesIsListedWholeThroughPages) {
  // 1500 names of 24 bytes: 36 KiB, three pages of at most 512 names.
  std::vector<std::string> expected;
  for (int i = 0; i < 1500; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "sample-%04d-of-the-folder", i);
    std::ofstream(root + "/" + name) << i;
    expected.push_back(name);
  }
  xplmsim::clearCalls();
  EXPECT_EQ(contents(root), expected);
  EXPECT_EQ(xplmsim::callsTo("XPLMGetDirectoryContents").size(), 3u);
  EXPECT_TRUE(contents(root + "/missing").empty());
  jclass folders = util("Folders");
  jmethodID native = staticMethod(folders, "directoryContentsN", "(Ljava/lang/String;)[Ljava/lang/String;");
  EXPECT_EQ(callStatic<jobject>(folders, native, static_cast<jstring>(nullptr)), nullptr);
}

TEST_F(UtilitiesTest, VersionsLanguageSpeechAndScenery) {
  jclass simulator = util("Simulator");
  jobject versions =
      callStatic<jobject>(simulator, staticMethod(simulator, "versions", "()Lcom/brevanto/qovin/util/Simulator$Versions;"));
  EXPECT_EQ(callMethod<jint>(versions, "xplane", "()I"), xplmsim::kXPlaneVersion);
  EXPECT_EQ(callMethod<jint>(versions, "xplm", "()I"), 300);
  jobject host = callMethod<jobject>(versions, "host", "()Lcom/brevanto/qovin/util/HostApplication;");
  EXPECT_TRUE(env()->IsSameObject(host, enumConstant("HostApplication", "XPLANE")));
  EXPECT_TRUE(callStatic<jboolean>(simulator, staticMethod(simulator, "isInitialized", "()Z")));
  xplmsim::setLanguage(9);
  jobject language = callStatic<jobject>(simulator, staticMethod(simulator, "language", "()Lcom/brevanto/qovin/util/Language;"));
  EXPECT_TRUE(env()->IsSameObject(language, enumConstant("Language", "JAPANESE")));
  xplmsim::setLanguage(42);
  language = callStatic<jobject>(simulator, staticMethod(simulator, "language", "()Lcom/brevanto/qovin/util/Language;"));
  EXPECT_TRUE(env()->IsSameObject(language, enumConstant("Language", "UNKNOWN")));
  callStatic(simulator, staticMethod(simulator, "speak", "(Ljava/lang/String;)V"), env()->NewStringUTF("Recording ✈"));
  EXPECT_EQ(xplmsim::spokenStrings(), (std::vector<std::string>{"Recording ✈"}));
  callStatic(simulator, staticMethod(simulator, "reloadScenery", "()V"));
  EXPECT_EQ(xplmsim::sceneryReloads(), 1);
}

TEST_F(UtilitiesTest, DataFilesAndKeysReachTheSimulatorOnlyWithKnownCodes) {
  jclass simulator = util("Simulator");
  jmethodID save = staticMethod(simulator, "saveDataFile", "(Lcom/brevanto/qovin/util/DataFileType;Ljava/lang/String;)Z");
  jmethodID load = staticMethod(simulator, "loadDataFile", "(Lcom/brevanto/qovin/util/DataFileType;Ljava/lang/String;)Z");
  jobject situation = enumConstant("DataFileType", "SITUATION");
  EXPECT_TRUE(callStatic<jboolean>(simulator, save, situation, env()->NewStringUTF("start.sit")));
  EXPECT_TRUE(callStatic<jboolean>(simulator, load, situation, env()->NewStringUTF("start.sit")));
  callStatic(simulator, staticMethod(simulator, "clearReplay", "()V"));
  EXPECT_EQ(xplmsim::dataFileCalls().size(), 3u);
  jclass keys = util("Keys");
  callStatic(keys, staticMethod(keys, "commandKeyStroke", "(Lcom/brevanto/qovin/util/CommandKey;)V"),
             enumConstant("CommandKey", "PAUSE"));
  jmethodID press = staticMethod(keys, "pressButton", "(Lcom/brevanto/qovin/util/CommandButton;)V");
  callStatic(keys, press, enumConstant("CommandButton", "GEAR_TOG"));
  EXPECT_EQ(xplmsim::buttonsHeld(), (std::vector<int>{51}));
  callStatic(keys, staticMethod(keys, "releaseButton", "(Lcom/brevanto/qovin/util/CommandButton;)V"),
             enumConstant("CommandButton", "GEAR_TOG"));
  EXPECT_TRUE(xplmsim::buttonsHeld().empty());
  EXPECT_EQ(toStdString(static_cast<jstring>(
                callStatic<jobject>(keys, staticMethod(keys, "virtualKeyDescription", "(I)Ljava/lang/String;"), 0x41))),
            "A");
  // Codes outside the enums, and unknown file types, reach nothing.
  xplmsim::clearCalls();
  for (jint bad : {-1, 94, 1000}) {
    callStatic(keys, staticMethod(keys, "commandKeyStrokeN", "(I)V"), bad);
    callStatic(keys, staticMethod(keys, "commandButtonPressN", "(I)V"), bad);
    callStatic(keys, staticMethod(keys, "commandButtonReleaseN", "(I)V"), bad);
    EXPECT_FALSE(callStatic<jboolean>(simulator, staticMethod(simulator, "loadDataFileN", "(ILjava/lang/String;)Z"),
                                      bad, env()->NewStringUTF("x.sit")));
  }
  EXPECT_FALSE(callStatic<jboolean>(simulator, staticMethod(simulator, "saveDataFileN", "(ILjava/lang/String;)Z"), 1,
                                    static_cast<jstring>(nullptr)));
  EXPECT_TRUE(xplmsim::calls().empty());
}

TEST_F(UtilitiesTest, ErrorReportsGoToTheRegisteredLoggerUntilItIsClosed) {
  jclass errors = util("SimulatorErrors");
  jclass loggers = findClass("com/brevanto/qovin/testing/Loggers");
  jobject logger = callStatic<jobject>(loggers, staticMethod(loggers, "qovinNative", "()Ljava/util/logging/Logger;"));
  jmethodID logTo = staticMethod(errors, "logTo", "(Ljava/util/logging/Logger;)Lcom/brevanto/qovin/Registration;");
  jobject registration = callStatic<jobject>(errors, logTo, logger);
  EXPECT_TRUE(xplmsim::hasErrorCallback(xplmsim::kHostPlugin));
  EXPECT_TRUE(xplmsim::reportError(xplmsim::kHostPlugin, "XPLMSomething: bad handle"));
  EXPECT_EQ(javaLog(), (std::vector<std::string>{"WARNING|simulator error: XPLMSomething: bad handle"}));
  // Each report's message is a local reference the trampoline deletes.
  for (int i = 0; i < 1000; ++i) xplmsim::reportError(xplmsim::kHostPlugin, "again");
  EXPECT_EQ(javaLog().size(), 1001u);
  callMethod(registration, "close", "()V");
  EXPECT_FALSE(xplmsim::hasErrorCallback(xplmsim::kHostPlugin));
  jmethodID removeN = staticMethod(errors, "removeN", "()Z");
  EXPECT_FALSE(callStatic<jboolean>(errors, removeN)) << "nothing left to remove";
  EXPECT_FALSE(callStatic<jboolean>(errors, staticMethod(errors, "installN", "(Ljava/lang/Object;)Z"),
                                    static_cast<jobject>(nullptr)));
}

TEST_F(UtilitiesTest, AThrowingLoggerIsPrintedAndCleared) {
  jclass errors = util("SimulatorErrors");
  jclass fixture = findClass("com/brevanto/qovin/testing/Loggers");
  jobject logger = callStatic<jobject>(fixture, staticMethod(fixture, "throwing", "()Ljava/util/logging/Logger;"));
  jobject registration = callStatic<jobject>(
      errors, staticMethod(errors, "logTo", "(Ljava/util/logging/Logger;)Lcom/brevanto/qovin/Registration;"), logger);
  const std::string printed = captureJavaStderr([] {
    xplmsim::reportError(xplmsim::kHostPlugin, "XPLMSomething: bad");
    EXPECT_FALSE(env()->ExceptionCheck());
  });
  EXPECT_NE(printed.find("throwing logger fails"), std::string::npos);
  callMethod(registration, "close", "()V");
}

}  // namespace
