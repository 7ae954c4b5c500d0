#include "display_activity.h"
#include "runner_plugin.h"

#include <XPLMDisplay.h>
#include <XPLMMenus.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "xplmsim/display.h"
#include "xplmsim/graphics.h"
#include "xplmsim/hot_keys.h"
#include "xplmsim/keys.h"
#include "xplmsim/menus.h"
#include "xplmsim/sim.h"

void userUsesWindows() {
  for (const xplmsim::WindowInfo& w : xplmsim::windows()) {
    if (w.owner != qovinhost::runnerPlugin() || !w.visible) continue;
    const int x = (w.left + w.right) / 2;
    const int y = (w.top + w.bottom) / 2;
    xplmsim::moveMouse(x, y);
    xplmsim::click(x, y);
    xplmsim::turnWheel(x, y, 0, 1);
  }
  xplmsim::pressKey('q', xplm_DownFlag, 'Q');
  xplmsim::pressKey('q', xplm_UpFlag, 'Q');
}

void userUsesMenus() {
  for (const xplmsim::MenuInfo& menu : xplmsim::menus()) {
    if (menu.owner != qovinhost::runnerPlugin()) continue;
    for (size_t i = 0; i < menu.items.size(); ++i) xplmsim::pickMenuItem(menu.id, static_cast<int>(i));
  }
}

namespace {
const char* checkText(int check) {
  return check == xplm_Menu_Checked ? " [x]" : check == xplm_Menu_Unchecked ? " [ ]" : "";
}

// The plugin's items of `menu`, and of the menus hung on them, indented by depth.
void describeMenu(const xplmsim::MenuInfo& menu, int depth, std::ostringstream& out) {
  for (const xplmsim::MenuItemInfo& item : menu.items) {
    if (item.owner != qovinhost::runnerPlugin()) continue;
    out << std::string(4 + 2 * depth, ' ');
    if (item.separator) {
      out << "----\n";
      continue;
    }
    out << item.name << checkText(item.check);
    if (item.submenu == nullptr) out << " (picked " << item.picks << "x)";
    out << "\n";
    if (item.submenu != nullptr) describeMenu(xplmsim::menu(item.submenu), depth + 1, out);
  }
}

// A letter or digit key as itself, any other as its code ("0x70").
std::string virtualKeyName(char key) {
  const int code = static_cast<unsigned char>(key);
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) return std::string(1, static_cast<char>(code));
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", code);
  return text;
}
}  // namespace

std::string displayRegistrations() {
  std::ostringstream out;
  int count = 0;
  for (const xplmsim::WindowInfo& w : xplmsim::windows()) {
    if (w.owner != qovinhost::runnerPlugin()) continue;
    ++count;
    out << "    \"" << w.title << "\" at " << w.left << "," << w.top << " to " << w.right << "," << w.bottom
        << (w.legacy ? " (legacy)" : "") << (w.decorated ? " decorated" : "") << ", layer " << w.layer
        << (w.visible ? "" : ", hidden") << ": drawn " << w.draws << "x, " << w.clicks << " click call(s), "
        << w.rightClicks << " right-click call(s), " << w.keys << " key call(s), " << w.cursorQueries
        << " cursor and " << w.wheelTurns << " wheel call(s)\n";
  }
  std::ostringstream hotKeys;
  for (const xplmsim::HotKeyInfo& k : xplmsim::hotKeys()) {
    if (k.owner != qovinhost::runnerPlugin()) continue;
    hotKeys << "    \"" << k.description << "\" on " << ((k.flags & xplm_ControlFlag) != 0 ? "control+" : "")
            << ((k.flags & xplm_OptionAltFlag) != 0 ? "option+" : "") << ((k.flags & xplm_ShiftFlag) != 0 ? "shift+" : "")
            << virtualKeyName(k.virtualKey) << ": fired " << k.fired << "x\n";
  }
  std::ostringstream menus;
  describeMenu(xplmsim::menu(XPLMFindPluginsMenu()), 0, menus);
  return "  windows:" + (count == 0 ? std::string(" none\n") : "\n" + out.str()) +
         "  draw callbacks: " + std::to_string(xplmsim::drawCallbackCount()) + " registered\n" +
         "  menus (plugins menu):" + (menus.str().empty() ? std::string(" none\n") : "\n" + menus.str()) +
         "  key sniffers: " + std::to_string(xplmsim::keySnifferCount()) + " registered\n" +
         "  hot keys:" + (hotKeys.str().empty() ? std::string(" none\n") : "\n" + hotKeys.str());
}

std::string cameraSummary() {
  const XPLMCameraPosition_t p = xplmsim::cameraPosition();
  std::ostringstream out;
  out << "  camera: " << xplmsim::cameraCallbacks() << " controller call(s), " << xplmsim::cameraLosingCalls()
      << " losing-control call(s); now at x " << p.x << ", y " << p.y << ", z " << p.z << ", pitch " << p.pitch
      << ", heading " << p.heading << ", roll " << p.roll << ", zoom " << p.zoom << "\n";
  return out.str();
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
