// Long runs: every callback the simulator makes into Java, and every native
// that makes Java objects, called QOVIN_SOAK_ITERATIONS times (100,000 unless
// set), measured for local references, Java heap and native memory; and
// register/unregister cycles of every callback kind, measured for global
// references.
#include <XPLMDataAccess.h>
#include <XPLMMap.h>
#include <XPLMPlanes.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>

#include "jvm_harness.h"
#include "xplmsim/datarefs.h"
#include "xplmsim/display.h"
#include "xplmsim/flightloops.h"
#include "xplmsim/hot_keys.h"
#include "xplmsim/keys.h"
#include "xplmsim/maps.h"
#include "xplmsim/menus.h"
#include "xplmsim/scenery.h"
#include "xplmsim/sim.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of bytes its allocator has handed out and not
// taken back (declared in <sanitizer/allocator_interface.h>, which not every
// compiler installation ships).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace qovintest;
namespace sim = xplmsim;

namespace {

constexpr const char* kSoak = "com/brevanto/qovin/testing/Soak";

long soakIterations() {
  const char* text = std::getenv("QOVIN_SOAK_ITERATIONS");
  const long count = text != nullptr ? std::atol(text) : 0;
  return count > 0 ? count : 100000;
}

// Bytes the C allocator has handed out and not taken back, process-wide (the
// JVM's own allocations included).
long long nativeBytesInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return static_cast<long long>(__sanitizer_get_current_allocated_bytes());
#else
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long long>(info.uordblks + info.hblkhd);
#endif
}

// What the JVM writes to standard output (checked JNI's warnings among it)
// while `action` runs, kept out of the test's own output.
std::string jvmOutputDuring(const std::function<void()>& action) {
  std::fflush(stdout);
  FILE* file = std::tmpfile();
  const int saved = dup(1);
  dup2(fileno(file), 1);
  action();
  std::fflush(stdout);
  dup2(saved, 1);
  close(saved);
  std::string text;
  std::rewind(file);
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) text.push_back(static_cast<char>(c));
  std::fclose(file);
  return text;
}

class SoakTest : public BridgeTest {
 protected:
  void SetUp() override {
    BridgeTest::SetUp();
    soak = findClass(kSoak);
  }
  void TearDown() override {
    sim::setRecording(true);
    BridgeTest::TearDown();
  }

  long long heapInUse() { return callStatic<jlong>(soak, staticMethod(soak, "heapUsedAfterGc", "()J")); }
  long long globalRefs() { return callStatic<jlong>(soak, staticMethod(soak, "jniGlobalRefs", "()J")); }

  // Runs `calls(n)` (n calls of one kind) once to warm up, then measures runs
  // of `iterations` calls. A run must leave no local reference behind: none
  // live on the thread afterwards, and checked JNI never complained during
  // it. The Java heap after collection and
  // the native memory in use must grow by less than an allowance of 256 KiB:
  // a Java object (16 bytes at least) or an allocation (32) left behind per
  // call would grow them by 1.6 or 3.2 MB in 100,000 calls. One-time growth
  // (the JIT compiling, a collector resizing) is told apart from a leak by
  // measuring again: a leak grows in every run.
  void soakRun(const char* what, const std::function<void(long)>& calls) {
    const long n = iterations;
    sim::setRecording(false);
    calls(std::max(n / 5, 5000L));
    for (int run = 1; run <= 3; ++run) {
      const long long heapBefore = heapInUse();
      const long long nativeBefore = nativeBytesInUse();
      ASSERT_EQ(env()->PushLocalFrame(16), JNI_OK);
      const long below = liveLocalRefs();
      ASSERT_GE(below, 0);
      const std::string jvmSaid = jvmOutputDuring([&] { calls(n); });
      const long leftBehind = liveLocalRefs() - below;
      env()->PopLocalFrame(nullptr);
      const long long nativeGrowth = nativeBytesInUse() - nativeBefore;
      const long long heapGrowth = heapInUse() - heapBefore;
      std::cout << "[ soak     ] " << what << ": " << n << " calls; local refs left " << leftBehind << ", Java heap "
                << heapGrowth << " bytes, native memory " << nativeGrowth << " bytes" << std::endl;
      // Checked JNI's warnings (local references past capacity, calls with an
      // exception pending) would be printed here; nothing else prints either.
      EXPECT_TRUE(jvmSaid.empty()) << what << " printed:\n" << jvmSaid.substr(0, 4000);
      EXPECT_EQ(leftBehind, 0) << what;
      const bool last = run == 3;
      if (heapGrowth < kHeapAllowance && nativeGrowth < kNativeAllowance) break;
      if (last) {
        EXPECT_LT(heapGrowth, kHeapAllowance) << what;
        EXPECT_LT(nativeGrowth, kNativeAllowance) << what;
      }
    }
    sim::setRecording(true);
  }

