// Natives of com.brevanto.qovin.menu.XPlaneMenu: menus whose items call a Java
// MenuItem's actionPerformed. Item references are global references made by
// createMenuItemGlobalRef and freed by removeMenuItemN, clearAllMenuItemsN or
// destroyN. The bridge records where each is placed (menu and index), so only
// a reference it made, placed where the caller says, is ever freed: the
// simulator never keeps an item whose reference is gone.
#include <XPLMMenus.h>

#include "bridge.h"
#include "utf8.h"
#include "registrations.h"
#include "com_brevanto_qovin_menu_XPlaneMenu.h"

namespace {
jmethodID actionPerformedMtd = nullptr;

XPLMMenuID menu(jlong menuPtr) { return reinterpret_cast<XPLMMenuID>(menuPtr); }

qovin::RegistrationMap& items() { return qovin::registrations(qovin::Kind::kMenuItem); }

// The reference placed at `index` of `menuPtr`, or the end.
qovin::RegistrationMap::iterator placedAt(jlong menuPtr, jint index) {
  for (auto it = items().begin(); it != items().end(); ++it) {
    if (it->second.a == menuPtr && it->second.b == index) return it;
  }
  return items().end();
}

// Deletes every reference placed in `menuPtr`, and forgets them.
void releasePlacedIn(JNIEnv* env, jlong menuPtr) {
  for (auto it = items().begin(); it != items().end();) {
    if (it->second.a == menuPtr) {
      env->DeleteGlobalRef(it->second.ref);
      it = items().erase(it);
    } else {
      ++it;
    }
  }
}
}  // namespace

// An item without a reference (one that carries a submenu), or with one the
// bridge does not hold (any more), calls nothing: a pick is rare enough to
// look it up. An exception thrown by actionPerformed is printed and cleared.
void XPlaneMenuHandler(void*, void* inItemRef) {
  if (qovin::findRegistration(qovin::Kind::kMenuItem, qovin::keyOf(static_cast<jobject>(inItemRef))) == nullptr) {
    return;
  }
  JVMP_env->CallVoidMethod(static_cast<jobject>(inItemRef), actionPerformedMtd);
  printAndClearException();
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_initialize(JNIEnv*, jclass) {
  jclass cls = JVMP_env->FindClass("com/brevanto/qovin/menu/MenuItem");
  if (cls == nullptr) return;
  actionPerformedMtd = JVMP_env->GetMethodID(cls, "actionPerformed", "()V");
  JVMP_env->DeleteLocalRef(cls);
}

JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_findPluginsMenuN(JNIEnv*, jclass) {
  return reinterpret_cast<jlong>(XPLMFindPluginsMenu());
}

// The menu reference handed to the simulator is the receiver as passed in; the
// handler never reads it.
JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_createMenuN(JNIEnv* env, jobject self,
                                                                           jstring jname, jlong parentPtr,
                                                                           jint parentItem) {
  const Utf8 name(env, jname);
  XPLMMenuID created = XPLMCreateMenu(name.orEmpty(), menu(parentPtr), parentItem, XPlaneMenuHandler, self);
  return reinterpret_cast<jlong>(created);
}

// References still placed in the menu are deleted after it is gone.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_destroyN(JNIEnv* env, jclass, jlong menuPtr) {
  XPLMDestroyMenu(menu(menuPtr));
  releasePlacedIn(env, menuPtr);
}

JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_createMenuItemGlobalRef(JNIEnv* env, jclass,
                                                                                       jobject jmenuitem) {
  jobject ref = env->NewGlobalRef(jmenuitem);
  if (ref != nullptr) qovin::addRegistration(qovin::Kind::kMenuItem, qovin::keyOf(ref), {ref, nullptr, 0, 0});
  return qovin::keyOf(ref);
}

