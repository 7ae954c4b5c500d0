#ifndef _XPLMMap_h_
#define _XPLMMap_h_

/*
 * XPLMMap.h - layers of the simulator's maps: drawing, icons, labels and
 * the map's projection.
 */

#include "XPLMDefs.h"

#ifdef __cplusplus
extern "C" {
#endif

#if defined(XPLM300)

/* A layer of a map. */
typedef void * XPLMMapLayerID;

/* The projection of a map: latitude and longitude to map coordinates. */
typedef void * XPLMMapProjectionID;

/* The user's map type. */
enum {
    xplm_MapStyle_VFR_Sectional  = 0,
    xplm_MapStyle_IFR_LowEnroute = 1,
    xplm_MapStyle_IFR_HighEnroute = 2
};
typedef int XPLMMapStyle;

/* Area graphics (fill) or point features (markings). */
enum {
    xplm_MapLayer_Fill     = 0,
    xplm_MapLayer_Markings = 1
};
typedef int XPLMMapLayerType;

/* What a rotation of 0 means: map north, or screen up. */
enum {
    xplm_MapOrientation_Map = 0,
    xplm_MapOrientation_UI  = 1
};
typedef int XPLMMapOrientation;

/* The Map window. */
#define XPLM_MAP_USER_INTERFACE "XPLM_MAP_USER_INTERFACE"

/* The Instructor Operator Station map. */
#define XPLM_MAP_IOS "XPLM_MAP_IOS"

/* Stage 1 of a map frame: OpenGL drawing, without depth-buffer writes. */
typedef void (* XPLMMapDrawingCallback_f)(XPLMMapLayerID inLayer, const float * inMapBoundsLeftTopRightBottom,
                                          float zoomRatio, float mapUnitsPerUserInterfaceUnit, XPLMMapStyle mapStyle,
                                          XPLMMapProjectionID projection, void * inRefcon);

/* Stage 2: icons only. */
typedef void (* XPLMMapIconDrawingCallback_f)(XPLMMapLayerID inLayer, const float * inMapBoundsLeftTopRightBottom,
                                              float zoomRatio, float mapUnitsPerUserInterfaceUnit,
                                              XPLMMapStyle mapStyle, XPLMMapProjectionID projection, void * refcon);

/* Stage 3: labels only. */
typedef void (* XPLMMapLabelDrawingCallback_f)(XPLMMapLayerID inLayer, const float * inMapBoundsLeftTopRightBottom,
                                               float zoomRatio, float mapUnitsPerUserInterfaceUnit,
                                               XPLMMapStyle mapStyle, XPLMMapProjectionID projection, void * refcon);

/* The map's total area changed: precompute what the drawing needs. */
typedef void (* XPLMMapPrepareCacheCallback_f)(XPLMMapLayerID inLayer, const float * inTotalMapBoundsLeftTopRightBottom,
                                               XPLMMapProjectionID projection, void * inRefcon);

/* Just before the layer goes. */
typedef void (* XPLMMapWillBeDeletedCallback_f)(XPLMMapLayerID inLayer, void * inRefcon);

/* A map was built: add layers now. */
typedef void (* XPLMMapCreatedCallback_f)(const char * mapIdentifier, void * refcon);

/* What XPLMCreateMapLayer makes. */
typedef struct {
    int                               structSize;
    const char *                      mapToCreateLayerIn;
    XPLMMapLayerType                  layerType;
    XPLMMapWillBeDeletedCallback_f    willBeDeletedCallback;
    XPLMMapPrepareCacheCallback_f     prepCacheCallback;
    XPLMMapDrawingCallback_f          drawCallback;
    XPLMMapIconDrawingCallback_f      iconCallback;
    XPLMMapLabelDrawingCallback_f     labelCallback;
    int                               showUiToggle;
    const char *                      layerName;
    void *                            refcon;
} XPLMCreateMapLayer_t;

XPLM_API XPLMMapLayerID XPLMCreateMapLayer(XPLMCreateMapLayer_t * inParams);
XPLM_API int XPLMDestroyMapLayer(XPLMMapLayerID inLayer);
XPLM_API void XPLMRegisterMapCreationHook(XPLMMapCreatedCallback_f callback, void * refcon);
XPLM_API int XPLMMapExists(const char * mapIdentifier);
XPLM_API void XPLMDrawMapIconFromSheet(XPLMMapLayerID layer, const char * inPngPath, int s, int t, int ds, int dt,
                                       float mapX, float mapY, XPLMMapOrientation orientation, float rotationDegrees,
                                       float mapWidth);
XPLM_API void XPLMDrawMapLabel(XPLMMapLayerID layer, const char * inText, float mapX, float mapY,
                               XPLMMapOrientation orientation, float rotationDegrees);
XPLM_API void XPLMMapProject(XPLMMapProjectionID projection, double latitude, double longitude, float * outX,
                             float * outY);
XPLM_API void XPLMMapUnproject(XPLMMapProjectionID projection, float mapX, float mapY, double * outLatitude,
                               double * outLongitude);
XPLM_API float XPLMMapScaleMeter(XPLMMapProjectionID projection, float mapX, float mapY);
XPLM_API float XPLMMapGetNorthHeading(XPLMMapProjectionID projection, float mapX, float mapY);

#endif /* XPLM300 */

#ifdef __cplusplus
}
#endif

#endif /* _XPLMMap_h_ */
