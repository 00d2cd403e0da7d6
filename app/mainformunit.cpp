#include "app/mainformunit.h"

#include "app/elevation.h"
#include "app/programicon.h"
#include "app/singleinstance.h"
#include "core/errorbox.h"
#include "core/messagefilter.h"
#include "core/policies.h"
#include "core/processrights.h"
#include "core/messagebox.h"
#include "profiles/iprofile.h"
#include "profiles/profedit.h"
#include "resources/resource.h"
#include "tray/trayicon.h"
#include "ui/fonts.h"
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
    : TForm(MainFormArgs()), m_connectServices(std::move(connectServices))
{
    // A later start posts its request here from the user's unelevated rights, which an
    // elevated Velmora would not hear otherwise.
    LetMessageThrough(Handle(), OpenConfiguratorMessage());
    // Commands from a later start, elevated or not (app/remotecommand.h).
    LetMessageThrough(Handle(), WM_COPYDATA);
    Form1 = this;
    BuildImageLists();
    BuildFrame();
    BuildNetworkConfigurationTab();
    BuildTrayMenu();
    BuildChanges();
    Profiles = std::make_unique<TProfilesView>(*this, *this, *Changes, &PageControl1->Page(kProfilesTab), *PopupMenu1);
    Profiles->onRefresh = [this] { refreshdata(); };
    Profiles->onNotify = [this](const ChangeNotice& notice) { ShowNotification(notice); };
    AddTrayCommands();
    BuildPlaces();
    PageControl1->Page(kAboutTab).BuildWhenShown([this] { BuildAboutTab(); });
    BuildBottomRow();
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
    if (Profiles && Form2 == Profiles->ProfileEditor.get()) Form2 = nullptr;
}

void TForm1::FormCreate()
{
    SetDescriptionText();
    Profiles->ProfileEditor = std::make_unique<TForm2>(Handle());
    Form2 = Profiles->ProfileEditor.get();
    Form2->readPlace = [this](std::function<void(const NetworkPlace&)> then) {
        Places->ReadNow([then = std::move(then)](const PlaceWatch::Reading& reading) { then(reading.place); });
    };
    Profiles->SwitchOffGridEditors();
    // What the organisation sets holds for the whole run.
    SetProgramPolicies(ReadPolicies());
    SetDefaultProfilePath();
    SetGeneralTexts();
    ShowPolicies();
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
    // At logon the WMI service may take long to start: the first connection is made on a thread
    // of its own, and ends by a message; meanwhile the tray answers and says so, and requests
    // wait their turn.
    shown([this] { Connect(); });
    // The profiles are the user's from the start, also while Windows is not ready: what is made
    // meanwhile is kept.
    Profiles->ReloadProfiles();
    TellProfileFileFallback();
}

void TForm1::FormShow() { refreshdata(); }

void TForm1::PopupMenu1Popup() { Profiles->PopupMenu1Popup(); }

void TForm1::FormCloseQuery(bool& canClose)
{
    // A change under way is carried to its end first (recorded, told, every request answered);
    // the controller ends the program then. Windows is asked to wait, naming the change.
    if (Changes->Busy() && (!Visible() || ExitRequested || EndingSession())) {
        canClose = false;
        Changes->RequestEnd();
        return;
    }
    if (!m_saved) SaveConfirmedProfiles();
    if (Visible() && !ExitRequested) {
        canClose = false;
        Hide();
    }
}

void TForm1::SaveConfirmedProfiles()
{
    // Managed profiles are the organisation's: the save only keeps the last copy for a start that
    // cannot reach them. A copy that cannot be written (a machine installation in Program Files,
    // for a standard user) loses the user nothing, so it stops no close, Exit or sign-out.
    if (Profiles->Locked()) {
        try {
            SaveProfiles();
        } catch (const AppError&) {
        }
        return;
    }
    // A failed save raises here and so ends the close request with everything as it was.
    if (SaveProfiles()) return;
    // Windows waits for the answer to a log-off: say it only when the user is there to read it.
    if (!EndingSession()) ShowMessageBox(Handle(), StoreKeptText(), "Velmora", MB_OK | MB_ICONWARNING);
}

void TForm1::FormClose(TCloseAction&)
{
    // The default action stands: closing the main form ends the application.
}

void TForm1::Exit1Click(TMenuItem&) { Changes->RequestEnd(); }

void TForm1::Configuration1Click(TMenuItem&) { Show(); }

LRESULT TForm1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const std::optional<ReceivedCommand> received = ReceiveCommand(wParam, lParam);
        if (!received) return FALSE;
        // A process of lower rights may bring an elevated copy forward, and nothing more: it
        // would otherwise change the network, or end the program, with rights it does not have.
        const Command::Action action = received->command.action;
        if (action != Command::Action::Start && action != Command::Action::Open &&
            IntegrityLevel(received->answerTo) < IntegrityLevel()) {
            SendAnswer(received->answerTo, {kExitNotMade, "Velmora runs as administrator: send the command from an "
                                                          "elevated prompt."});
            return TRUE;
        }
        QueueCommand(received->command, received->answerTo);
        return TRUE;
    }
    if (message == kRunCommandMessage) {
        RunQueuedCommand();
        return 0;
    }
    if (message == WM_HOTKEY) {
        Profiles->HotKeyPressed(wParam);
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
        const LRESULT result = TForm::HandleMessage(message, wParam, lParam);
        PlaceProfilesLink();
        return result;
    }
    return TForm::HandleMessage(message, wParam, lParam);
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
