// Natives of com.brevanto.qovin.map.XPlaneMap: whether a map is open, and the
// one creation hook the library registers for the whole process.
#include <XPLMMap.h>
#include <XPLMPlugin.h>

#include "bridge.h"
#include "utf8.h"
#include "com_brevanto_qovin_map_XPlaneMap.h"

namespace {
// XPlaneMap itself, held from initialize for as long as the library is loaded:
// the simulator cannot take a creation hook back, so the hook outlives any Java plugin.
jclass mapClass = nullptr;
jmethodID mapCreatedMethod = nullptr;
// The plugin ID as which the hook was registered: a reloaded qovin.xpl (a new
// ID) has lost it with its other registrations and registers it again.
XPLMPluginID hookPlugin = XPLM_NO_PLUGIN_ID;

// The refcon is unused; Java's listeners are in XPlaneMap. A listener's
// exception is printed by Java; anything left pending here is printed and cleared.
void mapCreated(const char* mapIdentifier, void*) {
  jstring identifier = newJavaString(JVMP_env, mapIdentifier != nullptr ? mapIdentifier : "");
  if (identifier != nullptr) JVMP_env->CallStaticVoidMethod(mapClass, mapCreatedMethod, identifier);
  printAndClearException();
  if (identifier != nullptr) JVMP_env->DeleteLocalRef(identifier);
}
}  // namespace

JNIEXPORT void JNICALL Java_com_brevanto_qovin_map_XPlaneMap_initialize(JNIEnv* env, jclass cls) {
  if (mapClass == nullptr) mapClass = static_cast<jclass>(env->NewGlobalRef(cls));
  mapCreatedMethod = env->GetStaticMethodID(cls, "mapCreated", "(Ljava/lang/String;)V");
}

// A null identifier answers false.
JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_map_XPlaneMap_existsN(JNIEnv* env, jclass, jstring jmap) {
  if (offHostThread(env)) return JNI_FALSE;
  const Utf8 map(env, jmap);
  return map && XPLMMapExists(map.c_str()) == 1 ? JNI_TRUE : JNI_FALSE;
}

// Registers the hook once per loaded qovin.xpl; later calls do nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_map_XPlaneMap_registerHookN(JNIEnv* env, jclass) {
  if (offHostThread(env) || mapClass == nullptr || mapCreatedMethod == nullptr) return;
  const XPLMPluginID me = XPLMGetMyID();
  if (me == hookPlugin) return;
  XPLMRegisterMapCreationHook(mapCreated, nullptr);
  hookPlugin = me;
}
