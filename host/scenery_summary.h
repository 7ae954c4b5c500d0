// The runner's account of the plugin's scenery: objects, draws, instances, probes.
#ifndef QOVIN_HOST_SCENERY_SUMMARY_H
#define QOVIN_HOST_SCENERY_SUMMARY_H

#include <string>

namespace qovinhost {

// Summary lines (each indented by two spaces) of the objects loaded and drawn,
// the instances placed and the terrain probed, as they stand now.
std::string scenerySummary();

}  // namespace qovinhost

#endif
