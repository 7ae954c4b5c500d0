// UTF-8 for the simulator, UTF-16 for Java, and the conversions between them.
#include "utf8.h"

#include <cstring>
#include <new>

namespace {

constexpr jchar kReplacement = 0xFFFD;

bool continuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// How many bytes a sequence starting with `lead` has, and the range its second
// byte must lie in (which excludes overlong forms, surrogates and values past
// U+10FFFF); 0 for a byte that starts no sequence.
int sequenceLength(unsigned char lead, unsigned char* low, unsigned char* high) {
  *low = 0x80;
  *high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) {
    if (lead == 0xE0) *low = 0xA0;
    if (lead == 0xED) *high = 0x9F;
    return 3;
  }
  if (lead >= 0xF0 && lead <= 0xF4) {
    if (lead == 0xF0) *low = 0x90;
    if (lead == 0xF4) *high = 0x8F;
    return 4;
  }
  return 0;
}

}  // namespace

size_t encodeUtf8(const jchar* units, size_t count, char* out) {
  auto* p = reinterpret_cast<unsigned char*>(out);
  for (size_t i = 0; i < count; ++i) {
    unsigned code = units[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < count && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      code = 0x10000u + ((code - 0xD800u) << 10) + (units[i + 1] - 0xDC00u);
      ++i;
      *p++ = static_cast<unsigned char>(0xF0 | (code >> 18));
      *p++ = static_cast<unsigned char>(0x80 | ((code >> 12) & 0x3F));
      *p++ = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
      *p++ = static_cast<unsigned char>(0x80 | (code & 0x3F));
    } else if (code != 0 && code < 0x80) {
      *p++ = static_cast<unsigned char>(code);
    } else if (code < 0x800) {
      *p++ = static_cast<unsigned char>(0xC0 | (code >> 6));
      *p++ = static_cast<unsigned char>(0x80 | (code & 0x3F));
    } else {
      *p++ = static_cast<unsigned char>(0xE0 | (code >> 12));
      *p++ = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
      *p++ = static_cast<unsigned char>(0x80 | (code & 0x3F));
    }
  }
  *p = 0;
  return static_cast<size_t>(p - reinterpret_cast<unsigned char*>(out));
}

size_t decodeUtf8(const unsigned char* text, size_t length, jchar* out) {
  size_t units = 0;
  size_t i = 0;
  while (i < length) {
    const unsigned char lead = text[i];
    if (lead < 0x80) {
      out[units++] = lead;
      ++i;
      continue;
    }
    if (lead == 0xC0 && i + 1 < length && text[i + 1] == 0x80) {  // a NUL as Java sends it
      out[units++] = 0;
      i += 2;
      continue;
    }
    unsigned char low = 0;
    unsigned char high = 0;
    const int needed = sequenceLength(lead, &low, &high);
    // The longest prefix of a valid sequence found here.
    int have = needed == 0 ? 0 : 1;
    while (have > 0 && have < needed && i + static_cast<size_t>(have) < length) {
      const unsigned char next = text[i + static_cast<size_t>(have)];
      const bool fits = have == 1 ? next >= low && next <= high : continuation(next);
      if (!fits) break;
      ++have;
    }
    if (needed > 0 && have == needed) {
      unsigned code = lead & (0xFFu >> (needed + 1));
      for (int k = 1; k < needed; ++k) code = (code << 6) | (text[i + static_cast<size_t>(k)] & 0x3Fu);
      if (code >= 0x10000) {
        code -= 0x10000;
        out[units++] = static_cast<jchar>(0xD800 + (code >> 10));
        out[units++] = static_cast<jchar>(0xDC00 + (code & 0x3FF));
      } else {
        out[units++] = static_cast<jchar>(code);
      }
      i += static_cast<size_t>(needed);
      continue;
    }
    if (have > 0 && i + static_cast<size_t>(have) == length) break;  // cut at the end: dropped
    out[units++] = kReplacement;
    i += static_cast<size_t>(have > 0 ? have : 1);
  }
  return units;
}

jstring newJavaString(JNIEnv* env, const char* text) {
  return text == nullptr ? nullptr : newJavaString(env, text, std::strlen(text));
}

jstring newJavaString(JNIEnv* env, const char* text, size_t length) {
  constexpr size_t kInlineUnits = 256;
  jchar inlineUnits[kInlineUnits];
  std::unique_ptr<jchar[]> heap;
  jchar* units = inlineUnits;
  if (length > kInlineUnits) {
    heap.reset(new (std::nothrow) jchar[length]);
    units = heap.get();
    if (units == nullptr) return nullptr;
  }
  const size_t count = decodeUtf8(reinterpret_cast<const unsigned char*>(text), length, units);
  return env->NewString(units, static_cast<jsize>(count));
}

jobjectArray newJavaStrings(JNIEnv* env, const std::vector<std::string>& texts) {
  jclass stringClass = env->FindClass("java/lang/String");
  if (stringClass == nullptr) return nullptr;
  jobjectArray array = env->NewObjectArray(static_cast<jsize>(texts.size()), stringClass, nullptr);
  env->DeleteLocalRef(stringClass);
  for (size_t i = 0; array != nullptr && i < texts.size(); ++i) {
    jstring text = newJavaString(env, texts[i].c_str(), texts[i].size());
    if (text == nullptr) {
      env->DeleteLocalRef(array);
      return nullptr;
    }
    env->SetObjectArrayElement(array, static_cast<jsize>(i), text);
    env->DeleteLocalRef(text);
  }
  return array;
}

Utf8::Utf8(JNIEnv* env, jstring text) {
  if (text == nullptr) return;
  const jsize length = env->GetStringLength(text);
  if (length < 0) return;
  const auto count = static_cast<size_t>(length);
  jchar inlineUnits[kInlineUnits];
  std::unique_ptr<jchar[]> heapUnits;
  jchar* units = inlineUnits;
  char* bytes = inline_;
  if (count > kInlineUnits) {
    heapUnits.reset(new (std::nothrow) jchar[count]);
    heap_.reset(new (std::nothrow) char[3 * count + 1]);
    units = heapUnits.get();
    bytes = heap_.get();
    if (units == nullptr || bytes == nullptr) return;  // no memory: taken as no text
  }
  env->GetStringRegion(text, 0, length, units);
  encodeUtf8(units, count, bytes);
  chars_ = bytes;
}
