// Natives of com.brevanto.qovin.util.Keys: key strokes and joystick buttons.
#include <XPLMUtilities.h>

#include "bridge.h"
#include "utf8.h"
#include "com_brevanto_qovin_util_Keys.h"

#define QOVIN_KEYS(name) Java_com_brevanto_qovin_util_Keys_##name

JNIEXPORT void JNICALL QOVIN_KEYS(simulateKeyPressN)(JNIEnv*, jclass, jint keyType, jint key) {
  XPLMSimulateKeyPress(keyType, key);
}

// Codes outside the key functions (0 to xplm_key_max - 1) reach nothing.
JNIEXPORT void JNICALL QOVIN_KEYS(commandKeyStrokeN)(JNIEnv*, jclass, jint key) {
  if (key >= 0 && key < xplm_key_max) XPLMCommandKeyStroke(key);
}

// Codes outside the button actions (0 to xplm_joy_max - 1) reach nothing.
JNIEXPORT void JNICALL QOVIN_KEYS(commandButtonPressN)(JNIEnv*, jclass, jint button) {
  if (button >= 0 && button < xplm_joy_max) XPLMCommandButtonPress(button);
}
JNIEXPORT void JNICALL QOVIN_KEYS(commandButtonReleaseN)(JNIEnv*, jclass, jint button) {
  if (button >= 0 && button < xplm_joy_max) XPLMCommandButtonRelease(button);
}

// A null description gives null.
JNIEXPORT jstring JNICALL QOVIN_KEYS(virtualKeyDescriptionN)(JNIEnv* env, jclass, jbyte virtualKey) {
  return newJavaString(env, XPLMGetVirtualKeyDescription(static_cast<char>(virtualKey)));
}
