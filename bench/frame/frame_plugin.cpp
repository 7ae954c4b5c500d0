// The frame benchmark's C++ plugin: the same plugin as
// java/com/brevanto/qovin/bench/frame/FramePlugin.java, written straight on
// XPLM, as the measure of what that work costs the simulator without Java.
// Each frame: 5 flight loops that read 100 simulator datarefs and write 20;
// 2 draw callbacks that draw 10 changing strings each; one window with a box
// and a line. It publishes 3 datarefs answered by callbacks and 3 kept in
// variables (in C++ both are callbacks), and handles one command. Numbers are
// formatted by hand, as the Java plugin does, so that both do the same work.
//
// Everything is registered in XPluginEnable and released in XPluginDisable,
// so the benchmark turns the plugin on and off by enabling it.
#include <XPLMDataAccess.h>
#include <XPLMDefs.h>
#include <XPLMDisplay.h>
#include <XPLMGraphics.h>
#include <XPLMProcessing.h>
#include <XPLMUtilities.h>

#include <cmath>
#include <cstring>

#include "frame_datarefs.h"

namespace {

using namespace qovinframe;

// What one flight loop reads and writes; the values of all five lie side by
// side in the arrays below, in the order of frame_datarefs.h.
struct LoopData {
  int index;
  XPLMDataRef floats[kFloatsPerLoop];
  XPLMDataRef ints[kIntsPerLoop];
  XPLMDataRef doubles[kDoublesPerLoop];
  XPLMDataRef floatArray;
  XPLMDataRef intArray;
  XPLMDataRef floatWrites[kFloatWritesPerLoop];
  XPLMDataRef intWrite;
  XPLMDataRef doubleWrite;
};

LoopData loops[kLoops];
float floatValues[kLoops * kFloatsPerLoop];
int intValues[kLoops * kIntsPerLoop];
double doubleValues[kLoops * kDoublesPerLoop];
float floatArrayValues[kLoops][kArrayElements];
int intArrayValues[kLoops][kArrayElements];
int frames = 0;
int commandPhases = 0;
float published[3] = {0, 0, 0};  // callback-answered: airspeed, altitude, heading
float directFloat = 0;
int directInt = 0;
double directDouble = 0;
XPLMDataRef publishedRefs[6] = {};
XPLMCommandRef command = nullptr;
XPLMWindowID window = nullptr;

// --- formatting, as the Java plugin does it ------------------------------------
// Appends text, an int, or a value to one decimal into a line buffer.
struct Line {
  char text[64];
  int length = 0;

  Line& clear() {
    length = 0;
    return *this;
  }
  Line& add(const char* s) {
    while (*s != '\0' && length < 63) text[length++] = *s++;
    return *this;
  }
  Line& add(int value) {
    char digits[12];
    int n = 0;
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
      digits[n++] = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0 && length < 63) text[length++] = '-';
    while (n > 0 && length < 63) text[length++] = digits[--n];
    return *this;
  }
  Line& tenths(float value) {
    int t = static_cast<int>(std::lround(value * 10.0f));
    if (t < 0) {
      add("-");
      t = -t;
    }
    add(t / 10).add(".").add(t % 10);
    return *this;
  }
  char* c_str() {
    text[length] = '\0';
    return text;
  }
};

Line line;
float white[3] = {1, 1, 1};
float green[3] = {0.2f, 1, 0.2f};

// --- flight loops: read 20, write 4 ---------------------------------------------
float flightLoop(float, float, int counter, void* refcon) {
  const LoopData& d = *static_cast<const LoopData*>(refcon);
  float* f = floatValues + d.index * kFloatsPerLoop;
  int* n = intValues + d.index * kIntsPerLoop;
  double* x = doubleValues + d.index * kDoublesPerLoop;
  for (int i = 0; i < kFloatsPerLoop; ++i) f[i] = XPLMGetDataf(d.floats[i]);
  for (int i = 0; i < kIntsPerLoop; ++i) n[i] = XPLMGetDatai(d.ints[i]);
  for (int i = 0; i < kDoublesPerLoop; ++i) x[i] = XPLMGetDatad(d.doubles[i]);
  XPLMGetDatavf(d.floatArray, floatArrayValues[d.index], 0, kArrayElements);
  XPLMGetDatavi(d.intArray, intArrayValues[d.index], 0, kArrayElements);
  for (int i = 0; i < kFloatWritesPerLoop; ++i) XPLMSetDataf(d.floatWrites[i], f[i] + 0.5f);
  XPLMSetDatai(d.intWrite, counter & 1);
  XPLMSetDatad(d.doubleWrite, x[0] + 1.0);
  if (d.index == kLoops - 1) {
    ++frames;
    published[0] = floatValues[kAirspeed];
    published[1] = floatValues[kAltitude];
    published[2] = floatValues[kHeading];
    directFloat = floatValues[kSlip];
    directInt = frames;
    directDouble = doubleValues[kLatitude];
  }
  return -1.0f;
}