  long field(jobject object, const char* name) {
    jclass cls = env()->GetObjectClass(object);
    const jlong value = env()->GetLongField(object, env()->GetFieldID(cls, name, "J"));
    env()->DeleteLocalRef(cls);
    expectNoPendingException();
    return static_cast<long>(value);
  }
  jobject counting(const char* nested) { return newObject((std::string(kSoak) + "$" + nested).c_str(), "()V"); }

  static constexpr long long kHeapAllowance = 256 * 1024;
  static constexpr long long kNativeAllowance = 256 * 1024;
  const long iterations = soakIterations();
  jclass soak = nullptr;
};

// The local reference meter itself: it counts exactly what a frame holds.
TEST_F(SoakTest, TheLocalReferenceMeterCountsExactly) {
  const long below = liveLocalRefs();
  ASSERT_GE(below, 0);
  for (int kept : {0, 1, 7, 40}) {
    ASSERT_EQ(env()->PushLocalFrame(16), JNI_OK);
    for (int i = 0; i < kept; ++i) env()->NewStringUTF("kept");
    EXPECT_EQ(liveLocalRefs() - below, kept);
    env()->PopLocalFrame(nullptr);
  }
  EXPECT_EQ(liveLocalRefs(), below);
}

// The global reference meter: one more global reference is one more in its count.
TEST_F(SoakTest, TheGlobalReferenceMeterCountsExactly) {
  globalRefs();
  const long long before = globalRefs();
  ASSERT_GT(before, 0) << "the thread dump has no count of global references";
  jobject global = env()->NewGlobalRef(soak);
  EXPECT_EQ(globalRefs(), before + 1);
  env()->DeleteGlobalRef(global);
  EXPECT_EQ(globalRefs(), before);
}

TEST_F(SoakTest, FlightLoops) {
  jobject loop = counting("Loop");
  callMethod<jlong>(loop, "register", "(F)J", -1.0f);
  soakRun("flight loop", [](long n) {
    for (long i = 0; i < n; ++i) sim::runFlightLoop(0.01f);
  });
  EXPECT_EQ(field(loop, "calls"), sim::flightLoopCounter());
  callMethod(loop, "unregisterAll", "()V");
}

TEST_F(SoakTest, CommandHandlersBeforeAndAfter) {
  jobject command = newObject("com/brevanto/qovin/testing/Soak$Command", "(Ljava/lang/String;)V",
                              env()->NewStringUTF("qovin/soak/command"));
  callMethod<jlong>(command, "registerHandler", "(Z)J", JNI_TRUE);
  callMethod<jlong>(command, "registerHandler", "(Z)J", JNI_FALSE);
  long executed = 0;
  soakRun("command handlers", [&](long n) {
    for (long i = 0; i < n; ++i) sim::commandOnce("qovin/soak/command");
    executed += n;
  });
  EXPECT_EQ(field(command, "before"), 2 * executed);  // begin and end
  EXPECT_EQ(field(command, "after"), 2 * executed);
  callMethod(command, "unregisterAllHandlers", "()V");
}

