#pragma once
// TProfilesView: the profiles as the main window shows them. It owns the Profiles tab's
// controls, the tray menu's profile entries ("Apply next", "Undo" and the "Profiles" submenu),
// the profile editor and the profiles' hot keys, with their handlers
// (profiles/profileviews*.cpp, activation.cpp, undo.cpp, openeditor.cpp). The main window owns
// one, lends it the main-window state, and hears from it only through the events at the end;
// every change it asks for goes to the change controller, which answers it.
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/variant.h"
#include "profiles/changecontroller.h"
#include "ui/button.h"
#include "ui/form.h"
#include "ui/graphic.h"
#include "ui/imagelist.h"
#include "ui/label.h"
#include "ui/listview.h"
#include "ui/loopwork.h"
#include "ui/menu.h"
#include "ui/valuelist.h"

class TForm2;
class Tprofile;

// The main window's state that the views read and write; the main window holds it.
struct MainWindowState {
    int32_t SelectedAdapterIndex = -1;  // WMI Index of the chosen adapter configuration; -1: none
    int32_t ActiveProfileIndex = -1;    // id of the profile applied last in this run; -1: none
    Variant WmiServices;                // root\cimv2 services, once the first connection is made
    Variant AdapterCollection;          // result of the last adapter query
    bool IpEnabledOnly = true;          // the adapter query asks only for IP-enabled adapters
    bool ExitRequested = false;         // the user chose "Exit" in the tray menu
};

class TProfilesView {
public:
    // The Profiles tab's controls on `page` of `window`, and the profile entries at the top of
    // `trayMenu`; changes go to `changes`.
    TProfilesView(TForm& window, MainWindowState& state, ChangeController& changes, TWinControl* page,
                  TPopupMenu& trayMenu);
    ~TProfilesView();
    TProfilesView(const TProfilesView&) = delete;
    TProfilesView& operator=(const TProfilesView&) = delete;

    // Activation: applies the profile with this number to the chosen adapter, through the
    // controller, now or when the change under way has ended. Refused with the default beep for
    // a profile the editor has not confirmed. `trigger` says what started it, for the history;
    // a box tells what of the result needs telling.
    void ApplyProfile(int32_t number, const std::string& trigger = "Profiles tab: Apply");
    void ApplyNextProfile1Click(TMenuItem& sender);
    // The tray menu is about to open: its profile entries say what comes next, or what Windows
    // is doing and what waits.
    void PopupMenu1Popup();

    // Fills the profile list from the store and builds the tray's "Profiles" submenu.
    void ReloadProfiles();

    // The organisation manages the profiles (the LockProfiles policy): they are applied, never
    // made, edited or deleted here, and every place that would offer it says so instead. Set
    // before ReloadProfiles.
    void SetLocked(bool locked);
    bool Locked() const noexcept { return m_locked; }

    // Where the adapter is fits these profiles (one, or several that tie): the tray menu's first
    // entries offer them, "Apply Office (you are at Office LAN)", until another place is
    // reached or one is applied. An empty list withdraws the offer.
    void OfferProfiles(std::vector<uint64_t> keys, std::string placeName);
    const std::vector<uint64_t>& Offered() const noexcept { return m_offered; }
    // Applies the profile because the adapter is at `placeName`; `asked` when the user chose it
    // from the offer (a box then tells a refusal, as for the tray's other entries).
    void ApplyForPlace(const Tprofile& profile, const std::string& placeName, bool asked);
    // "Use here" on a profile's tray entry: the owner sets its location (the profile's number).
    std::function<void(int32_t number)> onUseHere;
    // The user changed the profiles: the editor's Ok changed or made one (its location among
    // what it holds), or one was deleted.
    std::function<void()> onEdited;

    // The tray menu's entries that stand for profiles and Undo; the menu is the main window's.
    std::vector<TMenuItem*> PlaceOffers;  // hidden while nothing is offered
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
    std::unique_ptr<TLabel> ManagedNote;          // where New, Edit and Delete are, when locked
    // "Current Network Details", which the details refresh fills.
    std::unique_ptr<TGroupBox> GroupBox3;
    std::unique_ptr<TValueListEditor> ValueListEditor2;
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
    // another program holds is told once. The window's WM_HOTKEY applies the key's profile.
    void RegisterProfileHotKeys();
    void HotKeyPressed(WPARAM id);
    // Run by ReloadProfiles when the store holds no profile.
    void firststart();
    void SwitchOffGridEditors();

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
    // saying why, while that profile is open in the editor.
    void RemoveProfile(int32_t number);

    // The profile editor, created with the view and owned by it.
    std::unique_ptr<TForm2> ProfileEditor;
    // Shows `profile` in the editor beside the pointer; with none, the Profiles list item
    // under the pointer. True when the user closed the editor with Ok; false at once when
    // the editor is already open or there is nothing to show.
    bool OpenProfileEditor(Tprofile* profile);

    // For the controller, at a request's turn: the change a profile or Undo makes now, with a
    // copy of what it applies; and, when it has ended, the profile marked when it still holds
    // what was sent.
    PreparedChange PrepareChange(const ChangeAsk& ask);
    void ChangeEnded(ChangeAnswer& answer);
    // What a box tells of an answer, once the handler that heard it has returned: a refusal, a
    // difference, an error, or Undo's question.
    void TellLater(const ChangeAnswer& answer);
    // Boxes or removals still to come from the message loop (tests wait for them).
    bool Pending() const noexcept { return m_later.Pending(); }

    // What the view asks of the main window.
    std::function<void()> onRefresh;                    // the details refresh
    std::function<void(const ChangeNotice&)> onNotify;  // a notification from the tray icon

private:
    void BuildProfilesTab(TWinControl* page);
    void BuildTrayEntries(TPopupMenu& trayMenu);
    void BuildCurrentNetworkDetails(TWinControl* parent, const Bounds& bounds);
    // A request of the tray's or the tab's, whose answer a box tells (TellLater).
    ChangeAsk TrayAsk(ChangeAsk::Kind kind, std::string title, std::string trigger);
    PreparedChange PrepareProfile(const ChangeAsk& ask);
    void ApplyOffered(size_t position);
    PreparedChange PrepareUndo(const ChangeAsk& ask);
    void Refresh();
    void Notify(const ChangeNotice& notice);

    TForm& m_window;
    MainWindowState& m_state;
    ChangeController& m_changes;
    std::vector<int> m_hotKeyIds;
    std::set<std::string> m_toldTakenKeys;
    LoopWork m_later;  // boxes and removals, after the handler that asked has returned
    std::vector<uint64_t> m_offered;
    std::string m_offeredPlace;
    bool m_locked = false;
};

// What a place that would change the profiles says when the organisation manages them.
inline constexpr char kProfilesManagedText[] = "Managed by your organisation: profiles can be applied, not changed.";

// A tray entry that offers a profile for where the adapter is.
std::string OfferCaption(const std::string& profileCaption, const std::string& placeName);
