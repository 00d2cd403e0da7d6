#pragma once
// TForm1, the main window: the frame to which every tab, the profile editor and the tray
// icon attach. Its parts live in the files named for them: mainform_layout.cpp (frame, header,
// tabs, bottom row), mainform_about.cpp (About tab), mainform_traymenu.cpp (tray menu),
// mainform_netconfig.cpp (Network Configuration tab), mainform_general.cpp (General tab),
// mainform_changes.cpp (what it does for changes and commands). It holds the main-window state
// and owns its parts: the profiles' view (Profiles tab, the tray's profile entries, the editor;
// profiles/profilesview.h), the change controller and the change pipeline behind it.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <vector>

#include "adapters/wmiworks.h"  // ConnectServicesFunction
#include "app/remotecommand.h"
#include "core/error.h"
#include "core/variant.h"
#include "profiles/changecontroller.h"
#include "profiles/placewatch.h"
#include "profiles/profilesview.h"
#include "ui/button.h"
#include "ui/cursor.h"
#include "ui/edit.h"
#include "ui/form.h"
#include "ui/graphic.h"
#include "ui/header.h"
#include "ui/imagelist.h"
#include "ui/label.h"
#include "ui/loopwork.h"
#include "ui/listview.h"
#include "ui/menu.h"
#include "ui/opendialog.h"
#include "ui/pagecontrol.h"
#include "ui/valuelist.h"

class TForm2;
class Tprofile;
class TTrayIcon;

// The main window's caption; with the forms' window class it names the window to a later start
// of the program that cannot read where the window is.
inline constexpr char kMainWindowCaption[] = "Velmora";

// The main-window state is plain data it holds (MainWindowState), lent to its parts.
class TForm1 : public TForm, public MainWindowState {
public:
    explicit TForm1(ConnectServicesFunction connectServices);
    ~TForm1() override;

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

    // The details refresh: adapters, their details and the tray hint. While the first
    // connection to WMI is being made it shows that Velmora waits for Windows.
    void refreshdata();
    // The first connection to WMI has not been made yet.
    bool WaitingForWindows() const;
    // A notification from the tray icon.
    void ShowNotification(const ChangeNotice& notice);
    // The tray menu is about to open.
    void PopupMenu1Popup();
    // Saves the confirmed profiles; when the list was never loaded, keeps the file and says so.
    void SaveConfirmedProfiles();

    // Changes: the controller that runs them one at a time and holds their state, and the
    // pipeline that makes each; the profiles' view, which asks for most of them.
    std::unique_ptr<ChangePipeline> Pipeline;
    std::unique_ptr<ChangeController> Changes;
    std::unique_ptr<TProfilesView> Profiles;
    // Where the chosen adapter is, followed once Windows answers (mainform_places.cpp).
    std::unique_ptr<PlaceWatch> Places;

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
    std::unique_ptr<TLabel> Label23;       // "When the network changes:"
    std::unique_ptr<TComboBox> ComboBox2;  // Do nothing / Ask / Apply the matching profile
    std::unique_ptr<TLabel> Label24;       // the options the organisation sets, when it sets any
    std::unique_ptr<TLabel> Label25;       // the profile file the organisation sets
    void ComboBox2Change();
    void BuildGeneralTab();  // once, with the frame
    // The property list's settings, as "Apply Changes" sends them.
    DetailSettings PropertyListSettings() const;
    void CheckBox1Click();
    void CheckBox2Click();
    // The entry could not be written (the registry's error) or deleted.
    void AutostartFailed(bool wanted, const AppError& refused);
    void Button4Click();
    void OpenDialog1SelectionChange();

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

    // The tray menu; its items are owned by the menu. Its first entries are the profile view's.
    std::unique_ptr<TPopupMenu> PopupMenu1;
    TMenuItem* Configuration1 = nullptr;
    TMenuItem* About1 = nullptr;
    TMenuItem* Exit1 = nullptr;

    // The tray icon (tray/trayicon.h) attaches here and opens PopupMenu1.
    std::unique_ptr<TTrayIcon> TrayIcon1;

