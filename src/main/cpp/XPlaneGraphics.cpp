// Natives of com.brevanto.qovin.graphics.XPlaneGraphics: the simulator's
// drawing utilities, textures, graphics state and coordinate conversion.
#include <XPLMGraphics.h>

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>

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

// The units of drawChars and their UTF-8, kept from call to call: a text no
// longer than the longest drawn so far allocates nothing. Only the simulator's
// main thread draws, and XPLMDrawString calls nothing back, so one pair serves
// every call.
class TextScratch {
 public:
  // Room for `count` units and their UTF-8, grown if too small; false (and
  // the old room kept) if the memory is not there.
  bool reserve(size_t count) {
    if (count <= capacity_) return true;
    std::unique_ptr<jchar[]> units(new (std::nothrow) jchar[count]);
    std::unique_ptr<char[]> bytes(new (std::nothrow) char[3 * count + 1]);
    if (units == nullptr || bytes == nullptr) return false;
    units_ = std::move(units);
    bytes_ = std::move(bytes);
    capacity_ = count;
    return true;
  }
  jchar* units() { return units_.get(); }
  char* bytes() { return bytes_.get(); }

 private:
  static constexpr size_t kInitialUnits = 256;
  std::unique_ptr<jchar[]> units_{new jchar[kInitialUnits]};
  std::unique_ptr<char[]> bytes_{new char[3 * kInitialUnits + 1]};
  size_t capacity_ = kInitialUnits;
};

TextScratch& textScratch() {
  static TextScratch scratch;
  return scratch;
}

// The first three elements of `color`; missing ones (a short or null array) are 0.
void readColor(JNIEnv* env, jfloatArray color, jfloat rgb[3]) {
  if (color != nullptr) env->GetFloatArrayRegion(color, 0, std::min<jsize>(3, env->GetArrayLength(color)), rgb);
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
  readColor(env, color, rgb);
  int wrap = wrapWidth;
  const Utf8 chars(env, text);
  if (chars) XPLMDrawString(rgb, xOffset, yOffset, const_cast<char*>(chars.c_str()), &wrap, fontId);
}

namespace {
// units[0..count) in UTF-8, through the byte buffer kept from call to call;
// `rgb` holds the three components. A wrap width of 0 or less passes no width.
void drawUnits(jfloat rgb[3], jint xOffset, jint yOffset, const jchar* units, jsize count, jint wrapWidth,
               jint fontId) {
  TextScratch& scratch = textScratch();
  if (!scratch.reserve(static_cast<size_t>(count))) return;  // no memory: nothing drawn
  encodeUtf8(units, static_cast<size_t>(count), scratch.bytes());
  int wrap = wrapWidth;
  XPLMDrawString(rgb, xOffset, yOffset, scratch.bytes(), wrapWidth > 0 ? &wrap : nullptr, fontId);
}

// A length below 0 or past the array is cut to the array (of at least 0).
jsize unitsToDraw(jint length, jsize available) {
  if (available < 0) available = 0;
  return length < 0 || length > available ? available : length;
}
}  // namespace

// text[0..length) in UTF-8, through buffers kept from call to call. A length
// below 0 or past the array is cut to the array; a null array draws nothing. A
// wrap width of 0 or less passes no width: no wrapping.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_drawCharsN(JNIEnv* env, jclass,
                                                                                  jfloatArray color, jint xOffset,
                                                                                  jint yOffset, jcharArray text,
                                                                                  jint length, jint wrapWidth,
                                                                                  jint fontId) {
  if (offHostThread(env)) return;
  if (text == nullptr) return;
  const jsize count = unitsToDraw(length, env->GetArrayLength(text));
  TextScratch& scratch = textScratch();
  if (!scratch.reserve(static_cast<size_t>(count))) return;  // no memory: nothing drawn
  jfloat rgb[3] = {0, 0, 0};
  readColor(env, color, rgb);
  env->GetCharArrayRegion(text, 0, count, scratch.units());
  drawUnits(rgb, xOffset, yOffset, scratch.units(), count, wrapWidth, fontId);
}

// The same for compiled Java with -XX:+CriticalJNINatives: each array arrives
// as its length and its elements, in place (a null array as 0 and null), so no
// JNI call is made. Off the host thread it draws nothing (it cannot throw).
extern "C" JNIEXPORT void JNICALL JavaCritical_com_brevanto_qovin_graphics_XPlaneGraphics_drawCharsN(
    jint colorLength, jfloat* color, jint xOffset, jint yOffset, jint textLength, jchar* text, jint length,
    jint wrapWidth, jint fontId) {
  if (!onHostThread() || text == nullptr) return;
  jfloat rgb[3] = {0, 0, 0};
  if (color != nullptr && colorLength > 0) std::copy(color, color + std::min<jint>(3, colorLength), rgb);
  drawUnits(rgb, xOffset, yOffset, text, unitsToDraw(length, textLength), wrapWidth, fontId);
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

// The colour is read, never written: components missing from a short (or
// null) array are 0.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_drawNumber(
    JNIEnv* env, jclass, jfloatArray color, jint xOffset, jint yOffset, jdouble value, jint digits, jint decimals,
    jboolean showSign, jint fontId) {
  if (offHostThread(env)) return;
  jfloat rgb[3] = {0, 0, 0};
  readColor(env, color, rgb);
  XPLMDrawNumber(rgb, xOffset, yOffset, value, digits, decimals, showSign ? 1 : 0, fontId);
}

// Width, height, digits-only into the first three elements; a shorter array
// gets what fits, a null one nothing. What the simulator leaves unwritten is 0.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_getFontDimensionsN(JNIEnv* env, jclass,
                                                                                        jint fontId,
                                                                                        jintArray out) {
  if (offHostThread(env)) return;
  int values[3] = {0, 0, 0};
  XPLMGetFontDimensions(fontId, &values[0], &values[1], &values[2]);
  if (out != nullptr) env->SetIntArrayRegion(out, 0, std::min<jsize>(3, env->GetArrayLength(out)), values);
}

// text[0..length) in UTF-8 through the buffers drawChars keeps; the simulator
// is given the byte count, with no terminator to rely on. A length below 0 or
// past the array is cut to the array; a null array measures 0.
JNIEXPORT jfloat JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_measureChars(JNIEnv* env, jclass,
                                                                                     jint fontId, jcharArray text,
                                                                                     jint length) {
  if (offHostThread(env)) return 0;
  if (text == nullptr) return 0;
  const jsize available = env->GetArrayLength(text);
  const jsize count = length < 0 || length > available ? available : length;
  TextScratch& scratch = textScratch();
  if (!scratch.reserve(static_cast<size_t>(count))) return 0;
  env->GetCharArrayRegion(text, 0, count, scratch.units());
  const size_t bytes = encodeUtf8(scratch.units(), static_cast<size_t>(count), scratch.bytes());
  return XPLMMeasureString(fontId, scratch.bytes(), static_cast<int>(bytes));
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_graphics_XPlaneGraphics_getTextureN(JNIEnv* env, jclass, jint id) {
  if (offHostThread(env)) return 0;
  return XPLMGetTexture(id);
}