// One frame calls the draw callback, the window's draw callback and the camera
// controller once each.
TEST_F(SoakTest, DrawingWindowsAndTheCamera) {
  jobject draw = counting("Draw");
  const jlong drawRef = callMethod<jlong>(draw, "register", "(IZ)J", 20, JNI_TRUE);
  jobject window = counting("Window");
  callMethod<jlong>(window, "create", "(IIIIZ)J", 100, 300, 300, 100, JNI_TRUE);
  jobject camera = counting("Camera");
  jclass helper = findClass("com/brevanto/qovin/camera/XPlaneCameraControlHelper");
  callStatic(helper, staticMethod(helper, "controlCamera", "(Lcom/brevanto/qovin/camera/QOVINCameraControl;I)V"),
             camera, xplm_ControlCameraForever);
  long frames = 0;
  soakRun("draw, window draw and camera", [&](long n) {
    for (long i = 0; i < n; ++i) sim::drawFrame();
    frames += n;
  });
  EXPECT_EQ(field(draw, "calls"), frames);
  EXPECT_EQ(field(window, "draws"), frames);
  EXPECT_EQ(field(camera, "calls"), frames);
  EXPECT_EQ(sim::cameraPosition().heading, 5.0f);
  env()->SetBooleanField(camera, env()->GetFieldID(env()->GetObjectClass(camera), "giveUp", "Z"), JNI_TRUE);
  sim::drawFrame();
  callMethod<jint>(draw, "unregister", "(J)I", drawRef);
  callMethod(window, "destroy", "()V");
}

// A key goes through the sniffer (which passes it on) to the focused window;
// the mouse clicks, right-clicks, moves and turns its wheel over the window.
TEST_F(SoakTest, KeysAndMouse) {
  jobject sniffer = counting("Sniffer");
  const jlong snifferRef = callMethod<jlong>(sniffer, "register", "(Z)J", JNI_TRUE);
  jobject window = counting("Window");
  callMethod<jlong>(window, "create", "(IIIIZZI)J", 100, 300, 300, 100, JNI_TRUE, JNI_FALSE, 1);
  callMethod(window, "takeFocus", "()V");
  long rounds = 0;
  soakRun("key sniffer and window key, click, right click, cursor and wheel", [&](long n) {
    for (long i = 0; i < n; ++i) {
      sim::pressKey('a', xplm_DownFlag, 'A');
      sim::click(200, 200);
      sim::click(200, 200, true);
      sim::moveMouse(200, 200);
      sim::turnWheel(200, 200, 0, 1);
    }
    rounds += n;
  });
  EXPECT_EQ(field(sniffer, "calls"), rounds);
  EXPECT_EQ(field(window, "keys"), rounds);
  EXPECT_EQ(field(window, "clicks"), 2 * rounds);  // down and up
  EXPECT_EQ(field(window, "rightClicks"), 2 * rounds);
  EXPECT_EQ(field(window, "cursors"), rounds);
  EXPECT_EQ(field(window, "wheels"), rounds);
  callMethod<jint>(sniffer, "unregister", "(J)I", snifferRef);
  callMethod(window, "destroy", "()V");
}

// A hot key fires on each key-down while no window has the keyboard.
TEST_F(SoakTest, HotKeys) {
  jobject actions = newObject("com/brevanto/qovin/testing/HotKeyActions", "()V");
  jobject hotKey = callMethod<jobject>(actions, "counting", "(IILjava/lang/String;)Lcom/brevanto/qovin/display/HotKey;",
                                       'H', 0, env()->NewStringUTF("Soak"));
  long rounds = 0;
  soakRun("hot key", [&](long n) {
    for (long i = 0; i < n; ++i) sim::pressKey('h', xplm_DownFlag, 'H');
    rounds += n;
  });
  EXPECT_EQ(callMethod<jint>(actions, "presses", "()I"), rounds);
  callMethod(hotKey, "close", "()V");
}

// Each map frame calls a layer's draw, icon and label callbacks; each refused
// acquisition makes a global reference that its one call deletes.
TEST_F(SoakTest, MapLayersAndPlanesAvailable) {
  jobject counting = newObject("com/brevanto/qovin/testing/CountingMapLayer", "()V");
  jclass cls = findClass("com/brevanto/qovin/testing/CountingMapLayer");
  sim::openMap(XPLM_MAP_USER_INTERFACE);
  jobject layer = callStatic<jobject>(
      cls, staticMethod(cls, "create", "(Ljava/lang/String;Lcom/brevanto/qovin/testing/CountingMapLayer;)"
                                       "Lcom/brevanto/qovin/map/MapLayer;"),
      env()->NewStringUTF(XPLM_MAP_USER_INTERFACE), counting);
  ASSERT_NE(nullptr, layer);
  long frames = 0;
  soakRun("map layer frame", [&](long n) {
    for (long i = 0; i < n; ++i) sim::drawMaps();
    frames += n;
  });
  EXPECT_EQ(field(counting, "labels"), frames);
  long waits = 0;
  soakRun("planes available", [&](long n) {
    for (long i = 0; i < n; ++i) {
      {
        sim::CallerScope other(sim::kOtherPlugin);
        XPLMAcquirePlanes(nullptr, nullptr, nullptr);
      }
      callMethod<jboolean>(counting, "waitForPlanes", "()Z");
      sim::CallerScope other(sim::kOtherPlugin);
      XPLMReleasePlanes();
    }
    waits += n;
  });
  EXPECT_EQ(field(counting, "available"), waits);
  callMethod(layer, "close", "()V");
}

