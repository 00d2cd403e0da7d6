#include "ui/keptmenu.h"

#include <algorithm>
#include <map>
#include <string>

#include "core/check.h"
#include "ui/menu.h"
#include "ui/menucommands.h"

namespace {
// By handle, for WM_INITMENUPOPUP, which names only the menu.
std::map<HMENU, KeptMenu*>& KeptMenus()
{
    static std::map<HMENU, KeptMenu*> menus;
    return menus;
}
}  // namespace

KeptMenu::KeptMenu(KeptMenu* above) : m_handle(CreatePopupMenu()), m_above(above)
{
    CheckWin32(m_handle.get() != nullptr, "CreatePopupMenu");
    KeptMenus()[m_handle.get()] = this;
}

KeptMenu::~KeptMenu()
{
    // Emptied first, so that destroying this menu does not destroy the cascade its entries share.
    Empty();
    KeptMenus().erase(m_handle.get());
}

KeptMenu* KeptMenu::FromHandle(HMENU menu) noexcept
{
    const auto found = KeptMenus().find(menu);
    return found != KeptMenus().end() ? found->second : nullptr;
}

void KeptMenu::Show(const TMenuItem& item) { Show(item, 0, false); }

void KeptMenu::Show(const TMenuItem& item, size_t first, bool part)
{
    if (m_shows != &item || m_first != first || m_part != part || m_version != item.m_version) Fill(item, first, part);
}

void KeptMenu::Opening(UINT position)
{
    if (m_above == nullptr) return;
    if (m_above->m_grouped) {
        Show(*m_above->m_shows, position * kMostMenuEntries, true);
        return;
    }
    if (position >= m_above->m_entries.size()) return;
    Show(*m_above->m_entries[position]);
}

void KeptMenu::Fill(const TMenuItem& item, size_t first, bool part)
{
    Empty();
    m_shows = &item;
    m_first = first;
    m_part = part;
    m_version = item.m_version;
    // A part's entries are looked after through the menu of the parts, which empties this one.
    if (!part) item.m_shownIn = this;
    std::vector<TMenuItem*> visible;
    for (const auto& entry : item.m_items) {
        if (entry->m_visible) visible.push_back(entry.get());
    }
    if (!part && visible.size() > kMostMenuEntries) {
        m_grouped = true;
        for (size_t start = 0; start < visible.size(); start += kMostMenuEntries) {
            const std::string caption =
                std::to_string(start + 1) + " - " + std::to_string(std::min(start + kMostMenuEntries, visible.size()));
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_STRING | MIIM_SUBMENU;
            info.dwTypeData = const_cast<char*>(caption.c_str());
            info.hSubMenu = Cascade();
            Insert(info);
        }
        return;
    }
    const TImageList* images = item.Images();
    const size_t end = part ? std::min(visible.size(), first + kMostMenuEntries) : visible.size();
    for (size_t i = first; i < end; ++i) {
        TMenuItem* entry = visible[i];
        MENUITEMINFOA info = entry->NativeEntry(images);
        if (entry->m_items.empty()) {
            info.wID = TakeMenuCommand(*entry);
        } else {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = Cascade();
        }
        Insert(info);
        entry->m_command = info.wID;
        m_entries.push_back(entry);
    }
}

void KeptMenu::Insert(MENUITEMINFOA& info)
{
    if (InsertMenuItemA(m_handle.get(), static_cast<UINT>(GetMenuItemCount(m_handle.get())), TRUE, &info)) return;
    GiveBackMenuCommand(info.wID);
    CheckWin32(FALSE, "InsertMenuItemA");
}

HMENU KeptMenu::Cascade()
{
    if (!m_cascade) m_cascade = std::make_unique<KeptMenu>(this);
    return m_cascade->Handle();
}

void KeptMenu::Empty() noexcept
{
    // RemoveMenu, not DeleteMenu: the cascade stays this menu's own.
    for (int i = GetMenuItemCount(m_handle.get()) - 1; i >= 0; --i)
        RemoveMenu(m_handle.get(), static_cast<UINT>(i), MF_BYPOSITION);
    for (TMenuItem* entry : m_entries) {
        GiveBackMenuCommand(entry->m_command);
        entry->m_command = 0;
    }
    m_entries.clear();
    // The cascade lists a part of the same list.
    if (m_grouped && m_cascade) m_cascade->Empty();
    m_grouped = false;
    if (m_shows != nullptr && m_shows->m_shownIn == this) m_shows->m_shownIn = nullptr;
    m_shows = nullptr;
}

void KeptMenu::Forget(const TMenuItem& entry) noexcept
{
    if (m_grouped) {
        if (m_cascade) m_cascade->Forget(entry);
        return;
    }
    const auto found = std::find(m_entries.begin(), m_entries.end(), &entry);
    if (found == m_entries.end()) return;
    RemoveMenu(m_handle.get(), static_cast<UINT>(found - m_entries.begin()), MF_BYPOSITION);
    GiveBackMenuCommand(entry.m_command);
    entry.m_command = 0;
    m_entries.erase(found);
}
