// Natives of com.brevanto.qovin.scenery.MagneticVariation: the simulator's
// magnetic variation and heading conversions, passed through.
#include <XPLMScenery.h>

#include "bridge.h"
#include "com_brevanto_qovin_scenery_MagneticVariation.h"

JNIEXPORT jfloat JNICALL Java_com_brevanto_qovin_scenery_MagneticVariation_at(JNIEnv* env, jclass, jdouble latitude,
                                                                            jdouble longitude) {
  if (offHostThread(env)) return 0;
  return XPLMGetMagneticVariation(latitude, longitude);
}

JNIEXPORT jfloat JNICALL Java_com_brevanto_qovin_scenery_MagneticVariation_trueToMagnetic(JNIEnv* env, jclass,
                                                                                        jfloat heading) {
  if (offHostThread(env)) return 0;
  return XPLMDegTrueToDegMagnetic(heading);
}

JNIEXPORT jfloat JNICALL Java_com_brevanto_qovin_scenery_MagneticVariation_magneticToTrue(JNIEnv* env, jclass,
                                                                                        jfloat heading) {
  if (offHostThread(env)) return 0;
  return XPLMDegMagneticToDegTrue(heading);
}
