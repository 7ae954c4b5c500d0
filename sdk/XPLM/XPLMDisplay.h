#ifndef _XPLMDisplay_h_
#define _XPLMDisplay_h_

/*
 * XPLMDisplay.h - drawing callbacks, key sniffers, windows, screen and mouse.
 */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Drawing callbacks and key sniffers
 */

/* Drawing phases: 0-30 are 3-D, 35-55 are 2-D. */
enum {
    xplm_Phase_FirstScene   = 0,
    xplm_Phase_Terrain      = 5,
    xplm_Phase_Airports     = 10,
    xplm_Phase_Vectors      = 15,
    xplm_Phase_Objects      = 20,
    xplm_Phase_Airplanes    = 25,
    xplm_Phase_LastScene    = 30,
    xplm_Phase_FirstCockpit = 35,
    xplm_Phase_Panel        = 40,
    xplm_Phase_Gauges       = 45,
    xplm_Phase_Window       = 50,
    xplm_Phase_LastCockpit  = 55
#if defined(XPLM200)
   ,xplm_Phase_LocalMap3D      = 100,
    xplm_Phase_LocalMap2D      = 101,
    xplm_Phase_LocalMapProfile = 102
#endif
};
typedef int XPLMDrawingPhase;

/* Draw callback; before a phase, returning 0 suppresses X-Plane's drawing. */
typedef int (* XPLMDrawCallback_f)(XPLMDrawingPhase inPhase, int inIsBefore, void * inRefcon);

/* Key sniffer; returns 1 to pass the key on, 0 to consume it. */
typedef int (* XPLMKeySniffer_f)(char inChar, XPLMKeyFlags inFlags, char inVirtualKey, void * inRefcon);

XPLM_API int XPLMRegisterDrawCallback(XPLMDrawCallback_f inCallback, XPLMDrawingPhase inPhase, int inWantsBefore, void * inRefcon);
XPLM_API int XPLMUnregisterDrawCallback(XPLMDrawCallback_f inCallback, XPLMDrawingPhase inPhase, int inWantsBefore, void * inRefcon);
XPLM_API int XPLMRegisterKeySniffer(XPLMKeySniffer_f inCallback, int inBeforeWindows, void * inRefcon);
XPLM_API int XPLMUnregisterKeySniffer(XPLMKeySniffer_f inCallback, int inBeforeWindows, void * inRefcon);

/*
 * Windows
 */

/* Opaque handle to a window. */
typedef void * XPLMWindowID;

/* Mouse click sequence: one down, any drags, one up. */
enum {
    xplm_MouseDown = 1,
    xplm_MouseDrag = 2,
    xplm_MouseUp   = 3
};
typedef int XPLMMouseStatus;

#if defined(XPLM200)
/* Cursor a window asks for. */
enum {
    xplm_CursorDefault = 0,
    xplm_CursorHidden  = 1,
    xplm_CursorArrow   = 2,
    xplm_CursorCustom  = 3
};
typedef int XPLMCursorStatus;
#endif /* XPLM200 */

#if defined(XPLM300)
/* Window layers, lowest first; higher layers always cover lower ones. */
enum {
    xplm_WindowLayerFlightOverlay      = 0,
    xplm_WindowLayerFloatingWindows    = 1,
    xplm_WindowLayerModal              = 2,
    xplm_WindowLayerGrowlNotifications = 3
};
typedef int XPLMWindowLayer;

/* How a window is positioned. */
enum {
    xplm_WindowPositionFree            = 0,
    xplm_WindowCenterOnMonitor         = 1,
    xplm_WindowFullScreenOnMonitor     = 2,
    xplm_WindowFullScreenOnAllMonitors = 3,
    xplm_WindowPopOut                  = 4
};
typedef int XPLMWindowPositioningMode;
#endif /* XPLM300 */

/* Window callbacks. Mouse wheel: 0 = vertical, 1 = horizontal. */
typedef void (* XPLMDrawWindow_f)(XPLMWindowID inWindowID, void * inRefcon);
typedef void (* XPLMHandleKey_f)(XPLMWindowID inWindowID, char inKey, XPLMKeyFlags inFlags, char inVirtualKey, void * inRefcon, int losingFocus);
typedef int  (* XPLMHandleMouseClick_f)(XPLMWindowID inWindowID, int x, int y, XPLMMouseStatus inMouse, void * inRefcon);
#if defined(XPLM200)
typedef XPLMCursorStatus (* XPLMHandleCursor_f)(XPLMWindowID inWindowID, int x, int y, void * inRefcon);
typedef int  (* XPLMHandleMouseWheel_f)(XPLMWindowID inWindowID, int x, int y, int wheel, int clicks, void * inRefcon);
#endif /* XPLM200 */

#if defined(XPLM200)
/* Parameters for XPLMCreateWindowEx; structSize = sizeof this record. */
typedef struct {
    int                    structSize;
    int                    left;
    int                    top;
    int                    right;
    int                    bottom;
    int                    visible;
    XPLMDrawWindow_f       drawWindowFunc;
    XPLMHandleMouseClick_f handleMouseClickFunc;
    XPLMHandleKey_f        handleKeyFunc;
    XPLMHandleCursor_f     handleCursorFunc;
    XPLMHandleMouseWheel_f handleMouseWheelFunc;
    void *                 refcon;
#if defined(XPLM300)
    int                    decorateAsFloatingWindow;
    XPLMWindowLayer        layer;
    XPLMHandleMouseClick_f handleRightClickFunc;
#endif /* XPLM300 */
} XPLMCreateWindow_t;

