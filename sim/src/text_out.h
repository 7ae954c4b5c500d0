// Texts that the stand-in writes into a caller's buffer.
#ifndef XPLMSIM_TEXT_OUT_H
#define XPLMSIM_TEXT_OUT_H

#include <algorithm>
#include <cstring>
#include <string>

namespace xplmsim {

// Copies `text` into the `size` bytes at `out`, cut to fit and terminated, as
// the SDK writes into buffers of the size it asks callers for. Null: skipped.
inline void copyText(char* out, const std::string& text, size_t size) {
  if (out == nullptr || size == 0) return;
  const size_t length = std::min(text.size(), size - 1);
  std::memcpy(out, text.data(), length);
  out[length] = '\0';
}

}  // namespace xplmsim

#endif
