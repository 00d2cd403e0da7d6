#pragma once
// A native menu read back as a user sees it: captions, command numbers, states, submenus.
#include <windows.h>

#include <string>
#include <vector>

struct MenuEntry {
    std::string caption;
    UINT command = 0;
    UINT state = 0;
    std::vector<MenuEntry> items;
};

std::vector<MenuEntry> ReadMenu(HMENU menu);
std::vector<std::string> Captions(const std::vector<MenuEntry>& entries);
// The entry captioned `caption`, or null.
const MenuEntry* FindEntry(const std::vector<MenuEntry>& entries, const std::string& caption);
