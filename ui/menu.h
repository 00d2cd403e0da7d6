#pragma once
// Popup menus as a tree of items that carry a caption, an image, a tag, visibility, the
// default mark, a click handler and sub-items. The native menus are kept between openings and
// filled from the tree as they open (ui/keptmenu.h); a chosen command comes back to the owner
// window as WM_COMMAND and finds its item by the command id it holds while listed (ReflectMessage).
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/handles.h"

class KeptMenu;
class TImageList;

// A menu lists at most this many entries. A longer list is listed as entries that each open a
// part of it, captioned with the numbers of its first and last entry ("1001 - 2000"): nobody
// scrolls a menu of thousands, and Wine takes seconds to fill one (each entry added copies the
// menu's whole array, in new memory once it is large).
inline constexpr size_t kMostMenuEntries = 1000;
class TPopupMenu;

class TMenuItem {
public:
    explicit TMenuItem(std::string caption = {});
    ~TMenuItem();
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    const std::string& Caption() const noexcept { return m_caption; }
    void SetCaption(std::string caption);
    int ImageIndex() const noexcept { return m_imageIndex; }
    void SetImageIndex(int index) noexcept { Set(m_imageIndex, index); }
    int Tag() const noexcept { return m_tag; }
    void SetTag(int tag) noexcept { m_tag = tag; }
    bool Visible() const noexcept { return m_visible; }
    void SetVisible(bool visible) noexcept { Set(m_visible, visible); }
    bool Default() const noexcept { return m_default; }
    void SetDefault(bool isDefault) noexcept { Set(m_default, isDefault); }
    bool Enabled() const noexcept { return m_enabled; }
    void SetEnabled(bool enabled) noexcept { Set(m_enabled, enabled); }

    // Raised with the clicked item. The handler may destroy the item or its parent.
    std::function<void(TMenuItem& sender)> onClick;

    TMenuItem& Add(std::unique_ptr<TMenuItem> item);
    TMenuItem& Add(std::string caption);
    // Destroys a sub-item and everything under it.
    void Remove(TMenuItem& item);
    void Clear();
    int Count() const noexcept { return static_cast<int>(m_items.size()); }
    TMenuItem& Item(int index) { return *m_items.at(static_cast<size_t>(index)); }
    TMenuItem* Parent() const noexcept { return m_parent; }

    // The id this item's command carries in WM_COMMAND while a kept menu lists the item; 0 when
    // none does, and always 0 for an item with sub-items, which only opens them.
    UINT Command() const noexcept { return m_command; }
    void Click();

    // For ReflectMessage: a menu command, and the images of menu items.
    static bool DispatchCommand(UINT command);
    // WM_INITMENUPOPUP: a kept submenu about to open is filled, or brought up to date, now;
    // `position` is that of the entry opening it in the menu above.
    static void PrepareSubmenu(HMENU menu, UINT position);
    // At the DPI of the window that owns the menu: its images at the nearest scale.
    static bool MeasureImage(MEASUREITEMSTRUCT& item, int dpi);
    static bool DrawImage(DRAWITEMSTRUCT& item, int dpi);

private:
    friend class TPopupMenu;
    friend class KeptMenu;
    // The item a native entry's data names, when it still exists.
    static TMenuItem* FromEntryData(ULONG_PTR data);
    const TImageList* Images() const;
    // This item's native entry without its id or submenu: caption, state, image.
    MENUITEMINFOA NativeEntry(const TImageList* images) const;
    // Adds the visible sub-items to `menu`, each with a new menu of its own for its sub-items.
    void AppendTo(HMENU menu) const;
    // Something this item shows changed: the menu that lists it must be brought up to date.
    void Changed() noexcept
    {
        if (m_parent != nullptr) ++m_parent->m_version;
    }
    template <typename T>
    void Set(T& field, T value) noexcept
    {
        if (field == value) return;
        field = value;
        Changed();
    }

    std::string m_caption;
    int m_imageIndex = -1;
    int m_tag = 0;
    bool m_visible = true;
    bool m_default = false;
    bool m_enabled = true;
    TMenuItem* m_parent = nullptr;
    TPopupMenu* m_menu = nullptr;  // set on the root item of a popup menu
    // Set by the kept menu that lists this item (its command id) or its sub-items (m_shownIn).
    mutable UINT m_command = 0;
    mutable KeptMenu* m_shownIn = nullptr;
    // Counts the changes of the sub-items, so that every menu listing them knows it is behind.
    uint64_t m_version = 0;
    std::vector<std::unique_ptr<TMenuItem>> m_items;
};

// What a window that opens a popup menu on its own messages (the tray icon) needs of it, and
// tests can stand in for.
class PopupMenuSource {
public:
    // Whether the menu opens by itself on a right click.
    virtual bool AutoPopup() const = 0;
    // Shows the menu at the screen point; its onPopup handler runs first. Returns when it closes.
    virtual void PopupAt(int x, int y) = 0;
    // Clicks the first top-level item marked as the default one; false when there is none.
    virtual bool ClickDefaultItem() = 0;

protected:
    ~PopupMenuSource() = default;
};

enum class TPopupAlignment { paLeft, paCenter, paRight };

struct PopupMenuArgs {
    HWND owner = nullptr;  // receives the chosen command and draws the images
    const TImageList* images = nullptr;
    TPopupAlignment alignment = TPopupAlignment::paLeft;
    // Mirrors the menu only where Windows lays text out right to left (a Middle-East system).
    bool rightToLeft = false;
};

class TPopupMenu : public PopupMenuSource {
public:
    explicit TPopupMenu(const PopupMenuArgs& args = {});
    ~TPopupMenu();
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;

    TMenuItem& Items() noexcept { return m_items; }
    const TImageList* Images() const noexcept { return m_images; }

    // Raised just before the menu opens, so its items can be brought up to date.
    std::function<void()> onPopup;

    // Opens the menu at a screen position; the chosen command goes to the owner as WM_COMMAND
    // once the menu has closed.
    void Popup(int x, int y);
    bool AutoPopup() const override { return m_autoPopup; }
    void SetAutoPopup(bool autoPopup) noexcept { m_autoPopup = autoPopup; }
    void PopupAt(int x, int y) override { Popup(x, y); }
    // Clicks the first visible top-level item marked as the default; false when there is none.
    bool ClickDefaultItem() override;
    // The native menu as it would open now, built anew with all its submenus and without
    // command ids (for inspection); the caller owns it.
    UniqueHmenu BuildMenu() const;
    // The native menu that opens: kept by the menu and brought up to date where it changed.
    // A long "Profiles" submenu is thus listed once, not at every right click; submenus are
    // filled only when they open (TMenuItem::PrepareSubmenu).
    HMENU OpeningMenu() const;

private:
    TMenuItem m_items;
    mutable std::unique_ptr<KeptMenu> m_opening;
    HWND m_owner;
    const TImageList* m_images;
    bool m_autoPopup = true;
    TPopupAlignment m_alignment;
    bool m_rightToLeft;
};
