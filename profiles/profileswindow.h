#pragma once
// TProfilesWindow: the main window as the profile views know it. It holds the main-window
// state the views read and write, the Profiles tab's controls, the tray's "Profiles" submenu
// and "Apply Next Profile" entry, the profile editor, and the handlers of the Profiles tab, the
// tray's profile entries and activation (profiles/profileviews*.cpp, activation.cpp,
// openeditor.cpp). The main window (TForm1, app/) is one, and answers the few things the views
// ask of the rest of it through the virtual members at the end.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "adapters/elevatedchange.h"
#include "core/variant.h"
#include "profiles/changepipeline.h"
#include "profiles/changereport.h"
#include "profiles/undorecord.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/graphic.h"
#include "ui/imagelist.h"
#include "ui/label.h"
#include "ui/listview.h"
#include "ui/menu.h"
#include "ui/valuelist.h"

class TForm2;
class Tprofile;

class TProfilesWindow : public TForm {
public:
    explicit TProfilesWindow(const FormArgs& args);
    ~TProfilesWindow() override;

    // Main-window state, shared with the tabs, the profile views and activation.
    int32_t SelectedAdapterIndex = -1;  // WMI Index of the chosen adapter configuration; -1: none
    int32_t ActiveProfileIndex = -1;    // id of the profile applied last in this run; -1: none
    Variant WmiServices;                // root\cimv2 services, connected at creation
    Variant AdapterCollection;          // result of the last adapter query
    bool IpEnabledOnly = true;          // the adapter query asks only for IP-enabled adapters
    bool ExitRequested = false;         // the user chose "Exit" in the tray menu
    bool WaitingForWindows = false;     // the first connection to WMI is being made

    // Activation: applies the profile with this number to the chosen adapter. Refused with the
    // default beep for a profile the editor has not confirmed, and in words while another change
    // runs. `trigger` says what started it, for the history.
    void ApplyProfile(int32_t number, const std::string& trigger = "Profiles tab: Apply");
    // The profile being applied: its nested message loops (message boxes, COM's wait for an
    // out-of-process call) must not free it.
    Tprofile* ApplyingProfile = nullptr;
    void ApplyNextProfile1Click(TMenuItem& sender);
    void PopupMenu1Popup();

    // Fills the profile list from the store and builds the tray's "Profiles" submenu.
    void ReloadProfiles();

    // The tray menu's entries that stand for profiles and Undo; the menu itself is the main
    // window's.
    TMenuItem* ApplyNextProfile1 = nullptr;
    TMenuItem* Undo1 = nullptr;
    TMenuItem* prfs = nullptr;
    // "Undo: back to ...": the adapter's configuration before the last change, brought back.
    void Undo1Click(TMenuItem& sender);

    // Profiles tab: its toolbar, the two detail grids, the list's images and context menu,
    // and the handlers shared with the tray's "Profiles" submenu.
    std::unique_ptr<TPanel> ProfilesToolbar;
    std::unique_ptr<TPanel> ProfilesPanel;
    std::unique_ptr<TGroupBox> GroupBox8;
    std::unique_ptr<TListView> ListView1;
    std::unique_ptr<TImageList> ImageList1;       // list icons, 64 x 64: 0 a profile, 1 the one applied last
    std::unique_ptr<TImageList> ProfilesButtons;  // toolbar pictures, 24 x 24
    std::unique_ptr<TButton> SpeedButton1;        // "Apply"
    std::unique_ptr<TButton> SpeedButton5;        // "New"
    std::unique_ptr<TButton> SpeedButton2;        // "Edit"
    std::unique_ptr<TButton> SpeedButton3;        // "Delete"
    std::unique_ptr<TButton> SpeedButton4;        // "Set Custom Icon", never enabled
    // "Current Network Details", which the details refresh fills: the group at `bounds` in
    // `parent` and its grid with the six keys.
    std::unique_ptr<TGroupBox> GroupBox3;
    std::unique_ptr<TValueListEditor> ValueListEditor2;
    void BuildCurrentNetworkDetails(TWinControl* parent, const Bounds& bounds);
    std::unique_ptr<TLinkLabel> Label12;  // "Refresh Network Details"
    std::unique_ptr<TGroupBox> GroupBox4;
    std::unique_ptr<TValueListEditor> ValueListEditor1;  // "Selected Profile Details"
    std::unique_ptr<TPopupMenu> PopupMenu2;              // the list's context menu; items owned by it
    TMenuItem* Activate1 = nullptr;
    TMenuItem* Edit4 = nullptr;
    TMenuItem* Delete1 = nullptr;
    TMenuItem* CreateShortcut1 = nullptr;
    TMenuItem* SelectAll1 = nullptr;

