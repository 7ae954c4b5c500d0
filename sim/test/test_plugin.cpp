// A plugin as X-Plane loads it, built as <name>.xpl for the loader's tests. It
// links no XPLM library: its XPLM calls bind to the stand-in when it is loaded.
// It writes each entry-point call and callback to the simulator's log as
// "<name>: <what> as <XPLMGetMyID()>", registers one of each kind in
// XPluginStart and takes all back in XPluginStop.
//
// Built as: TEST_PLUGIN_NAME "alpha"; TEST_PLUGIN_REFUSES_START (its start
// answers 0); TEST_PLUGIN_WITHOUT_DISABLE (no XPluginDisable: refused).
// Messages: kRefuseEnable makes its next XPluginEnable answer 0; kLeak makes
// its XPluginStop take nothing back.
#include <XPLMCamera.h>
#include <XPLMDataAccess.h>
#include <XPLMDisplay.h>
#include <XPLMInstance.h>
#include <XPLMMenus.h>
#include <XPLMPlugin.h>
#include <XPLMProcessing.h>
#include <XPLMScenery.h>
#include <XPLMUtilities.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr int kRefuseEnable = 0x7E5701;
constexpr int kLeak = 0x7E5702;
#ifdef TEST_PLUGIN_REFUSES_START
constexpr bool kRefusesStart = true;
#else
constexpr bool kRefusesStart = false;
#endif
constexpr const char* kObject = "Resources/default scenery/sim objects/apt_vehicles/fuel_truck.obj";

// Starts since the file was loaded: 1 at every start after a fresh dlopen.
int starts = 0;
bool refuseEnable = false;
bool leak = false;

XPLMFlightLoop_f flightLoopCallback = nullptr;
XPLMWindowID window = nullptr;
XPLMMenuID menu = nullptr;
int pluginsMenuItem = -1;
XPLMCommandRef command = nullptr;
XPLMDataRef dataRef = nullptr;
bool hasCamera = false;
XPLMObjectRef object = nullptr;
XPLMObjectRef asyncObject = nullptr;
XPLMInstanceRef instance = nullptr;
XPLMProbeRef probe = nullptr;

void log(const char* what) {
  char line[256];
  std::snprintf(line, sizeof line, "%s: %s as %d\n", TEST_PLUGIN_NAME, what, XPLMGetMyID());
  XPLMDebugString(line);
}

float flightLoop(float, float, int, void*) {
  log("flight loop");
  return -1;
}

int draw(XPLMDrawingPhase, int, void*) {
  log("draw");
  return 1;
}

int sniff(char, XPLMKeyFlags, char, void*) {
  log("key sniffer");
  return 1;
}

void drawWindow(XPLMWindowID, void*) { log("window draw"); }
void windowKey(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) { log("window key"); }
int windowClick(XPLMWindowID, int, int, XPLMMouseStatus, void*) {
  log("window click");
  return 1;
}
XPLMCursorStatus windowCursor(XPLMWindowID, int, int, void*) {
  log("window cursor");
  return xplm_CursorDefault;
}
int windowWheel(XPLMWindowID, int, int, int, int, void*) {
  log("window wheel");
  return 1;
}

void pickMenu(void*, void*) { log("menu"); }

int handleCommand(XPLMCommandRef, XPLMCommandPhase phase, void*) {
  if (phase == xplm_CommandBegin) log("command");
  return 1;
}

int readId(void*) {
  log("dataref read");
  return XPLMGetMyID();
}

int controlCamera(XPLMCameraPosition_t* position, int losingControl, void*) {
  if (losingControl != 0) {
    log("camera lost");
    hasCamera = false;
    return 0;
  }
  log("camera");
  XPLMReadCameraPosition(position);
  return 1;
}

void objectLoaded(XPLMObjectRef loaded, void*) {
  log("object loaded");
  asyncObject = loaded;
}

