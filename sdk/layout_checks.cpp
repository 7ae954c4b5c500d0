// layout_checks.cpp - compile-time checks of the XPLM declarations.
//
// Compiles to an empty object; any mismatch is a compile error. It uses only
// what the headers declare, so it can be built against either sdk/XPLM or
// the official SDK headers:
//   g++ -std=c++17 -DLIN=1 -DXPLM200 -DXPLM210 -DXPLM300 -Wall -Wextra
//       -Werror -I sdk/XPLM -c sdk/layout_checks.cpp
// Sizes and offsets are those of x86-64 (LP64).

#include "XPLMDefs.h"
#include "XPLMDataAccess.h"
#include "XPLMUtilities.h"
#include "XPLMProcessing.h"
#include "XPLMDisplay.h"
#include "XPLMMenus.h"
#include "XPLMCamera.h"
#include "XPLMScenery.h"
#include "XPLMInstance.h"
#include "XPLMNavigation.h"
#include "XPLMGraphics.h"
#include "XPLMPlanes.h"
#include "XPLMMap.h"
#include "XPLMPlugin.h"

#include <cstddef>
#include <type_traits>

static_assert(sizeof(void *) == 8 && sizeof(int) == 4, "checks assume LP64");

// Typedef T is Def and has the given size.
#define CHECK_TYPE(T, Def, Size) \
    static_assert(std::is_same<T, Def>::value && sizeof(T) == (Size), #T)
// Macro or enum constant has the given value.
#define CHECK_VALUE(Name, Value) \
    static_assert((Name) == (Value), #Name)
// Function F has exactly this function type (return and parameter types).
#define CHECK_FUNC(F, Type) \
    static_assert(std::is_same<decltype(F), Type>::value, #F)
// Callback typedef T is exactly this function-pointer type.
#define CHECK_CALLBACK(T, Type) \
    static_assert(std::is_same<T, Type>::value, #T)
// Field F of record R has type T, offset Off and size Size.
#define CHECK_FIELD(R, F, T, Off, Size)                  \
    static_assert(std::is_same<decltype(R::F), T>::value \
                  && offsetof(R, F) == (Off)             \
                  && sizeof(R::F) == (Size), #R "::" #F)

// ---------------------------------------------------------------------------
// Record layouts
// ---------------------------------------------------------------------------

#if defined(XPLM200)
#if defined(XPLM300)
static_assert(sizeof(XPLMCreateWindow_t) == 88, "XPLMCreateWindow_t size (XPLM300)");
#else
static_assert(sizeof(XPLMCreateWindow_t) == 72, "XPLMCreateWindow_t size (no XPLM300)");
#endif
static_assert(alignof(XPLMCreateWindow_t) == 8, "XPLMCreateWindow_t alignment");
CHECK_FIELD(XPLMCreateWindow_t, structSize, int, 0, 4);
CHECK_FIELD(XPLMCreateWindow_t, left, int, 4, 4);
CHECK_FIELD(XPLMCreateWindow_t, top, int, 8, 4);
CHECK_FIELD(XPLMCreateWindow_t, right, int, 12, 4);
CHECK_FIELD(XPLMCreateWindow_t, bottom, int, 16, 4);
CHECK_FIELD(XPLMCreateWindow_t, visible, int, 20, 4);
CHECK_FIELD(XPLMCreateWindow_t, drawWindowFunc, XPLMDrawWindow_f, 24, 8);
CHECK_FIELD(XPLMCreateWindow_t, handleMouseClickFunc, XPLMHandleMouseClick_f, 32, 8);
CHECK_FIELD(XPLMCreateWindow_t, handleKeyFunc, XPLMHandleKey_f, 40, 8);
CHECK_FIELD(XPLMCreateWindow_t, handleCursorFunc, XPLMHandleCursor_f, 48, 8);
CHECK_FIELD(XPLMCreateWindow_t, handleMouseWheelFunc, XPLMHandleMouseWheel_f, 56, 8);
CHECK_FIELD(XPLMCreateWindow_t, refcon, void *, 64, 8);
#if defined(XPLM300)
CHECK_FIELD(XPLMCreateWindow_t, decorateAsFloatingWindow, int, 72, 4);
CHECK_FIELD(XPLMCreateWindow_t, layer, XPLMWindowLayer, 76, 4);
CHECK_FIELD(XPLMCreateWindow_t, handleRightClickFunc, XPLMHandleMouseClick_f, 80, 8);
#endif
#endif // XPLM200

static_assert(sizeof(XPLMCameraPosition_t) == 28, "XPLMCameraPosition_t size");
static_assert(alignof(XPLMCameraPosition_t) == 4, "XPLMCameraPosition_t alignment");
CHECK_FIELD(XPLMCameraPosition_t, x, float, 0, 4);
CHECK_FIELD(XPLMCameraPosition_t, y, float, 4, 4);
CHECK_FIELD(XPLMCameraPosition_t, z, float, 8, 4);
CHECK_FIELD(XPLMCameraPosition_t, pitch, float, 12, 4);
CHECK_FIELD(XPLMCameraPosition_t, heading, float, 16, 4);
CHECK_FIELD(XPLMCameraPosition_t, roll, float, 20, 4);
CHECK_FIELD(XPLMCameraPosition_t, zoom, float, 24, 4);

#if defined(XPLM200)
static_assert(sizeof(XPLMProbeInfo_t) == 44, "XPLMProbeInfo_t size");
static_assert(alignof(XPLMProbeInfo_t) == 4, "XPLMProbeInfo_t alignment");
CHECK_FIELD(XPLMProbeInfo_t, structSize, int, 0, 4);
CHECK_FIELD(XPLMProbeInfo_t, locationX, float, 4, 4);
CHECK_FIELD(XPLMProbeInfo_t, locationY, float, 8, 4);
CHECK_FIELD(XPLMProbeInfo_t, locationZ, float, 12, 4);
CHECK_FIELD(XPLMProbeInfo_t, normalX, float, 16, 4);
CHECK_FIELD(XPLMProbeInfo_t, normalY, float, 20, 4);
CHECK_FIELD(XPLMProbeInfo_t, normalZ, float, 24, 4);
CHECK_FIELD(XPLMProbeInfo_t, velocityX, float, 28, 4);
CHECK_FIELD(XPLMProbeInfo_t, velocityY, float, 32, 4);
CHECK_FIELD(XPLMProbeInfo_t, velocityZ, float, 36, 4);
CHECK_FIELD(XPLMProbeInfo_t, is_wet, int, 40, 4);

static_assert(sizeof(XPLMDrawInfo_t) == 28, "XPLMDrawInfo_t size");
static_assert(alignof(XPLMDrawInfo_t) == 4, "XPLMDrawInfo_t alignment");
CHECK_FIELD(XPLMDrawInfo_t, structSize, int, 0, 4);
CHECK_FIELD(XPLMDrawInfo_t, x, float, 4, 4);
CHECK_FIELD(XPLMDrawInfo_t, y, float, 8, 4);
CHECK_FIELD(XPLMDrawInfo_t, z, float, 12, 4);
CHECK_FIELD(XPLMDrawInfo_t, pitch, float, 16, 4);
CHECK_FIELD(XPLMDrawInfo_t, heading, float, 20, 4);
CHECK_FIELD(XPLMDrawInfo_t, roll, float, 24, 4);
#endif // XPLM200

#if defined(XPLM210)
static_assert(sizeof(XPLMCreateFlightLoop_t) == 24, "XPLMCreateFlightLoop_t size");
CHECK_FIELD(XPLMCreateFlightLoop_t, structSize, int, 0, 4);
CHECK_FIELD(XPLMCreateFlightLoop_t, phase, XPLMFlightLoopPhaseType, 4, 4);
CHECK_FIELD(XPLMCreateFlightLoop_t, callbackFunc, XPLMFlightLoop_f, 8, 8);
CHECK_FIELD(XPLMCreateFlightLoop_t, refcon, void *, 16, 8);
#endif // XPLM210

// ---------------------------------------------------------------------------
// Types, values and signatures
// ---------------------------------------------------------------------------

// Typedefs and enum types
CHECK_TYPE(XPLMPluginID, int, 4);
CHECK_TYPE(XPLMKeyFlags, int, 4);
CHECK_TYPE(XPLMDataRef, void *, 8);
CHECK_TYPE(XPLMDataTypeID, int, 4);
#if defined(XPLM200)
CHECK_TYPE(XPLMCommandRef, void *, 8);
CHECK_TYPE(XPLMCommandPhase, int, 4);
#endif
CHECK_TYPE(XPLMDrawingPhase, int, 4);
CHECK_TYPE(XPLMWindowID, void *, 8);
CHECK_TYPE(XPLMMouseStatus, int, 4);
#if defined(XPLM200)
CHECK_TYPE(XPLMCursorStatus, int, 4);
#endif
#if defined(XPLM300)
CHECK_TYPE(XPLMWindowLayer, int, 4);
CHECK_TYPE(XPLMWindowPositioningMode, int, 4);
#endif
CHECK_TYPE(XPLMMenuID, void *, 8);
CHECK_TYPE(XPLMMenuCheck, int, 4);
CHECK_TYPE(XPLMCameraControlDuration, int, 4);
#if defined(XPLM200)
CHECK_TYPE(XPLMProbeRef, void *, 8);
CHECK_TYPE(XPLMObjectRef, void *, 8);
CHECK_TYPE(XPLMProbeType, int, 4);
CHECK_TYPE(XPLMProbeResult, int, 4);
#endif
CHECK_TYPE(XPLMInstanceRef, void *, 8);
CHECK_TYPE(XPLMNavRef, int, 4);
CHECK_TYPE(XPLMNavType, int, 4);
CHECK_TYPE(XPLMTextureID, int, 4);
CHECK_TYPE(XPLMFontID, int, 4);

// Macro values
CHECK_VALUE(XPLM_NO_PLUGIN_ID, -1);
CHECK_VALUE(XPLM_PLUGIN_XPLANE, 0);
CHECK_VALUE(kXPLM_Version, 210);
CHECK_VALUE(XPLM_NAV_NOT_FOUND, -1);
CHECK_VALUE(XPLM_USER_AIRCRAFT, 0);
CHECK_VALUE(XPLM_MSG_PLANE_CRASHED, 101);
CHECK_VALUE(XPLM_MSG_PLANE_LOADED, 102);
CHECK_VALUE(XPLM_MSG_AIRPORT_LOADED, 103);
CHECK_VALUE(XPLM_MSG_SCENERY_LOADED, 104);
CHECK_VALUE(XPLM_MSG_AIRPLANE_COUNT_CHANGED, 105);
#if defined(XPLM200)
CHECK_VALUE(XPLM_MSG_PLANE_UNLOADED, 106);
#endif
#if defined(XPLM210)
CHECK_VALUE(XPLM_MSG_WILL_WRITE_PREFS, 107);
CHECK_VALUE(XPLM_MSG_LIVERY_LOADED, 108);
#endif

// Enum constants
CHECK_VALUE(xplm_ShiftFlag, 1);
CHECK_VALUE(xplm_OptionAltFlag, 2);
CHECK_VALUE(xplm_ControlFlag, 4);
CHECK_VALUE(xplm_DownFlag, 8);
CHECK_VALUE(xplm_UpFlag, 16);
CHECK_VALUE(xplmType_Unknown, 0);
CHECK_VALUE(xplmType_Int, 1);
CHECK_VALUE(xplmType_Float, 2);
CHECK_VALUE(xplmType_Double, 4);
CHECK_VALUE(xplmType_FloatArray, 8);
CHECK_VALUE(xplmType_IntArray, 16);
CHECK_VALUE(xplmType_Data, 32);
#if defined(XPLM200)
CHECK_VALUE(xplm_CommandBegin, 0);
CHECK_VALUE(xplm_CommandContinue, 1);
CHECK_VALUE(xplm_CommandEnd, 2);
#endif
CHECK_VALUE(xplm_Phase_FirstScene, 0);
CHECK_VALUE(xplm_Phase_Terrain, 5);
CHECK_VALUE(xplm_Phase_Airports, 10);
CHECK_VALUE(xplm_Phase_Vectors, 15);
CHECK_VALUE(xplm_Phase_Objects, 20);
CHECK_VALUE(xplm_Phase_Airplanes, 25);
CHECK_VALUE(xplm_Phase_LastScene, 30);
CHECK_VALUE(xplm_Phase_FirstCockpit, 35);
CHECK_VALUE(xplm_Phase_Panel, 40);
CHECK_VALUE(xplm_Phase_Gauges, 45);
CHECK_VALUE(xplm_Phase_Window, 50);
CHECK_VALUE(xplm_Phase_LastCockpit, 55);
#if defined(XPLM200)
CHECK_VALUE(xplm_Phase_LocalMap3D, 100);
CHECK_VALUE(xplm_Phase_LocalMap2D, 101);
CHECK_VALUE(xplm_Phase_LocalMapProfile, 102);
#endif
CHECK_VALUE(xplm_MouseDown, 1);
CHECK_VALUE(xplm_MouseDrag, 2);
CHECK_VALUE(xplm_MouseUp, 3);
#if defined(XPLM200)
CHECK_VALUE(xplm_CursorDefault, 0);
CHECK_VALUE(xplm_CursorHidden, 1);
CHECK_VALUE(xplm_CursorArrow, 2);
CHECK_VALUE(xplm_CursorCustom, 3);
#endif
#if defined(XPLM300)
CHECK_VALUE(xplm_WindowLayerFlightOverlay, 0);
CHECK_VALUE(xplm_WindowLayerFloatingWindows, 1);
CHECK_VALUE(xplm_WindowLayerModal, 2);
CHECK_VALUE(xplm_WindowLayerGrowlNotifications, 3);
CHECK_VALUE(xplm_WindowPositionFree, 0);
CHECK_VALUE(xplm_WindowCenterOnMonitor, 1);
CHECK_VALUE(xplm_WindowFullScreenOnMonitor, 2);
CHECK_VALUE(xplm_WindowFullScreenOnAllMonitors, 3);
CHECK_VALUE(xplm_WindowPopOut, 4);
#endif
CHECK_VALUE(xplm_Menu_NoCheck, 0);
CHECK_VALUE(xplm_Menu_Unchecked, 1);
CHECK_VALUE(xplm_Menu_Checked, 2);
CHECK_VALUE(xplm_ControlCameraUntilViewChanges, 1);
CHECK_VALUE(xplm_ControlCameraForever, 2);
#if defined(XPLM200)
CHECK_VALUE(xplm_ProbeY, 0);
CHECK_VALUE(xplm_ProbeHitTerrain, 0);
CHECK_VALUE(xplm_ProbeError, 1);
CHECK_VALUE(xplm_ProbeMissed, 2);
#endif
CHECK_VALUE(xplm_Nav_Unknown, 0);
CHECK_VALUE(xplm_Nav_Airport, 1);
CHECK_VALUE(xplm_Nav_NDB, 2);
CHECK_VALUE(xplm_Nav_VOR, 4);
CHECK_VALUE(xplm_Nav_ILS, 8);
CHECK_VALUE(xplm_Nav_Localizer, 16);
CHECK_VALUE(xplm_Nav_GlideSlope, 32);
CHECK_VALUE(xplm_Nav_OuterMarker, 64);
CHECK_VALUE(xplm_Nav_MiddleMarker, 128);
CHECK_VALUE(xplm_Nav_InnerMarker, 256);
CHECK_VALUE(xplm_Nav_Fix, 512);
CHECK_VALUE(xplm_Nav_DME, 1024);
CHECK_VALUE(xplm_Nav_LatLon, 2048);
CHECK_VALUE(xplm_Tex_GeneralInterface, 0);
CHECK_VALUE(xplm_Tex_AircraftPaint, 1);
CHECK_VALUE(xplm_Tex_AircraftLiteMap, 2);
CHECK_VALUE(xplmFont_Basic, 0);
CHECK_VALUE(xplmFont_Menus, 1);
CHECK_VALUE(xplmFont_Metal, 2);
CHECK_VALUE(xplmFont_Led, 3);
CHECK_VALUE(xplmFont_LedWide, 4);
CHECK_VALUE(xplmFont_PanelHUD, 5);
CHECK_VALUE(xplmFont_PanelEFIS, 6);
CHECK_VALUE(xplmFont_PanelGPS, 7);
CHECK_VALUE(xplmFont_RadiosGA, 8);
CHECK_VALUE(xplmFont_RadiosBC, 9);
CHECK_VALUE(xplmFont_RadiosHM, 10);
CHECK_VALUE(xplmFont_RadiosGANarrow, 11);
CHECK_VALUE(xplmFont_RadiosBCNarrow, 12);
CHECK_VALUE(xplmFont_RadiosHMNarrow, 13);
CHECK_VALUE(xplmFont_Timer, 14);
CHECK_VALUE(xplmFont_FullRound, 15);
CHECK_VALUE(xplmFont_SmallRound, 16);
CHECK_VALUE(xplmFont_Menus_Localized, 17);
#if defined(XPLM200)
CHECK_VALUE(xplmFont_Proportional, 18);
#endif

// Callback types
CHECK_CALLBACK(XPLMGetDatai_f, int (*)(void *));
CHECK_CALLBACK(XPLMSetDatai_f, void (*)(void *, int));
CHECK_CALLBACK(XPLMGetDataf_f, float (*)(void *));
CHECK_CALLBACK(XPLMSetDataf_f, void (*)(void *, float));
CHECK_CALLBACK(XPLMGetDatad_f, double (*)(void *));
CHECK_CALLBACK(XPLMSetDatad_f, void (*)(void *, double));
CHECK_CALLBACK(XPLMGetDatavi_f, int (*)(void *, int *, int, int));
CHECK_CALLBACK(XPLMSetDatavi_f, void (*)(void *, int *, int, int));
CHECK_CALLBACK(XPLMGetDatavf_f, int (*)(void *, float *, int, int));
CHECK_CALLBACK(XPLMSetDatavf_f, void (*)(void *, float *, int, int));
CHECK_CALLBACK(XPLMGetDatab_f, int (*)(void *, void *, int, int));
CHECK_CALLBACK(XPLMSetDatab_f, void (*)(void *, void *, int, int));
#if defined(XPLM200)
CHECK_CALLBACK(XPLMCommandCallback_f, int (*)(XPLMCommandRef, XPLMCommandPhase, void *));
#endif
CHECK_CALLBACK(XPLMFlightLoop_f, float (*)(float, float, int, void *));
CHECK_CALLBACK(XPLMDrawCallback_f, int (*)(XPLMDrawingPhase, int, void *));
CHECK_CALLBACK(XPLMKeySniffer_f, int (*)(char, XPLMKeyFlags, char, void *));
CHECK_CALLBACK(XPLMDrawWindow_f, void (*)(XPLMWindowID, void *));
CHECK_CALLBACK(XPLMHandleKey_f, void (*)(XPLMWindowID, char, XPLMKeyFlags, char, void *, int));
CHECK_CALLBACK(XPLMHandleMouseClick_f, int (*)(XPLMWindowID, int, int, XPLMMouseStatus, void *));
#if defined(XPLM200)
CHECK_CALLBACK(XPLMHandleCursor_f, XPLMCursorStatus (*)(XPLMWindowID, int, int, void *));
CHECK_CALLBACK(XPLMHandleMouseWheel_f, int (*)(XPLMWindowID, int, int, int, int, void *));
#endif
CHECK_CALLBACK(XPLMMenuHandler_f, void (*)(void *, void *));
CHECK_CALLBACK(XPLMCameraControl_f, int (*)(XPLMCameraPosition_t *, int, void *));
#if defined(XPLM210)
CHECK_CALLBACK(XPLMObjectLoaded_f, void (*)(XPLMObjectRef, void *));
#endif

// Function signatures
CHECK_FUNC(XPLMFindDataRef, XPLMDataRef (const char *));
CHECK_FUNC(XPLMCanWriteDataRef, int (XPLMDataRef));
CHECK_FUNC(XPLMGetDataRefTypes, XPLMDataTypeID (XPLMDataRef));
CHECK_FUNC(XPLMGetDatai, int (XPLMDataRef));
CHECK_FUNC(XPLMSetDatai, void (XPLMDataRef, int));
CHECK_FUNC(XPLMGetDataf, float (XPLMDataRef));
CHECK_FUNC(XPLMSetDataf, void (XPLMDataRef, float));
CHECK_FUNC(XPLMGetDatad, double (XPLMDataRef));
CHECK_FUNC(XPLMSetDatad, void (XPLMDataRef, double));
CHECK_FUNC(XPLMGetDatavi, int (XPLMDataRef, int *, int, int));
CHECK_FUNC(XPLMSetDatavi, void (XPLMDataRef, int *, int, int));
CHECK_FUNC(XPLMGetDatavf, int (XPLMDataRef, float *, int, int));
CHECK_FUNC(XPLMSetDatavf, void (XPLMDataRef, float *, int, int));
CHECK_FUNC(XPLMGetDatab, int (XPLMDataRef, void *, int, int));
CHECK_FUNC(XPLMSetDatab, void (XPLMDataRef, void *, int, int));
CHECK_FUNC(XPLMRegisterDataAccessor, XPLMDataRef (const char *, XPLMDataTypeID, int, XPLMGetDatai_f, XPLMSetDatai_f, XPLMGetDataf_f, XPLMSetDataf_f, XPLMGetDatad_f, XPLMSetDatad_f, XPLMGetDatavi_f, XPLMSetDatavi_f, XPLMGetDatavf_f, XPLMSetDatavf_f, XPLMGetDatab_f, XPLMSetDatab_f, void *, void *));
CHECK_FUNC(XPLMUnregisterDataAccessor, void (XPLMDataRef));
CHECK_FUNC(XPLMDebugString, void (const char *));
#if defined(XPLM200)
CHECK_FUNC(XPLMFindCommand, XPLMCommandRef (const char *));
CHECK_FUNC(XPLMCommandBegin, void (XPLMCommandRef));
CHECK_FUNC(XPLMCommandEnd, void (XPLMCommandRef));
CHECK_FUNC(XPLMCommandOnce, void (XPLMCommandRef));
CHECK_FUNC(XPLMCreateCommand, XPLMCommandRef (const char *, const char *));
CHECK_FUNC(XPLMRegisterCommandHandler, void (XPLMCommandRef, XPLMCommandCallback_f, int, void *));
CHECK_FUNC(XPLMUnregisterCommandHandler, void (XPLMCommandRef, XPLMCommandCallback_f, int, void *));
#endif
CHECK_FUNC(XPLMRegisterFlightLoopCallback, void (XPLMFlightLoop_f, float, void *));
CHECK_FUNC(XPLMUnregisterFlightLoopCallback, void (XPLMFlightLoop_f, void *));
CHECK_FUNC(XPLMSetFlightLoopCallbackInterval, void (XPLMFlightLoop_f, float, int, void *));
CHECK_FUNC(XPLMGetElapsedTime, float (void));
CHECK_FUNC(XPLMGetCycleNumber, int (void));
CHECK_FUNC(XPLMRegisterDrawCallback, int (XPLMDrawCallback_f, XPLMDrawingPhase, int, void *));
CHECK_FUNC(XPLMUnregisterDrawCallback, int (XPLMDrawCallback_f, XPLMDrawingPhase, int, void *));
CHECK_FUNC(XPLMRegisterKeySniffer, int (XPLMKeySniffer_f, int, void *));
CHECK_FUNC(XPLMUnregisterKeySniffer, int (XPLMKeySniffer_f, int, void *));
#if defined(XPLM200)
CHECK_FUNC(XPLMCreateWindowEx, XPLMWindowID (XPLMCreateWindow_t *));
#endif
CHECK_FUNC(XPLMCreateWindow, XPLMWindowID (int, int, int, int, int, XPLMDrawWindow_f, XPLMHandleKey_f, XPLMHandleMouseClick_f, void *));
CHECK_FUNC(XPLMDestroyWindow, void (XPLMWindowID));
CHECK_FUNC(XPLMGetWindowGeometry, void (XPLMWindowID, int *, int *, int *, int *));
CHECK_FUNC(XPLMSetWindowGeometry, void (XPLMWindowID, int, int, int, int));
#if defined(XPLM300)
CHECK_FUNC(XPLMGetWindowGeometryOS, void (XPLMWindowID, int *, int *, int *, int *));
CHECK_FUNC(XPLMSetWindowGeometryOS, void (XPLMWindowID, int, int, int, int));
#endif
CHECK_FUNC(XPLMGetWindowIsVisible, int (XPLMWindowID));
CHECK_FUNC(XPLMSetWindowIsVisible, void (XPLMWindowID, int));
#if defined(XPLM300)
CHECK_FUNC(XPLMWindowIsPoppedOut, int (XPLMWindowID));
CHECK_FUNC(XPLMSetWindowGravity, void (XPLMWindowID, float, float, float, float));
CHECK_FUNC(XPLMSetWindowResizingLimits, void (XPLMWindowID, int, int, int, int));
CHECK_FUNC(XPLMSetWindowPositioningMode, void (XPLMWindowID, XPLMWindowPositioningMode, int));
CHECK_FUNC(XPLMSetWindowTitle, void (XPLMWindowID, const char *));
#endif
CHECK_FUNC(XPLMGetWindowRefCon, void * (XPLMWindowID));
CHECK_FUNC(XPLMSetWindowRefCon, void (XPLMWindowID, void *));
CHECK_FUNC(XPLMTakeKeyboardFocus, void (XPLMWindowID));
CHECK_FUNC(XPLMBringWindowToFront, void (XPLMWindowID));
CHECK_FUNC(XPLMIsWindowInFront, int (XPLMWindowID));
CHECK_FUNC(XPLMGetScreenSize, void (int *, int *));
#if defined(XPLM300)
CHECK_FUNC(XPLMGetScreenBoundsGlobal, void (int *, int *, int *, int *));
#endif
CHECK_FUNC(XPLMGetMouseLocation, void (int *, int *));
#if defined(XPLM300)
CHECK_FUNC(XPLMGetMouseLocationGlobal, void (int *, int *));
#endif
CHECK_FUNC(XPLMFindPluginsMenu, XPLMMenuID (void));
CHECK_FUNC(XPLMCreateMenu, XPLMMenuID (const char *, XPLMMenuID, int, XPLMMenuHandler_f, void *));
CHECK_FUNC(XPLMDestroyMenu, void (XPLMMenuID));
CHECK_FUNC(XPLMClearAllMenuItems, void (XPLMMenuID));
CHECK_FUNC(XPLMAppendMenuItem, int (XPLMMenuID, const char *, void *, int));
CHECK_FUNC(XPLMAppendMenuSeparator, void (XPLMMenuID));
CHECK_FUNC(XPLMCheckMenuItem, void (XPLMMenuID, int, XPLMMenuCheck));
CHECK_FUNC(XPLMCheckMenuItemState, void (XPLMMenuID, int, XPLMMenuCheck *));
#if defined(XPLM210)
CHECK_FUNC(XPLMRemoveMenuItem, void (XPLMMenuID, int));
#endif
CHECK_FUNC(XPLMControlCamera, void (XPLMCameraControlDuration, XPLMCameraControl_f, void *));
CHECK_FUNC(XPLMDontControlCamera, void (void));
CHECK_FUNC(XPLMIsCameraBeingControlled, int (XPLMCameraControlDuration *));
CHECK_FUNC(XPLMReadCameraPosition, void (XPLMCameraPosition_t *));
#if defined(XPLM200)
CHECK_FUNC(XPLMCreateProbe, XPLMProbeRef (XPLMProbeType));
CHECK_FUNC(XPLMDestroyProbe, void (XPLMProbeRef));
CHECK_FUNC(XPLMProbeTerrainXYZ, XPLMProbeResult (XPLMProbeRef, float, float, float, XPLMProbeInfo_t *));
CHECK_FUNC(XPLMLoadObject, XPLMObjectRef (const char *));
#endif
#if defined(XPLM210)
CHECK_FUNC(XPLMLoadObjectAsync, void (const char *, XPLMObjectLoaded_f, void *));
#endif
#if defined(XPLM200)
CHECK_FUNC(XPLMDrawObjects, void (XPLMObjectRef, int, XPLMDrawInfo_t *, int, int));
CHECK_FUNC(XPLMUnloadObject, void (XPLMObjectRef));
#endif
CHECK_FUNC(XPLMCreateInstance, XPLMInstanceRef (XPLMObjectRef, const char **));
CHECK_FUNC(XPLMDestroyInstance, void (XPLMInstanceRef));
CHECK_FUNC(XPLMInstanceSetPosition, void (XPLMInstanceRef, const XPLMDrawInfo_t *, const float *));
CHECK_FUNC(XPLMGetFirstNavAid, XPLMNavRef (void));
CHECK_FUNC(XPLMGetNextNavAid, XPLMNavRef (XPLMNavRef));
CHECK_FUNC(XPLMFindFirstNavAidOfType, XPLMNavRef (XPLMNavType));
CHECK_FUNC(XPLMFindLastNavAidOfType, XPLMNavRef (XPLMNavType));
CHECK_FUNC(XPLMFindNavAid, XPLMNavRef (const char *, const char *, float *, float *, int *, XPLMNavType));
CHECK_FUNC(XPLMGetNavAidInfo, void (XPLMNavRef, XPLMNavType *, float *, float *, float *, int *, float *, char *, char *, char *));
CHECK_FUNC(XPLMCountFMSEntries, int (void));
CHECK_FUNC(XPLMGetDisplayedFMSEntry, int (void));
CHECK_FUNC(XPLMGetDestinationFMSEntry, int (void));
CHECK_FUNC(XPLMSetDisplayedFMSEntry, void (int));
CHECK_FUNC(XPLMSetDestinationFMSEntry, void (int));
CHECK_FUNC(XPLMGetFMSEntryInfo, void (int, XPLMNavType *, char *, XPLMNavRef *, int *, float *, float *));
CHECK_FUNC(XPLMSetFMSEntryInfo, void (int, XPLMNavRef, int));
CHECK_FUNC(XPLMSetFMSEntryLatLon, void (int, float, float, int));
CHECK_FUNC(XPLMClearFMSEntry, void (int));
CHECK_FUNC(XPLMGetGPSDestinationType, XPLMNavType (void));
CHECK_FUNC(XPLMGetGPSDestination, XPLMNavRef (void));
CHECK_FUNC(XPLMSetGraphicsState, void (int, int, int, int, int, int, int));
CHECK_FUNC(XPLMBindTexture2d, void (int, int));
CHECK_FUNC(XPLMGenerateTextureNumbers, void (int *, int));
CHECK_FUNC(XPLMGetTexture, int (XPLMTextureID));
CHECK_FUNC(XPLMWorldToLocal, void (double, double, double, double *, double *, double *));
CHECK_FUNC(XPLMLocalToWorld, void (double, double, double, double *, double *, double *));
CHECK_FUNC(XPLMDrawTranslucentDarkBox, void (int, int, int, int));
CHECK_FUNC(XPLMDrawString, void (float *, int, int, char *, int *, XPLMFontID));
CHECK_FUNC(XPLMGetNthAircraftModel, void (int, char *, char *));
CHECK_FUNC(XPLMSetUsersAircraft, void (const char *));
CHECK_FUNC(XPLMPlaceUserAtAirport, void (const char *));
#if defined(XPLM300)
CHECK_FUNC(XPLMPlaceUserAtLocation, void (double, double, float, float, float));
#endif
CHECK_FUNC(XPLMCountAircraft, void (int *, int *, XPLMPluginID *));
CHECK_FUNC(XPLMAcquirePlanes, int (char **, XPLMPlanesAvailable_f, void *));
CHECK_FUNC(XPLMReleasePlanes, void (void));
CHECK_FUNC(XPLMSetActiveAircraftCount, void (int));
CHECK_FUNC(XPLMSetAircraftModel, void (int, const char *));
CHECK_FUNC(XPLMDisableAIForPlane, void (int));
CHECK_FUNC(XPLMDrawAircraft, void (int, float, float, float, float, float, float, int, XPLMPlaneDrawState_t *));
CHECK_FUNC(XPLMReinitUsersPlane, void (void));
CHECK_CALLBACK(XPLMPlanesAvailable_f, void (*)(void *));
CHECK_VALUE(XPLM_USER_AIRCRAFT, 0);
CHECK_FUNC(XPLMGetMyID, XPLMPluginID (void));
CHECK_FUNC(XPLMCountPlugins, int (void));
CHECK_FUNC(XPLMGetNthPlugin, XPLMPluginID (int));
CHECK_FUNC(XPLMFindPluginBySignature, XPLMPluginID (const char *));
CHECK_FUNC(XPLMGetPluginInfo, void (XPLMPluginID, char *, char *, char *, char *));
CHECK_FUNC(XPLMIsPluginEnabled, int (XPLMPluginID));
CHECK_FUNC(XPLMEnablePlugin, int (XPLMPluginID));
CHECK_FUNC(XPLMDisablePlugin, void (XPLMPluginID));
CHECK_FUNC(XPLMSendMessageToPlugin, void (XPLMPluginID, int, void *));

// XPLM210 created flight loops
#if defined(XPLM210)
CHECK_TYPE(XPLMFlightLoopPhaseType, int, 4);
CHECK_TYPE(XPLMFlightLoopID, void *, 8);
CHECK_VALUE(xplm_FlightLoop_Phase_BeforeFlightModel, 0);
CHECK_VALUE(xplm_FlightLoop_Phase_AfterFlightModel, 1);
CHECK_FUNC(XPLMCreateFlightLoop, XPLMFlightLoopID (XPLMCreateFlightLoop_t *));
CHECK_FUNC(XPLMDestroyFlightLoop, void (XPLMFlightLoopID));
CHECK_FUNC(XPLMScheduleFlightLoop, void (XPLMFlightLoopID, float, int));

// Utilities: folders, versions, keys, data files, errors; shared data.
CHECK_TYPE(XPLMCommandKeyID, int, 4);
CHECK_TYPE(XPLMCommandButtonID, int, 4);
CHECK_TYPE(XPLMHostApplicationID, int, 4);
CHECK_TYPE(XPLMLanguageCode, int, 4);
CHECK_VALUE(xplm_key_pause, 0);
CHECK_VALUE(xplm_key_otto_dis, 9);
CHECK_VALUE(xplm_key_tranID, 93);
CHECK_VALUE(xplm_key_max, 94);
CHECK_VALUE(xplm_joy_nothing, 0);
CHECK_VALUE(xplm_joy_gear_tog, 51);
CHECK_VALUE(xplm_joy_lanlights, 93);
CHECK_VALUE(xplm_joy_max, 94);
CHECK_VALUE(xplm_Host_XPlane, 1);
CHECK_VALUE(xplm_Host_XAuto, 7);
CHECK_VALUE(xplm_Language_Korean, 6);
CHECK_VALUE(xplm_Language_Chinese, 10);
CHECK_FUNC(XPLMGetSystemPath, void (char *));
CHECK_FUNC(XPLMGetPrefsPath, void (char *));
CHECK_FUNC(XPLMGetDirectorySeparator, const char * (void));
CHECK_FUNC(XPLMExtractFileAndPath, char * (char *));
CHECK_FUNC(XPLMGetDirectoryContents, int (const char *, int, char *, int, char **, int, int *, int *));
CHECK_FUNC(XPLMInitialized, int (void));
CHECK_FUNC(XPLMGetVersions, void (int *, int *, XPLMHostApplicationID *));
CHECK_FUNC(XPLMGetLanguage, XPLMLanguageCode (void));
CHECK_FUNC(XPLMSimulateKeyPress, void (int, int));
CHECK_FUNC(XPLMSpeakString, void (const char *));
CHECK_FUNC(XPLMCommandKeyStroke, void (XPLMCommandKeyID));
CHECK_FUNC(XPLMCommandButtonPress, void (XPLMCommandButtonID));
CHECK_FUNC(XPLMCommandButtonRelease, void (XPLMCommandButtonID));
CHECK_FUNC(XPLMGetVirtualKeyDescription, const char * (char));
CHECK_FUNC(XPLMReloadScenery, void (void));
#if defined(XPLM200)
CHECK_TYPE(XPLMDataFileType, int, 4);
CHECK_VALUE(xplm_DataFile_Situation, 1);
CHECK_VALUE(xplm_DataFile_ReplayMovie, 2);
CHECK_CALLBACK(XPLMError_f, void (*)(const char *));
CHECK_FUNC(XPLMLoadDataFile, int (XPLMDataFileType, const char *));
CHECK_FUNC(XPLMSaveDataFile, int (XPLMDataFileType, const char *));
CHECK_FUNC(XPLMSetErrorCallback, void (XPLMError_f));
CHECK_FUNC(XPLMFindSymbol, void * (const char *));
#endif
CHECK_CALLBACK(XPLMDataChanged_f, void (*)(void *));
CHECK_FUNC(XPLMIsDataRefGood, int (XPLMDataRef));
CHECK_FUNC(XPLMShareData, int (const char *, XPLMDataTypeID, XPLMDataChanged_f, void *));
CHECK_FUNC(XPLMUnshareData, int (const char *, XPLMDataTypeID, XPLMDataChanged_f, void *));
#endif

// Virtual key codes
CHECK_VALUE(XPLM_VK_EQUAL, 0xB0);

// Planes: the draw state of XPLMDrawAircraft.
static_assert(sizeof(XPLMPlaneDrawState_t) == 44 && alignof(XPLMPlaneDrawState_t) == 4, "XPLMPlaneDrawState_t");
CHECK_FIELD(XPLMPlaneDrawState_t, structSize, int, 0, 4);
CHECK_FIELD(XPLMPlaneDrawState_t, gearPosition, float, 4, 4);
CHECK_FIELD(XPLMPlaneDrawState_t, flapRatio, float, 8, 4);
CHECK_FIELD(XPLMPlaneDrawState_t, spoilerRatio, float, 12, 4);
CHECK_FIELD(XPLMPlaneDrawState_t, speedBrakeRatio, float, 16, 4);
CHECK_FIELD(XPLMPlaneDrawState_t, slatRatio, float, 20, 4);
CHECK_FIELD(XPLMPlaneDrawState_t, wingSweep, float, 24, 4);
CHECK_FIELD(XPLMPlaneDrawState_t, thrust, float, 28, 4);
CHECK_FIELD(XPLMPlaneDrawState_t, yokePitch, float, 32, 4);
CHECK_FIELD(XPLMPlaneDrawState_t, yokeHeading, float, 36, 4);
CHECK_FIELD(XPLMPlaneDrawState_t, yokeRoll, float, 40, 4);

// Maps (XPLM300)
#if defined(XPLM300)
CHECK_TYPE(XPLMMapLayerID, void *, 8);
CHECK_TYPE(XPLMMapProjectionID, void *, 8);
CHECK_TYPE(XPLMMapStyle, int, 4);
CHECK_TYPE(XPLMMapLayerType, int, 4);
CHECK_TYPE(XPLMMapOrientation, int, 4);
CHECK_VALUE(xplm_MapStyle_VFR_Sectional, 0);
CHECK_VALUE(xplm_MapStyle_IFR_LowEnroute, 1);
CHECK_VALUE(xplm_MapStyle_IFR_HighEnroute, 2);
CHECK_VALUE(xplm_MapLayer_Fill, 0);
CHECK_VALUE(xplm_MapLayer_Markings, 1);
CHECK_VALUE(xplm_MapOrientation_Map, 0);
CHECK_VALUE(xplm_MapOrientation_UI, 1);
static_assert(sizeof(XPLMCreateMapLayer_t) == 88 && alignof(XPLMCreateMapLayer_t) == 8, "XPLMCreateMapLayer_t");
CHECK_FIELD(XPLMCreateMapLayer_t, structSize, int, 0, 4);
CHECK_FIELD(XPLMCreateMapLayer_t, mapToCreateLayerIn, const char *, 8, 8);
CHECK_FIELD(XPLMCreateMapLayer_t, layerType, XPLMMapLayerType, 16, 4);
CHECK_FIELD(XPLMCreateMapLayer_t, willBeDeletedCallback, XPLMMapWillBeDeletedCallback_f, 24, 8);
CHECK_FIELD(XPLMCreateMapLayer_t, prepCacheCallback, XPLMMapPrepareCacheCallback_f, 32, 8);
CHECK_FIELD(XPLMCreateMapLayer_t, drawCallback, XPLMMapDrawingCallback_f, 40, 8);
CHECK_FIELD(XPLMCreateMapLayer_t, iconCallback, XPLMMapIconDrawingCallback_f, 48, 8);
CHECK_FIELD(XPLMCreateMapLayer_t, labelCallback, XPLMMapLabelDrawingCallback_f, 56, 8);
CHECK_FIELD(XPLMCreateMapLayer_t, showUiToggle, int, 64, 4);
CHECK_FIELD(XPLMCreateMapLayer_t, layerName, const char *, 72, 8);
CHECK_FIELD(XPLMCreateMapLayer_t, refcon, void *, 80, 8);
CHECK_CALLBACK(XPLMMapDrawingCallback_f,
               void (*)(XPLMMapLayerID, const float *, float, float, XPLMMapStyle, XPLMMapProjectionID, void *));
CHECK_CALLBACK(XPLMMapIconDrawingCallback_f,
               void (*)(XPLMMapLayerID, const float *, float, float, XPLMMapStyle, XPLMMapProjectionID, void *));
CHECK_CALLBACK(XPLMMapLabelDrawingCallback_f,
               void (*)(XPLMMapLayerID, const float *, float, float, XPLMMapStyle, XPLMMapProjectionID, void *));
CHECK_CALLBACK(XPLMMapPrepareCacheCallback_f, void (*)(XPLMMapLayerID, const float *, XPLMMapProjectionID, void *));
CHECK_CALLBACK(XPLMMapWillBeDeletedCallback_f, void (*)(XPLMMapLayerID, void *));
CHECK_CALLBACK(XPLMMapCreatedCallback_f, void (*)(const char *, void *));
CHECK_FUNC(XPLMCreateMapLayer, XPLMMapLayerID (XPLMCreateMapLayer_t *));
CHECK_FUNC(XPLMDestroyMapLayer, int (XPLMMapLayerID));
CHECK_FUNC(XPLMRegisterMapCreationHook, void (XPLMMapCreatedCallback_f, void *));
CHECK_FUNC(XPLMMapExists, int (const char *));
CHECK_FUNC(XPLMDrawMapIconFromSheet,
           void (XPLMMapLayerID, const char *, int, int, int, int, float, float, XPLMMapOrientation, float, float));
CHECK_FUNC(XPLMDrawMapLabel, void (XPLMMapLayerID, const char *, float, float, XPLMMapOrientation, float));
CHECK_FUNC(XPLMMapProject, void (XPLMMapProjectionID, double, double, float *, float *));
CHECK_FUNC(XPLMMapUnproject, void (XPLMMapProjectionID, float, float, double *, double *));
CHECK_FUNC(XPLMMapScaleMeter, float (XPLMMapProjectionID, float, float));
CHECK_FUNC(XPLMMapGetNorthHeading, float (XPLMMapProjectionID, float, float));
#endif