TEST_F(SoakTest, MenuPicks) {
  jclass menus = findClass("com/brevanto/qovin/menu/XPlaneMenu");
  jobject plugins = callStatic<jobject>(menus, staticMethod(menus, "plugins", "()Lcom/brevanto/qovin/menu/XPlaneMenu;"));
  jobject menu = callMethod<jobject>(plugins, "submenu", "(Ljava/lang/String;)Lcom/brevanto/qovin/menu/XPlaneMenu;",
                                     env()->NewStringUTF("Soak"));
  jobject item = newObject("com/brevanto/qovin/testing/CountingMenuItem", "(Ljava/lang/String;)V",
                           env()->NewStringUTF("Pick me"));
  callMethod<jint>(menu, "add", "(Lcom/brevanto/qovin/menu/MenuItem;)I", item);
  const auto id = reinterpret_cast<XPLMMenuID>(callMethod<jlong>(menu, "handle", "()J"));
  long picks = 0;
  soakRun("menu action", [&](long n) {
    for (long i = 0; i < n; ++i) sim::pickMenuItem(id, 0);
    picks += n;
  });
  EXPECT_EQ(callMethod<jint>(item, "picks", "()I"), picks);
  callMethod(menu, "destroy", "()V");
}

// Each load makes a global reference to its callback and a new object for the
// loaded handle; the callback unloads it again.
TEST_F(SoakTest, AsynchronousLoads) {
  jobject factory = newObject("com/brevanto/qovin/scenery/XPlaneSceneryFactory", "()V");
  jobject loads = counting("Loads");
  jclass cls = env()->GetObjectClass(factory);
  jmethodID load = env()->GetMethodID(cls, "loadObjectAsync",
                                      "(Ljava/lang/String;Lcom/brevanto/qovin/scenery/QOVINObjectLoadCallback;)V");
  jstring path = env()->NewStringUTF(sim::kFuelTruckObject);
  // Held loaded throughout, so that every load gives the same object (the
  // stand-in keeps a record of each object that was ever unloaded).
  const XPLMObjectRef held = XPLMLoadObject(sim::kFuelTruckObject);
  long requested = 0;
  soakRun("object loaded", [&](long n) {
    for (long i = 0; i < n; ++i) {
      env()->CallVoidMethod(factory, load, path, loads);
      if (env()->ExceptionCheck()) return;
      if (i % 100 == 99 || i == n - 1) sim::completePendingLoads();
    }
    requested += n;
  });
  expectNoPendingException();
  EXPECT_EQ(field(loads, "calls"), requested);
  EXPECT_EQ(sim::pendingLoads(), 0);
  XPLMUnloadObject(held);
}

