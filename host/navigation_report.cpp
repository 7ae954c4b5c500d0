#include "navigation_report.h"
#include "runner_plugin.h"

#include <XPLMNavigation.h>
#include <XPLMPlanes.h>

#include <cstdio>
#include <vector>

#include "xplmsim/navigation.h"
#include "xplmsim/plugins.h"
#include "xplmsim/sim.h"

namespace qovinhost {

namespace {

std::vector<std::string>& received() {
  static std::vector<std::string> lines;
  return lines;
}

std::string typeName(int type) {
  switch (type) {
    case xplm_Nav_Airport: return "airport";
    case xplm_Nav_NDB: return "NDB";
    case xplm_Nav_VOR: return "VOR";
    case xplm_Nav_ILS: return "ILS";
    case xplm_Nav_Fix: return "fix";
    case xplm_Nav_LatLon: return "lat/lon";
    default: return "type " + std::to_string(type);
  }
}

std::string format(const char* pattern, double a, double b) {
  char text[64];
  std::snprintf(text, sizeof text, pattern, a, b);
  return text;
}

std::string entryLine(int index, const xplmsim::FmsEntry& e) {
  std::string what = typeName(e.type);
  if (e.type == xplm_Nav_LatLon) {
    what += format(" %.3f, %.3f", e.latitude, e.longitude);
  } else if (const xplmsim::Navaid* n = xplmsim::navaid(e.ref); n != nullptr && n->frequency != 0) {
    what += " " + std::to_string(n->frequency);
  }
  return "    " + std::to_string(index) + ": " + e.id + " (" + what + ") at " + std::to_string(e.altitude) + " ft\n";
}

}  // namespace

void listenToMessages() {
  received().clear();
  for (const xplmsim::Plugin& plugin : xplmsim::plugins()) {
    if (plugin.id == xplmsim::kHostPlugin || plugin.id == runnerPlugin()) continue;
    const std::string name = plugin.name + " (plugin " + std::to_string(plugin.id) + ")";
    xplmsim::setMessageReceiver(plugin.id, [name](int from, int message, void* param) {
      const std::string text = param != nullptr ? "\"" + std::string(static_cast<const char*>(param)) + "\"" : "null";
      received().push_back("    " + name + " got message " + std::to_string(message) + " from plugin " +
                           std::to_string(from) + ": " + text + "\n");
    });
  }
}

std::string navigationReport() {
  xplmsim::CallerScope asSimulator(0);  // its own queries are not the plugin's
  std::string report = "  plugins:\n";
  for (const xplmsim::Plugin& p : xplmsim::plugins()) {
    report += "    " + std::to_string(p.id) + " " + p.name + " (" + p.signature + ")" +
              (p.enabled ? ", enabled\n" : ", disabled\n");
  }
  report += "  messages:" + std::string(received().empty() ? " none\n" : "\n");
  for (const std::string& line : received()) report += line;

  const std::vector<xplmsim::FmsEntry> plan = xplmsim::fmsEntries();
  report += "  flight plan: " + std::to_string(plan.size()) + " entries, displayed " +
            std::to_string(xplmsim::displayedFmsEntry()) + ", destination " +
            std::to_string(xplmsim::destinationFmsEntry()) + "\n";
  for (size_t i = 0; i < plan.size(); ++i) report += entryLine(static_cast<int>(i), plan[i]);
  const XPLMNavRef gps = XPLMGetGPSDestination();
  const xplmsim::Navaid* destination = xplmsim::navaid(gps);
  report += "  GPS destination: " +
            (destination != nullptr ? destination->id + " (" + typeName(destination->type) + ")" : "none") + "\n";

  char file[xplmsim::kAircraftFileBytes];
  char path[xplmsim::kAircraftPathBytes];
  for (int slot = 0; slot < xplmsim::kAircraftSlots; ++slot) {
    file[0] = path[0] = '\0';
    XPLMGetNthAircraftModel(slot, file, path);
    if (file[0] != '\0') report += "  aircraft " + std::to_string(slot) + ": " + file + "\n";
  }
  return report;
}

}  // namespace qovinhost
