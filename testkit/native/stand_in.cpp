// libqovin-testkit.so: the stand-in simulator's control API for Java
// (com.brevanto.qovin.testkit.StandIn). Loaded before the bridge, it makes the
// stand-in's symbols global, so that the bridge's XPLM functions bind to them.
#include <XPLMDataAccess.h>
#include <XPLMDefs.h>
#include <XPLMDisplay.h>
#include <XPLMPlugin.h>
#include <dlfcn.h>
#include <jni.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "com_brevanto_qovin_testkit_StandIn.h"
#include "utf8.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/display.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/graphics.h"
#include "xplmsim/hot_keys.h"
#include "xplmsim/keys.h"
#include "xplmsim/loader.h"
#include "xplmsim/menus.h"
#include "xplmsim/navigation.h"
#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

namespace {

// The largest array or byte dataref the kit reads through XPLM in one call.
constexpr int kMaxElements = 1 << 16;

std::string text(JNIEnv* env, jstring value) { return Utf8(env, value).orEmpty(); }

std::vector<std::string> texts(JNIEnv* env, jobjectArray values) {
  std::vector<std::string> out;
  const jsize count = values == nullptr ? 0 : env->GetArrayLength(values);
  for (jsize i = 0; i < count; ++i) {
    auto value = static_cast<jstring>(env->GetObjectArrayElement(values, i));
    out.push_back(text(env, value));
    env->DeleteLocalRef(value);
  }
  return out;
}

jstring javaText(JNIEnv* env, const std::string& value) { return newJavaString(env, value.data(), value.size()); }

// Every element of an array dataref (at most kMaxElements), read as another
// plugin reads it: the size first, then the values.
template <typename T, typename Read>
std::vector<T> readAll(XPLMDataRef ref, Read read) {
  std::vector<T> values(static_cast<size_t>(std::clamp(read(ref, nullptr, 0, 0), 0, kMaxElements)));
  const int count = read(ref, values.data(), 0, static_cast<int>(values.size()));
  values.resize(static_cast<size_t>(std::clamp(count, 0, static_cast<int>(values.size()))));
  return values;
}

jfloatArray javaFloats(JNIEnv* env, const std::vector<float>& values) {
  jfloatArray out = env->NewFloatArray(static_cast<jsize>(values.size()));
  if (out != nullptr) env->SetFloatArrayRegion(out, 0, static_cast<jsize>(values.size()), values.data());
  return out;
}

jintArray javaInts(JNIEnv* env, const std::vector<int>& values) {
  jintArray out = env->NewIntArray(static_cast<jsize>(values.size()));
  if (out != nullptr) {
    std::vector<jint> copy(values.begin(), values.end());
    env->SetIntArrayRegion(out, 0, static_cast<jsize>(copy.size()), copy.data());
  }
  return out;
}

jbyteArray javaBytes(JNIEnv* env, const std::vector<uint8_t>& values) {
  jbyteArray out = env->NewByteArray(static_cast<jsize>(values.size()));
  if (out != nullptr) {
    env->SetByteArrayRegion(out, 0, static_cast<jsize>(values.size()), reinterpret_cast<const jbyte*>(values.data()));
  }
  return out;
}

std::vector<float> floats(JNIEnv* env, jfloatArray values) {
  std::vector<float> out(values == nullptr ? 0 : env->GetArrayLength(values));
  if (!out.empty()) env->GetFloatArrayRegion(values, 0, static_cast<jsize>(out.size()), out.data());
  return out;
}

std::vector<int> ints(JNIEnv* env, jintArray values) {
  std::vector<jint> copy(values == nullptr ? 0 : env->GetArrayLength(values));
  if (!copy.empty()) env->GetIntArrayRegion(values, 0, static_cast<jsize>(copy.size()), copy.data());
  return std::vector<int>(copy.begin(), copy.end());
}

std::vector<uint8_t> bytes(JNIEnv* env, jbyteArray values) {
  std::vector<uint8_t> out(values == nullptr ? 0 : env->GetArrayLength(values));
  if (!out.empty()) env->GetByteArrayRegion(values, 0, static_cast<jsize>(out.size()), reinterpret_cast<jbyte*>(out.data()));
  return out;
}

XPLMDataRef find(JNIEnv* env, jstring name) { return XPLMFindDataRef(text(env, name).c_str()); }

// The menu item at the end of `path`, from the plugins menu, or null.
const xplmsim::MenuItemInfo* menuItem(const std::vector<xplmsim::MenuInfo>& all, const std::vector<std::string>& path) {
  if (all.empty() || path.empty()) return nullptr;
  const xplmsim::MenuInfo* menu = &all.front();
  for (size_t i = 0; i < path.size(); ++i) {
    const auto item = std::find_if(menu->items.begin(), menu->items.end(),
                                   [&](const xplmsim::MenuItemInfo& candidate) { return candidate.name == path[i]; });
    if (item == menu->items.end()) return nullptr;
    if (i + 1 == path.size()) return &*item;
    const auto next = std::find_if(all.begin(), all.end(),
                                   [&](const xplmsim::MenuInfo& candidate) { return candidate.id == item->submenu; });
    if (item->submenu == nullptr || next == all.end()) return nullptr;
    menu = &*next;
  }
  return nullptr;
}

}  // namespace

