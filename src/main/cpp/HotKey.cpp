// Natives of com.brevanto.qovin.display.HotKey: key combinations that run a
// Java object's action. Each registration holds a global reference to its
// HotKey, recorded in the registration table until it is unregistered. Other
// plugins' hot keys are reached only through IDs the simulator lists now.
#include <XPLMDisplay.h>

#include <algorithm>

#include "bridge.h"
#include "registrations.h"
#include "utf8.h"
#include "com_brevanto_qovin_display_HotKey.h"

namespace {
jmethodID fireMtd = nullptr;

// Room the simulator asks for when it writes a description.
constexpr size_t kDescriptionBytes = 512;

XPLMHotKeyID hotKey(jlong id) { return reinterpret_cast<XPLMHotKeyID>(id); }

// Whether the simulator lists `id` among its hot keys now.
bool listed(jlong id) {
  if (id == 0) return false;
  const int count = XPLMCountHotKeys();
  for (int i = 0; i < count; ++i) {
    if (XPLMGetNthHotKey(i) == hotKey(id)) return true;
  }
  return false;
}
}  // namespace

// The refcon is the HotKey's global reference. An exception thrown by its
// action is printed and cleared; the simulator gets nothing back.
void QOVINHotKeyCallback(void* inRefcon) {
  JVMP_env->CallVoidMethod(static_cast<jobject>(inRefcon), fireMtd);
  printAndClearException();
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_display_HotKey_initialize(JNIEnv* env, jclass cls) {
  fireMtd = env->GetMethodID(cls, "fire", "()V");
}

// A null description registers an empty one. 0 when the simulator refuses:
// no reference is kept then.
JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_display_HotKey_registerN(JNIEnv* env, jobject self, jint virtualKey,
                                                                       jint flags, jstring jdescription) {
  if (offHostThread(env)) return 0;
  jobject ref = env->NewGlobalRef(self);
  if (ref == nullptr) return 0;
  const Utf8 description(env, jdescription);
  XPLMHotKeyID id = XPLMRegisterHotKey(static_cast<char>(virtualKey), flags, description.orEmpty(),
                                       QOVINHotKeyCallback, ref);
  if (id == nullptr) {
    env->DeleteGlobalRef(ref);
    return 0;
  }
  qovin::addRegistration(qovin::Kind::kHotKey, reinterpret_cast<jlong>(id), {ref, nullptr, 0, 0});
  return reinterpret_cast<jlong>(id);
}

// Only a hot key this bridge registered and has not unregistered reaches the
// simulator (false otherwise); its reference is deleted after it is gone.
JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_display_HotKey_unregisterN(JNIEnv* env, jclass, jlong id) {
  if (offHostThread(env)) return JNI_FALSE;
  const qovin::Registration* entry = qovin::findRegistration(qovin::Kind::kHotKey, id);
  if (entry == nullptr) return JNI_FALSE;
  jobject ref = entry->ref;
  qovin::removeRegistration(qovin::Kind::kHotKey, id);
  XPLMUnregisterHotKey(hotKey(id));
  env->DeleteGlobalRef(ref);
  return JNI_TRUE;
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_display_HotKey_countN(JNIEnv* env, jclass) {
  if (offHostThread(env)) return 0;
  return XPLMCountHotKeys();
}

// 0 for an index the simulator has no hot key at.
JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_display_HotKey_nthN(JNIEnv* env, jclass, jint index) {
  if (offHostThread(env)) return 0;
  return reinterpret_cast<jlong>(XPLMGetNthHotKey(index));
}

// Virtual key (0 to 255), flags and owner go into elements 0 to 2 of `out` (a
// shorter or null array gets what fits); the answer is the description. An ID
// the simulator does not list now never reaches it: the answer is then null,
// with 0, 0 and -1 (no plugin).
JNIEXPORT jstring JNICALL Java_com_brevanto_qovin_display_HotKey_infoN(JNIEnv* env, jclass, jlong id,
                                                                     jintArray out) {
  if (offHostThread(env)) return nullptr;
  jint values[3] = {0, 0, XPLM_NO_PLUGIN_ID};
  char description[kDescriptionBytes + 1] = {};
  const bool known = listed(id);
  if (known) {
    char virtualKey = 0;
    XPLMKeyFlags flags = 0;
    XPLMPluginID owner = XPLM_NO_PLUGIN_ID;
    XPLMGetHotKeyInfo(hotKey(id), &virtualKey, &flags, description, &owner);
    values[0] = static_cast<unsigned char>(virtualKey);
    values[1] = flags;
    values[2] = owner;
  }
  if (out != nullptr) env->SetIntArrayRegion(out, 0, std::min<jsize>(3, env->GetArrayLength(out)), values);
  return known ? newJavaString(env, description) : nullptr;
}

// Any plugin's hot key, if the simulator lists it now; false otherwise.
JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_display_HotKey_setCombinationN(JNIEnv* env, jclass, jlong id,
                                                                                jint virtualKey, jint flags) {
  if (offHostThread(env) || !listed(id)) return JNI_FALSE;
  XPLMSetHotKeyCombination(hotKey(id), static_cast<char>(virtualKey), flags);
  return JNI_TRUE;
}
