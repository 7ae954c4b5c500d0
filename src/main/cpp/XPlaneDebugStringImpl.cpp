// Natives of com.brevanto.qovin.util.XPlaneDebugStringImpl: text for the
// simulator's log.
#include <XPLMUtilities.h>

#include <cstring>
#include <string>

#include "bridge.h"
#include "utf8.h"
#include "com_brevanto_qovin_util_XPlaneDebugStringImpl.h"

// A null string writes nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_util_XPlaneDebugStringImpl_debugStringN(JNIEnv* env, jclass,
                                                                                        jstring str) {
  const Utf8 text(env, str);
  if (text) XPLMDebugString(text.c_str());
}

// The text runs up to the first zero byte. An array without one is written
// whole, as if a zero byte followed its last element; a null array writes nothing.
JNIEXPORT void JNICALL Java_com_brevanto_qovin_util_XPlaneDebugStringImpl_debugStringBN(JNIEnv* env, jclass,
                                                                                         jbyteArray ba) {
  if (ba == nullptr) return;
  const jsize length = env->GetArrayLength(ba);
  jbyte* bytes = env->GetByteArrayElements(ba, nullptr);
  if (bytes == nullptr) return;
  const char* text = reinterpret_cast<const char*>(bytes);
  if (std::memchr(text, 0, static_cast<size_t>(length)) != nullptr) {
    XPLMDebugString(text);
  } else {
    const std::string terminated(text, static_cast<size_t>(length));
    XPLMDebugString(terminated.c_str());
  }
  env->ReleaseByteArrayElements(ba, bytes, JNI_ABORT);
}
