// Natives of com.brevanto.qovin.graphics.XPlaneGraphics: the simulator's
// drawing utilities, textures, graphics state and coordinate conversion.
#include <XPLMGraphics.h>

#include <algorithm>

#include "bridge.h"
#include "utf8.h"
#include "com_brevanto_qovin_graphics_XPlaneGraphics.h"

namespace {
// The three results of `convert` go into elements 0 to 2 of `out`; a shorter
// array gets only what fits, a null array nothing. Other elements are left as they are.
void convertInto(JNIEnv* env, jdouble a, jdouble b, jdouble c, jdoubleArray out,
                 void (*convert)(double, double, double, double*, double*, double*)) {
  jdouble values[3] = {0, 0, 0};
  convert(a, b, c, &values[0], &values[1], &values[2]);
  if (out == nullptr) return;
  env->SetDoubleArrayRegion(out, 0, std::min<jsize>(3, env->GetArrayLength(out)), values);
}
}  // namespace

JNIEXPORT void JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_drawTranslucentDarkBox(
    JNIEnv* env, jclass, jint left, jint top, jint right, jint bottom) {
  if (offHostThread(env)) return;
  XPLMDrawTranslucentDarkBox(left, top, right, bottom);
}

// The colour is read, never written: components missing from a short (or
// null) array are 0. A null text draws nothing. The text always wraps at wrapWidth.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_drawString(JNIEnv* env, jclass,
                                                                                  jfloatArray color,
                                                                                  jint xOffset, jint yOffset,
                                                                                  jstring text, jint wrapWidth,
                                                                                  jint fontId) {
  if (offHostThread(env)) return;
  if (text == nullptr) return;
  jfloat rgb[3] = {0, 0, 0};
  if (color != nullptr) env->GetFloatArrayRegion(color, 0, std::min<jsize>(3, env->GetArrayLength(color)), rgb);
  int wrap = wrapWidth;
  const Utf8 chars(env, text);
  if (chars) XPLMDrawString(rgb, xOffset, yOffset, const_cast<char*>(chars.c_str()), &wrap, fontId);
}

// Every element of texIds gets a new texture number; a null array asks for none.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_generateTextureNumbers(JNIEnv* env, jclass,
                                                                                              jintArray texIds) {
  if (offHostThread(env)) return;
  if (texIds == nullptr) return;
  const jsize count = env->GetArrayLength(texIds);
  jint* ids = env->GetIntArrayElements(texIds, nullptr);
  if (ids == nullptr) return;
  XPLMGenerateTextureNumbers(ids, count);
  env->ReleaseIntArrayElements(texIds, ids, 0);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_bindTexture2d(JNIEnv* env, jclass, jint tex,
                                                                                     jint unit) {
  if (offHostThread(env)) return;
  XPLMBindTexture2d(tex, unit);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_setGraphicsState(
    JNIEnv* env, jclass, jboolean enableFog, jint inNumberTexUnits, jboolean inEnableLighting,
    jboolean inEnableAlphaTesting, jboolean inEnableAlphaBlending, jboolean inEnableDepthTesting,
    jboolean inEnableDepthWriting) {
  if (offHostThread(env)) return;
  XPLMSetGraphicsState(enableFog ? 1 : 0, inNumberTexUnits, inEnableLighting ? 1 : 0, inEnableAlphaTesting ? 1 : 0,
                       inEnableAlphaBlending ? 1 : 0, inEnableDepthTesting ? 1 : 0, inEnableDepthWriting ? 1 : 0);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_worldToLocal(JNIEnv* env, jclass,
                                                                                    jdouble lat, jdouble lon,
                                                                                    jdouble alt,
                                                                                    jdoubleArray xyz) {
  if (offHostThread(env)) return;
  convertInto(env, lat, lon, alt, xyz, XPLMWorldToLocal);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_localToWorld(JNIEnv* env, jclass,
                                                                                    jdouble x, jdouble y,
                                                                                    jdouble z,
                                                                                    jdoubleArray world) {
  if (offHostThread(env)) return;
  convertInto(env, x, y, z, world, XPLMLocalToWorld);
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_getTextureN(JNIEnv* env, jclass, jint id) {
  if (offHostThread(env)) return 0;
  return XPLMGetTexture(id);
}
