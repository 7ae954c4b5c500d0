// libqovin-testkit.so, continued: the stand-in's maps and aircraft access for
// Java (com.brevanto.qovin.testkit.StandInMaps).
#include <XPLMPlanes.h>
#include <jni.h>

#include <string>
#include <vector>

#include "com_brevanto_qovin_testkit_StandInMaps.h"
#include "utf8.h"
#include "xplmsim/maps.h"
#include "xplmsim/planes.h"
#include "xplmsim/sim.h"

namespace {

std::string text(JNIEnv* env, jstring value) { return Utf8(env, value).orEmpty(); }

jfloatArray javaFloats(JNIEnv* env, const std::vector<float>& values) {
  jfloatArray out = env->NewFloatArray(static_cast<jsize>(values.size()));
  if (out != nullptr) env->SetFloatArrayRegion(out, 0, static_cast<jsize>(values.size()), values.data());
  return out;
}

std::string layerName(void* layer) {
  for (const xplmsim::MapLayerInfo& info : xplmsim::mapLayers()) {
    if (info.id == layer) return info.name;
  }
  return "";
}

}  // namespace

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandInMaps_openMap(JNIEnv* env, jclass, jstring map) {
  return xplmsim::openMap(text(env, map)) ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandInMaps_closeMap(JNIEnv* env, jclass, jstring map) {
  return xplmsim::closeMap(text(env, map)) ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandInMaps_setMapArea(JNIEnv* env, jclass, jstring map,
                                                                                 jfloat left, jfloat top,
                                                                                 jfloat right, jfloat bottom) {
  return xplmsim::setMapArea(text(env, map), left, top, right, bottom) ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jobjectArray JNICALL Java_com_brevanto_qovin_testkit_StandInMaps_mapLayers(JNIEnv* env, jclass) {
  std::vector<std::string> names;
  for (const xplmsim::MapLayerInfo& info : xplmsim::mapLayers()) {
    names.push_back(info.map + "/" + (info.type == 0 ? "fill" : "markings") + "/" + info.name);
  }
  return newJavaStrings(env, names);
}

JNIEXPORT jobjectArray JNICALL Java_com_brevanto_qovin_testkit_StandInMaps_iconTexts(JNIEnv* env, jclass,
                                                                                    jstring map) {
  std::vector<std::string> texts;
  for (const xplmsim::MapIcon& icon : xplmsim::mapIcons(text(env, map))) {
    texts.push_back(layerName(icon.layer));
    texts.push_back(icon.pngPath);
  }
  return newJavaStrings(env, texts);
}

JNIEXPORT jfloatArray JNICALL Java_com_brevanto_qovin_testkit_StandInMaps_iconNumbers(JNIEnv* env, jclass,
                                                                                     jstring map) {
  std::vector<float> numbers;
  for (const xplmsim::MapIcon& i : xplmsim::mapIcons(text(env, map))) {
    numbers.insert(numbers.end(), {static_cast<float>(i.s), static_cast<float>(i.t), static_cast<float>(i.ds),
                                   static_cast<float>(i.dt), i.x, i.y, static_cast<float>(i.orientation), i.rotation,
                                   i.width});
  }
  return javaFloats(env, numbers);
}

JNIEXPORT jobjectArray JNICALL Java_com_brevanto_qovin_testkit_StandInMaps_labelTexts(JNIEnv* env, jclass,
                                                                                     jstring map) {
  std::vector<std::string> texts;
  for (const xplmsim::MapLabel& label : xplmsim::mapLabels(text(env, map))) {
    texts.push_back(layerName(label.layer));
    texts.push_back(label.text);
  }
  return newJavaStrings(env, texts);
}

JNIEXPORT jfloatArray JNICALL Java_com_brevanto_qovin_testkit_StandInMaps_labelNumbers(JNIEnv* env, jclass,
                                                                                      jstring map) {
  std::vector<float> numbers;
  for (const xplmsim::MapLabel& l : xplmsim::mapLabels(text(env, map))) {
    numbers.insert(numbers.end(), {l.x, l.y, static_cast<float>(l.orientation), l.rotation});
  }
  return javaFloats(env, numbers);
}

JNIEXPORT jintArray JNICALL Java_com_brevanto_qovin_testkit_StandInMaps_aircraft(JNIEnv* env, jclass) {
  int total = 0, active = 0, controller = 0;
  {
    xplmsim::CallerScope asSimulator(0);  // made as the simulator, not as the plugin
    XPLMCountAircraft(&total, &active, &controller);
  }
  const jint values[4] = {total, active, controller, xplmsim::planesWaiting()};
  jintArray out = env->NewIntArray(4);
  if (out != nullptr) env->SetIntArrayRegion(out, 0, 4, values);
  return out;
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandInMaps_otherPluginAcquiresPlanes(JNIEnv*, jclass) {
  xplmsim::CallerScope other(xplmsim::kOtherPlugin);
  return XPLMAcquirePlanes(nullptr, nullptr, nullptr) == 1 ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandInMaps_otherPluginReleasesPlanes(JNIEnv*, jclass) {
  xplmsim::CallerScope other(xplmsim::kOtherPlugin);
  XPLMReleasePlanes();
}
