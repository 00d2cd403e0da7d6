#include "ui/keptmenu.h"

#include <algorithm>
#include <map>

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

void KeptMenu::Show(const TMenuItem& item)
{
    if (m_shows != &item || item.m_stale) Fill(item);
}

void KeptMenu::Opening(UINT position)
{
    if (m_above == nullptr || position >= m_above->m_entries.size()) return;
    Show(*m_above->m_entries[position]);
}

void KeptMenu::Fill(const TMenuItem& item)
{
    Empty();
    m_shows = &item;
    item.m_shownIn = this;
    const TImageList* images = item.Images();
    for (const auto& entry : item.m_items) {
        if (!entry->m_visible) continue;
        MENUITEMINFOA info = entry->NativeEntry(images);
        if (entry->m_items.empty()) {
            info.wID = TakeMenuCommand(*entry);
        } else {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = Cascade();
        }
        if (!InsertMenuItemA(m_handle.get(), static_cast<UINT>(m_entries.size()), TRUE, &info)) {
            GiveBackMenuCommand(info.wID);
            CheckWin32(FALSE, "InsertMenuItemA");
        }
        entry->m_command = info.wID;
        m_entries.push_back(entry.get());
    }
    item.m_stale = false;
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
    if (m_shows != nullptr) m_shows->m_shownIn = nullptr;
    m_shows = nullptr;
}

void KeptMenu::Forget(const TMenuItem& entry) noexcept
{
    const auto found = std::find(m_entries.begin(), m_entries.end(), &entry);
    if (found == m_entries.end()) return;
    RemoveMenu(m_handle.get(), static_cast<UINT>(found - m_entries.begin()), MF_BYPOSITION);
    GiveBackMenuCommand(entry.m_command);
    entry.m_command = 0;
    m_entries.erase(found);
}
