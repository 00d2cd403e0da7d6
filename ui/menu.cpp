#include "ui/menu.h"

#include <map>

#include "core/check.h"
#include "ui/imagelist.h"

namespace {
// Command ids live above the control ids and below the system commands (SC_*).
constexpr UINT kFirstCommand = 0x8000;
constexpr UINT kLastCommand = 0xEFFF;

std::map<UINT, TMenuItem*>& Commands()
{
    static std::map<UINT, TMenuItem*> commands;
    return commands;
}

// The kept submenus by handle, for WM_INITMENUPOPUP, which names only the menu.
std::map<HMENU, const TMenuItem*>& KeptMenus()
{
    static std::map<HMENU, const TMenuItem*> menus;
    return menus;
}

UINT AllocateCommand(TMenuItem* item)
{
    static UINT next = kFirstCommand;
    auto& commands = Commands();
    for (UINT tries = 0; tries <= kLastCommand - kFirstCommand; ++tries) {
        const UINT command = next;
        next = next == kLastCommand ? kFirstCommand : next + 1;
        if (commands.emplace(command, item).second) return command;
    }
    RaiseError("Out of menu command ids");
}
}  // namespace

TMenuItem::TMenuItem(std::string caption) : m_caption(std::move(caption)), m_command(AllocateCommand(this)) {}

TMenuItem::~TMenuItem()
{
    Commands().erase(m_command);
    if (m_kept) KeptMenus().erase(m_kept.get());
    // Out of the parent's kept menu, which would otherwise destroy this item's menu with it
    // or point at it once destroyed.
    if (m_parent != nullptr && m_parent->m_kept) {
        RemoveMenu(m_parent->m_kept.get(), m_command, MF_BYCOMMAND);
        m_parent->m_stale = true;
    }
}

void TMenuItem::SetCaption(std::string caption)
{
    if (caption == m_caption) return;
    m_caption = std::move(caption);
    Changed();
}

TMenuItem& TMenuItem::Add(std::unique_ptr<TMenuItem> item)
{
    item->m_parent = this;
    m_items.push_back(std::move(item));
    // The new item is listed here, and this item may have gained its submenu.
    m_stale = true;
    Changed();
    return *m_items.back();
}

TMenuItem& TMenuItem::Add(std::string caption) { return Add(std::make_unique<TMenuItem>(std::move(caption))); }

void TMenuItem::Remove(TMenuItem& item)
{
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (it->get() == &item) {
            m_items.erase(it);
            m_stale = true;
            Changed();
            return;
        }
    }
}

void TMenuItem::Clear()
{
    m_items.clear();
    m_stale = true;
    Changed();
}

void TMenuItem::Click()
{
    // A copy: the handler may destroy this item, and with it the stored handler.
    const auto handler = onClick;
    if (handler) handler(*this);
}

TMenuItem* TMenuItem::FromCommand(UINT command)
{
    auto found = Commands().find(command);
    return found == Commands().end() ? nullptr : found->second;
}

bool TMenuItem::DispatchCommand(UINT command)
{
    TMenuItem* item = FromCommand(command);
    if (item == nullptr) return false;
    item->Click();
    return true;
}

const TImageList* TMenuItem::Images() const
{
    const TMenuItem* root = this;
    while (root->m_parent != nullptr)
        root = root->m_parent;
    return root->m_menu != nullptr ? root->m_menu->Images() : nullptr;
}

bool TMenuItem::MeasureImage(MEASUREITEMSTRUCT& measure)
{
    TMenuItem* item = FromCommand(measure.itemID);
    if (item == nullptr) return false;
    const TImageList* images = item->Images();
    measure.itemWidth = images != nullptr ? static_cast<UINT>(images->Width()) : 0;
    measure.itemHeight = images != nullptr ? static_cast<UINT>(images->Height()) : 0;
    return true;
}

bool TMenuItem::DrawImage(DRAWITEMSTRUCT& draw)
{
    TMenuItem* item = FromCommand(draw.itemID);
    if (item == nullptr) return false;
    const TImageList* images = item->Images();
    if (images == nullptr || item->m_imageIndex < 0) return true;
    const RECT& r = draw.rcItem;
    const int x = r.left + (r.right - r.left - images->Width()) / 2;
    const int y = r.top + (r.bottom - r.top - images->Height()) / 2;
    images->Draw(draw.hDC, item->m_imageIndex, x < r.left ? r.left : x, y);
    return true;
}