// The reference must be 0 or one made by createMenuItemGlobalRef and not yet
// placed; anything else answers -1 without reaching the simulator.
JNIEXPORT jint JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_appendMenuItemN(JNIEnv* env, jclass, jlong menuPtr,
                                                                              jstring jname, jlong menuItemPtr,
                                                                              jboolean forceEnglish) {
  qovin::Registration* item = nullptr;
  if (menuItemPtr != 0) {
    item = qovin::findRegistration(qovin::Kind::kMenuItem, menuItemPtr);
    if (item == nullptr || item->a != 0) return -1;
  }
  const Utf8 name(env, jname);
  const int index =
      XPLMAppendMenuItem(menu(menuPtr), name.orEmpty(), reinterpret_cast<void*>(menuItemPtr), forceEnglish ? 1 : 0);
  if (item != nullptr && index >= 0) {
    item->a = menuPtr;
    item->b = index;
  }
  return index;
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_appendMenuSeparatorN(JNIEnv*, jclass,
                                                                                   jlong menuPtr) {
  XPLMAppendMenuSeparator(menu(menuPtr));
}

// With a reference: removes the item only if that reference is placed at
// `idx` of the menu (a reference made but never placed is just deleted).
// Without one (0): removes the line at `idx` only if no reference of ours is
// placed there. Items after it move up one index, in the record too; any
// other call changes nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_removeMenuItemN(JNIEnv* env, jclass, jlong menuPtr,
                                                                              jlong menuItemPtr, jint idx) {
  if (menuItemPtr != 0) {
    const qovin::Registration* item = qovin::findRegistration(qovin::Kind::kMenuItem, menuItemPtr);
    if (item == nullptr) return;
    if (item->a == 0) {
      env->DeleteGlobalRef(item->ref);
      qovin::removeRegistration(qovin::Kind::kMenuItem, menuItemPtr);
      return;
    }
    if (item->a != menuPtr || item->b != idx) return;
  } else if (idx < 0 || placedAt(menuPtr, idx) != items().end()) {
    return;
  }
  XPLMRemoveMenuItem(menu(menuPtr), idx);
  if (menuItemPtr != 0) {
    env->DeleteGlobalRef(reinterpret_cast<jobject>(menuItemPtr));
    qovin::removeRegistration(qovin::Kind::kMenuItem, menuItemPtr);
  }
  for (auto& entry : items()) {
    if (entry.second.a == menuPtr && entry.second.b > idx) --entry.second.b;
  }
}

// Every reference placed in the menu is deleted; listed references made but
// never placed are deleted too, and the others listed are left alone.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_clearAllMenuItemsN(JNIEnv* env, jclass,
                                                                                 jlong menuPtr,
                                                                                 jlongArray jitemPtrs) {
  XPLMClearAllMenuItems(menu(menuPtr));
  releasePlacedIn(env, menuPtr);
  if (jitemPtrs == nullptr) return;
  const jsize count = env->GetArrayLength(jitemPtrs);
  for (jsize i = 0; i < count; ++i) {
    jlong ref = 0;
    env->GetLongArrayRegion(jitemPtrs, i, 1, &ref);
    const qovin::Registration* item = qovin::findRegistration(qovin::Kind::kMenuItem, ref);
    if (item != nullptr && item->a == 0) {
      env->DeleteGlobalRef(item->ref);
      qovin::removeRegistration(qovin::Kind::kMenuItem, ref);
    }
  }
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_setMenuItemCheckN(JNIEnv*, jclass, jlong menuPtr,
                                                                                jint menuItemIdx,
                                                                                jint checkState) {
  XPLMCheckMenuItem(menu(menuPtr), menuItemIdx, checkState);
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_getMenuItemCheckN(JNIEnv*, jclass, jlong menuPtr,
                                                                                jint menuItemIdx) {
  XPLMMenuCheck state = 0;
  XPLMCheckMenuItemState(menu(menuPtr), menuItemIdx, &state);
  return state;
}

// Null when the simulator does not give this plugin the aircraft's menu.
JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_findAircraftMenuN(JNIEnv* env, jclass) {
  if (offHostThread(env)) return 0;
  return reinterpret_cast<jlong>(XPLMFindAircraftMenu());
}

// The command is found by its name here, so the simulator is only ever given
// a command it handed out: a null or unknown name answers -1 without an item.
// The item carries no reference of ours (a pick runs the command).
JNIEXPORT jint JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_appendMenuItemWithCommandN(JNIEnv* env, jclass,
                                                                                        jlong menuPtr,
                                                                                        jstring jname,
                                                                                        jstring jcommand) {
  if (offHostThread(env)) return -1;
  const jlong command = handleForText(env, jcommand, XPLMFindCommand);
  if (command == 0) return -1;
  const Utf8 name(env, jname);
  return XPLMAppendMenuItemWithCommand(menu(menuPtr), name.orEmpty(), reinterpret_cast<XPLMCommandRef>(command));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_enableMenuItemN(JNIEnv* env, jclass, jlong menuPtr,
                                                                              jint menuItemIdx,
                                                                              jboolean enabled) {
  if (offHostThread(env)) return;
  XPLMEnableMenuItem(menu(menuPtr), menuItemIdx, enabled ? 1 : 0);
}

// A null name sets an empty one.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_setMenuItemNameN(JNIEnv* env, jclass, jlong menuPtr,
                                                                               jint menuItemIdx, jstring jname) {
  if (offHostThread(env)) return;
  const Utf8 name(env, jname);
  XPLMSetMenuItemName(menu(menuPtr), menuItemIdx, name.orEmpty(), 0);
}
