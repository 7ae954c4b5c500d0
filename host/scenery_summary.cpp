#include "scenery_summary.h"

#include <cstdio>

#include "xplmsim/scenery.h"

namespace qovinhost {

namespace {

std::string number(float value) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.1f", static_cast<double>(value));
  return text;
}

std::string values(const std::vector<float>& all) {
  std::string text = "[";
  for (size_t i = 0; i < all.size(); ++i) text += (i > 0 ? ", " : "") + number(all[i]);
  return text + "]";
}

}  // namespace

std::string scenerySummary() {
  std::string objects;
  for (const xplmsim::ObjectInfo& o : xplmsim::objects()) {
    objects += "    " + o.path + (o.async ? " (loaded asynchronously)" : "") + ": " +
               (o.loaded ? std::to_string(o.loads) + " load(s), " + std::to_string(o.instances) + " instance(s)"
                         : std::string("unloaded")) +
               ", drawn " + std::to_string(o.drawCalls) + "x at " + std::to_string(o.recordsDrawn) + " place(s)\n";
  }
  std::string instances;
  for (const xplmsim::InstanceInfo& i : xplmsim::instances()) {
    const std::string name = i.objectPath.substr(i.objectPath.rfind('/') + 1);
    instances += "    " + name + " at (" + number(i.position.x) + ", " + number(i.position.y) + ", " +
                 number(i.position.z) + "), heading " + number(i.position.heading) + ", placed " +
                 std::to_string(i.positionsSet) + "x, values " + values(i.values) + "\n";
  }
  const xplmsim::ProbeCounts probes = xplmsim::probeCounts();
  return "  objects:" + (objects.empty() ? std::string(" none\n") : "\n" + objects) +
         "  instances:" + (instances.empty() ? std::string(" none\n") : "\n" + instances) +
         "  terrain probes: " + std::to_string(probes.live) + " live, " + std::to_string(probes.probes) +
         " probe(s): " + std::to_string(probes.hits) + " hit(s) (" + std::to_string(probes.wet) + " on water), " +
         std::to_string(probes.misses) + " miss(es)\n";
}

}  // namespace qovinhost
