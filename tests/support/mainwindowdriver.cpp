#include "support/mainwindowdriver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "core/errorbox.h"
#include "support/openmenu.h"
#include "tray/trayicon.h"
#include "core/privatemessages.h"

void MainWindowDriver::Choose(const TMenuItem* item) const
{
    ChooseCommand(OpenTo(*form->PopupMenu1, *item, form->Handle()));
}

void MainWindowDriver::ChooseCommand(UINT command, bool settle) const
{
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
    if (settle) Settle();
}

void MainWindowDriver::Settle(DWORD limit) const
{
    if (form != nullptr) SettleMainWindow(*form, limit);
}

bool MainWindowDriver::HandleMessagesUntil(const std::function<bool()>& done, DWORD limit)
{
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        TApplication::Current()->ProcessMessages();
        if (done()) return true;
        if (GetTickCount64() - start > limit) return false;
        // Woken by the next message: the end of a change's call comes as one.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    }
}

void SettleMainWindow(const TForm1& form, DWORD limit)
{
    const bool settled = MainWindowDriver::HandleMessagesUntil(
        [&] {
            const bool waiting = form.Changes->GetState() == ChangeController::State::WaitingForWindows;
            return TApplication::Current()->Terminated() ||
                   (!waiting && !form.Changes->Busy() && !form.WorkPending() && !ErrorBoxPending());
        },
        limit);
    if (!settled) ADD_FAILURE() << "still working after " << limit << " ms: " << form.Changes->Progress();
}

void MainWindowDriver::CloseButton() const { SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }

LRESULT MainWindowDriver::QueryEndSession() const { return SendMessageA(form->Handle(), WM_QUERYENDSESSION, 0, 0); }

void MainWindowDriver::SelectTab(int index) const
{
    HWND tabs = form->PageControl1->Handle();
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    NMHDR header{tabs, static_cast<UINT_PTR>(GetDlgCtrlID(tabs)), static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(GetParent(tabs), WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

int MainWindowDriver::SelectedTab() const
{
    return static_cast<int>(SendMessageA(form->PageControl1->Handle(), TCM_GETCURSEL, 0, 0));
}

std::vector<std::string> MainWindowDriver::SelectorEntries() const
{
    std::vector<std::string> entries;
    HWND combo = form->ComboBox1->Handle();
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        entries.emplace_back(text);
    }
    return entries;
}

int MainWindowDriver::SelectedEntry() const
{
    return static_cast<int>(SendMessageA(form->ComboBox1->Handle(), CB_GETCURSEL, 0, 0));
}

namespace {
HWND SelectorField(const TForm1& form) { return FindWindowExA(form.ComboBox1->Handle(), nullptr, "Edit", nullptr); }

void TypeChars(HWND field, const std::string& text)
{
    for (char c : text)
        SendMessageA(field, WM_CHAR, static_cast<WPARAM>(static_cast<unsigned char>(c)), 0);
}
}  // namespace

void MainWindowDriver::PressDownInSelector() const { SendMessageA(SelectorField(*form), WM_KEYDOWN, VK_DOWN, 0); }

void MainWindowDriver::TypeInSelector(const std::string& text) const
{
    HWND field = SelectorField(*form);
    SendMessageA(field, EM_SETSEL, 0, -1);
    TypeChars(field, text);
}

Rows MainWindowDriver::GridRows(const TValueListEditor& grid)
{
    Rows rows;
    for (int row = 0; row < grid.RowCount(); ++row)
        rows.emplace_back(grid.Key(row), grid.Value(row));
    return rows;
}

void MainWindowDriver::ClickValue(int row) const
{
    const TValueListEditor& grid = *form->proplist;
    ClickAt(grid.Handle(), grid.KeyColumnWidth() + 20, row * grid.RowHeight() + grid.RowHeight() / 2);
}

void MainWindowDriver::EditValue(const std::string& key, const std::string& text) const
{
    TValueListEditor& grid = *form->proplist;
    const int row = grid.FindRow(key);
    ASSERT_GE(row, 0) << key;
    ClickValue(row);
    ASSERT_TRUE(grid.Editing()) << key;
    HWND field = grid.Editor()->Handle();
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, WM_CLEAR, 0, 0);
    TypeChars(field, text);
    SendMessageA(field, WM_KEYDOWN, VK_RETURN, 0);
    ASSERT_FALSE(grid.Editing()) << key;
}

HWND MainWindowDriver::List() const { return form->Profiles->ListView1->Handle(); }

std::vector<std::string> MainWindowDriver::ListCaptions() const
{
    std::vector<std::string> captions;
    const auto count = SendMessageA(List(), LVM_GETITEMCOUNT, 0, 0);
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        LVITEMA item{};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(List(), LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        captions.push_back(text);
    }
    return captions;
}

void MainWindowDriver::SetSelected(int index, bool selected) const
{
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = selected ? LVIS_SELECTED : 0;
    SendMessageA(List(), LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&state));
}

