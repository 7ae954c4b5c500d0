// Shared data (XPLMShareData): what the dataref accessors need.
#ifndef XPLMSIM_SHARED_DATA_H
#define XPLMSIM_SHARED_DATA_H

#include "state.h"

namespace xplmsim {

// Largest shared array or byte block, in elements.
constexpr int kSharedElementLimit = 65536;

// Before an array write to shared data: grows its array to take elements
// [offset, offset + count), up to kSharedElementLimit.
void makeRoomInShared(DataRefEntry& entry, int offset, int count);
// After a write to shared data: the notifications of every other plugin are called once.
void notifySharers(DataRefEntry& entry);

}  // namespace xplmsim

#endif