// Another plugin reads and writes a Java-backed dataref of every type: each
// access is one call into the accessor (array reads with a null buffer ask for
// the size).
TEST_F(SoakTest, JavaBackedAccessors) {
  jobject accessor = newObject("com/brevanto/qovin/testing/RecordingAccessor", "()V");
  jclass cls = env()->GetObjectClass(accessor);
  env()->SetBooleanField(accessor, env()->GetFieldID(cls, "quiet", "Z"), JNI_TRUE);
  env()->SetObjectField(accessor, env()->GetFieldID(cls, "floats", "[F"), floatArray({1, 2, 3, 4}));
  env()->SetObjectField(accessor, env()->GetFieldID(cls, "ints", "[I"), intArray({1, 2, 3, 4}));
  env()->SetObjectField(accessor, env()->GetFieldID(cls, "bytes", "[B"), byteArray({'s', 'o', 'a', 'k'}));
  const int everyType = xplmType_Int | xplmType_Float | xplmType_Double | xplmType_FloatArray | xplmType_IntArray |
                        xplmType_Data;
  jobject ref = newObject("com/brevanto/qovin/data/JavaBackedDataRef",
                          "(Ljava/lang/String;IZLcom/brevanto/qovin/data/DataReadAccessor;"
                          "Lcom/brevanto/qovin/data/DataWriteAccessor;)V",
                          env()->NewStringUTF("qovin/soak/every_type"), everyType, JNI_TRUE, accessor, accessor);
  const XPLMDataRef h = XPLMFindDataRef("qovin/soak/every_type");
  ASSERT_NE(h, nullptr);
  long accesses = 0;
  soakRun("Java-backed accessors (15 per round)", [&](long n) {
    sim::CallerScope other(sim::kOtherPlugin);
    float floats[4] = {1, 2, 3, 4};
    int ints[4] = {1, 2, 3, 4};
    char bytes[4] = {'s', 'o', 'a', 'k'};
    for (long i = 0; i < n; ++i) {
      XPLMSetDatai(h, XPLMGetDatai(h) + 1);
      XPLMSetDataf(h, XPLMGetDataf(h) + 1);
      XPLMSetDatad(h, XPLMGetDatad(h) + 1);
      XPLMGetDatavf(h, floats, 0, 4);
      XPLMGetDatavf(h, nullptr, 0, 0);
      XPLMSetDatavf(h, floats, 0, 4);
      XPLMGetDatavi(h, ints, 0, 4);
      XPLMGetDatavi(h, nullptr, 0, 0);
      XPLMSetDatavi(h, ints, 0, 4);
      XPLMGetDatab(h, bytes, 0, 4);
      XPLMGetDatab(h, nullptr, 0, 0);
      XPLMSetDatab(h, bytes, 0, 4);
    }
    accesses += 15 * n;
  });
  EXPECT_EQ(field(accessor, "callCount"), accesses);
  callMethod(ref, "unregister", "()V");
}

// Published values that live in direct buffers: accesses never enter Java,
// and must cost no memory either.
TEST_F(SoakTest, DirectAccessors) {
  jclass direct = findClass("com/brevanto/qovin/data/DirectDataRef");
  jclass arrays = findClass("com/brevanto/qovin/data/DirectArrayDataRef");
  const char* scalarSig = "(Ljava/lang/String;F)Lcom/brevanto/qovin/data/DirectDataRef;";
  jobject f = callStatic<jobject>(direct, staticMethod(direct, "publishFloat", scalarSig),
                                  env()->NewStringUTF("qovin/soak/f"), 1.0f);
  jobject i = callStatic<jobject>(direct, staticMethod(direct, "publishInt", "(Ljava/lang/String;I)Lcom/brevanto/qovin/data/DirectDataRef;"),
                                  env()->NewStringUTF("qovin/soak/i"), 1);
  jobject d = callStatic<jobject>(direct, staticMethod(direct, "publishDouble", "(Ljava/lang/String;D)Lcom/brevanto/qovin/data/DirectDataRef;"),
                                  env()->NewStringUTF("qovin/soak/d"), 1.0);
  const char* arraySig = "(Ljava/lang/String;I)Lcom/brevanto/qovin/data/DirectArrayDataRef;";
  jobject fs = callStatic<jobject>(arrays, staticMethod(arrays, "publishFloats", arraySig),
                                   env()->NewStringUTF("qovin/soak/fs"), 8);
  jobject is = callStatic<jobject>(arrays, staticMethod(arrays, "publishInts", arraySig),
                                   env()->NewStringUTF("qovin/soak/is"), 8);
  const XPLMDataRef hf = XPLMFindDataRef("qovin/soak/f"), hi = XPLMFindDataRef("qovin/soak/i"),
                    hd = XPLMFindDataRef("qovin/soak/d"), hfs = XPLMFindDataRef("qovin/soak/fs"),
                    his = XPLMFindDataRef("qovin/soak/is");
  soakRun("direct accessors (10 per round)", [&](long n) {
    sim::CallerScope other(sim::kOtherPlugin);
    float floats[8] = {};
    int ints[8] = {};
    for (long k = 0; k < n; ++k) {
      XPLMSetDataf(hf, XPLMGetDataf(hf) + 1);
      XPLMSetDatai(hi, XPLMGetDatai(hi) + 1);
      XPLMSetDatad(hd, XPLMGetDatad(hd) + 1);
      XPLMSetDatavf(hfs, floats, 0, XPLMGetDatavf(hfs, floats, 0, 8));
      XPLMSetDatavi(his, ints, 0, XPLMGetDatavi(his, ints, 0, 8));
    }
  });
  EXPECT_GT(XPLMGetDataf(hf), static_cast<float>(iterations));
  for (jobject ref : {f, i, d, fs, is}) callMethod(ref, "unregister", "()V");
}

