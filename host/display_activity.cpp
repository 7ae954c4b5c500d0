#include "display_activity.h"

#include <XPLMDisplay.h>

#include <map>
#include <sstream>

#include "xplmsim/display.h"
#include "xplmsim/graphics.h"
#include "xplmsim/keys.h"
#include "xplmsim/sim.h"

void userUsesWindows() {
  for (const xplmsim::WindowInfo& w : xplmsim::windows()) {
    if (w.owner != xplmsim::kHostPlugin || !w.visible) continue;
    const int x = (w.left + w.right) / 2;
    const int y = (w.top + w.bottom) / 2;
    xplmsim::moveMouse(x, y);
    xplmsim::click(x, y);
    xplmsim::turnWheel(x, y, 0, 1);
  }
  xplmsim::pressKey('q', xplm_DownFlag, 'Q');
  xplmsim::pressKey('q', xplm_UpFlag, 'Q');
}

std::string displayRegistrations() {
  std::ostringstream out;
  int count = 0;
  for (const xplmsim::WindowInfo& w : xplmsim::windows()) {
    if (w.owner != xplmsim::kHostPlugin) continue;
    ++count;
    out << "    \"" << w.title << "\" at " << w.left << "," << w.top << " to " << w.right << "," << w.bottom
        << (w.legacy ? " (legacy)" : "") << (w.decorated ? " decorated" : "") << ", layer " << w.layer
        << (w.visible ? "" : ", hidden") << ": drawn " << w.draws << "x, " << w.clicks << " click call(s), "
        << w.rightClicks << " right-click call(s), " << w.keys << " key call(s), " << w.cursorQueries
        << " cursor and " << w.wheelTurns << " wheel call(s)\n";
  }
  return "  windows:" + (count == 0 ? std::string(" none\n") : "\n" + out.str()) +
         "  draw callbacks: " + std::to_string(xplmsim::drawCallbackCount()) + " registered\n";
}

std::string drawingSummary() {
  const auto& strings = xplmsim::drawnStrings();
  std::map<std::string, int> byText;
  for (const xplmsim::DrawnString& s : strings) ++byText[s.text];
  std::ostringstream out;
  out << "  drew: " << strings.size() << " string(s), " << byText.size() << " distinct; "
      << xplmsim::drawnBoxes().size() << " dark box(es)\n";
  constexpr int kShown = 6;
  int shown = 0;
  for (auto it = strings.rbegin(); it != strings.rend() && shown < kShown; ++it) {
    auto found = byText.find(it->text);
    if (found == byText.end()) continue;
    out << "    \"" << it->text << "\" at " << it->x << "," << it->y << ", font " << it->font << " ("
        << found->second << "x)\n";
    byText.erase(found);
    ++shown;
  }
  if (!byText.empty()) out << "    ... and " << byText.size() << " other text(s)\n";
  return out.str();
}
