#include "support/menus.h"

#include "ui/menu.h"

std::vector<MenuEntry> ReadMenu(HMENU menu, HWND owner)
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
        if (owner != nullptr) OpenSubmenu(menu, i, owner);
        entries.push_back({caption, info.wID, info.fState, ReadMenu(info.hSubMenu, owner)});
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

int PositionOf(HMENU menu, const std::string& caption)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[256] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (caption == text) return i;
    }
    return -1;
}

HMENU OpenSubmenu(HMENU menu, int position, HWND owner)
{
    const HMENU submenu = GetSubMenu(menu, position);
    if (submenu != nullptr) {
        SendMessageA(owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(submenu), MAKELPARAM(position, 0));
    }
    return submenu;
}

UINT OpenTo(const TPopupMenu& menu, const TMenuItem& item, HWND owner)
{
    std::vector<const TMenuItem*> path;  // the entries that open a submenu on the way, top first
    for (const TMenuItem* above = item.Parent(); above != nullptr && above->Parent() != nullptr;
         above = above->Parent())
        path.insert(path.begin(), above);
    HMENU native = menu.OpeningMenu();
    for (const TMenuItem* entry : path) {
        // Its position among the entries shown: hidden ones are not in the native menu.
        int position = 0;
        int shown = 0;
        for (int i = 0; i < entry->Parent()->Count(); ++i) {
            const TMenuItem& sibling = entry->Parent()->Item(i);
            if (&sibling == entry) position = shown;
            shown += sibling.Visible() ? 1 : 0;
        }
        native = OpenListEntry(native, position, shown, owner);
    }
    return item.Command();
}

HMENU OpenListEntry(HMENU menu, int position, int count, HWND owner)
{
    const int most = static_cast<int>(kMostMenuEntries);
    if (count > most) {
        menu = OpenSubmenu(menu, position / most, owner);
        position %= most;
    }
    return OpenSubmenu(menu, position, owner);
}

std::vector<MenuEntry> ListEntries(const std::vector<MenuEntry>& entries, size_t count)
{
    if (count <= kMostMenuEntries) return entries;
    std::vector<MenuEntry> whole;
    for (const MenuEntry& part : entries)
        whole.insert(whole.end(), part.items.begin(), part.items.end());
    return whole;
}
