#pragma once
// TForm1, the main window: the frame to which every tab, the profile editor and the tray
// icon attach, and the process-wide state they share. Its parts live in the files named for
// them: mainform_layout.cpp (frame, header, tabs, bottom row), mainform_about.cpp (About tab),
// mainform_traymenu.cpp (tray menu), mainform_netconfig.cpp (Network Configuration tab),
// mainform_general.cpp (General tab), profiles/profileviews.cpp (Profiles tab).
#include <cstdint>
#include <functional>
#include <memory>

#include "core/variant.h"
#include "ui/button.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/graphic.h"
#include "ui/header.h"
#include "ui/imagelist.h"
#include "ui/label.h"
#include "ui/listview.h"
#include "ui/menu.h"
#include "ui/opendialog.h"
#include "ui/pagecontrol.h"
#include "ui/valuelist.h"

class TForm2;
class Tprofile;
class TTrayIcon;

// Where the main window finds its WMI services: the real WMI, the simulated network, or a
// test's own object. Raises when the connection fails.
using ConnectServicesFunction = std::function<Variant()>;

class TForm1 : public TForm {
public:
    explicit TForm1(ConnectServicesFunction connectServices);
    ~TForm1() override;

    // Main-window state, shared with the tabs, the profile views and activation.
    int32_t SelectedAdapterIndex = -1;  // WMI Index of the chosen adapter configuration; -1: none
    int32_t ActiveProfileIndex = -1;    // id of the profile applied last in this run; -1: none
    Variant WmiServices;                // root\cimv2 services, from creation step 8
    Variant AdapterCollection;          // result of the last adapter query
    bool IpEnabledOnly = true;          // the adapter query asks only for IP-enabled adapters
    bool ExitRequested = false;         // the user chose "Exit" in the tray menu

    // Form events.
    void FormCreate();
    void FormShow();
    void FormCloseQuery(bool& canClose);
    void FormClose(TCloseAction& action);

    // Tray menu.
    void Exit1Click(TMenuItem& sender);
    void Configuration1Click(TMenuItem& sender);
    void About1Click(TMenuItem& sender);

    // Bottom row and links.
    void Button3Click();  // "Ok"
    void Button2Click();  // "Cancel"
    void Button1Click();  // "Apply Changes"
    void Label22Click();  // "Profiles Tab"
    void Label7Click();   // the maker's web address
    void Label8Click();   // the maker's support mail address

    // Activation: applies the profile with this number to the chosen adapter. Refused with the
    // default beep for a profile the editor has not confirmed, and while another is applied.
    void ApplyProfile(int32_t number);
    // The profile being applied: its nested message loops (message boxes, COM's wait for an
    // out-of-process call) must not free it.
    Tprofile* ApplyingProfile = nullptr;
    void ApplyNextProfile1Click(TMenuItem& sender);
    void PopupMenu1Popup();

    // The details refresh: adapters, their details and the tray hint.
    void refreshdata();
    // Fills the profile list from the store and builds the tray's "Profiles" submenu.
    void ReloadProfiles();
    // Saves the confirmed profiles; when the list was never loaded, keeps the file and says so.
    void SaveConfirmedProfiles();

    // The window's parts, created in the order of their files. Each is built once with the
    // window and lives as long as it.
    std::unique_ptr<TImageList> ImageList2;  // tabs, 24 x 24
    std::unique_ptr<TImageList> ImageList3;  // tray menu, 16 x 16

    // Header.
    std::unique_ptr<TShape> Shape1;
    std::unique_ptr<TPicture> Image3;
    std::unique_ptr<TLabel> Label14;
    std::unique_ptr<TLabel> Label15;

    std::unique_ptr<TPageControl> PageControl1;

    // Network Configuration tab: the picture, the description with its link, and the frame
    // holding the adapter selector and the chosen adapter's property list under its header strip.
    std::unique_ptr<TPicture> Image1;
    std::unique_ptr<TGroupBox> GroupBox2;
    std::unique_ptr<TLabel> Label16;
    std::unique_ptr<TLinkLabel> Label22;
    std::unique_ptr<TGroupBox> GroupBox1;
    std::unique_ptr<TComboBox> ComboBox1;
    std::unique_ptr<THeaderControl> HeaderControl1;
    std::unique_ptr<TValueListEditor> proplist;

    // The adapter chosen in the selector; the header strip's section dragged or the strip resized.
    void ComboBox1Change();
    void HeaderControl1SectionResize(int section);
    void HeaderControl1Resize();

    // General tab: the adapter filter, autostart with Windows and the profile file's path.
    std::unique_ptr<TGroupBox> GroupBox5;  // "System options"
    std::unique_ptr<TCheckBox> CheckBox1;  // "Show only IP Enabled"
    std::unique_ptr<TLabel> Label1;
    std::unique_ptr<TCheckBox> CheckBox2;  // "Load on StartUp"
    std::unique_ptr<TLabel> Label17;
    std::unique_ptr<TGroupBox> GroupBox6;  // "File Options"
    std::unique_ptr<TLabel> Label2;
    std::unique_ptr<TEdit> Edit1;      // the profile file's path
    std::unique_ptr<TButton> Button4;  // "Browse..."
    std::unique_ptr<TLabel> Label18;
    std::unique_ptr<TOpenDialog> OpenDialog1;
    void BuildGeneralTab();  // once, with the frame
    void CheckBox1Click();
    void CheckBox2Click();
    void Button4Click();
    void OpenDialog1SelectionChange();