void registerAll() {
  flightLoopCallback = flightLoop;
  XPLMRegisterFlightLoopCallback(flightLoopCallback, -1, nullptr);
  XPLMRegisterDrawCallback(draw, xplm_Phase_Window, 0, nullptr);
  XPLMRegisterKeySniffer(sniff, 1, nullptr);
  XPLMCreateWindow_t params;
  std::memset(&params, 0, sizeof params);
  params.structSize = sizeof params;
  params.left = 100;
  params.top = 300;
  params.right = 300;
  params.bottom = 100;
  params.visible = 1;
  params.drawWindowFunc = drawWindow;
  params.handleMouseClickFunc = windowClick;
  params.handleKeyFunc = windowKey;
  params.handleCursorFunc = windowCursor;
  params.handleMouseWheelFunc = windowWheel;
  params.handleRightClickFunc = windowClick;
  params.layer = xplm_WindowLayerFloatingWindows;
  window = XPLMCreateWindowEx(&params);
  pluginsMenuItem = XPLMAppendMenuItem(XPLMFindPluginsMenu(), TEST_PLUGIN_NAME, nullptr, 0);
  menu = XPLMCreateMenu(TEST_PLUGIN_NAME, XPLMFindPluginsMenu(), pluginsMenuItem, pickMenu, nullptr);
  XPLMAppendMenuItem(menu, "Ping", nullptr, 0);
  command = XPLMCreateCommand("xplmsim/test/" TEST_PLUGIN_NAME "/ping", "Pings the test plugin.");
  XPLMRegisterCommandHandler(command, handleCommand, 1, nullptr);
  dataRef = XPLMRegisterDataAccessor("xplmsim/test/" TEST_PLUGIN_NAME "/id", xplmType_Int, 0, readId, nullptr,
                                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr);
  XPLMControlCamera(xplm_ControlCameraForever, controlCamera, nullptr);
  hasCamera = true;
  object = XPLMLoadObject(kObject);
  XPLMLoadObjectAsync(kObject, objectLoaded, nullptr);
  const char* noDataRefs[] = {nullptr};
  instance = XPLMCreateInstance(object, noDataRefs);
  probe = XPLMCreateProbe(xplm_ProbeY);
}

void releaseAll() {
  XPLMUnregisterFlightLoopCallback(flightLoopCallback, nullptr);
  XPLMUnregisterDrawCallback(draw, xplm_Phase_Window, 0, nullptr);
  XPLMUnregisterKeySniffer(sniff, 1, nullptr);
  XPLMDestroyWindow(window);
  XPLMDestroyMenu(menu);
  XPLMRemoveMenuItem(XPLMFindPluginsMenu(), pluginsMenuItem);
  XPLMUnregisterCommandHandler(command, handleCommand, 1, nullptr);
  XPLMUnregisterDataAccessor(dataRef);
  if (hasCamera) XPLMDontControlCamera();
  XPLMDestroyInstance(instance);
  XPLMUnloadObject(object);
  if (asyncObject != nullptr) XPLMUnloadObject(asyncObject);
  asyncObject = nullptr;
  XPLMDestroyProbe(probe);
}

}  // namespace

PLUGIN_API int XPluginStart(char* outName, char* outSig, char* outDesc) {
  char line[64];
  std::snprintf(line, sizeof line, "start #%d", ++starts);
  log(line);
  std::strcpy(outName, TEST_PLUGIN_NAME);
  std::strcpy(outSig, "xplmsim.test." TEST_PLUGIN_NAME);
  std::strcpy(outDesc, "Records what the simulator calls.");
  if (kRefusesStart) return 0;
  refuseEnable = false;
  leak = false;
  registerAll();
  return 1;
}

PLUGIN_API void XPluginStop(void) {
  log("stop");
  if (!leak) releaseAll();
}

PLUGIN_API int XPluginEnable(void) {
  log(refuseEnable ? "enable refused" : "enable");
  return refuseEnable ? 0 : 1;
}

#ifndef TEST_PLUGIN_WITHOUT_DISABLE
PLUGIN_API void XPluginDisable(void) { log("disable"); }
#endif

PLUGIN_API void XPluginReceiveMessage(XPLMPluginID inFrom, int inMessage, void*) {
  char line[64];
  std::snprintf(line, sizeof line, "message %d from %d", inMessage, inFrom);
  log(line);
  if (inMessage == kRefuseEnable) refuseEnable = true;
  if (inMessage == kLeak) leak = true;
}
