#include "ui/listview.h"

#include <commctrl.h>

#include "core/text.h"
#include "ui/contrast.h"
#include "ui/menu.h"

TListView::TListView(const ListViewArgs& args) : m_largeImages(args.largeImages), m_textColor(args.textColor)
{
    InitControl({.className = WC_LISTVIEWA,
                 .style = WS_VISIBLE | WS_TABSTOP | LVS_ICON | LVS_AUTOARRANGE | LVS_SHAREIMAGELISTS |
                          static_cast<DWORD>(args.multiSelect ? 0 : LVS_SINGLESEL),
                 .exStyle = WS_EX_CLIENTEDGE,
                 .parent = args.parent,
                 .bounds = args.bounds,
                 .text = {},
                 .font = args.font});
}

void TListView::WindowCreated()
{
    if (m_largeImages != nullptr) {
        SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(m_largeImages->Handle(Dpi())));
    }
    ApplyTextColor();
    // An update in progress holds the new window too; the items kept so far are laid out once.
    if (m_updates > 0) StopLayout();
    ListUpdate update(*this);
    m_items.SetView(this);
}

void TListView::ScaleMetrics(int, int)
{
    if (!HandleAllocated() || m_largeImages == nullptr) return;
    SendMessageA(Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(m_largeImages->Handle(Dpi())));
    // -1, -1: the default spacing again, which the control takes from the icons' new size.
    SendMessageA(Handle(), LVM_SETICONSPACING, 0, MAKELPARAM(-1, -1));
    SendMessageA(Handle(), LVM_ARRANGE, LVA_DEFAULT, 0);
}

TListView::~TListView() { m_items.SetView(nullptr); }

void TListView::ApplyTextColor()
{
    if (m_textColor == CLR_DEFAULT) return;
    // On the list's own background, which stays the system's window colour.
    SendMessageA(Handle(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ShownText(m_textColor, true)));
}

void TListView::SystemColorsChanged()
{
    // The list keeps the window colour it was made with until it is given the new one.
    SendMessageA(Handle(), LVM_SETBKCOLOR, 0, static_cast<LPARAM>(GetSysColor(COLOR_WINDOW)));
    ApplyTextColor();
    TControl::SystemColorsChanged();
}

