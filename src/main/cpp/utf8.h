// Texts between Java (UTF-16) and the simulator (UTF-8). Characters outside
// the Basic Multilingual Plane cross as themselves both ways; a NUL in a Java
// string crosses as the two bytes C0 80, so no text is cut short.
#ifndef QOVIN_UTF8_H
#define QOVIN_UTF8_H

#include <jni.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// Encodes `count` UTF-16 units as UTF-8 into `out`, which has room for
// 3 * count + 1 bytes, and terminates it; returns the bytes written before the
// terminator. A surrogate pair gives the four bytes of its character; U+0000
// gives C0 80 and a lone surrogate its three bytes, as modified UTF-8 has them.
size_t encodeUtf8(const jchar* units, size_t count, char* out);

// Decodes `length` bytes of UTF-8 into UTF-16 `out`, which has room for
// `length` units; returns the units written. C0 80 is U+0000; each byte of an
// invalid sequence gives U+FFFD (a maximal invalid prefix gives one); an
// incomplete sequence at the end is dropped.
size_t decodeUtf8(const unsigned char* text, size_t length, jchar* out);

// A Java string of the NUL-terminated UTF-8 `text` (null for a null text).
jstring newJavaString(JNIEnv* env, const char* text);
// A Java string of `length` bytes of UTF-8 (NUL bytes included, as U+0000).
jstring newJavaString(JNIEnv* env, const char* text, size_t length);
// A new String[] of the UTF-8 `texts`; null, with the Java error pending, if
// it cannot be made. Local references are deleted as it goes.
jobjectArray newJavaStrings(JNIEnv* env, const std::vector<std::string>& texts);

// The UTF-8 of a Java string, held for one scope. Strings of up to 128
// characters live in the object itself: nothing is allocated.
class Utf8 {
 public:
  Utf8(JNIEnv* env, jstring text);
  Utf8(const Utf8&) = delete;
  Utf8& operator=(const Utf8&) = delete;

  // False for a null string.
  explicit operator bool() const { return chars_ != nullptr; }
  // The text, or null for a null string.
  const char* c_str() const { return chars_; }
  // The text, or "" for a null string.
  const char* orEmpty() const { return chars_ != nullptr ? chars_ : ""; }

 private:
  static constexpr size_t kInlineUnits = 128;
  char inline_[3 * kInlineUnits + 1];
  std::unique_ptr<char[]> heap_;
  char* chars_ = nullptr;
};

#endif
