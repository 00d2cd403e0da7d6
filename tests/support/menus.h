#pragma once
// A native menu read back as a user sees it: captions, command numbers, states, submenus.
#include <windows.h>

#include <string>
#include <vector>

class TMenuItem;
class TPopupMenu;

struct MenuEntry {
    std::string caption;
    UINT command = 0;
    UINT state = 0;
    std::vector<MenuEntry> items;
};

// With an owner, each submenu is opened first as Windows opens it (OpenSubmenu), so what the
// submenus show is what the pointer resting on each entry in turn would show; the commands of
// an entry's submenu are given back when the next entry's opens.
std::vector<MenuEntry> ReadMenu(HMENU menu, HWND owner = nullptr);
std::vector<std::string> Captions(const std::vector<MenuEntry>& entries);
// The entry captioned `caption`, or null.
const MenuEntry* FindEntry(const std::vector<MenuEntry>& entries, const std::string& caption);
// The position of the native entry captioned `caption`, or -1.
int PositionOf(HMENU menu, const std::string& caption);

// Opens the submenu of the entry at `position` as Windows does when the pointer rests on it:
// WM_INITMENUPOPUP to the owner, naming the submenu and the entry's position.
HMENU OpenSubmenu(HMENU menu, int position, HWND owner);
// Opens `menu` and the submenus down to `item` as a user pointing along the way does, and
// gives the command `item` carries then.
UINT OpenTo(const TPopupMenu& menu, const TMenuItem& item, HWND owner);

// A list of `count` entries is listed in parts when it is long (kMostMenuEntries): the submenu
// of its entry at `position` is opened through the part that holds it.
HMENU OpenListEntry(HMENU menu, int position, int count, HWND owner);
// A list of `count` entries read back whole: when it was listed in parts, their entries in turn.
std::vector<MenuEntry> ListEntries(const std::vector<MenuEntry>& entries, size_t count);
