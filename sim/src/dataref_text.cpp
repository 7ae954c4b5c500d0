// Datarefs described as text, for summaries.
#include <XPLMDataAccess.h>

#include <algorithm>
#include <sstream>

#include "state.h"
#include "xplmsim/datarefs.h"

namespace xplmsim {

namespace {
// Keeps the first `count` elements, never more than there are.
template <typename C>
void keep(C& values, int count) {
  if (count < 0) count = 0;
  if (static_cast<size_t>(count) < values.size()) values.resize(static_cast<size_t>(count));
}

// 99999984 as "99,999,984".
std::string grouped(long long count) {
  std::string digits = std::to_string(count);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
  return digits;
}

// "[a, b, ...]" of the `values` read, and of how many more the array holds.
template <typename T>
std::string list(const std::vector<T>& values, long long more) {
  std::ostringstream out;
  out << '[';
  for (size_t i = 0; i < values.size(); ++i) out << (i ? ", " : "") << values[i];
  if (more > 0) out << (values.empty() ? "" : ", ") << "... (" << grouped(more) << " more)";
  out << ']';
  return out.str();
}

// The first `shown` elements of an array of `size`, through `get`.
template <typename T, typename Get>
std::string arrayText(XPLMDataRef ref, Get get, int size, int shown) {
  std::vector<T> values(static_cast<size_t>(std::clamp(size, 0, std::max(shown, 0))));
  keep(values, get(ref, values.data(), 0, static_cast<int>(values.size())));
  return list(values, static_cast<long long>(std::max(size, 0)) - static_cast<long long>(values.size()));
}

// The text in byte data up to its first zero byte, read in pieces: its first
// `shown` UTF-8 characters, and a count of the rest.
std::string bytesText(XPLMDataRef ref, int shown) {
  constexpr int kPiece = 65536;
  const int size = std::max(0, XPLMGetDatab(ref, nullptr, 0, 0));
  std::string text;
  long long characters = 0;
  long long more = 0;
  std::string piece;
  for (int offset = 0; offset < size; offset += kPiece) {
    piece.assign(static_cast<size_t>(std::min(kPiece, size - offset)), '\0');
    keep(piece, XPLMGetDatab(ref, piece.data(), offset, static_cast<int>(piece.size())));
    const size_t end = piece.find('\0');
    for (size_t i = 0; i < std::min(end, piece.size()); ++i) {
      const bool starts = (static_cast<unsigned char>(piece[i]) & 0xC0) != 0x80;
      if (starts) ++characters;
      if (characters <= shown) {
        text += piece[i];
      } else if (starts) {
        ++more;
      }
    }
    if (end != std::string::npos || piece.size() < static_cast<size_t>(std::min(kPiece, size - offset))) break;
  }
  return '"' + text + '"' + (more > 0 ? "... (" + grouped(more) + " more characters)" : "");
}
}  // namespace

std::string dataRefName(XPLMDataRef ref) {
  const DataRefEntry* e = state().datarefs.find(ref);
  return e != nullptr ? e->name : std::string();
}

std::string valueText(const std::string& name, int elements, int characters) {
  const bool wasRecording = state().recording;
  setRecording(false);
  XPLMDataRef ref = XPLMFindDataRef(name.c_str());
  const int types = XPLMGetDataRefTypes(ref);
  std::ostringstream out;
  out.precision(10);
  if (types & xplmType_Double) {
    out << XPLMGetDatad(ref);
  } else if (types & xplmType_Float) {
    out << XPLMGetDataf(ref);
  } else if (types & xplmType_Int) {
    out << XPLMGetDatai(ref);
  } else if (types & xplmType_FloatArray) {
    out << arrayText<float>(ref, XPLMGetDatavf, XPLMGetDatavf(ref, nullptr, 0, 0), elements);
  } else if (types & xplmType_IntArray) {
    out << arrayText<int>(ref, XPLMGetDatavi, XPLMGetDatavi(ref, nullptr, 0, 0), elements);
  } else if (types & xplmType_Data) {
    out << bytesText(ref, characters);
  } else {
    out << "(no value)";
  }
  setRecording(wasRecording);
  return out.str();
}

}  // namespace xplmsim