XPLM_API XPLMWindowID XPLMCreateWindowEx(XPLMCreateWindow_t * inParams);
#endif /* XPLM200 */

/* Legacy window (pixel coordinates, no frame). */
XPLM_API XPLMWindowID XPLMCreateWindow(
        int                    inLeft,
        int                    inTop,
        int                    inRight,
        int                    inBottom,
        int                    inIsVisible,
        XPLMDrawWindow_f       inDrawCallback,
        XPLMHandleKey_f        inKeyCallback,
        XPLMHandleMouseClick_f inMouseCallback,
        void *                 inRefcon);

XPLM_API void XPLMDestroyWindow(XPLMWindowID inWindowID);

XPLM_API void XPLMGetWindowGeometry(XPLMWindowID inWindowID, int * outLeft, int * outTop, int * outRight, int * outBottom);
XPLM_API void XPLMSetWindowGeometry(XPLMWindowID inWindowID, int inLeft, int inTop, int inRight, int inBottom);

#if defined(XPLM300)
XPLM_API void XPLMGetWindowGeometryOS(XPLMWindowID inWindowID, int * outLeft, int * outTop, int * outRight, int * outBottom);
XPLM_API void XPLMSetWindowGeometryOS(XPLMWindowID inWindowID, int inLeft, int inTop, int inRight, int inBottom);
#endif /* XPLM300 */

XPLM_API int  XPLMGetWindowIsVisible(XPLMWindowID inWindowID);
XPLM_API void XPLMSetWindowIsVisible(XPLMWindowID inWindowID, int inIsVisible);

#if defined(XPLM300)
XPLM_API int  XPLMWindowIsPoppedOut(XPLMWindowID inWindowID);
XPLM_API void XPLMSetWindowGravity(XPLMWindowID inWindowID, float inLeftGravity, float inTopGravity, float inRightGravity, float inBottomGravity);
XPLM_API void XPLMSetWindowResizingLimits(XPLMWindowID inWindowID, int inMinWidthBoxels, int inMinHeightBoxels, int inMaxWidthBoxels, int inMaxHeightBoxels);
XPLM_API void XPLMSetWindowPositioningMode(XPLMWindowID inWindowID, XPLMWindowPositioningMode inPositioningMode, int inMonitorIndex);
XPLM_API void XPLMSetWindowTitle(XPLMWindowID inWindowID, const char * inWindowTitle);
#endif /* XPLM300 */

XPLM_API void * XPLMGetWindowRefCon(XPLMWindowID inWindowID);
XPLM_API void   XPLMSetWindowRefCon(XPLMWindowID inWindowID, void * inRefcon);

XPLM_API void XPLMTakeKeyboardFocus(XPLMWindowID inWindow);
XPLM_API void XPLMBringWindowToFront(XPLMWindowID inWindow);
XPLM_API int  XPLMIsWindowInFront(XPLMWindowID inWindow);

/*
 * Screen and mouse
 */

XPLM_API void XPLMGetScreenSize(int * outWidth, int * outHeight);
#if defined(XPLM300)
/* Called once per monitor, before XPLMGetAllMonitorBounds* returns. */
typedef void (* XPLMReceiveMonitorBoundsGlobal_f)(int inMonitorIndex, int inLeftBx, int inTopBx, int inRightBx, int inBottomBx, void * refcon);
typedef void (* XPLMReceiveMonitorBoundsOS_f)(int inMonitorIndex, int inLeftPx, int inTopPx, int inRightPx, int inBottomPx, void * refcon);
XPLM_API void XPLMGetAllMonitorBoundsGlobal(XPLMReceiveMonitorBoundsGlobal_f inMonitorBoundsCallback, void * refcon);
XPLM_API void XPLMGetAllMonitorBoundsOS(XPLMReceiveMonitorBoundsOS_f inMonitorBoundsCallback, void * refcon);
#endif /* XPLM300 */
#if defined(XPLM300)
XPLM_API void XPLMGetScreenBoundsGlobal(int * outLeft, int * outTop, int * outRight, int * outBottom);
#endif /* XPLM300 */
XPLM_API void XPLMGetMouseLocation(int * outX, int * outY);
#if defined(XPLM300)
XPLM_API void XPLMGetMouseLocationGlobal(int * outX, int * outY);
#endif /* XPLM300 */

/*
 * Hot keys
 */

typedef void * XPLMHotKeyID;

/* Called when the hot key's combination is pressed. */
typedef void (* XPLMHotKey_f)(void * inRefcon);

XPLM_API XPLMHotKeyID XPLMRegisterHotKey(char inVirtualKey, XPLMKeyFlags inFlags, const char * inDescription, XPLMHotKey_f inCallback, void * inRefcon);
XPLM_API void         XPLMUnregisterHotKey(XPLMHotKeyID inHotKey);
XPLM_API int          XPLMCountHotKeys(void);
XPLM_API XPLMHotKeyID XPLMGetNthHotKey(int inIndex);
XPLM_API void         XPLMGetHotKeyInfo(XPLMHotKeyID inHotKey, char * outVirtualKey, XPLMKeyFlags * outFlags, char * outDescription, XPLMPluginID * outPlugin);
XPLM_API void         XPLMSetHotKeyCombination(XPLMHotKeyID inHotKey, char inVirtualKey, XPLMKeyFlags inFlags);

#ifdef __cplusplus
}
#endif

#endif /* _XPLMDisplay_h_ */
