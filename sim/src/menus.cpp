// XPLMMenus: the plugins menu made by the simulator, menus made by plugins,
// their items with check marks, and the user picking items. Each plugin sees
// only its own menus and items: item indices count the caller's items only.
#include <XPLMMenus.h>

#include <algorithm>
#include <memory>
#include <set>

#include "state.h"
#include "xplmsim/menus.h"

using namespace xplmsim;

namespace {

struct MenuEntry {
  MenuInfo info;
  XPLMMenuHandler_f handler = nullptr;
  bool alive = true;
  bool aircraftOnly = false;  // the aircraft menu: only plugins loaded with the aircraft
};

struct Menus {
  HandleTable<MenuEntry, 0x3E40> table;
  XPLMMenuID plugins = nullptr;
  XPLMMenuID aircraft = nullptr;  // made the first time a plugin loaded with the aircraft asks
  std::set<int> withAircraft;
};

void makePluginsMenu(Menus& m);

Menus& menusState() {
  static Menus instance = [] {
    Menus m;
    makePluginsMenu(m);
    return m;
  }();
  return instance;
}

// A live menu the current plugin may use: its own, or the plugins menu. A
// destroyed menu is counted as a released handle used by `function`.
MenuEntry* usable(XPLMMenuID id, const char* function) {
  MenuEntry* entry = menusState().table.find(id);
  if (entry != nullptr && !entry->alive) countReleasedHandleUse(function);
  if (entry == nullptr || !entry->alive) return nullptr;
  if (entry->aircraftOnly && menusState().withAircraft.count(currentPlugin()) == 0) return nullptr;
  return entry->info.owner == 0 || entry->info.owner == currentPlugin() ? entry : nullptr;
}

// Position in the menu of the `index`-th item of `plugin`, or -1.
long position(const MenuEntry& menu, int plugin, int index) {
  if (index < 0) return -1;
  int seen = 0;
  for (size_t i = 0; i < menu.info.items.size(); ++i) {
    if (menu.info.items[i].owner != plugin) continue;
    if (seen++ == index) return static_cast<long>(i);
  }
  return -1;
}

int ownCount(const MenuEntry& menu, int plugin) {
  int count = 0;
  for (const MenuItemInfo& item : menu.info.items) count += item.owner == plugin ? 1 : 0;
  return count;
}

void makePluginsMenu(Menus& m) {
  auto entry = std::make_unique<MenuEntry>();
  entry->info.name = "Plugins";
  m.plugins = m.table.add(std::move(entry));
  m.table.at(m.table.size() - 1).info.id = m.plugins;
}

}  // namespace

XPLMMenuID XPLMFindPluginsMenu(void) {
  record("XPLMFindPluginsMenu");
  return menusState().plugins;
}

XPLMMenuID XPLMCreateMenu(const char* inName, XPLMMenuID inParentMenu, int inParentItem, XPLMMenuHandler_f inHandler,
                          void* inMenuRef) {
  record("XPLMCreateMenu", std::string(inName != nullptr ? inName : ""), ptr(inParentMenu), num(inParentItem),
         ptr(reinterpret_cast<void*>(inHandler)), ptr(inMenuRef));
  MenuEntry* parent = inParentMenu != nullptr ? usable(inParentMenu, "XPLMCreateMenu") : nullptr;
  if (inName == nullptr || *inName == '\0') return nullptr;
  long at = -1;
  if (inParentMenu != nullptr) {
    if (parent == nullptr) return nullptr;
    at = position(*parent, currentPlugin(), inParentItem);
    if (at < 0 || parent->info.items[static_cast<size_t>(at)].separator) return nullptr;
  }
  auto entry = std::make_unique<MenuEntry>();
  entry->info.name = inName;
  entry->info.parent = inParentMenu;
  entry->info.parentItem = inParentItem;
  entry->info.owner = currentPlugin();
  entry->info.hasHandler = inHandler != nullptr;
  entry->info.menuRef = inMenuRef;
  entry->handler = inHandler;
  Menus& m = menusState();
  XPLMMenuID id = m.table.add(std::move(entry));
  m.table.at(m.table.size() - 1).info.id = id;
  if (parent != nullptr) parent->info.items[static_cast<size_t>(at)].submenu = id;
  return id;
}