int MainWindowDriver::SelectedCount() const
{
    return static_cast<int>(SendMessageA(List(), LVM_GETSELECTEDCOUNT, 0, 0));
}

int MainWindowDriver::ListImage(int index) const
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = index;
    SendMessageA(List(), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

POINT MainWindowDriver::ItemCentre(int index) const
{
    RECT rect{};
    rect.left = LVIR_ICON;
    SendMessageA(List(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

POINT MainWindowDriver::EmptyPlace() const
{
    RECT client;
    GetClientRect(List(), &client);
    return {client.right - 10, client.bottom - 10};
}

std::vector<MenuEntry> MainWindowDriver::RightClick(POINT at, const std::string& choose)
{
    std::vector<MenuEntry> shown;
    UINT chosen = 0;
    OpenMenuWatch watch([&](HWND menu) {
        shown = ReadMenu(OpenMenuWatch::MenuOf(menu));
        if (const MenuEntry* entry = FindEntry(shown, choose)) chosen = entry->command;
    });
    ClientToScreen(List(), &at);
    SendMessageA(List(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List()), MAKELPARAM(at.x, at.y));
    if (chosen != 0) ChooseCommand(chosen);
    Settle();
    return shown;
}

std::string MainWindowDriver::Detail(const char* key) const { return form->Profiles->ValueListEditor1->Values(key); }

std::vector<MenuEntry> MainWindowDriver::TrayMenu() const
{
    return ReadMenu(form->PopupMenu1->OpeningMenu(), form->Handle());
}

std::vector<MenuEntry> MainWindowDriver::TrayProfiles() const
{
    const std::vector<MenuEntry> menu = TrayMenu();
    if (const MenuEntry* profiles = FindEntry(menu, "Profiles"))
        return ListEntries(profiles->items, static_cast<size_t>(form->Profiles->prfs->Count()));
    ADD_FAILURE() << "no Profiles submenu";
    return {};
}

void MainWindowDriver::ChooseInTray(int position, const std::string& command, bool settle) const
{
    const HMENU top = form->PopupMenu1->OpeningMenu();
    const HMENU profiles = OpenSubmenu(top, PositionOf(top, "Profiles"), form->Handle());
    ASSERT_NE(profiles, nullptr) << "no Profiles submenu";
    ASSERT_LT(position, form->Profiles->prfs->Count());
    const MenuEntry* item =
        FindEntry(ReadMenu(OpenListEntry(profiles, position, form->Profiles->prfs->Count(), form->Handle())), command);
    ASSERT_NE(item, nullptr) << "no " << command << " under the entry at " << position;
    ChooseCommand(item->command, settle);
}

bool MainWindowDriver::PressTrayIcon(UINT press) const
{
    OpenMenuWatch watch;
    SendMessageA(form->TrayIcon1->MessageWindow(), kTrayCallbackMessage, 1, press);
    return watch.Seen();
}