    // Tab indexes.
    static constexpr int kNetworkConfigurationTab = 0;
    static constexpr int kGeneralTab = 1;
    static constexpr int kProfilesTab = 2;
    static constexpr int kAboutTab = 3;

    // A command from the command line (app/commandline.h): carried out from the message loop,
    // a change through the controller in its turn; its answer sent to `answerTo`, or written to
    // the console (none).
    void QueueCommand(const Command& command, HWND answerTo);
    // The answer of the last command this start was given itself; the program's exit code.
    int CommandExitCode = kExitDone;
    // How long the network must stay quiet before its place is read (tests shorten it).
    static inline DWORD PlaceSettleTime = kPlaceSettleTime;
    // Whether work of a change is still to come back, or a continuation waits to run (tests).
    bool WorkPending() const noexcept;

protected:
    // A later start of the program asks this one to show its window (OpenConfiguratorMessage);
    // a command comes (WM_COPYDATA); a profile's hot key is pressed.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The parts of the window, in the order they are built.
    void BuildImageLists();
    void BuildFrame();
    void BuildNetworkConfigurationTab();
    void BuildAboutTab();
    void BuildBottomRow();
    void BuildTrayMenu();
    void AddTrayCommands();
    void BuildTrayIcon();
    void BuildChanges();
    void BuildPlaces();
    void BuildPlaceSetting(TWinControl* group);
    bool PlaceArrived(const PlaceWatch::Reading& reading);
    void UseHere(int32_t number);

    // Creation steps that belong to the tabs, in the files of those tabs.
    void SetDescriptionText();
    void PlaceProfilesLink();
    void SetDefaultProfilePath();
    void SetGeneralTexts();
    void ReadAutostartState();
    void Edit1Change();
    // What the organisation sets (core/policies.h), in mainform_policies.cpp: the controls it
    // sets greyed with a note, the autostart entry it sets, and the profiles it manages.
    void BuildPolicyNotes();
    void ShowPolicies();
    void SetAutostartByPolicy(bool wanted);  // in mainform_general_autostart.cpp
    void TellProfileFileFallback();
    // The user changed profiles that the organisation's file replaces at the next start: said
    // once a run.
    void TellChangesDoNotLast();
    bool m_toldChangesDoNotLast = false;

    // Commands: each is taken from the message loop in the order it came.
    void RunQueuedCommand();
    void CarryOut(const ReceivedCommand& received);
    void Answer(const ReceivedCommand& received, const CommandAnswer& answer);
    void Note(const ReceivedCommand& received, const std::string& text);
    bool AdapterThere(int32_t index) const;
    std::vector<ReceivedCommand> m_commands;

    // Changes, in mainform_changes.cpp: the first connection, Apply Changes' own part, and what
    // the window shows and does while a change runs.
    void Connect();
    PreparedChange PrepareDetails(const ChangeAsk& ask);
    void ChangeStateChanged();
    // Ends the program once its profiles are saved: none, or why it cannot (then it goes on).
    std::optional<std::string> EndProgram();
    bool m_endUnsaved = false;  // a start of its own with --once ends even when the save fails
    bool m_saved = false;       // EndProgram saved: the close that follows does not save again
    ConnectServicesFunction m_connectServices;
    LoopWork m_work;  // the first connection, the autostart entry's elevated run
    std::optional<BusyCursor> m_busyCursor;
    std::optional<std::string> m_shutdownBlockedFor;  // the reason Windows was given, while it holds
};

// Asks Windows to hold the end of the session, naming why (ShutdownBlockReasonCreate), or, with
// no reason, lets it go on (ShutdownBlockReasonDestroy). Tests replace it: Wine keeps no reason
// to read back. Returns the previous one; an empty function restores Windows' calls.
using ShutdownBlockFunction = std::function<void(HWND window, const std::optional<std::string>& reason)>;
ShutdownBlockFunction SetShutdownBlock(ShutdownBlockFunction function);

// The one main window of the process (the application's main form); set by its creation.
extern TForm1* Form1;
// The profile editor (TForm2), created by the main window during its creation.
extern TForm2* Form2;
