#pragma once
// A native popup menu kept between openings, listing the sub-items of one menu item. Each kept
// menu has one submenu of its own (its cascade) that all its entries with sub-items open; the
// cascade is filled when it opens, with the sub-items of the entry that opens it, which
// WM_INITMENUPOPUP names by position. A "Profiles" menu of 10,000 entries thus takes a few native
// menus below the top, not 10,001, and only the entries of the menus being shown hold command ids.
// A list longer than kMostMenuEntries is listed as its parts, each opening the cascade, which
// then lists that part.
#include <windows.h>

#include <cstdint>
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
    // Lists `item`'s visible sub-items from the one numbered `first`: the part that starts
    // there, or (`part` false) the whole list, or its parts when it is too long.
    void Show(const TMenuItem& item, size_t first, bool part);
    void Fill(const TMenuItem& item, size_t first, bool part);
    void Insert(MENUITEMINFOA& info);
    HMENU Cascade();

    UniqueHmenu m_handle;
    KeptMenu* m_above;
    const TMenuItem* m_shows = nullptr;
    size_t m_first = 0;
    bool m_part = false;                // lists a part of a list, opened from the menu of its parts
    bool m_grouped = false;             // lists the parts of a list, which the cascade shows
    uint64_t m_version = 0;             // of the list it shows, as it was listed
    std::vector<TMenuItem*> m_entries;  // the native menu's entries, by position
    std::unique_ptr<KeptMenu> m_cascade;
};