void TMenuItem::AppendTo(HMENU menu, bool kept) const
{
    for (const auto& item : m_items) {
        if (!item->m_visible) continue;
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_DATA;
        info.wID = item->m_command;
        info.dwTypeData = const_cast<char*>(item->m_caption.c_str());
        info.fState = (item->m_default ? MFS_DEFAULT : 0) | (item->m_enabled ? 0 : MFS_DISABLED);
        info.dwItemData = item->m_command;
        if (item->m_imageIndex >= 0 && Images() != nullptr) {
            // Drawn by the owner window from the image list, which keeps its transparency.
            info.fMask |= MIIM_BITMAP;
            info.hbmpItem = HBMMENU_CALLBACK;
        }
        UniqueHmenu submenu;
        if (!item->m_items.empty()) {
            if (kept) {
                info.hSubMenu = item->SubmenuHandle();
            } else {
                submenu.reset(CreatePopupMenu());
                CheckWin32(submenu.get() != nullptr, "CreatePopupMenu");
                item->AppendTo(submenu.get(), false);
                info.hSubMenu = submenu.get();
            }
            info.fMask |= MIIM_SUBMENU;
        }
        CheckWin32(InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info), "InsertMenuItemA");
        submenu.release();  // now destroyed with `menu`
    }
}

HMENU TMenuItem::SubmenuHandle() const
{
    if (!m_kept) {
        m_kept.reset(CreatePopupMenu());
        CheckWin32(m_kept.get() != nullptr, "CreatePopupMenu");
        KeptMenus()[m_kept.get()] = this;
        m_stale = true;
    }
    return m_kept.get();
}

HMENU TMenuItem::KeptMenu() const
{
    const HMENU menu = SubmenuHandle();
    if (m_stale) {
        // RemoveMenu, not DeleteMenu: the sub-items' own kept menus stay theirs.
        for (int i = GetMenuItemCount(menu) - 1; i >= 0; --i)
            RemoveMenu(menu, static_cast<UINT>(i), MF_BYPOSITION);
        AppendTo(menu, true);
        m_stale = false;
    }
    return menu;
}

void TMenuItem::PrepareSubmenu(HMENU menu)
{
    const auto found = KeptMenus().find(menu);
    if (found != KeptMenus().end()) found->second->KeptMenu();
}

TPopupMenu::TPopupMenu(const PopupMenuArgs& args)
    : m_owner(args.owner), m_images(args.images), m_alignment(args.alignment), m_rightToLeft(args.rightToLeft)
{
    m_items.m_menu = this;
}

UniqueHmenu TPopupMenu::BuildMenu() const
{
    UniqueHmenu menu(CreatePopupMenu());
    CheckWin32(menu.get() != nullptr, "CreatePopupMenu");
    m_items.AppendTo(menu.get(), false);
    return menu;
}

HMENU TPopupMenu::OpeningMenu() const { return m_items.KeptMenu(); }

void TPopupMenu::Popup(int x, int y)
{
    if (onPopup) onPopup();
    HMENU menu = OpeningMenu();
    UINT flags = TPM_RIGHTBUTTON;
    switch (m_alignment) {
    case TPopupAlignment::paLeft: flags |= TPM_LEFTALIGN; break;
    case TPopupAlignment::paCenter: flags |= TPM_CENTERALIGN; break;
    case TPopupAlignment::paRight: flags |= TPM_RIGHTALIGN; break;
    }
    if (m_rightToLeft && GetSystemMetrics(SM_MIDEASTENABLED) != 0) flags |= TPM_LAYOUTRTL;
    TrackPopupMenu(menu, flags, x, y, 0, m_owner, nullptr);
}

bool TPopupMenu::ClickDefaultItem()
{
    for (int i = 0; i < m_items.Count(); ++i) {
        TMenuItem& item = m_items.Item(i);
        if (item.Visible() && item.Default()) {
            item.Click();
            return true;
        }
    }
    return false;
}
