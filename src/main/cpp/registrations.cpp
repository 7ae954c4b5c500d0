// The table of what the bridge has handed out: one map per kind.
#include "registrations.h"

namespace qovin {

namespace {
RegistrationMap& table(Kind kind) {
  static RegistrationMap tables[static_cast<size_t>(Kind::kCount)];
  return tables[static_cast<size_t>(kind)];
}
}  // namespace

RegistrationMap& registrations(Kind kind) { return table(kind); }

Registration* findRegistration(Kind kind, jlong key) {
  RegistrationMap& map = table(kind);
  auto found = map.find(key);
  return found == map.end() ? nullptr : &found->second;
}

void addRegistration(Kind kind, jlong key, const Registration& entry) { table(kind)[key] = entry; }

bool removeRegistration(Kind kind, jlong key) { return table(kind).erase(key) != 0; }

}  // namespace qovin