// Natives that answer with new Java objects, called from Java as a plugin
// calls them: navaids, FMS entries and the GPS destination; plugin infos and
// aircraft models; the camera's control duration; entries of a location array
// and probe results; text read from a dataref.
TEST_F(SoakTest, NativesThatMakeJavaObjects) {
  sim::defineData("qovin/soak/text", {'h', 'e', 'l', 'l', 'o'});
  jobject camera = counting("Camera");
  jclass helper = findClass("com/brevanto/qovin/camera/XPlaneCameraControlHelper");
  callStatic(helper, staticMethod(helper, "controlCamera", "(Lcom/brevanto/qovin/camera/QOVINCameraControl;I)V"),
             camera, xplm_ControlCameraForever);
  jobject locations = newObject("com/brevanto/qovin/scenery/XPlaneDrawInfo", "(I)V", 4);
  callMethod(locations, "set", "(IFFFFFF)V", 1, 1.0f, 2.0f, 3.0f, 4.0f, 5.0f, 6.0f);
  jobject factory = newObject("com/brevanto/qovin/scenery/XPlaneSceneryFactory", "()V");
  jobject probe = callMethod<jobject>(factory, "createProbe", "()Lcom/brevanto/qovin/scenery/XPlaneProbeRef;");
  jobject info = newObject("com/brevanto/qovin/testing/RecordingProbeInfo", "()V");

  const auto rounds = [](long n) { return static_cast<jint>(n); };
  soakRun("navigation (7 objects per round)", [&](long n) {
    EXPECT_GT(callStatic<jlong>(soak, staticMethod(soak, "navigation", "(I)J"), rounds(n)), 0);
  });
  soakRun("plugin infos and aircraft models", [&](long n) {
    EXPECT_GT(callStatic<jlong>(soak, staticMethod(soak, "pluginsAndPlanes", "(I)J"), rounds(n)), 0);
  });
  soakRun("camera control duration", [&](long n) {
    EXPECT_EQ(callStatic<jlong>(soak, staticMethod(soak, "cameraQueries", "(I)J"), rounds(n)), 2L * n);
  });
  soakRun("location entries and probe results", [&](long n) {
    callStatic<jdouble>(soak,
                        staticMethod(soak, "sceneryQueries",
                                     "(Lcom/brevanto/qovin/scenery/XPlaneDrawInfo;Lcom/brevanto/qovin/scenery/"
                                     "XPlaneProbeRef;Lcom/brevanto/qovin/testing/RecordingProbeInfo;I)D"),
                        locations, probe, info, rounds(n));
  });
  jstring textPath = env()->NewStringUTF("qovin/soak/text");
  soakRun("text reads", [&](long n) {
    EXPECT_EQ(callStatic<jlong>(soak, staticMethod(soak, "textReads", "(Ljava/lang/String;I)J"), textPath, rounds(n)),
              5L * n);
  });
  callMethod(locations, "free", "()V");
  callMethod(probe, "destroy", "()V");
  env()->SetBooleanField(camera, env()->GetFieldID(env()->GetObjectClass(camera), "giveUp", "Z"), JNI_TRUE);
  sim::drawFrame();
}

// One register/unregister cycle of a callback kind, with a fresh callback
// object that it returns (a local reference), and how many registrations of
// that kind the simulator holds.
struct CycledKind {
  const char* name;
  std::function<jobject()> cycle;
  std::function<int()> registrations;
};

