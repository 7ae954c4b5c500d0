// Natives of com.brevanto.qovin.scenery.XPlaneSceneryFactory: loading objects,
// at once or asynchronously, and creating terrain probes.
#include <XPLMScenery.h>

#include "bridge.h"
#include "utf8.h"
#include "com_brevanto_qovin_scenery_XPlaneSceneryFactory.h"

// Set by initialize, used by QOVINObjectLoaded.
jclass XPlaneObjectRef = nullptr;
jmethodID XPlaneObjectRefConstructor = nullptr;
jmethodID objectLoadedMtd = nullptr;

// The end of one asynchronous load: the new handle (0 if the load failed),
// wrapped in a new XPlaneObjectRef, goes to the request's callback object,
// whose global reference (the refcon) is then deleted. An exception thrown by
// objectLoaded is printed and cleared, so none reaches the simulator. Before
// initialize nothing can be delivered, and the reference is only deleted.
void QOVINObjectLoaded(XPLMObjectRef inObject, void* inRefcon) {
  auto callback = static_cast<jobject>(inRefcon);
  if (XPlaneObjectRef != nullptr && objectLoadedMtd != nullptr) {
    jobject loaded =
        JVMP_env->NewObject(XPlaneObjectRef, XPlaneObjectRefConstructor, reinterpret_cast<jlong>(inObject));
    if (loaded != nullptr) {
      JVMP_env->CallVoidMethod(callback, objectLoadedMtd, loaded);
      JVMP_env->DeleteLocalRef(loaded);
    }
    printAndClearException();
  }
  JVMP_env->DeleteGlobalRef(callback);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneSceneryFactory_initialize(JNIEnv*, jclass) {
  jclass objectClass = JVMP_env->FindClass("com/brevanto/qovin/scenery/XPlaneObjectRef");
  if (objectClass == nullptr) return;
  jmethodID constructor = JVMP_env->GetMethodID(objectClass, "<init>", "(J)V");
  jclass callbackClass =
      constructor == nullptr ? nullptr : JVMP_env->FindClass("com/brevanto/qovin/scenery/QOVINObjectLoadCallback");
  jmethodID loadedMethod =
      callbackClass == nullptr
          ? nullptr
          : JVMP_env->GetMethodID(callbackClass, "objectLoaded", "(Lcom/brevanto/qovin/scenery/QOVINObjectRef;)V");
  if (loadedMethod != nullptr) {
    if (XPlaneObjectRef != nullptr) JVMP_env->DeleteGlobalRef(XPlaneObjectRef);
    XPlaneObjectRef = static_cast<jclass>(JVMP_env->NewGlobalRef(objectClass));
    XPlaneObjectRefConstructor = constructor;
    objectLoadedMtd = loadedMethod;
  }
  if (callbackClass != nullptr) JVMP_env->DeleteLocalRef(callbackClass);
  JVMP_env->DeleteLocalRef(objectClass);
}

// A null path loads nothing.
JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_scenery_XPlaneSceneryFactory_loadObjectN(JNIEnv* env, jobject,
                                                                                         jstring objPath) {
  return handleForText(env, objPath, XPLMLoadObject);
}

// The callback object is held by a global reference until its QOVINObjectLoaded.
// A null path or callback makes no request.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneSceneryFactory_loadObjectAsyncN(JNIEnv* env, jobject,
                                                                                             jstring objPath,
                                                                                             jobject jcallback) {
  const Utf8 path(env, objPath);
  if (!path || jcallback == nullptr) return;
  jobject request = JVMP_env->NewGlobalRef(jcallback);
  if (request != nullptr) XPLMLoadObjectAsync(path.c_str(), QOVINObjectLoaded, request);
}

JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_scenery_XPlaneSceneryFactory_createProbeN(JNIEnv*, jobject,
                                                                                          jint probeType) {
  return reinterpret_cast<jlong>(XPLMCreateProbe(probeType));
}
