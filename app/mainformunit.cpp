#include "app/mainformunit.h"

#include "app/elevation.h"
#include "app/programicon.h"
#include "app/singleinstance.h"
#include "core/errorbox.h"
#include "core/messagefilter.h"
#include "core/messagebox.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "resources/resource.h"
#include "tray/trayicon.h"
#include "ui/fonts.h"
#include "ui/messagewait.h"
#include "ui/monitordpi.h"
#include "core/privatemessages.h"

TForm1* Form1 = nullptr;
TForm2* Form2 = nullptr;

namespace {
FormArgs MainFormArgs()
{
    FormArgs args;
    args.name = "Form1";
    args.caption = kMainWindowCaption;
    args.bounds = {291, 198, 497, 421};
    args.borderStyle = TBorderStyle::bsSingle;
    args.helpButton = true;
    args.font = GetFont({"MS Sans Serif", 11});
    args.icon = ProgramIcon(GetSystemMetrics(SM_CXICON));
    args.smallIcon = ProgramIcon(GetSystemMetrics(SM_CXSMICON));
    return args;
}
}  // namespace

TForm1::TForm1(ConnectServicesFunction connectServices)
    : TProfilesWindow(MainFormArgs()), m_connectServices(std::move(connectServices))
{
    // A later start posts its request here from the user's unelevated rights, which an
    // elevated Velmora would not hear otherwise.
    LetMessageThrough(Handle(), OpenConfiguratorMessage());
    // Commands from a later start, elevated or not (app/remotecommand.h).
    LetMessageThrough(Handle(), WM_COPYDATA);
    Form1 = this;
    Changes = std::make_unique<ChangePipeline>(m_connectServices,
                                               [this](const ElevatedChange& change) { return RunElevated(change); });
    // The tip says what is being applied while Windows works; the refresh after it puts the
    // address back.
    Changes->onProgress = [this] {
        if (!Changes->Progress().empty()) TrayIcon1->SetHint(Changes->Progress());
    };
    BuildImageLists();
    BuildFrame();
    BuildNetworkConfigurationTab();
    BuildProfilesTab(&PageControl1->Page(kProfilesTab));
    PageControl1->Page(kAboutTab).BuildWhenShown([this] { BuildAboutTab(); });
    BuildBottomRow();
    BuildTrayMenu();
    BuildTrayIcon();

    onCreate = [this] { FormCreate(); };
    onShow = [this] { FormShow(); };
    onCloseQuery = [this](bool& canClose) { FormCloseQuery(canClose); };
    onClose = [this](TCloseAction& action) { FormClose(action); };
    DoCreate();
}

TForm1::~TForm1()
{
    if (Form1 == this) Form1 = nullptr;
    if (Form2 == ProfileEditor.get()) Form2 = nullptr;
}

void TForm1::FormCreate()
{
    SetDescriptionText();
    ProfileEditor = std::make_unique<TForm2>(Handle());
    Form2 = ProfileEditor.get();
    SwitchOffGridEditors();
    SetDefaultProfilePath();
    SetGeneralTexts();
    // The steps that reach the machine can fail (no rights, WMI not ready at logon, a property
    // Windows does not give). Each failure is shown, and the profiles are loaded whatever
    // failed before them: a list left unloaded could not be saved, and would look lost.
    const auto shown = [](auto&& step) {
        return Guarded(
            [&] {
                step();
                return true;
            },
            false);
    };
    shown([this] { ReadAutostartState(); });
    SelectedAdapterIndex = -1;
    ActiveProfileIndex = -1;
    Undo = ReadUndoRecord();
    // At logon the WMI service may take long to start: the first connection is made on a thread
    // of its own, with the tray icon up and answering ("Waiting for Windows..." in its menu);
    // the window's own connection then finds the service running.
    WaitingForWindows = true;
    const bool connected = shown([this] { RunInBackground([this] { m_connectServices(); }); }) &&
                           shown([this] { WmiServices = m_connectServices(); });
    WaitingForWindows = false;
    if (connected) shown([this] { refreshdata(); });
    ReloadProfiles();
    // A command that came meanwhile runs now.
    if (!m_commands.empty()) PostMessageA(Handle(), kRunCommandMessage, 0, 0);
}

void TForm1::FormShow() { refreshdata(); }

void TForm1::FormCloseQuery(bool& canClose)
{
    SaveConfirmedProfiles();
    if (Visible() && !ExitRequested) {
        canClose = false;
        Hide();
    }
}

void TForm1::SaveConfirmedProfiles()
{
    // A failed save raises here and so ends the close request with everything as it was.
    if (SaveProfiles()) return;
    // Windows waits for the answer to a log-off: say it only when the user is there to read it.
    if (!EndingSession()) ShowMessageBox(Handle(), StoreKeptText(), "Velmora", MB_OK | MB_ICONWARNING);
}

void TForm1::FormClose(TCloseAction&)
{
    // The default action stands: closing the main form ends the application.
}

void TForm1::Exit1Click(TMenuItem&)
{
    ExitRequested = true;
    Close();
}

void TForm1::Configuration1Click(TMenuItem&) { Show(); }

std::optional<ElevatedResult> TForm1::RunElevated(const ElevatedChange& change)
{
    return RunChangeElevated(Handle(), change);
}

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const std::optional<ReceivedCommand> received = ReceiveCommand(wParam, lParam);
        if (!received) return FALSE;
        QueueCommand(received->command, received->answerTo);
        return TRUE;
    }
    if (message == kRunCommandMessage) {
        RunQueuedCommand();
        return 0;
    }
    if (message == OpenConfiguratorMessage()) {
        Show();
        return 0;
    }
    if (message == WM_DPICHANGED) {
        // The caption's and Alt+Tab's icons at the new scale ("WM_DPICHANGED": wParam's low
        // word is the new DPI).
        const UINT dpi = LOWORD(wParam);
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(ProgramIcon(SystemMetricForDpi(SM_CXSMICON, dpi))));
        SendMessageA(Handle(), WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(ProgramIcon(SystemMetricForDpi(SM_CXICON, dpi))));
        // The controls and fonts take the new scale first; the words under the link move with it.
        const LRESULT result = TProfilesWindow::HandleMessage(message, wParam, lParam);
        PlaceProfilesLink();
        return result;
    }
    return TProfilesWindow::HandleMessage(message, wParam, lParam);
}

void TForm1::About1Click(TMenuItem&)
{
    PageControl1->SetActivePageIndex(kAboutTab);
    Show();
}

void TForm1::Button3Click()
{
    SaveConfirmedProfiles();
    Hide();
}

void TForm1::Button2Click() { Hide(); }

void TForm1::Label22Click() { PageControl1->SetActivePageIndex(kProfilesTab); }

void TForm1::ShowNotification(const ChangeNotice& notice)
{
    TrayIcon1->ShowNotification(notice.title, notice.text,
                                notice.warning ? NotificationKind::Warning : NotificationKind::Info);
}
