// The runner's account of the plugin's map layers and what they queued.
#ifndef QOVIN_HOST_MAP_SUMMARY_H
#define QOVIN_HOST_MAP_SUMMARY_H

#include <string>

namespace qovinhost {

// Summary lines (indented by two spaces) of the map layers that exist now:
// icons and labels queued since each was created, and the labels of the
// latest frame. Empty when there are none.
std::string mapSummary();

}  // namespace qovinhost

#endif
