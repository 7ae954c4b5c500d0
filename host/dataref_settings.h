// The runner's --set DATAREF=VALUE: a simulator dataref seeded before the plugin starts.
#ifndef QOVIN_HOST_DATAREF_SETTINGS_H
#define QOVIN_HOST_DATAREF_SETTINGS_H

#include <string>

namespace qovinhost {

// Sets a simulator dataref as the simulator itself would (read-only ones
// included). VALUE is a number for int, float and double datarefs (a whole
// number where int is the only type), [a, b, ...] for arrays (elements from
// index 0 on, no more than the array holds), and a text for byte datarefs,
// in double quotes or not, written as its bytes and a zero byte, cut to the
// dataref's size. Returns "" when done, else what is wrong (nothing is set).
std::string applySetting(const std::string& setting);

}  // namespace qovinhost

#endif
