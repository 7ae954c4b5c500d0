// Natives of com.brevanto.qovin.util.Simulator: versions, language, speech,
// data files and scenery reloads.
#include <XPLMUtilities.h>

#include "bridge.h"
#include "utf8.h"
#include "com_brevanto_qovin_util_Simulator.h"

#define QOVIN_SIMULATOR(name) Java_com_brevanto_qovin_util_Simulator_##name

namespace {
bool knownFileType(jint type) { return type == xplm_DataFile_Situation || type == xplm_DataFile_ReplayMovie; }
}  // namespace

JNIEXPORT jboolean JNICALL QOVIN_SIMULATOR(initializedN)(JNIEnv*, jclass) {
  return XPLMInitialized() != 0 ? JNI_TRUE : JNI_FALSE;
}

// {X-Plane version, XPLM version, host}; what the simulator leaves unwritten is 0.
JNIEXPORT jintArray JNICALL QOVIN_SIMULATOR(versionsN)(JNIEnv* env, jclass) {
  jint numbers[3] = {0, 0, 0};
  XPLMGetVersions(&numbers[0], &numbers[1], &numbers[2]);
  jintArray array = env->NewIntArray(3);
  if (array != nullptr) env->SetIntArrayRegion(array, 0, 3, numbers);
  return array;
}

JNIEXPORT jint JNICALL QOVIN_SIMULATOR(languageN)(JNIEnv*, jclass) { return XPLMGetLanguage(); }

// A null text says nothing.
JNIEXPORT void JNICALL QOVIN_SIMULATOR(speakN)(JNIEnv* env, jclass, jstring jtext) {
  const Utf8 text(env, jtext);
  if (text) XPLMSpeakString(text.c_str());
}

JNIEXPORT void JNICALL QOVIN_SIMULATOR(reloadSceneryN)(JNIEnv*, jclass) { XPLMReloadScenery(); }

// A type other than situation (1) or replay (2) reaches nothing and gives
// false; a null path is passed on as null (a replay: the simulator clears it).
JNIEXPORT jboolean JNICALL QOVIN_SIMULATOR(loadDataFileN)(JNIEnv* env, jclass, jint type, jstring jpath) {
  if (!knownFileType(type)) return JNI_FALSE;
  const Utf8 path(env, jpath);
  return XPLMLoadDataFile(type, path.c_str()) != 0 ? JNI_TRUE : JNI_FALSE;
}

// As loading; a null path reaches nothing and gives false.
JNIEXPORT jboolean JNICALL QOVIN_SIMULATOR(saveDataFileN)(JNIEnv* env, jclass, jint type, jstring jpath) {
  const Utf8 path(env, jpath);
  if (!knownFileType(type) || !path) return JNI_FALSE;
  return XPLMSaveDataFile(type, path.c_str()) != 0 ? JNI_TRUE : JNI_FALSE;
}
