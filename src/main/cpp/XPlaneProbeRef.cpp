// Natives of com.brevanto.qovin.scenery.XPlaneProbeRef: probing the terrain and
// destroying a probe.
#include <XPLMScenery.h>

#include "bridge.h"
#include "com_brevanto_qovin_scenery_XPlaneProbeRef.h"

namespace {
// QOVINProbeInfo and its setInfo, looked up by the first probe and kept (the
// class by a global reference, so that the method stays valid): later probes
// make no lookups.
jclass probeInfoClass = nullptr;
jmethodID setInfoMtd = nullptr;

bool lookUpSetInfo(JNIEnv* env) {
  jclass cls = env->FindClass("com/brevanto/qovin/scenery/QOVINProbeInfo");
  if (cls == nullptr) return false;
  jmethodID method = env->GetMethodID(cls, "setInfo", "(FFFFFFFFFZ)V");
  if (method != nullptr) {
    probeInfoClass = static_cast<jclass>(env->NewGlobalRef(cls));
    setInfoMtd = method;
  }
  env->DeleteLocalRef(cls);
  return setInfoMtd != nullptr;
}
}  // namespace

// The record is cleared before the probe, so a probe that finds no terrain
// (the simulator fills nothing then) reports zeros, never stale stack bytes.
// A null result object is not called.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneProbeRef_probeTerrainXYZ_1N(JNIEnv* env, jclass,
                                                                                         jlong probeRefPtr,
                                                                                         jobject probeInfo, jfloat x,
                                                                                         jfloat y, jfloat z) {
  XPLMProbeInfo_t info{};
  info.structSize = sizeof(XPLMProbeInfo_t);
  XPLMProbeTerrainXYZ(reinterpret_cast<XPLMProbeRef>(probeRefPtr), x, y, z, &info);
  if (probeInfo == nullptr) return;
  if (setInfoMtd == nullptr && !lookUpSetInfo(env)) return;
  env->CallVoidMethod(probeInfo, setInfoMtd, info.locationX, info.locationY, info.locationZ, info.normalX, info.normalY,
                      info.normalZ, info.velocityX, info.velocityY, info.velocityZ,
                      static_cast<jboolean>(info.is_wet != 0 ? JNI_TRUE : JNI_FALSE));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_scenery_XPlaneProbeRef_destroyN(JNIEnv*, jclass, jlong probeRefPtr) {
  XPLMDestroyProbe(reinterpret_cast<XPLMProbeRef>(probeRefPtr));
}