    // Profiles tab (what the frame needs of it now: the list that holds the profiles).
    std::unique_ptr<TPanel> ProfilesToolbar;
    std::unique_ptr<TPanel> ProfilesPanel;
    std::unique_ptr<TGroupBox> GroupBox8;
    std::unique_ptr<TListView> ListView1;

    // Profiles tab: its toolbar, the two detail grids, the list's images and context menu,
    // and the handlers shared with the tray's "Profiles" submenu (profiles/profileviews*.cpp).
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
    void BuildCurrentNetworkDetails(HWND parent, const Bounds& bounds);
    std::unique_ptr<TLinkLabel> Label12;  // "Refresh Network Details"
    std::unique_ptr<TGroupBox> GroupBox4;
    std::unique_ptr<TValueListEditor> ValueListEditor1;  // "Selected Profile Details"
    std::unique_ptr<TPopupMenu> PopupMenu2;              // the list's context menu; items owned by it
    TMenuItem* Activate1 = nullptr;
    TMenuItem* Edit4 = nullptr;
    TMenuItem* Delete1 = nullptr;
    TMenuItem* SelectAll1 = nullptr;

    void SpeedButton1Click();  // "Apply"
    void SpeedButton5Click();  // "New"
    void SpeedButton2Click();  // "Edit"
    void SpeedButton3Click();  // "Delete"
    void Label12Click();
    void ListView1SelectItem(TListItem& item, bool selected);
    // The context menu is about to open at `point` (client coordinates of ListView1).
    void ListView1ContextPopup(POINT point, bool& handled);
    void SelectAll1Click(TMenuItem& sender);
    void ValueListEditor2SelectCell(int column, int row, bool& canSelect);
    // Menu handlers of the tray's profile entries and of the context menu: the profile is the
    // one whose number the clicked entry's parent carries in its tag.
    void setIP(TMenuItem& sender);
    void editprofile(TMenuItem& sender);
    void deleteprofile(TMenuItem& sender);
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
    // with the default beep, while that profile is open in the editor or being applied.
    void RemoveProfile(int32_t number);
    // Posted to ListView1 with a profile number: RemoveProfile once the menu command that asked
    // for it has returned.
    static constexpr UINT RemoveProfileMessage = WM_APP + 0x50;

    // About tab.
    std::unique_ptr<TPanel> Panel1;
    std::unique_ptr<TShape> Shape2;
    std::unique_ptr<TPicture> Image2;
    std::unique_ptr<TPanel> Panel2;
    std::unique_ptr<TLabel> Label4;
    std::unique_ptr<TBevel> Bevel2;
    std::unique_ptr<TLabel> Label3;
    std::unique_ptr<TLabel> Label13;
    std::unique_ptr<TGroupBox> GroupBox7;
    std::unique_ptr<TLabel> Label5;
    std::unique_ptr<TLinkLabel> Label7;
    std::unique_ptr<TLabel> Label6;
    std::unique_ptr<TLinkLabel> Label8;

    // Bottom row.
    std::unique_ptr<TBevel> Bevel1;
    std::unique_ptr<TButton> Button3;
    std::unique_ptr<TButton> Button2;
    std::unique_ptr<TButton> Button1;

    // The tray menu; its items are owned by the menu.
    std::unique_ptr<TPopupMenu> PopupMenu1;
    TMenuItem* ApplyNextProfile1 = nullptr;
    TMenuItem* prfs = nullptr;
    TMenuItem* Configuration1 = nullptr;
    TMenuItem* About1 = nullptr;
    TMenuItem* Exit1 = nullptr;

    // The tray icon (tray/trayicon.h) attaches here and opens PopupMenu1.
    std::unique_ptr<TTrayIcon> TrayIcon1;

    // The profile editor, created in step 2 and owned by this window.
    std::unique_ptr<TForm2> ProfileEditor;

    // Tab indexes.
    static constexpr int NetworkConfigurationTab = 0;
    static constexpr int GeneralTab = 1;
    static constexpr int ProfilesTab = 2;
    static constexpr int AboutTab = 3;

    // Profile editor
    // Shows `profile` in the editor beside the pointer; with none, the Profiles list item
    // under the pointer. True when the user closed the editor with Ok; false at once when
    // the editor is already open or there is nothing to show.
    bool OpenProfileEditor(class Tprofile* profile);

protected:
    // A later start of the program asks this one to show its window (OpenConfiguratorMessage).
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The parts of the window, in the order they are built.
    void BuildImageLists();
    void BuildFrame();
    void BuildNetworkConfigurationTab();
    void BuildProfilesTab();
    void BuildAboutTab();
    void BuildBottomRow();
    void BuildTrayMenu();
    void BuildTrayIcon();

    // Creation steps that belong to the tabs, in the files of those tabs.
    void SetDescriptionText();     // step 1
    void SwitchOffGridEditors();   // step 3
    void SetDefaultProfilePath();  // step 4
    void SetGeneralTexts();        // step 5
    void ReadAutostartState();     // step 6
    void Edit1Change();

    ConnectServicesFunction m_connectServices;
};

// The one main window of the process (the application's main form); set by its creation.
extern TForm1* Form1;
// The profile editor (TForm2), created by the main window during its creation.
extern TForm2* Form2;
