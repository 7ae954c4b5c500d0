// Registrations that the simulator walks to call plugins back, and that those
// callbacks may add to or remove from while the walk is under way.
#ifndef XPLMSIM_REGISTRATIONS_H
#define XPLMSIM_REGISTRATIONS_H

#include <algorithm>
#include <cstddef>
#include <vector>

namespace xplmsim {

// An entry added during a walk is first visited by the next walk; one removed
// during a walk is not visited again. Removed entries are erased when the
// outermost walk ends. Walking allocates nothing.
//
// A callback may add entries and so move the storage: a visitor reads what it
// needs before calling out, and reaches the entry again through at(index).
template <typename T>
class Registrations {
 public:
  void add(T value) { slots_.push_back(Slot{std::move(value), true}); }

  // Removes the first live entry that `match` accepts; false if there is none.
  template <typename Match>
  bool remove(Match match) {
    for (Slot& slot : slots_) {
      if (slot.alive && match(slot.value)) {
        slot.alive = false;
        ++dead_;
        compact();
        return true;
      }
    }
    return false;
  }

  template <typename Match>
  T* find(Match match) {
    for (Slot& slot : slots_) {
      if (slot.alive && match(slot.value)) return &slot.value;
    }
    return nullptr;
  }

  // Calls visit(index) for each live entry that existed when the walk began,
  // in registration order, until visit returns false. Returns false if it did.
  template <typename Visit>
  bool walk(Visit visit) {
    ++depth_;
    const size_t count = slots_.size();
    bool completed = true;
    for (size_t i = 0; i < count && completed; ++i) {
      if (slots_[i].alive) completed = visit(i);
    }
    --depth_;
    compact();
    return completed;
  }

  bool alive(size_t index) const { return index < slots_.size() && slots_[index].alive; }
  T& at(size_t index) { return slots_[index].value; }
  size_t size() const { return slots_.size() - dead_; }

  void clear() {
    for (Slot& slot : slots_) slot.alive = false;
    dead_ = slots_.size();
    compact();
  }

 private:
  struct Slot {
    T value;
    bool alive;
  };

  void compact() {
    if (depth_ > 0 || dead_ == 0) return;
    slots_.erase(std::remove_if(slots_.begin(), slots_.end(), [](const Slot& s) { return !s.alive; }), slots_.end());
    dead_ = 0;
  }

  std::vector<Slot> slots_;
  size_t dead_ = 0;
  int depth_ = 0;
};

}  // namespace xplmsim

#endif
