// The Profiles tab's controls: the toolbar band with its flat picture buttons, the white panel
// with the two detail grids and the refresh link, the profile list and its context menu.
// Places are the designed ones at 96 DPI, relative to the band, the panel or a group.
#include <windows.h>
#include <commctrl.h>
#include <windowsx.h>

#include <string>

#include "profiles/profileswindow.h"
#include "profiles/iprofile.h"
#include "resources/resource.h"
#include "ui/cursor.h"

namespace {
// A flat toolbar button with a picture left of its caption. It shows a raised edge only
// while the pointer is over it and a sunken one while pressed, and never takes the focus.
class SpeedButton : public TButton {
public:
    SpeedButton(const ButtonArgs& args, const TImageList& images, int imageIndex, std::string hint)
        : TButton(args), m_images(images), m_imageIndex(imageIndex), m_hint(std::move(hint))
    {
        LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
        style &= ~static_cast<LONG_PTR>(BS_TYPEMASK | WS_TABSTOP);
        SetWindowLongPtrA(Handle(), GWL_STYLE, style | BS_OWNERDRAW);
    }

    bool HandleDrawItem(DRAWITEMSTRUCT& item) override
    {
        HDC dc = item.hDC;
        RECT r = item.rcItem;
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        const bool disabled = (item.itemState & ODS_DISABLED) != 0;
        const bool pressed = (item.itemState & ODS_SELECTED) != 0;
        if (!disabled && (pressed || m_hot)) DrawEdge(dc, &r, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);

        const std::string caption = Text();
        HGDIOBJ oldFont = SelectObject(dc, Font());
        SIZE textSize{};
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &textSize);
        // Picture and caption side by side, the pair centred; a pressed button moves them by one.
        const int shift = pressed ? 1 : 0;
        const int width = m_images.Width() + kSpacing + textSize.cx;
        const int left = r.left + (r.right - r.left - width) / 2 + shift;
        const int imageTop = r.top + (r.bottom - r.top - m_images.Height()) / 2 + shift;
        if (disabled) {
            // Faded half into the button face.
            ImageList_DrawEx(m_images.Handle(), m_imageIndex, dc, left, imageTop, 0, 0, CLR_NONE,
                             GetSysColor(COLOR_BTNFACE), ILD_TRANSPARENT | ILD_BLEND50);
        } else {
            m_images.Draw(dc, m_imageIndex, left, imageTop);
        }
        RECT text{left + m_images.Width() + kSpacing, r.top + shift, r.right, r.bottom + shift};
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        SelectObject(dc, oldFont);
        return true;
    }

    // Kept for whoever shows control hints; the main window does not.
    const std::string& Hint() const noexcept { return m_hint; }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_MOUSEMOVE:
            if (!m_hot) {
                m_hot = true;
                TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
                TrackMouseEvent(&track);
                InvalidateRect(Handle(), nullptr, FALSE);
            }
            break;
        case WM_MOUSELEAVE:
            m_hot = false;
            InvalidateRect(Handle(), nullptr, FALSE);
            break;
        case WM_SETFOCUS:
            // A toolbar button leaves the focus where it was.
            if (wParam != 0 && IsWindow(reinterpret_cast<HWND>(wParam))) ::SetFocus(reinterpret_cast<HWND>(wParam));
            return 0;
        }
        return DefaultMessage(message, wParam, lParam);
    }

private:
    static constexpr int kSpacing = 4;
    const TImageList& m_images;
    int m_imageIndex;
    std::string m_hint;
    bool m_hot = false;
};

// What the profile list does beyond the toolkit's list view: the hand cursor over its items,
// its context menu, and removals posted to it by menu commands.
class ProfileListView : public TListView {
public:
    ProfileListView(const ListViewArgs& args, TProfilesWindow& form) : TListView(args), m_form(form) {}

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        switch (message) {
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == Handle() && !ApplyScreenCursor()) {
                POINT at;
                GetCursorPos(&at);
                ScreenToClient(Handle(), &at);
                if (ItemAt(at) != nullptr) {
                    SetCursor(CursorHandle(TCursor::crHandPoint));
                    return TRUE;
                }
            }
            break;
        case WM_CONTEXTMENU: ContextMenu(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case TProfilesWindow::RemoveProfileMessage: m_form.RemoveProfile(static_cast<int32_t>(wParam)); return 0;
        }
        return TListView::HandleMessage(message, wParam, lParam);
    }

private:
    void ContextMenu(POINT screen)
    {
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
        m_form.ListView1ContextPopup(client, handled);
        if (!handled) m_form.PopupMenu2->Popup(screen.x, screen.y);
    }

    TProfilesWindow& m_form;
};

TGroupBox* MakeGroup(std::unique_ptr<TGroupBox>& group, HWND parent, const Bounds& bounds, const char* caption)
{
    group = std::make_unique<TGroupBox>(GroupBoxArgs{parent, bounds, caption, RGB(255, 255, 255)});
    return group.get();
}

