#ifndef _XPLMDefs_h_
#define _XPLMDefs_h_

/*
 * XPLMDefs.h - platform selection, linkage macros and the basic types
 * shared by every XPLM header.
 */

/* Exactly one of APL, IBM, LIN must be non-zero. */
#if APL
#elif IBM
#elif LIN
#else
#error "Platform not defined!"
#endif

#if IBM
#include <windows.h>
#else
#include <stdint.h>
#endif

/*
 * XPLM_API prefixes every SDK function. It is empty for plugins; when XPLM
 * itself is built (macro XPLM defined non-zero) the functions are exported.
 */
#if IBM
  #if defined(XPLM) && XPLM
    #define XPLM_API __declspec(dllexport)
  #else
    #define XPLM_API __declspec(dllimport)
  #endif
#elif defined(XPLM) && XPLM && defined(__GNUC__) && (__GNUC__ >= 4)
  #define XPLM_API __attribute__((visibility("default")))
#else
  #define XPLM_API
#endif

/* PLUGIN_API prefixes a plugin's exported entry points (XPluginStart ...). */
#if IBM
  #ifdef __cplusplus
    #define PLUGIN_API extern "C" __declspec(dllexport)
  #else
    #define PLUGIN_API __declspec(dllexport)
  #endif
#elif defined(__GNUC__) && (__GNUC__ >= 4)
  #ifdef __cplusplus
    #define PLUGIN_API extern "C" __attribute__((visibility("default")))
  #else
    #define PLUGIN_API __attribute__((visibility("default")))
  #endif
#else
  #ifdef __cplusplus
    #define PLUGIN_API extern "C"
  #else
    #define PLUGIN_API
  #endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Interface version of these headers. */
#define kXPLM_Version (210)

/* Identifies a loaded plugin for the current run. */
typedef int XPLMPluginID;

/* No plugin. */
#define XPLM_NO_PLUGIN_ID (-1)

/* X-Plane itself. */
#define XPLM_PLUGIN_XPLANE (0)

/* Modifier and press/release bits delivered with key events. */
enum {
    xplm_ShiftFlag     = 1,
    xplm_OptionAltFlag = 2,
    xplm_ControlFlag   = 4,
    xplm_DownFlag      = 8,
    xplm_UpFlag        = 16
};
typedef int XPLMKeyFlags;

/* Virtual key codes (unsigned byte values; callbacks receive them as char). */
#define XPLM_VK_EQUAL 0xB0

#ifdef __cplusplus
}
#endif

#endif /* _XPLMDefs_h_ */
