// Menus of the stand-in simulator: the plugins menu, plugins' menus and items,
// and the user picking an item.
#ifndef XPLMSIM_MENUS_H
#define XPLMSIM_MENUS_H

#include <XPLMMenus.h>

#include "xplmsim/sim.h"

#include <string>
#include <vector>

namespace xplmsim {

struct MenuItemInfo {
  std::string name;
  void* ref = nullptr;
  int owner = 0;  // plugin that appended it
  bool separator = false;
  int check = xplm_Menu_NoCheck;
  XPLMMenuID submenu = nullptr;  // a menu hung on this item, if any
  int picks = 0;                 // times the user picked it
  bool enabled = true;           // a disabled item drops picks
  XPLMCommandRef command = nullptr;  // run (as XPLMCommandOnce) by a pick, instead of the handler
};

struct MenuInfo {
  XPLMMenuID id = nullptr;
  std::string name;
  XPLMMenuID parent = nullptr;
  int parentItem = -1;
  int owner = 0;  // 0: the simulator's plugins menu
  bool hasHandler = false;
  void* menuRef = nullptr;
  std::vector<MenuItemInfo> items;  // every plugin's, in menu order
};

// The plugins menu, then the menus plugins created, in creation order.
std::vector<MenuInfo> menus();
// One menu; a default MenuInfo (id null) if there is no such menu.
MenuInfo menu(XPLMMenuID id);

// The user picks item `index` of `menu`, counted over the items of `plugin`
// (each plugin sees only its own items). The menu's handler is called with the
// menu's and the item's references; an item with a command runs the command
// once instead, as its owner; a disabled item does nothing. Separators, items carrying a submenu and
// items of menus without a handler call nothing. False if nothing was called.
bool pickMenuItem(XPLMMenuID menu, int index, int plugin = kHostPlugin);

// The user follows a path of item names from the plugins menu, e.g.
// {"Example", "Toggle"}, and picks the last one. False if nothing was called.
bool pickMenuPath(const std::vector<std::string>& path);

// The user aircraft's menu (XPLMFindAircraftMenu) goes only to plugins loaded
// with the aircraft; others get null and cannot use its handle. Reset: none.
void setLoadedWithAircraft(int plugin, bool withAircraft);

}  // namespace xplmsim

#endif
