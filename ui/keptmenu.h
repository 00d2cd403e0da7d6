#pragma once
// A native popup menu kept between openings, listing the sub-items of one menu item. Each kept
// menu has one submenu of its own (its cascade) that all its entries with sub-items open; the
// cascade is filled when it opens, with the sub-items of the entry that opens it, which
// WM_INITMENUPOPUP names by position. A "Profiles" menu of 10,000 entries thus takes two native
// menus below the top, not 10,001, and only the entries of the menus being shown hold command ids.
#include <windows.h>

#include <memory>
#include <vector>

#include "core/handles.h"

class TMenuItem;

class KeptMenu {
public:
    // `above`: the kept menu whose entries open this one; none for the top of a popup menu.
    explicit KeptMenu(KeptMenu* above = nullptr);
    ~KeptMenu();
    KeptMenu(const KeptMenu&) = delete;
    KeptMenu& operator=(const KeptMenu&) = delete;

    HMENU Handle() const noexcept { return m_handle.get(); }
    // Lists `item`'s visible sub-items, unless it lists them already as they are.
    void Show(const TMenuItem& item);
    // WM_INITMENUPOPUP: the entry at `position` in the menu above is opening this one.
    void Opening(UINT position);
    // Lists nothing, and gives back the command ids of what it listed.
    void Empty() noexcept;
    // An entry about to be destroyed leaves the list, with its command id.
    void Forget(const TMenuItem& entry) noexcept;

    static KeptMenu* FromHandle(HMENU menu) noexcept;

private:
    void Fill(const TMenuItem& item);
    HMENU Cascade();

    UniqueHmenu m_handle;
    KeptMenu* m_above;
    const TMenuItem* m_shows = nullptr;
    std::vector<TMenuItem*> m_entries;  // the native menu's entries, by position
    std::unique_ptr<KeptMenu> m_cascade;
};