    void SpeedButton1Click();  // "Apply"
    void SpeedButton5Click();  // "New"
    void SpeedButton2Click();  // "Edit"
    void SpeedButton3Click();  // "Delete"
    void Label12Click();
    void ListView1SelectItem(TListItem& item, bool selected);
    // The context menu is about to open at `point` (client coordinates of ListView1).
    void ListView1ContextPopup(POINT point, bool& handled);
    // The toolbar and the link never take the focus: in the list, Insert makes a new profile, F2
    // edits and Delete removes the selected one, as the buttons do, and F5 refreshes as the link.
    void ListView1KeyDown(WORD key);
    void SelectAll1Click(TMenuItem& sender);
    void ValueListEditor2SelectCell(int column, int row, bool& canSelect);
    // Menu handlers of the tray's profile entries and of the context menu: the profile is the
    // one whose number the clicked entry's parent carries in its tag.
    void setIP(TMenuItem& sender);
    void editprofile(TMenuItem& sender);
    void deleteprofile(TMenuItem& sender);
    // A desktop shortcut that applies the profile (profiles/shortcut.h).
    void createshortcut(TMenuItem& sender);
    // The profiles' shortcut keys, registered again after every change of the list; a key
    // another program holds is told once. WM_HOTKEY applies the key's profile.
    void RegisterProfileHotKeys();
    void HotKeyPressed(WPARAM id);
    std::vector<int> m_hotKeyIds;
    std::set<std::string> m_toldTakenKeys;
    // Run by ReloadProfiles when the store holds no profile.
    void firststart();

    // What views show for a profile: its title, or its IP address when the title is empty.
    static std::string ProfileCaption(const Tprofile& profile);
    // The profile's entry in the tray's "Profiles" submenu: the first whose tag is `number`.
    TMenuItem* ProfileMenuEntry(int32_t number) const;
    // Appends a profile's entry, with "Activate", "Edit..." and "Delete" beneath it, to
    // "Profiles", and gives the entry and the list item the profile's caption.
    TMenuItem& AddProfileMenuEntry(Tprofile& profile);
    // After the editor confirmed a profile: its list item, its tray entry, and its details when
    // it is selected, show what it holds now.
    void ShowEditedProfile(Tprofile& profile);
    // Removes the tray entry numbered `number` and the profile holding it, and numbers the
    // profiles after it down by one, so that numbers stay equal to list positions. Refused,
    // saying why, while that profile is open in the editor or being applied.
    void RemoveProfile(int32_t number);

    // The profile editor, created with the window and owned by it.
    std::unique_ptr<TForm2> ProfileEditor;
    // Shows `profile` in the editor beside the pointer; with none, the Profiles list item
    // under the pointer. True when the user closed the editor with Ok; false at once when
    // the editor is already open or there is nothing to show.
    bool OpenProfileEditor(Tprofile* profile);

    // The road every change of the adapter takes; the main window makes it, knowing where WMI
    // is and how a change runs elevated.
    std::unique_ptr<ChangePipeline> Changes;
    // Makes a change through it: refused in words while another runs (none then). Its outcome is
    // told by a notification, kept in the history, and the configuration before it becomes what
    // Undo goes back to. The caller refreshes the details, then shows OutcomeBoxText's box.
    std::optional<ChangeOutcome> MakeChange(const ChangeRequest& request);
    // The last change MakeChange made, and what it was asked (a command's answer tells it).
    std::optional<ChangeOutcome> LastOutcome;
    ChangeRequest LastRequest;
    // True, after saying so, while a change runs or WMI has not answered yet.
    bool RefusedWhileBusy();
    // MakeChange as the windows and menus use it: `ended` takes in an outcome that ended, then
    // the details are refreshed (whatever happened, so the window shows what the adapter holds),
    // then the outcome's box, if it has something to say, is shown over this window.
    void ChangeAndTell(const ChangeRequest& request, const std::function<void(const ChangeOutcome&)>& ended = {});
    // What Undo goes back to, as kept; none before the first change.
    std::optional<UndoRecord> Undo;

    // What the views ask of the rest of the main window.
    // The details refresh: adapters, their details and the tray hint.
    virtual void refreshdata() = 0;
    // A notification from the tray icon.
    virtual void ShowNotification(const ChangeNotice& notice) = 0;

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The Profiles tab's controls on `page`, once, with the frame.
    void BuildProfilesTab(TWinControl* page);
    void SwitchOffGridEditors();
};
