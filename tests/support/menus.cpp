#include "support/menus.h"

std::vector<MenuEntry> ReadMenu(HMENU menu)
{
    std::vector<MenuEntry> entries;
    for (int i = 0; menu != nullptr && i < GetMenuItemCount(menu); ++i) {
        char caption[256] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        info.dwTypeData = caption;
        info.cch = sizeof caption;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        entries.push_back({caption, info.wID, info.fState, ReadMenu(info.hSubMenu)});
    }
    return entries;
}

std::vector<std::string> Captions(const std::vector<MenuEntry>& entries)
{
    std::vector<std::string> captions;
    for (const MenuEntry& entry : entries)
        captions.push_back(entry.caption);
    return captions;
}

const MenuEntry* FindEntry(const std::vector<MenuEntry>& entries, const std::string& caption)
{
    for (const MenuEntry& entry : entries) {
        if (entry.caption == caption) return &entry;
    }
    return nullptr;
}