// Only a plugin's own menus can be destroyed; the item carrying it loses its submenu.
void XPLMDestroyMenu(XPLMMenuID inMenuID) {
  record("XPLMDestroyMenu", ptr(inMenuID));
  MenuEntry* entry = usable(inMenuID, "XPLMDestroyMenu");
  if (entry == nullptr || entry->info.owner == 0) return;
  entry->alive = false;
  if (MenuEntry* parent = menusState().table.find(entry->info.parent)) {
    for (MenuItemInfo& item : parent->info.items) {
      if (item.submenu == inMenuID) item.submenu = nullptr;
    }
  }
}

void XPLMClearAllMenuItems(XPLMMenuID inMenuID) {
  record("XPLMClearAllMenuItems", ptr(inMenuID));
  MenuEntry* entry = usable(inMenuID, "XPLMClearAllMenuItems");
  if (entry == nullptr) return;
  std::vector<MenuItemInfo>& items = entry->info.items;
  const int plugin = currentPlugin();
  items.erase(std::remove_if(items.begin(), items.end(), [&](const MenuItemInfo& i) { return i.owner == plugin; }),
              items.end());
}

int XPLMAppendMenuItem(XPLMMenuID inMenu, const char* inItemName, void* inItemRef, int inDeprecatedAndIgnored) {
  record("XPLMAppendMenuItem", ptr(inMenu), std::string(inItemName != nullptr ? inItemName : ""), ptr(inItemRef),
         num(inDeprecatedAndIgnored));
  MenuEntry* entry = usable(inMenu, "XPLMAppendMenuItem");
  if (entry == nullptr) return -1;
  MenuItemInfo item;
  item.name = inItemName != nullptr ? inItemName : "";
  item.ref = inItemRef;
  item.owner = currentPlugin();
  entry->info.items.push_back(item);
  return ownCount(*entry, item.owner) - 1;
}

// A separator takes an index like any item.
void XPLMAppendMenuSeparator(XPLMMenuID inMenu) {
  record("XPLMAppendMenuSeparator", ptr(inMenu));
  MenuEntry* entry = usable(inMenu, "XPLMAppendMenuSeparator");
  if (entry == nullptr) return;
  MenuItemInfo item;
  item.separator = true;
  item.owner = currentPlugin();
  entry->info.items.push_back(item);
}

void XPLMCheckMenuItem(XPLMMenuID inMenu, int index, XPLMMenuCheck inCheck) {
  record("XPLMCheckMenuItem", ptr(inMenu), num(index), num(inCheck));
  MenuEntry* entry = usable(inMenu, "XPLMCheckMenuItem");
  if (entry == nullptr) return;
  const long at = position(*entry, currentPlugin(), index);
  if (at >= 0) entry->info.items[static_cast<size_t>(at)].check = inCheck;
}

// An unknown menu or index leaves *outCheck as it was.
void XPLMCheckMenuItemState(XPLMMenuID inMenu, int index, XPLMMenuCheck* outCheck) {
  record("XPLMCheckMenuItemState", ptr(inMenu), num(index), ptr(outCheck));
  MenuEntry* entry = usable(inMenu, "XPLMCheckMenuItemState");
  if (entry == nullptr || outCheck == nullptr) return;
  const long at = position(*entry, currentPlugin(), index);
  if (at >= 0) *outCheck = entry->info.items[static_cast<size_t>(at)].check;
}

// Items of an unknown menu or index are left as they were.
void XPLMSetMenuItemName(XPLMMenuID inMenu, int inIndex, const char* inItemName, int inForceEnglish) {
  record("XPLMSetMenuItemName", ptr(inMenu), num(inIndex), std::string(inItemName != nullptr ? inItemName : ""),
         num(inForceEnglish));
  MenuEntry* entry = usable(inMenu, "XPLMSetMenuItemName");
  if (entry == nullptr) return;
  const long at = position(*entry, currentPlugin(), inIndex);
  if (at >= 0) entry->info.items[static_cast<size_t>(at)].name = inItemName != nullptr ? inItemName : "";
}

void XPLMEnableMenuItem(XPLMMenuID inMenu, int index, int enabled) {
  record("XPLMEnableMenuItem", ptr(inMenu), num(index), num(enabled));
  MenuEntry* entry = usable(inMenu, "XPLMEnableMenuItem");
  if (entry == nullptr) return;
  const long at = position(*entry, currentPlugin(), index);
  if (at >= 0) entry->info.items[static_cast<size_t>(at)].enabled = enabled != 0;
}

