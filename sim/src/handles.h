// Handle tables: each kind of XPLM handle is an index into its own table,
// tagged with the kind, so a stale, foreign or made-up handle is recognised
// instead of dereferenced.
#ifndef XPLMSIM_HANDLES_H
#define XPLMSIM_HANDLES_H

#include <cstdint>
#include <memory>
#include <vector>

namespace xplmsim {

template <typename T, uint64_t Tag>
class HandleTable {
 public:
  // Adds an entry and returns its handle.
  void* add(std::unique_ptr<T> entry) {
    entries_.push_back(std::move(entry));
    return reinterpret_cast<void*>(static_cast<uintptr_t>((Tag << 32) | entries_.size()));
  }
  // The entry behind a handle, or null for a handle of another kind or out of range.
  T* find(const void* handle) const {
    const uint64_t value = reinterpret_cast<uintptr_t>(handle);
    if ((value >> 32) != Tag) return nullptr;
    const uint64_t index = value & 0xFFFFFFFFu;
    if (index == 0 || index > entries_.size()) return nullptr;
    return entries_[index - 1].get();
  }
  void* handleOf(size_t index) const {
    return reinterpret_cast<void*>(static_cast<uintptr_t>((Tag << 32) | (index + 1)));
  }
  size_t size() const { return entries_.size(); }
  T& at(size_t index) const { return *entries_[index]; }
  void clear() { entries_.clear(); }
  // Drops every entry after the first `count`: their handles are unknown from then on.
  void truncate(size_t count) {
    if (count < entries_.size()) entries_.resize(count);
  }

 private:
  std::vector<std::unique_ptr<T>> entries_;
};

}  // namespace xplmsim

#endif
