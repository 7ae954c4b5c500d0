// The runner's account of the plugin's map layers and what they queued.
#include "map_summary.h"

#include <string>

#include "xplmsim/maps.h"

namespace qovinhost {

namespace {
std::string counted(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}
}  // namespace

std::string mapSummary() {
  const std::vector<xplmsim::MapLayerInfo> layers = xplmsim::mapLayers();
  if (layers.empty()) return "";
  std::string text = "  map layers:\n";
  for (const xplmsim::MapLayerInfo& layer : layers) {
    text += "    " + layer.name + " (" + (layer.type == 0 ? "fill" : "markings") + ") in " + layer.map + ": " +
            counted(layer.iconsQueued, "icon", "icons") + ", " + counted(layer.labelsQueued, "label", "labels");
    std::string latest;
    for (const xplmsim::MapLabel& label : xplmsim::mapLabels(layer.map)) {
      if (label.layer == layer.id) latest += (latest.empty() ? "" : ", ") + ("\"" + label.text.substr(0, 200) + "\"");
    }
    text += latest.empty() ? "\n" : "; labels of the last frame: " + latest + "\n";
  }
  return text;
}

}  // namespace qovinhost
