// Natives of com.brevanto.qovin.menu.XPlaneMenu: menus whose items call a Java
// MenuItem's actionPerformed. Item references are global references owned by
// the Java side: made by createMenuItemGlobalRef, freed by removeMenuItemN and
// clearAllMenuItemsN.
#include <XPLMMenus.h>

#include "bridge.h"
#include "com_brevanto_qovin_menu_XPlaneMenu.h"

namespace {
jmethodID actionPerformedMtd = nullptr;
}

// An item without a reference (one that carries a submenu) calls nothing. An
// exception thrown by actionPerformed is printed and cleared.
void XPlaneMenuHandler(void*, void* inItemRef) {
  if (inItemRef == nullptr) return;
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
  const char* name = jname != nullptr ? env->GetStringUTFChars(jname, nullptr) : nullptr;
  XPLMMenuID menu = XPLMCreateMenu(name != nullptr ? name : "", reinterpret_cast<XPLMMenuID>(parentPtr), parentItem,
                                   XPlaneMenuHandler, self);
  if (name != nullptr) env->ReleaseStringUTFChars(jname, name);
  return reinterpret_cast<jlong>(menu);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_destroyN(JNIEnv*, jclass, jlong menuPtr) {
  XPLMDestroyMenu(reinterpret_cast<XPLMMenuID>(menuPtr));
}

JNIEXPORT jlong JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_createMenuItemGlobalRef(JNIEnv* env, jclass,
                                                                                       jobject jmenuitem) {
  return reinterpret_cast<jlong>(env->NewGlobalRef(jmenuitem));
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_appendMenuItemN(JNIEnv* env, jclass, jlong menuPtr,
                                                                              jstring jname, jlong menuItemPtr,
                                                                              jboolean forceEnglish) {
  const char* name = jname != nullptr ? env->GetStringUTFChars(jname, nullptr) : nullptr;
  const int index = XPLMAppendMenuItem(reinterpret_cast<XPLMMenuID>(menuPtr), name != nullptr ? name : "",
                                       reinterpret_cast<void*>(menuItemPtr), forceEnglish ? 1 : 0);
  if (name != nullptr) env->ReleaseStringUTFChars(jname, name);
  return index;
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_appendMenuSeparatorN(JNIEnv*, jclass,
                                                                                   jlong menuPtr) {
  XPLMAppendMenuSeparator(reinterpret_cast<XPLMMenuID>(menuPtr));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_removeMenuItemN(JNIEnv* env, jclass, jlong menuPtr,
                                                                              jlong menuItemPtr, jint idx) {
  XPLMRemoveMenuItem(reinterpret_cast<XPLMMenuID>(menuPtr), idx);
  env->DeleteGlobalRef(reinterpret_cast<jobject>(menuItemPtr));
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_clearAllMenuItemsN(JNIEnv* env, jclass,
                                                                                 jlong menuPtr,
                                                                                 jlongArray jitemPtrs) {
  XPLMClearAllMenuItems(reinterpret_cast<XPLMMenuID>(menuPtr));
  if (jitemPtrs == nullptr) return;
  const jsize count = env->GetArrayLength(jitemPtrs);
  jlong* refs = env->GetLongArrayElements(jitemPtrs, nullptr);
  if (refs == nullptr) return;
  for (jsize i = 0; i < count; ++i) env->DeleteGlobalRef(reinterpret_cast<jobject>(refs[i]));
  env->ReleaseLongArrayElements(jitemPtrs, refs, JNI_ABORT);
}

JNIEXPORT void JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_setMenuItemCheckN(JNIEnv*, jclass, jlong menuPtr,
                                                                                jint menuItemIdx,
                                                                                jint checkState) {
  XPLMCheckMenuItem(reinterpret_cast<XPLMMenuID>(menuPtr), menuItemIdx, checkState);
}

JNIEXPORT jint JNICALL Java_com_brevanto_qovin_menu_XPlaneMenu_getMenuItemCheckN(JNIEnv*, jclass, jlong menuPtr,
                                                                                jint menuItemIdx) {
  XPLMMenuCheck state = 0;
  XPLMCheckMenuItemState(reinterpret_cast<XPLMMenuID>(menuPtr), menuItemIdx, &state);
  return state;
}
