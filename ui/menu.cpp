#include "ui/menu.h"

#include <unordered_set>

#include "core/check.h"
#include "ui/imagelist.h"
#include "ui/keptmenu.h"
#include "ui/menucommands.h"

namespace {
// Every item that exists, so that the data of a native entry is taken for an item only while
// that item exists.
std::unordered_set<const TMenuItem*>& LiveItems()
{
    static std::unordered_set<const TMenuItem*> items;
    return items;
}
}  // namespace

TMenuItem::TMenuItem(std::string caption) : m_caption(std::move(caption)) { LiveItems().insert(this); }

TMenuItem::~TMenuItem()
{
    // The sub-items go with it: the menu listing them lists nothing now. And it leaves the
    // list it is an entry of, which would otherwise offer a destroyed item.
    if (m_shownIn != nullptr) m_shownIn->Empty();
    if (m_parent != nullptr && m_parent->m_shownIn != nullptr) m_parent->m_shownIn->Forget(*this);
    LiveItems().erase(this);
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
    ++m_version;
    Changed();
    return *m_items.back();
}

TMenuItem& TMenuItem::Add(std::string caption) { return Add(std::make_unique<TMenuItem>(std::move(caption))); }

void TMenuItem::Remove(TMenuItem& item)
{
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (it->get() == &item) {
            m_items.erase(it);
            ++m_version;
            Changed();
            return;
        }
    }
}

void TMenuItem::Clear()
{
    // Emptied at once, rather than searched for each sub-item as it goes.
    if (m_shownIn != nullptr) m_shownIn->Empty();
    m_items.clear();
    ++m_version;
    Changed();
}

void TMenuItem::Click()
{
    // A copy: the handler may destroy this item, and with it the stored handler.
    const auto handler = onClick;
    if (handler) handler(*this);
}

TMenuItem* TMenuItem::FromEntryData(ULONG_PTR data)
{
    auto* item = reinterpret_cast<TMenuItem*>(data);
    return LiveItems().count(item) != 0 ? item : nullptr;
}

bool TMenuItem::DispatchCommand(UINT command)
{
    TMenuItem* item = MenuCommandItem(command);
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

bool TMenuItem::MeasureImage(MEASUREITEMSTRUCT& measure, int dpi)
{
    TMenuItem* item = FromEntryData(measure.itemData);
    if (item == nullptr) return false;
    const TImageList* images = item->Images();
    measure.itemWidth = images != nullptr ? static_cast<UINT>(images->Width(dpi)) : 0;
    measure.itemHeight = images != nullptr ? static_cast<UINT>(images->Height(dpi)) : 0;
    return true;
}

bool TMenuItem::DrawImage(DRAWITEMSTRUCT& draw, int dpi)
{
    TMenuItem* item = FromEntryData(draw.itemData);
    if (item == nullptr) return false;
    const TImageList* images = item->Images();
    if (images == nullptr || item->m_imageIndex < 0) return true;
    const RECT& r = draw.rcItem;
    const int x = r.left + (r.right - r.left - images->Width(dpi)) / 2;
    const int y = r.top + (r.bottom - r.top - images->Height(dpi)) / 2;
    images->Draw(draw.hDC, item->m_imageIndex, x < r.left ? r.left : x, y, dpi);
    return true;
}

MENUITEMINFOA TMenuItem::NativeEntry(const TImageList* images) const
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_DATA;
    info.dwTypeData = const_cast<char*>(m_caption.c_str());
    info.fState = (m_default ? MFS_DEFAULT : 0) | (m_enabled ? 0 : MFS_DISABLED);
    // The images are found by this, not by the id, which entries opening a submenu do not have.
    info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    if (m_imageIndex >= 0 && images != nullptr) {
        // Drawn by the owner window from the image list, which keeps its transparency.
        info.fMask |= MIIM_BITMAP;
        info.hbmpItem = HBMMENU_CALLBACK;
    }
    return info;
}

void TMenuItem::AppendTo(HMENU menu) const
{
    const TImageList* images = Images();
    for (const auto& item : m_items) {
        if (!item->m_visible) continue;
        MENUITEMINFOA info = item->NativeEntry(images);
        UniqueHmenu submenu;
        if (!item->m_items.empty()) {
            submenu.reset(CreatePopupMenu());
            CheckWin32(submenu.get() != nullptr, "CreatePopupMenu");
            item->AppendTo(submenu.get());
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenu.get();
        }
        CheckWin32(InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info), "InsertMenuItemA");
        submenu.release();  // now destroyed with `menu`
    }
}

void TMenuItem::PrepareSubmenu(HMENU menu, UINT position)
{
    if (KeptMenu* kept = KeptMenu::FromHandle(menu)) kept->Opening(position);
}

TPopupMenu::TPopupMenu(const PopupMenuArgs& args)
    : m_owner(args.owner), m_images(args.images), m_alignment(args.alignment), m_rightToLeft(args.rightToLeft)
{
    m_items.m_menu = this;
}

TPopupMenu::~TPopupMenu() = default;

UniqueHmenu TPopupMenu::BuildMenu() const
{
    UniqueHmenu menu(CreatePopupMenu());
    CheckWin32(menu.get() != nullptr, "CreatePopupMenu");
    m_items.AppendTo(menu.get());
    return menu;
}

HMENU TPopupMenu::OpeningMenu() const
{
    if (!m_opening) m_opening = std::make_unique<KeptMenu>();
    m_opening->Show(m_items);
    return m_opening->Handle();
}

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