std::unique_ptr<TValueListEditor> MakeGrid(HWND parent, const Bounds& bounds, int keyWidth,
                                           std::initializer_list<const char*> keys)
{
    ValueListArgs args;
    args.parent = parent;
    args.bounds = bounds;
    args.keyColumnWidth = keyWidth;
    auto grid = std::make_unique<TValueListEditor>(args);
    for (const char* key : keys)
        grid->AddRow(key, "");
    return grid;
}
}  // namespace

void TProfilesWindow::BuildProfilesTab(HWND page)
{
    ImageList1 = std::make_unique<TImageList>(ImageListArgs{64, 64, IDB_PROFILEICONS});
    ProfilesButtons = std::make_unique<TImageList>(ImageListArgs{24, 24, IDB_PROFILEBUTTONS});

    ProfilesToolbar = std::make_unique<TPanel>(PanelArgs{page, {0, 0, 489, 49}, TPanelBevel::bvRaised});
    HWND band = ProfilesToolbar->Handle();
    auto button = [&](const Bounds& bounds, const char* caption, int image, const char* hint) {
        return std::make_unique<SpeedButton>(ButtonArgs{band, bounds, caption}, *ProfilesButtons, image, hint);
    };
    SpeedButton1 = button({4, 1, 88, 40}, "Apply", 0, "Apply settings from selected profile");
    SpeedButton1->onClick = [this] { SpeedButton1Click(); };
    SpeedButton5 = button({98, 1, 80, 40}, "New", 1, "Create new profile");
    SpeedButton5->onClick = [this] { SpeedButton5Click(); };
    SpeedButton2 = button({184, 1, 80, 40}, "Edit", 2, "Edit selected profile");
    SpeedButton2->onClick = [this] { SpeedButton2Click(); };
    SpeedButton3 = button({270, 1, 79, 40}, "Delete", 3, "Delete selected profile");
    SpeedButton3->onClick = [this] { SpeedButton3Click(); };
    SpeedButton4 = button({354, 1, 128, 40}, "Set Custom Icon", 4, "");
    SpeedButton4->SetEnabled(false);

    ProfilesPanel =
        std::make_unique<TPanel>(PanelArgs{page, {0, 49, 489, 251}, TPanelBevel::bvNone, RGB(255, 255, 255)});
    HWND panel = ProfilesPanel->Handle();

    BuildCurrentNetworkDetails(panel, {5, 3, 129, 121});
    ValueListEditor2->onSelectCell = [this](int column, int row, bool& canSelect) {
        ValueListEditor2SelectCell(column, row, canSelect);
    };

    LabelArgs link;
    link.parent = panel;
    link.bounds = {8, 128, 0, 0};
    link.caption = "Refresh Network Details";
    link.color = RGB(255, 255, 255);
    Label12 = std::make_unique<TLinkLabel>(link);
    Label12->onClick = [this] { Label12Click(); };

    HWND selected = MakeGroup(GroupBox4, panel, {5, 144, 129, 105}, "Selected Profile Details")->Handle();
    ValueListEditor1 = MakeGrid(selected, {3, 13, 123, 90}, 30, {"Title:", "IP:", "Mask:", "GW:", "DNS:"});
    // Shows the selected profile; the keyboard passes it by.
    SetWindowLongPtrA(ValueListEditor1->Handle(), GWL_STYLE,
                      GetWindowLongPtrA(ValueListEditor1->Handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(WS_TABSTOP));

    HWND group = MakeGroup(GroupBox8, panel, {144, 3, 337, 246}, "Profiles")->Handle();
    ListViewArgs list;
    list.parent = group;
    list.bounds = {8, 16, 321, 222};
    list.largeImages = ImageList1.get();
    list.textColor = RGB(0, 0, 255);
    ListView1 = std::make_unique<ProfileListView>(list, *this);
    ListView1->onSelectItem = [this](TListItem& item, bool selected) { ListView1SelectItem(item, selected); };
    // The profile list is this list's items from the start; the store keeps it from being
    // saved until a load has filled it.
    ProfileList = &ListView1->Items();

    PopupMenuArgs menu;
    menu.owner = Handle();
    PopupMenu2 = std::make_unique<TPopupMenu>(menu);
    TMenuItem& items = PopupMenu2->Items();
    Activate1 = &items.Add("Activate");
    Activate1->SetDefault(true);
    Edit4 = &items.Add("Edit...");
    Delete1 = &items.Add("Delete");
    SelectAll1 = &items.Add("Select All");
    SelectAll1->onClick = [this](TMenuItem& sender) { SelectAll1Click(sender); };
}

void TProfilesWindow::BuildCurrentNetworkDetails(HWND parent, const Bounds& bounds)
{
    HWND group = MakeGroup(GroupBox3, parent, bounds, "Current Network Details")->Handle();
    ValueListEditor2 = MakeGrid(group, {3, 13, bounds.width - 6, bounds.height - 14}, 35,
                                {"Card:", "IP:", "Mask:", "GW:", "DNS:", "DHCP:"});
}

void TProfilesWindow::SwitchOffGridEditors()
{
    ValueListEditor1->SetEditingEnabled(false);
    ValueListEditor2->SetEditingEnabled(false);
}