// --- drawing: 10 lines per callback ---------------------------------------------
int drawInstruments(XPLMDrawingPhase, int, void*) {
  const float* f = floatValues;
  int y = 700;
  auto draw = [&y](Line& text) { XPLMDrawString(white, 20, y -= 14, text.c_str(), nullptr, xplmFont_Basic); };
  draw(line.clear().add("ALT ").tenths(f[kAltitude]).add(" ft"));
  draw(line.clear().add("IAS ").tenths(f[kAirspeed]).add(" kt"));
  draw(line.clear().add("TAS ").tenths(f[kTrueAirspeed]).add(" kt"));
  draw(line.clear().add("GS ").tenths(f[kGroundSpeed]).add(" kt"));
  draw(line.clear().add("HDG ").add(static_cast<int>(f[kHeading])));
  draw(line.clear().add("VS ").add(static_cast<int>(f[kVerticalSpeed])).add(" fpm"));
  draw(line.clear().add("SLIP ").tenths(f[kSlip]));
  draw(line.clear().add("PITCH ").tenths(f[kPitch]));
  draw(line.clear().add("ROLL ").tenths(f[kRoll]));
  draw(line.clear().add("FRAME ").add(frames));
  return 1;
}

int drawEngines(XPLMDrawingPhase, int, void*) {
  int y = 500;
  auto draw = [&y](Line& text) { XPLMDrawString(green, 20, y -= 14, text.c_str(), nullptr, xplmFont_Basic); };
  for (int engine = 0; engine < 4; ++engine) {
    draw(line.clear().add("N1 ").add(engine + 1).add(" ").tenths(floatArrayValues[0][engine]));
  }
  for (int loop = 0; loop < kLoops; ++loop) {
    draw(line.clear().add("AP ").add(loop).add(": ").add(intValues[loop * kIntsPerLoop]).add("/").add(
        intArrayValues[loop][0]));
  }
  draw(line.clear().add("LAT ").tenths(static_cast<float>(doubleValues[kLatitude])));
  return 1;
}

// --- the window: a box and a line at its top left ---------------------------------
void drawWindow(XPLMWindowID id, void*) {
  int left = 0, top = 0, right = 0, bottom = 0;
  XPLMGetWindowGeometry(id, &left, &top, &right, &bottom);
  XPLMDrawTranslucentDarkBox(left, top, right, bottom);
  XPLMDrawString(white, left + 8, top - 16, line.clear().add("frame ").add(frames).add(" cmd ").add(commandPhases).c_str(), nullptr,
                 xplmFont_Proportional);
}
int mouseClick(XPLMWindowID, int, int, XPLMMouseStatus, void*) { return 1; }
void key(XPLMWindowID, char, XPLMKeyFlags, char, void*, int) {}
XPLMCursorStatus cursor(XPLMWindowID, int, int, void*) { return xplm_CursorDefault; }
int wheel(XPLMWindowID, int, int, int, int, void*) { return 1; }

// --- the command and the published datarefs -----------------------------------------
int handleCommand(XPLMCommandRef, XPLMCommandPhase, void*) {
  ++commandPhases;
  return 1;
}

float readPublished(void* refcon) { return *static_cast<float*>(refcon); }
int readPublishedInt(void* refcon) { return static_cast<int>(*static_cast<float*>(refcon)); }
double readPublishedDouble(void* refcon) { return *static_cast<float*>(refcon); }
float readDirectFloat(void*) { return directFloat; }
void writeDirectFloat(void*, float value) { directFloat = value; }
int readDirectInt(void*) { return directInt; }
void writeDirectInt(void*, int value) { directInt = value; }
double readDirectDouble(void*) { return directDouble; }
void writeDirectDouble(void*, double value) { directDouble = value; }

XPLMDataRef publish(const char* name, XPLMDataTypeID type, int writable, XPLMGetDatai_f gi, XPLMSetDatai_f si,
                    XPLMGetDataf_f gf, XPLMSetDataf_f sf, XPLMGetDatad_f gd, XPLMSetDatad_f sd, void* refcon) {
  return XPLMRegisterDataAccessor(name, type, writable, gi, si, gf, sf, gd, sd, nullptr, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, refcon, refcon);
}

