// What the bridge has handed out and not yet taken back: handler references,
// window owners, menu item references, published datarefs, direct-buffer
// records. Register natives add an entry, unregister and destroy natives take
// one back only when every argument matches it, so a stale, repeated or
// made-up value changes nothing. Touched at registration and unregistration
// only: trampolines never look anything up.
#ifndef QOVIN_REGISTRATIONS_H
#define QOVIN_REGISTRATIONS_H

#include <jni.h>

#include <cstddef>
#include <cstdint>
#include <unordered_map>

namespace qovin {

enum class Kind : uint8_t {
  kFlightLoop,      // key: the handler reference
  kCommandHandler,  // key: the handler reference; a: the command, b: before
  kDrawCallback,    // key: the handler reference
  kKeySniffer,      // key: the handler reference
  kWindow,          // key: the window; ref: its owner
  kMenuItem,        // key: the item reference; a: its menu (0 until placed), b: its index
  kDataAccessor,    // key: the dataref; ref, ref2: its read and write accessors
  kDirectValue,     // key: the dataref
  kDirectArray,     // key: the buffer record; a: the dataref
  kHotKey,          // key: the hot key; ref: its Java object
  kFlightLoopObject,  // key: the flight loop's ID; ref: its function
  kSharedData,        // key: the share record (SharedData.cpp); ref: its notification
  kErrorCallback,     // key: 1; ref: the receiver of the simulator's error messages
  kMapLayer,          // key: the layer; ref: its Java object (until its will-be-deleted callback)
  kPlanesWaiting,     // key: the ticket passed as refcon; ref: what a refused acquisition calls when access frees
  kCount,
};

struct Registration {
  jobject ref = nullptr;
  jobject ref2 = nullptr;
  jlong a = 0;
  jlong b = 0;
};

// The live registrations of one kind, by key.
using RegistrationMap = std::unordered_map<jlong, Registration>;

// The table of `kind`.
RegistrationMap& registrations(Kind kind);

// The entry of `kind` under `key`, or null.
Registration* findRegistration(Kind kind, jlong key);

// Records `entry` under `key`.
void addRegistration(Kind kind, jlong key, const Registration& entry);

// Removes the entry of `kind` under `key`; true if there was one.
bool removeRegistration(Kind kind, jlong key);

// The key a global reference is recorded under.
inline jlong keyOf(jobject ref) { return static_cast<jlong>(reinterpret_cast<intptr_t>(ref)); }

}  // namespace qovin

#endif
