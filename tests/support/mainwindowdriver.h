#pragma once
// The main window's driver: an application of the test's own with the main window in it, and
// every user action on that window, its tabs and its menus as the messages the action sends,
// with what the window shows read back from its controls and from the menus as they would
// open.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/mainformunit.h"
#include "support/input.h"
#include "support/menus.h"
#include "ui/application.h"

using Rows = std::vector<std::pair<std::string, std::string>>;

// Handles the program's messages until what the window started has ended (MainWindowDriver::Settle).
void SettleMainWindow(const TForm1& form, DWORD limit = 30000);

class MainWindowDriver {
public:
    MainWindowDriver() = default;
    MainWindowDriver(const MainWindowDriver&) = delete;
    MainWindowDriver& operator=(const MainWindowDriver&) = delete;

    TApplication application;
    TForm1* form = nullptr;

    // Handles the program's messages until what the user started has ended, as a user waits
    // before looking: the first connection made, no change under way or waiting, nothing posted
    // left to run (boxes included). Fails the test after `limit` milliseconds.
    void Settle(DWORD limit = 30000) const;
    // Handles the program's messages until `done` says so; false after `limit` milliseconds.
    static bool HandleMessagesUntil(const std::function<bool()>& done, DWORD limit = 30000);

    // The window, its buttons and its tabs. A command chosen is settled.
    void Choose(const TMenuItem* item) const;  // a command of the tray menu, as it opens
    void ChooseCommand(UINT command, bool settle = true) const;
    template <typename Control>
    void Click(const Control& button) const
    {
        Click(button.Handle());
    }
    void Click(HWND button) const
    {
        ::Click(button);
        Settle();
    }
    void CloseButton() const;  // the caption's close button
    LRESULT QueryEndSession() const;
    void SelectTab(int index) const;  // a click on a tab
    int SelectedTab() const;

    // The Network Configuration tab: the adapter selector and the property list.
    std::vector<std::string> SelectorEntries() const;
    int SelectedEntry() const;
    void PressDownInSelector() const;  // the arrow key in the selector's field
    void TypeInSelector(const std::string& text) const;
    static Rows GridRows(const TValueListEditor& grid);
    void ClickValue(int row) const;                                         // on a row's value cell
    void EditValue(const std::string& key, const std::string& text) const;  // click, type, Enter

    // The Profiles tab: the list (points in its client area) and the details.
    HWND List() const;
    std::vector<std::string> ListCaptions() const;
    void SetSelected(int index, bool selected = true) const;  // as the list reports a user's change
    int SelectedCount() const;
    int ListImage(int index) const;
    POINT ItemCentre(int index) const;
    POINT EmptyPlace() const;
    // A right click: the context menu opens, is read while open and closed, choosing the entry
    // captioned `choose` when one is given; what the command posted is handled.
    std::vector<MenuEntry> RightClick(POINT at, const std::string& choose = {});
    std::string Detail(const char* key) const;

    // The tray menu as it would open now, each submenu opened in turn, and its "Profiles" submenu.
    std::vector<MenuEntry> TrayMenu() const;
    std::vector<MenuEntry> TrayProfiles() const;
    // A command beneath the tray's profile entry at `position` ("Activate", "Edit...", "Delete");
    // unsettled, only the command itself has been handled.
    void ChooseInTray(int position, const std::string& command, bool settle = true) const;
    // Presses a mouse button on the tray icon; true when the menu came on the screen (it is
    // closed again at once).
    bool PressTrayIcon(UINT press) const;
};