TListItem* TListView::ItemAt(POINT point) const
{
    if (!HandleAllocated()) return nullptr;
    LVHITTESTINFO hit{};
    hit.pt = point;
    const auto index = static_cast<int>(SendMessageA(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    if (index < 0 || index >= m_items.Count() || (hit.flags & LVHT_ONITEM) == 0) return nullptr;
    return &m_items.Item(index);
}

void TListView::BeginUpdate()
{
    if (m_updates++ == 0 && HandleAllocated()) StopLayout();
}

void TListView::EndUpdate()
{
    if (m_updates == 0 || --m_updates > 0) return;
    if (m_layoutStopped) ResumeLayout();
}

void TListView::StopLayout()
{
    m_layoutStopped = true;
    SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
    // An auto-arranged list lays out every icon again on each insertion or change; a series
    // of changes is laid out once, at its end.
    const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    m_arrangeAtEnd = (style & LVS_AUTOARRANGE) != 0;
    if (m_arrangeAtEnd) SetWindowLongPtrA(Handle(), GWL_STYLE, style & ~LVS_AUTOARRANGE);
}

void TListView::ResumeLayout()
{
    m_layoutStopped = false;
    if (m_arrangeAtEnd) {
        SetWindowLongPtrA(Handle(), GWL_STYLE, GetWindowLongPtrA(Handle(), GWL_STYLE) | LVS_AUTOARRANGE);
        SendMessageA(Handle(), LVM_ARRANGE, LVA_DEFAULT, 0);
        m_arrangeAtEnd = false;
    }
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TListView::SelectAll()
{
    if (!HandleAllocated()) {
        for (int i = 0; i < m_items.Count(); ++i) {
            TListItem& item = m_items.Item(i);
            if (item.Selected()) continue;
            item.SetSelected(true);
            if (onSelectItem) onSelectItem(item, true);
        }
        return;
    }
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

TCursor TListView::CursorAt(POINT client) { return ItemAt(client) != nullptr ? m_itemCursor : TCursor::crDefault; }

bool TListView::ContextPopup(POINT screen)
{
    if (!onContextPopup && m_popupMenu == nullptr) return false;
    if (screen.x == -1 && screen.y == -1) {
        // From the keyboard: at the focused item, or at the list's top left.
        RECT item{8, 8, 8, 8};
        const auto focused = SendMessageA(Handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
        if (focused >= 0) {
            item.left = LVIR_ICON;
            SendMessageA(Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&item));
        }
        screen = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        ClientToScreen(Handle(), &screen);
    }
    POINT client = screen;
    ScreenToClient(Handle(), &client);
    bool handled = false;
    if (onContextPopup) onContextPopup(client, handled);
    if (!handled && m_popupMenu != nullptr) m_popupMenu->Popup(screen.x, screen.y);
    return true;
}

void TListView::ItemInserted(int index)
{
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = LPSTR_TEXTCALLBACKA;
    item.iImage = I_IMAGECALLBACK;
    SendMessageA(Handle(), LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    // The control inserts items unselected.
    if (m_items.Item(index).Selected()) ShowSelection(index);
}

void TListView::ItemRemoved(int index)
{
    SendMessageA(Handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
    // The icons after it close up: a deletion leaves its place empty even in an auto-arranged
    // list. During a series of changes the list is arranged once, at its end.
    if (!m_layoutStopped && (GetWindowLongPtrA(Handle(), GWL_STYLE) & LVS_AUTOARRANGE) != 0)
        SendMessageA(Handle(), LVM_ARRANGE, LVA_DEFAULT, 0);
}

void TListView::ItemChanged(int index)
{
    // The texts and images come by callback: within an update the end's layout and repaint
    // pick the change up.
    if (m_updates == 0) {
        SendMessageA(Handle(), LVM_UPDATE, static_cast<WPARAM>(index), 0);
        // Wine's list view, when it arranges its icons itself, only arranges them again on
        // LVM_UPDATE and leaves the item painted as it was; Windows repaints it.
        SendMessageA(Handle(), LVM_REDRAWITEMS, static_cast<WPARAM>(index), static_cast<LPARAM>(index));
    }
    ShowSelection(index);
}

void TListView::ItemsCleared() { SendMessageA(Handle(), LVM_DELETEALLITEMS, 0, 0); }

void TListView::ShowSelection(int index)
{
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = m_items.Item(index).Selected() ? LVIS_SELECTED : 0;
    m_echo = true;
    SendMessageA(Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
    m_echo = false;
}

bool TListView::HandleNotify(NMHDR& header, LRESULT& result)
{
    result = 0;
    switch (header.code) {
    case LVN_GETDISPINFOA: {
        auto& info = reinterpret_cast<NMLVDISPINFOA&>(header);
        if (info.item.iItem < 0 || info.item.iItem >= m_items.Count()) return true;
        const TListItem& item = m_items.Item(info.item.iItem);
        if ((info.item.mask & LVIF_TEXT) != 0 && info.item.cchTextMax > 0) {
            lstrcpynA(info.item.pszText, item.Caption().c_str(), info.item.cchTextMax);
        }
        if ((info.item.mask & LVIF_IMAGE) != 0) info.item.iImage = item.ImageIndex();
        return true;
    }
    case LVN_GETDISPINFOW: {
        // Asked so when the parent answers the list's format question with Unicode.
        auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
        if (info.item.iItem < 0 || info.item.iItem >= m_items.Count()) return true;
        const TListItem& item = m_items.Item(info.item.iItem);
        if ((info.item.mask & LVIF_TEXT) != 0 && info.item.cchTextMax > 0) {
            lstrcpynW(info.item.pszText, WideFromAnsi(item.Caption()).c_str(), info.item.cchTextMax);
        }
        if ((info.item.mask & LVIF_IMAGE) != 0) info.item.iImage = item.ImageIndex();
        return true;
    }
    case LVN_KEYDOWN:
        if (onKeyDown) onKeyDown(reinterpret_cast<NMLVKEYDOWN&>(header).wVKey);
        return true;
    case LVN_ITEMCHANGED: {
        auto& change = reinterpret_cast<NMLISTVIEW&>(header);
        if (m_echo || (change.uChanged & LVIF_STATE) == 0) return true;
        const bool was = (change.uOldState & LVIS_SELECTED) != 0;
        const bool is = (change.uNewState & LVIS_SELECTED) != 0;
        if (was == is) return true;
        // -1 stands for every item (a select-all or clear by the control).
        const int first = change.iItem < 0 ? 0 : change.iItem;
        const int last = change.iItem < 0 ? m_items.Count() - 1 : change.iItem;
        for (int i = first; i <= last && i < m_items.Count(); ++i) {
            TListItem& item = m_items.Item(i);
            item.SetSelected(is);
            if (onSelectItem) onSelectItem(item, is);
        }
        return true;
    }
    }
    return false;
}
