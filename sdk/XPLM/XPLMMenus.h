#ifndef _XPLMMenus_h_
#define _XPLMMenus_h_

/*
 * XPLMMenus.h - plugin menus. Item indices are zero-based.
 */

#include "XPLMDefs.h"
#include "XPLMUtilities.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Opaque handle to a menu. */
typedef void * XPLMMenuID;

/* Check mark state of a menu item. */
enum {
    xplm_Menu_NoCheck   = 0,
    xplm_Menu_Unchecked = 1,
    xplm_Menu_Checked   = 2
};
typedef int XPLMMenuCheck;

/* Called when an item is chosen, with the menu's and the item's refs. */
typedef void (* XPLMMenuHandler_f)(void * inMenuRef, void * inItemRef);

XPLM_API XPLMMenuID XPLMFindPluginsMenu(void);
XPLM_API XPLMMenuID XPLMCreateMenu(const char * inName, XPLMMenuID inParentMenu, int inParentItem, XPLMMenuHandler_f inHandler, void * inMenuRef);
XPLM_API void       XPLMDestroyMenu(XPLMMenuID inMenuID);
XPLM_API void       XPLMClearAllMenuItems(XPLMMenuID inMenuID);
XPLM_API int        XPLMAppendMenuItem(XPLMMenuID inMenu, const char * inItemName, void * inItemRef, int inDeprecatedAndIgnored);
XPLM_API void       XPLMAppendMenuSeparator(XPLMMenuID inMenu);
XPLM_API void       XPLMCheckMenuItem(XPLMMenuID inMenu, int index, XPLMMenuCheck inCheck);
XPLM_API void       XPLMCheckMenuItemState(XPLMMenuID inMenu, int index, XPLMMenuCheck * outCheck);
XPLM_API void       XPLMSetMenuItemName(XPLMMenuID inMenu, int inIndex, const char * inItemName, int inForceEnglish);
XPLM_API void       XPLMEnableMenuItem(XPLMMenuID inMenu, int index, int enabled);

#if defined(XPLM300)
XPLM_API XPLMMenuID XPLMFindAircraftMenu(void);
XPLM_API int        XPLMAppendMenuItemWithCommand(XPLMMenuID inMenu, const char * inItemName, XPLMCommandRef inCommandToExecute);
#endif /* XPLM300 */

#if defined(XPLM210)
XPLM_API void XPLMRemoveMenuItem(XPLMMenuID inMenu, int inIndex);
#endif /* XPLM210 */

#ifdef __cplusplus
}
#endif

#endif /* _XPLMMenus_h_ */