// Every kind of callback is registered, called once and unregistered over and
// over. Measured: the JVM's count of JNI global references does not grow with
// the cycles (a reference kept per cycle would add one per cycle; the JVM's
// own transient ones may still make a difference of one or two), the
// simulator holds no registration, and the objects of the last cycle can be
// collected.
TEST_F(SoakTest, RegisterUnregisterCyclesKeepNoGlobalReferences) {
  jclass helper = findClass("com/brevanto/qovin/camera/XPlaneCameraControlHelper");
  jmethodID controlCamera =
      staticMethod(helper, "controlCamera", "(Lcom/brevanto/qovin/camera/QOVINCameraControl;I)V");
  jclass menus = findClass("com/brevanto/qovin/menu/XPlaneMenu");
  jmethodID pluginsMenu = staticMethod(menus, "plugins", "()Lcom/brevanto/qovin/menu/XPlaneMenu;");
  jclass direct = findClass("com/brevanto/qovin/data/DirectDataRef");
  jmethodID publishFloat =
      staticMethod(direct, "publishFloat", "(Ljava/lang/String;F)Lcom/brevanto/qovin/data/DirectDataRef;");
  jclass arrays = findClass("com/brevanto/qovin/data/DirectArrayDataRef");
  jmethodID publishFloats =
      staticMethod(arrays, "publishFloats", "(Ljava/lang/String;I)Lcom/brevanto/qovin/data/DirectArrayDataRef;");
  jobject factory = newObject("com/brevanto/qovin/scenery/XPlaneSceneryFactory", "()V");
  const auto text = [](const char* chars) { return env()->NewStringUTF(chars); };
  const auto published = [] {
    int count = 0;
    for (const sim::DataRefInfo& info : sim::dataRefs()) count += info.published ? 1 : 0;
    return count;
  };

  const std::vector<CycledKind> kinds = {
      {"flight loop",
       [&] {
         jobject o = counting("Loop");
         const jlong h = callMethod<jlong>(o, "register", "(F)J", -1.0f);
         sim::runFlightLoop(0.01f);
         callMethod<jboolean>(o, "unregister", "(J)Z", h);
         return o;
       },
       [] { return sim::flightLoopCount(); }},
      {"command handlers",
       [&] {
         jobject o = newObject("com/brevanto/qovin/testing/Soak$Command", "(Ljava/lang/String;)V",
                               text("qovin/soak/cycle"));
         const jlong before = callMethod<jlong>(o, "registerHandler", "(Z)J", JNI_TRUE);
         const jlong after = callMethod<jlong>(o, "registerHandler", "(Z)J", JNI_FALSE);
         sim::commandOnce("qovin/soak/cycle");
         callMethod<jboolean>(o, "unregisterHandler", "(J)Z", before);
         callMethod<jboolean>(o, "unregisterHandler", "(J)Z", after);
         return o;
       },
       [] {
         int handlers = 0;
         for (const sim::CommandInfo& c : sim::commands()) handlers += c.handlers;
         return handlers;
       }},
      {"draw callback",
       [&] {
         jobject o = counting("Draw");
         const jlong h = callMethod<jlong>(o, "register", "(IZ)J", 20, JNI_FALSE);
         sim::drawFrame();
         callMethod<jint>(o, "unregister", "(J)I", h);
         return o;
       },
       [] { return sim::drawCallbackCount(); }},
      {"key sniffer",
       [&] {
         jobject o = counting("Sniffer");
         const jlong h = callMethod<jlong>(o, "register", "(Z)J", JNI_FALSE);
         sim::pressKey('k', xplm_DownFlag, 'K');
         callMethod<jint>(o, "unregister", "(J)I", h);
         return o;
       },
       [] { return sim::keySnifferCount(); }},
      {"hot key",
       [&] {
         jobject actions = newObject("com/brevanto/qovin/testing/HotKeyActions", "()V");
         jobject o = callMethod<jobject>(actions, "counting",
                                         "(IILjava/lang/String;)Lcom/brevanto/qovin/display/HotKey;", 'K', 0,
                                         text("Cycle"));
         sim::pressKey('k', xplm_DownFlag, 'K');
         callMethod(o, "close", "()V");
         env()->DeleteLocalRef(actions);
         return o;
       },
       [] { return static_cast<int>(sim::hotKeys().size()); }},
      {"window",
       [&] {
         jobject o = counting("Window");
         callMethod<jlong>(o, "create", "(IIIIZZI)J", 100, 300, 300, 100, JNI_TRUE, JNI_TRUE, 1);
         sim::drawFrame();
         sim::click(200, 200);
         callMethod(o, "destroy", "()V");
         return o;
       },
       [] { return static_cast<int>(sim::windows().size()); }},
      {"menu and item",
       [&] {
         jobject plugins = callStatic<jobject>(menus, pluginsMenu);
         jobject menu = callMethod<jobject>(plugins, "submenu",
                                            "(Ljava/lang/String;)Lcom/brevanto/qovin/menu/XPlaneMenu;", text("Cycle"));
         jobject item =
             newObject("com/brevanto/qovin/testing/CountingMenuItem", "(Ljava/lang/String;)V", text("Item"));
         callMethod<jint>(menu, "add", "(Lcom/brevanto/qovin/menu/MenuItem;)I", item);
         sim::pickMenuItem(reinterpret_cast<XPLMMenuID>(callMethod<jlong>(menu, "handle", "()J")), 0);
         callMethod(menu, "destroy", "()V");
         return item;
       },
       [] {
         int count = 0;
         for (const sim::MenuInfo& m : sim::menus()) {
           count += m.owner != 0 ? 1 : 0;
           for (const sim::MenuItemInfo& item : m.items) count += item.owner == sim::kHostPlugin ? 1 : 0;
         }
         return count;
       }},
      {"camera controller",
       [&] {
         jobject o = counting("Camera");
         callStatic(helper, controlCamera, o, xplm_ControlCameraUntilViewChanges);
         sim::drawFrame();
         sim::userChangesView();
         return o;
       },
       [] { return XPLMIsCameraBeingControlled(nullptr); }},
      {"asynchronous load",
       [&] {
         jobject o = counting("Loads");
         callMethod(factory, "loadObjectAsync",
                    "(Ljava/lang/String;Lcom/brevanto/qovin/scenery/QOVINObjectLoadCallback;)V",
                    text(sim::kFuelTruckObject), o);
         sim::completePendingLoads();
         return o;
       },
       [] { return sim::pendingLoads(); }},
      {"Java-backed dataref",
       [&] {
         jobject accessor = newObject("com/brevanto/qovin/testing/RecordingAccessor", "()V");
         jobject ref = newObject("com/brevanto/qovin/data/JavaBackedDataRef",
                                 "(Ljava/lang/String;IZLcom/brevanto/qovin/data/DataReadAccessor;"
                                 "Lcom/brevanto/qovin/data/DataWriteAccessor;)V",
                                 text("qovin/soak/cycle"), xplmType_Int, JNI_TRUE, accessor, accessor);
         {
           sim::CallerScope other(sim::kOtherPlugin);
           XPLMSetDatai(XPLMFindDataRef("qovin/soak/cycle"), 1);
         }
         callMethod(ref, "unregister", "()V");
         return accessor;
       },
       published},
      {"direct dataref",
       [&] {
         jobject ref = callStatic<jobject>(direct, publishFloat, text("qovin/soak/direct"), 1.0f);
         callMethod(ref, "unregister", "()V");
         return ref;
       },
       published},
      {"direct array dataref",
       [&] {
         jobject ref = callStatic<jobject>(arrays, publishFloats, text("qovin/soak/direct_array"), 8);
         callMethod(ref, "unregister", "()V");
         return ref;
       },
       published},
  };

  const long cycles = std::max(iterations / 100, 100L);
  constexpr long long kJvmTransientGlobalRefs = 2;
  sim::setRecording(false);
  for (const CycledKind& kind : kinds) {
    env()->DeleteLocalRef(kind.cycle());  // classes and caches are made once
    const long long before = globalRefs();
    for (long c = 0; c < cycles; ++c) {
      ASSERT_EQ(env()->PushLocalFrame(32), JNI_OK);
      kind.cycle();
      env()->PopLocalFrame(nullptr);
    }
    jobject last = kind.cycle();
    jobject weak = weakReference(last);
    env()->DeleteLocalRef(last);
    const long long after = globalRefs();
    std::cout << "[ soak     ] " << kind.name << ": " << cycles + 1 << " register/unregister cycles; JNI global refs "
              << before << " before, " << after << " after" << std::endl;
    EXPECT_LE(after, before + kJvmTransientGlobalRefs) << kind.name;
    EXPECT_EQ(kind.registrations(), 0) << kind.name;
    EXPECT_TRUE(collected(weak)) << kind.name;
    env()->DeleteLocalRef(weak);
  }
  sim::setRecording(true);
}

}  // namespace
