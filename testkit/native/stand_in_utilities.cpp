// libqovin-testkit.so, continued: the stand-in's folders, speech, keys,
// flight-loop objects, shared data and error reports for Java
// (com.brevanto.qovin.testkit.StandInUtilities).
#include <XPLMDataAccess.h>
#include <jni.h>

#include <string>
#include <vector>

#include "com_brevanto_qovin_testkit_StandInUtilities.h"
#include "utf8.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/sim.h"
#include "xplmsim/utilities.h"

#define QOVIN_KIT(name) Java_com_brevanto_qovin_testkit_StandInUtilities_##name

namespace {

std::string text(JNIEnv* env, jstring value) { return Utf8(env, value).orEmpty(); }

jintArray javaInts(JNIEnv* env, const std::vector<int>& values) {
  jintArray out = env->NewIntArray(static_cast<jsize>(values.size()));
  if (out != nullptr) env->SetIntArrayRegion(out, 0, static_cast<jsize>(values.size()), values.data());
  return out;
}

// The other plugin's notification: the stand-in counts its calls by plugin.
void otherPluginNotified(void*) {}

}  // namespace

JNIEXPORT jboolean JNICALL QOVIN_KIT(setSystemPath)(JNIEnv* env, jclass, jstring folder) {
  return xplmsim::setSystemPath(text(env, folder)) ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT void JNICALL QOVIN_KIT(setLanguage)(JNIEnv*, jclass, jint code) { xplmsim::setLanguage(code); }

JNIEXPORT jobjectArray JNICALL QOVIN_KIT(spokenStrings)(JNIEnv* env, jclass) {
  const std::vector<std::string> spoken = xplmsim::spokenStrings();
  jclass stringClass = env->FindClass("java/lang/String");
  if (stringClass == nullptr) return nullptr;
  jobjectArray out = env->NewObjectArray(static_cast<jsize>(spoken.size()), stringClass, nullptr);
  env->DeleteLocalRef(stringClass);
  for (size_t i = 0; out != nullptr && i < spoken.size(); ++i) {
    jstring value = newJavaString(env, spoken[i].data(), spoken[i].size());
    if (value == nullptr) return nullptr;
    env->SetObjectArrayElement(out, static_cast<jsize>(i), value);
    env->DeleteLocalRef(value);
  }
  return out;
}

JNIEXPORT jintArray JNICALL QOVIN_KIT(keyStrokes)(JNIEnv* env, jclass) { return javaInts(env, xplmsim::keyStrokes()); }
JNIEXPORT jintArray JNICALL QOVIN_KIT(buttonsHeld)(JNIEnv* env, jclass) {
  return javaInts(env, xplmsim::buttonsHeld());
}
JNIEXPORT jint JNICALL QOVIN_KIT(cycleNumber)(JNIEnv*, jclass) { return xplmsim::flightLoopCounter(); }
JNIEXPORT jint JNICALL QOVIN_KIT(flightLoopObjects)(JNIEnv*, jclass) { return xplmsim::flightLoopObjectCount(); }
JNIEXPORT jint JNICALL QOVIN_KIT(scheduledFlightLoopObjects)(JNIEnv*, jclass) {
  return xplmsim::scheduledFlightLoopObjectCount();
}

JNIEXPORT jboolean JNICALL QOVIN_KIT(otherPluginShares)(JNIEnv* env, jclass, jstring name, jint type) {
  const xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
  return XPLMShareData(text(env, name).c_str(), type, otherPluginNotified, nullptr) != 0 ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jboolean JNICALL QOVIN_KIT(otherPluginUnshares)(JNIEnv* env, jclass, jstring name, jint type) {
  const xplmsim::CallerScope asOther(xplmsim::kOtherPlugin);
  return XPLMUnshareData(text(env, name).c_str(), type, otherPluginNotified, nullptr) != 0 ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jint JNICALL QOVIN_KIT(otherPluginNotifications)(JNIEnv*, jclass) {
  return xplmsim::notificationsReceived(xplmsim::kOtherPlugin);
}

JNIEXPORT jboolean JNICALL QOVIN_KIT(reportError)(JNIEnv* env, jclass, jstring message) {
  return xplmsim::reportError(xplmsim::kHostPlugin, text(env, message)) ? JNI_TRUE : JNI_FALSE;
}