XPLMMenuID XPLMFindAircraftMenu(void) {
  record("XPLMFindAircraftMenu");
  Menus& m = menusState();
  if (m.withAircraft.count(currentPlugin()) == 0) return nullptr;
  if (m.aircraft == nullptr) {
    auto entry = std::make_unique<MenuEntry>();
    entry->info.name = "Aircraft";
    entry->aircraftOnly = true;
    m.aircraft = m.table.add(std::move(entry));
    m.table.at(m.table.size() - 1).info.id = m.aircraft;
  }
  return m.aircraft;
}

// As XPLMAppendMenuItem, with no item reference; a null command is refused (-1).
int XPLMAppendMenuItemWithCommand(XPLMMenuID inMenu, const char* inItemName, XPLMCommandRef inCommandToExecute) {
  record("XPLMAppendMenuItemWithCommand", ptr(inMenu), std::string(inItemName != nullptr ? inItemName : ""),
         ptr(inCommandToExecute));
  MenuEntry* entry = usable(inMenu, "XPLMAppendMenuItemWithCommand");
  if (entry == nullptr || inCommandToExecute == nullptr) return -1;
  MenuItemInfo item;
  item.name = inItemName != nullptr ? inItemName : "";
  item.command = inCommandToExecute;
  item.owner = currentPlugin();
  entry->info.items.push_back(item);
  return ownCount(*entry, item.owner) - 1;
}

void XPLMRemoveMenuItem(XPLMMenuID inMenu, int inIndex) {
  record("XPLMRemoveMenuItem", ptr(inMenu), num(inIndex));
  MenuEntry* entry = usable(inMenu, "XPLMRemoveMenuItem");
  if (entry == nullptr) return;
  const long at = position(*entry, currentPlugin(), inIndex);
  if (at >= 0) entry->info.items.erase(entry->info.items.begin() + at);
}

namespace xplmsim {

std::vector<MenuInfo> menus() {
  std::vector<MenuInfo> all;
  Menus& m = menusState();
  for (size_t i = 0; i < m.table.size(); ++i) {
    if (m.table.at(i).alive) all.push_back(m.table.at(i).info);
  }
  return all;
}

MenuInfo menu(XPLMMenuID id) {
  const MenuEntry* entry = menusState().table.find(id);
  return entry != nullptr && entry->alive ? entry->info : MenuInfo{};
}

bool pickMenuItem(XPLMMenuID id, int index, int plugin) {
  MenuEntry* entry = menusState().table.find(id);
  if (entry == nullptr || !entry->alive) return false;
  const long at = position(*entry, plugin, index);
  if (at < 0) return false;
  MenuItemInfo& picked = entry->info.items[static_cast<size_t>(at)];
  if (picked.separator || picked.submenu != nullptr || !picked.enabled) return false;
  if (picked.command != nullptr) {
    ++picked.picks;
    const XPLMCommandRef command = picked.command;
    const CallerScope asOwner(picked.owner);
    XPLMCommandOnce(command);
    return true;
  }
  if (entry->handler == nullptr) return false;
  ++picked.picks;
  const MenuItemInfo item = picked;
  CallerScope scope(entry->info.owner != 0 ? entry->info.owner : plugin);
  entry->handler(entry->info.menuRef, item.ref);
  return true;
}

bool pickMenuPath(const std::vector<std::string>& path) {
  XPLMMenuID current = menusState().plugins;
  for (size_t step = 0; step < path.size(); ++step) {
    const MenuEntry* entry = menusState().table.find(current);
    if (entry == nullptr || !entry->alive) return false;
    bool found = false;
    for (const MenuItemInfo& item : entry->info.items) {
      if (item.separator || item.name != path[step]) continue;
      found = true;
      if (step + 1 == path.size()) {
        int index = 0;
        for (const MenuItemInfo& other : entry->info.items) {
          if (&other == &item) break;
          index += other.owner == item.owner ? 1 : 0;
        }
        return pickMenuItem(current, index, item.owner);
      }
      current = item.submenu;
      break;
    }
    if (!found) return false;
  }
  return false;
}

void setLoadedWithAircraft(int plugin, bool withAircraft) {
  if (withAircraft) {
    menusState().withAircraft.insert(plugin);
  } else {
    menusState().withAircraft.erase(plugin);
  }
}

void clearMenus() {
  menusState().table.clear();
  menusState().aircraft = nullptr;
  menusState().withAircraft.clear();
  makePluginsMenu(menusState());
}

}  // namespace xplmsim