void findDataRefs() {
  for (int l = 0; l < kLoops; ++l) {
    LoopData& d = loops[l];
    d.index = l;
    for (int i = 0; i < kFloatsPerLoop; ++i) d.floats[i] = XPLMFindDataRef(kFloatReads[l * kFloatsPerLoop + i]);
    for (int i = 0; i < kIntsPerLoop; ++i) d.ints[i] = XPLMFindDataRef(kIntReads[l * kIntsPerLoop + i]);
    for (int i = 0; i < kDoublesPerLoop; ++i) d.doubles[i] = XPLMFindDataRef(kDoubleReads[l * kDoublesPerLoop + i]);
    d.floatArray = XPLMFindDataRef(kFloatArrayReads[l]);
    d.intArray = XPLMFindDataRef(kIntArrayReads[l]);
    for (int i = 0; i < kFloatWritesPerLoop; ++i) {
      d.floatWrites[i] = XPLMFindDataRef(kFloatWrites[l * kFloatWritesPerLoop + i]);
    }
    d.intWrite = XPLMFindDataRef(kIntWrites[l]);
    d.doubleWrite = XPLMFindDataRef(kDoubleWrites[l]);
  }
}

}  // namespace

PLUGIN_API int XPluginStart(char* outName, char* outSig, char* outDesc) {
  std::strcpy(outName, "frame benchmark (C++)");
  std::strcpy(outSig, "com.brevanto.qovin.bench.frame.cpp");
  std::strcpy(outDesc, "The frame benchmark's plugin, written on XPLM directly.");
  findDataRefs();
  const char* prefix = "bench/frame/cpp/";
  char name[96];
  auto named = [&](const char* leaf) {
    std::strcpy(name, prefix);
    std::strcat(name, leaf);
    return name;
  };
  publishedRefs[0] = publish(named("airspeed"), xplmType_Float, 0, nullptr, nullptr, readPublished, nullptr, nullptr,
                             nullptr, &published[0]);
  publishedRefs[1] = publish(named("altitude"), xplmType_Int, 0, readPublishedInt, nullptr, nullptr, nullptr, nullptr,
                             nullptr, &published[1]);
  publishedRefs[2] = publish(named("heading"), xplmType_Double, 0, nullptr, nullptr, nullptr, nullptr,
                             readPublishedDouble, nullptr, &published[2]);
  publishedRefs[3] = publish(named("direct_float"), xplmType_Float, 1, nullptr, nullptr, readDirectFloat,
                             writeDirectFloat, nullptr, nullptr, nullptr);
  publishedRefs[4] = publish(named("direct_int"), xplmType_Int, 1, readDirectInt, writeDirectInt, nullptr, nullptr,
                             nullptr, nullptr, nullptr);
  publishedRefs[5] = publish(named("direct_double"), xplmType_Double, 1, nullptr, nullptr, nullptr, nullptr,
                             readDirectDouble, writeDirectDouble, nullptr);
  command = XPLMCreateCommand(named("command"), "The frame benchmark's command");
  return 1;
}

PLUGIN_API void XPluginStop(void) {
  for (XPLMDataRef& ref : publishedRefs) {
    XPLMUnregisterDataAccessor(ref);
    ref = nullptr;
  }
}

PLUGIN_API int XPluginEnable(void) {
  for (LoopData& d : loops) XPLMRegisterFlightLoopCallback(flightLoop, -1.0f, &d);
  XPLMRegisterDrawCallback(drawInstruments, xplm_Phase_Window, 0, nullptr);
  XPLMRegisterDrawCallback(drawEngines, xplm_Phase_LastCockpit, 0, nullptr);
  XPLMCreateWindow_t params{};
  params.structSize = sizeof params;
  params.left = 100;
  params.top = 400;
  params.right = 400;
  params.bottom = 300;
  params.visible = 1;
  params.drawWindowFunc = drawWindow;
  params.handleMouseClickFunc = mouseClick;
  params.handleKeyFunc = key;
  params.handleCursorFunc = cursor;
  params.handleMouseWheelFunc = wheel;
  params.layer = xplm_WindowLayerFlightOverlay;
  window = XPLMCreateWindowEx(&params);
  XPLMRegisterCommandHandler(command, handleCommand, 1, nullptr);
  return 1;
}

PLUGIN_API void XPluginDisable(void) {
  for (LoopData& d : loops) XPLMUnregisterFlightLoopCallback(flightLoop, &d);
  XPLMUnregisterDrawCallback(drawInstruments, xplm_Phase_Window, 0, nullptr);
  XPLMUnregisterDrawCallback(drawEngines, xplm_Phase_LastCockpit, 0, nullptr);
  XPLMDestroyWindow(window);
  window = nullptr;
  XPLMUnregisterCommandHandler(command, handleCommand, 1, nullptr);
}

PLUGIN_API void XPluginReceiveMessage(XPLMPluginID, int, void*) {}