// The JVM loads libraries with RTLD_LOCAL: the stand-in this library needs
// would stay invisible to the bridge loaded after it. Loading it again as
// global (it is already loaded: RTLD_NOLOAD) puts its XPLM symbols in the
// process's global scope.
extern "C" JNIEXPORT jint JNICALL JNI_OnLoad(JavaVM*, void*) {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&xplmsim::reset), &info) == 0 || info.dli_fname == nullptr) return JNI_ERR;
  if (dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD | RTLD_GLOBAL) == nullptr) return JNI_ERR;
  return JNI_VERSION_1_8;
}

extern "C" {

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_reset(JNIEnv*, jclass) { xplmsim::reset(); }

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_runFrames(JNIEnv*, jclass, jint count, jfloat seconds) {
  xplmsim::runFrames(count, seconds);
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_testkit_StandIn_frameCount(JNIEnv*, jclass) {
  return xplmsim::frameCount();
}

JNIEXPORT jstring JNICALL Java_com_brevanto_qovin_testkit_StandIn_debugLog(JNIEnv* env, jclass) {
  return javaText(env, xplmsim::debugLog());
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_testkit_StandIn_callCount(JNIEnv* env, jclass, jstring function) {
  return static_cast<jint>(xplmsim::callsTo(text(env, function)).size());
}

JNIEXPORT jstring JNICALL Java_com_brevanto_qovin_testkit_StandIn_registrationsHeld(JNIEnv* env, jclass) {
  return javaText(env, xplmsim::registrationsOf(xplmsim::kHostPlugin).summary());
}

// --- datarefs ---------------------------------------------------------------

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_testkit_StandIn_dataRefTypes(JNIEnv* env, jclass, jstring name) {
  return xplmsim::dataRefInfo(text(env, name)).types;
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandIn_isPublished(JNIEnv* env, jclass, jstring name) {
  return xplmsim::dataRefInfo(text(env, name)).published ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jdouble JNICALL Java_com_brevanto_qovin_testkit_StandIn_scalarValue(JNIEnv* env, jclass, jstring name) {
  return xplmsim::scalarValue(text(env, name));
}

JNIEXPORT jfloatArray JNICALL Java_com_brevanto_qovin_testkit_StandIn_floatArrayValue(JNIEnv* env, jclass,
                                                                                     jstring name) {
  return javaFloats(env, xplmsim::floatArrayValue(text(env, name)));
}

JNIEXPORT jintArray JNICALL Java_com_brevanto_qovin_testkit_StandIn_intArrayValue(JNIEnv* env, jclass, jstring name) {
  return javaInts(env, xplmsim::intArrayValue(text(env, name)));
}

JNIEXPORT jbyteArray JNICALL Java_com_brevanto_qovin_testkit_StandIn_dataValue(JNIEnv* env, jclass, jstring name) {
  return javaBytes(env, xplmsim::dataValue(text(env, name)));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_setScalar(JNIEnv* env, jclass, jstring name,
                                                                         jdouble value) {
  xplmsim::setScalar(text(env, name), value);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_setFloatArray(JNIEnv* env, jclass, jstring name,
                                                                             jfloatArray values) {
  xplmsim::setFloatArray(text(env, name), floats(env, values));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_setIntArray(JNIEnv* env, jclass, jstring name,
                                                                           jintArray values) {
  xplmsim::setIntArray(text(env, name), ints(env, values));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_setData(JNIEnv* env, jclass, jstring name,
                                                                       jbyteArray values) {
  xplmsim::setData(text(env, name), bytes(env, values));
}

JNIEXPORT jdouble JNICALL Java_com_brevanto_qovin_testkit_StandIn_readNumber(JNIEnv* env, jclass, jint plugin,
                                                                             jstring name) {
  xplmsim::CallerScope as(plugin);
  XPLMDataRef ref = find(env, name);
  const int types = XPLMGetDataRefTypes(ref);
  if ((types & xplmType_Double) != 0) return XPLMGetDatad(ref);
  if ((types & xplmType_Float) != 0) return XPLMGetDataf(ref);
  return XPLMGetDatai(ref);
}

JNIEXPORT jfloatArray JNICALL Java_com_brevanto_qovin_testkit_StandIn_readFloats(JNIEnv* env, jclass, jint plugin,
                                                                                 jstring name) {
  xplmsim::CallerScope as(plugin);
  return javaFloats(env, readAll<float>(find(env, name), XPLMGetDatavf));
}

JNIEXPORT jintArray JNICALL Java_com_brevanto_qovin_testkit_StandIn_readInts(JNIEnv* env, jclass, jint plugin,
                                                                             jstring name) {
  xplmsim::CallerScope as(plugin);
  return javaInts(env, readAll<int>(find(env, name), XPLMGetDatavi));
}

JNIEXPORT jbyteArray JNICALL Java_com_brevanto_qovin_testkit_StandIn_readBytes(JNIEnv* env, jclass, jint plugin,
                                                                               jstring name) {
  xplmsim::CallerScope as(plugin);
  return javaBytes(env, readAll<uint8_t>(find(env, name), [](XPLMDataRef ref, uint8_t* out, int offset, int max) {
                     return XPLMGetDatab(ref, out, offset, max);
                   }));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_writeNumber(JNIEnv* env, jclass, jint plugin,
                                                                           jstring name, jdouble value) {
  xplmsim::CallerScope as(plugin);
  XPLMDataRef ref = find(env, name);
  const int types = XPLMGetDataRefTypes(ref);
  if ((types & xplmType_Double) != 0) {
    XPLMSetDatad(ref, value);
  } else if ((types & xplmType_Float) != 0) {
    XPLMSetDataf(ref, static_cast<float>(value));
  } else {
    XPLMSetDatai(ref, static_cast<int>(value));
  }
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_writeFloats(JNIEnv* env, jclass, jint plugin,
                                                                           jstring name, jfloatArray values) {
  xplmsim::CallerScope as(plugin);
  std::vector<float> copy = floats(env, values);
  XPLMSetDatavf(find(env, name), copy.data(), 0, static_cast<int>(copy.size()));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_writeInts(JNIEnv* env, jclass, jint plugin,
                                                                         jstring name, jintArray values) {
  xplmsim::CallerScope as(plugin);
  std::vector<int> copy = ints(env, values);
  XPLMSetDatavi(find(env, name), copy.data(), 0, static_cast<int>(copy.size()));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_writeBytes(JNIEnv* env, jclass, jint plugin,
                                                                          jstring name, jbyteArray values) {
  xplmsim::CallerScope as(plugin);
  std::vector<uint8_t> copy = bytes(env, values);
  XPLMSetDatab(find(env, name), copy.data(), 0, static_cast<int>(copy.size()));
}

// --- commands, messages -----------------------------------------------------

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandIn_commandExists(JNIEnv* env, jclass,
                                                                                 jstring name) {
  const std::string wanted = text(env, name);
  const auto all = xplmsim::commands();
  return std::any_of(all.begin(), all.end(), [&](const xplmsim::CommandInfo& c) { return c.name == wanted; })
             ? JNI_TRUE
             : JNI_FALSE;
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_commandBegin(JNIEnv* env, jclass, jstring name) {
  xplmsim::commandBegin(text(env, name));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_commandEnd(JNIEnv* env, jclass, jstring name) {
  xplmsim::commandEnd(text(env, name));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_commandOnce(JNIEnv* env, jclass, jstring name) {
  xplmsim::commandOnce(text(env, name));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_sendSimulatorMessage(JNIEnv*, jclass, jint message,
                                                                                    jlong param) {
  xplmsim::sendSimulatorMessage(message, reinterpret_cast<void*>(static_cast<intptr_t>(param)));
}

// --- input, menus, windows, drawing -----------------------------------------

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandIn_click(JNIEnv*, jclass, jint x, jint y,
                                                                         jboolean right) {
  return xplmsim::click(x, y, right == JNI_TRUE).window != nullptr ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandIn_turnWheel(JNIEnv*, jclass, jint x, jint y,
                                                                             jint clicks) {
  return xplmsim::turnWheel(x, y, 0, clicks).window != nullptr ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandIn_pressKey(JNIEnv*, jclass, jchar key,
                                                                            jchar virtualKey) {
  const xplmsim::KeyResult down =
      xplmsim::pressKey(static_cast<char>(key), xplm_DownFlag, static_cast<char>(virtualKey));
  xplmsim::pressKey(static_cast<char>(key), xplm_UpFlag, static_cast<char>(virtualKey));
  return down.taker != xplmsim::KeyTaker::Simulator ? JNI_TRUE : JNI_FALSE;
}

// Key down, then key up, with the modifiers; true if a sniffer, window or hot key took the down.
JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandIn_pressCombination(JNIEnv*, jclass, jint virtualKey,
                                                                                    jint flags) {
  const char key = static_cast<char>(virtualKey);
  const xplmsim::KeyResult down = xplmsim::pressKey(key, (flags & 7) | xplm_DownFlag, key);
  xplmsim::pressKey(key, (flags & 7) | xplm_UpFlag, key);
  return down.taker != xplmsim::KeyTaker::Simulator ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jobjectArray JNICALL Java_com_brevanto_qovin_testkit_StandIn_hotKeyDescriptions(JNIEnv* env, jclass) {
  std::vector<std::string> descriptions;
  for (const xplmsim::HotKeyInfo& hotKey : xplmsim::hotKeys()) descriptions.push_back(hotKey.description);
  return newJavaStrings(env, descriptions);
}

// Four numbers per monitor; a null array leaves no monitor, extra numbers are ignored.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_setMonitors(JNIEnv* env, jclass, jintArray bounds) {
  std::vector<xplmsim::Monitor> monitors;
  const jsize count = bounds == nullptr ? 0 : env->GetArrayLength(bounds);
  for (jsize i = 0; i + 3 < count; i += 4) {
    jint b[4];
    env->GetIntArrayRegion(bounds, i, 4, b);
    monitors.push_back(xplmsim::Monitor{b[0], b[1], b[2], b[3], true});
  }
  xplmsim::setMonitors(monitors);
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_testkit_StandIn_menuItemEnabled(JNIEnv* env, jclass,
                                                                               jobjectArray path) {
  const std::vector<xplmsim::MenuInfo> all = xplmsim::menus();
  const xplmsim::MenuItemInfo* item = menuItem(all, texts(env, path));
  return item == nullptr ? -1 : (item->enabled ? 1 : 0);
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandIn_featureEnabled(JNIEnv* env, jclass,
                                                                                  jstring name) {
  const Utf8 text(env, name);
  const xplmsim::CallerScope asHost(xplmsim::kHostPlugin);
  return text && XPLMIsFeatureEnabled(text.c_str()) != 0 ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandIn_pickMenuPath(JNIEnv* env, jclass,
                                                                                jobjectArray path) {
  return xplmsim::pickMenuPath(texts(env, path)) ? JNI_TRUE : JNI_FALSE;
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_testkit_StandIn_menuItemCheck(JNIEnv* env, jclass,
                                                                             jobjectArray path) {
  const std::vector<xplmsim::MenuInfo> all = xplmsim::menus();
  const xplmsim::MenuItemInfo* item = menuItem(all, texts(env, path));
  return item == nullptr ? -1 : item->check;
}

JNIEXPORT jobjectArray JNICALL Java_com_brevanto_qovin_testkit_StandIn_windowTitles(JNIEnv* env, jclass) {
  std::vector<std::string> titles;
  for (const xplmsim::WindowInfo& window : xplmsim::windows()) titles.push_back(window.title);
  return newJavaStrings(env, titles);
}

JNIEXPORT jobjectArray JNICALL Java_com_brevanto_qovin_testkit_StandIn_drawnStrings(JNIEnv* env, jclass) {
  std::vector<std::string> drawn;
  for (const xplmsim::DrawnString& string : xplmsim::drawnStrings()) drawn.push_back(string.text);
  return newJavaStrings(env, drawn);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_clearDrawings(JNIEnv*, jclass) {
  xplmsim::clearDrawings();
}

// --- camera, navigation -------------------------------------------------------

JNIEXPORT jfloatArray JNICALL Java_com_brevanto_qovin_testkit_StandIn_cameraPosition(JNIEnv* env, jclass) {
  const XPLMCameraPosition_t p = xplmsim::cameraPosition();
  return javaFloats(env, {p.x, p.y, p.z, p.pitch, p.heading, p.roll, p.zoom});
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_userChangesView(JNIEnv*, jclass) {
  xplmsim::userChangesView();
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_testkit_StandIn_cameraCallbacks(JNIEnv*, jclass) {
  return xplmsim::cameraCallbacks();
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_testkit_StandIn_addNavaid(JNIEnv* env, jclass, jint type, jstring id,
                                                                         jstring name, jfloat latitude,
                                                                         jfloat longitude, jint frequency) {
  xplmsim::Navaid navaid;
  navaid.type = type;
  navaid.id = text(env, id);
  navaid.name = text(env, name);
  navaid.latitude = latitude;
  navaid.longitude = longitude;
  navaid.frequency = frequency;
  return xplmsim::addNavaid(navaid);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_clearNavaids(JNIEnv*, jclass) {
  xplmsim::clearNavaids();
}

JNIEXPORT jboolean JNICALL Java_com_brevanto_qovin_testkit_StandIn_setGpsDestination(JNIEnv* env, jclass,
                                                                                     jstring id) {
  const int ref = xplmsim::navaidById(text(env, id));
  if (ref < 0) return JNI_FALSE;
  xplmsim::setGpsDestination(ref);
  return JNI_TRUE;
}

JNIEXPORT jobjectArray JNICALL Java_com_brevanto_qovin_testkit_StandIn_flightPlan(JNIEnv* env, jclass) {
  std::vector<std::string> ids;
  for (const xplmsim::FmsEntry& entry : xplmsim::fmsEntries()) ids.push_back(entry.id);
  return newJavaStrings(env, ids);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_testkit_StandIn_clearFlightPlan(JNIEnv*, jclass) { xplmsim::clearFms(); }

}  // extern "C"
