#include "app/startup.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "adapters/elevatedchange.h"
#include "app/commandline.h"
#include "app/console.h"
#include "app/elevatedrun.h"
#include "app/remotecommand.h"
#include "app/singleinstance.h"
#include "core/errorbox.h"
#include "core/handles.h"
#include "core/history.h"
#include "core/messagebox.h"
#include "profiles/iprofile.h"
#include "profiles/starttip.h"
#include "ui/application.h"

namespace {
// Single-threaded apartment: every window and every WMI object lives on this one thread.
class ComApartment {
public:
    ComApartment() : m_ok(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment()
    {
        if (m_ok) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    bool Ok() const { return m_ok; }

private:
    bool m_ok;
};
}  // namespace

int RunVelmora(const PrepareServicesFunction& prepareServices, const std::vector<std::string>& arguments)
{
    // An elevated run of one change: no window, no tray, no profiles, not the single program.
    if (ElevatedRunRequested(arguments)) {
        ComApartment com;
        if (!com.Ok()) return static_cast<int>(kElevatedFailed);
        return RunElevatedChange(arguments, prepareServices());
    }

    // Arguments that are not understood change nothing.
    const ParsedCommand parsed = ParseCommand(arguments);
    if (!parsed.command) {
        WriteToConsole(parsed.error);
        return kExitBadArguments;
    }
    const Command command = *parsed.command;
    if (command.action == Command::Action::Help) {
        WriteToConsole(HelpText());
        return kExitDone;
    }

    // A copy of another account's (started "Run as" with its credentials) would keep its
    // settings, Undo and shortcuts there, and fight the user's own: it says so and ends.
    if (!RunsAsSessionUser()) {
        if (command.action == Command::Action::Start) {
            ShowMessageBox(nullptr, kOtherUserText, "Velmora", MB_OK | MB_ICONINFORMATION);
        } else {
            WriteToConsole(kOtherUserText);
        }
        return kExitNotMade;
    }

    // A second start brings the running program forward and ends, before it loads a list of
    // its own that its close would save over the first one's changes, and before it makes
    // anything of the run's own. A command goes to the running program, which carries it out.
    SingleInstance instance(SessionInstanceName());
    if (!instance.First() && command.action != Command::Action::Start) {
        HWND running = instance.RunningWindow(0);
        if (running == nullptr) {
            WriteToConsole("Velmora is still starting: the command waits for it.");
            running = instance.RunningWindow(kCommandPatience);
        }
        const std::optional<CommandAnswer> answer =
            running != nullptr ? SendCommand(running, command) : std::optional<CommandAnswer>();
        if (!answer) {
            WriteToConsole("The Velmora that runs did not answer.");
            return kExitNoAnswer;
        }
        if (!answer->text.empty()) WriteToConsole(answer->text);
        return answer->exitCode;
    }
    if (instance.First() && command.action == Command::Action::Exit) {
        WriteToConsole("Velmora is not running.");
        return kExitDone;
    }
    if (!instance.First()) {
        // A first that never showed where its window is (hung while starting, or not
        // answering): the user's start still gets an answer rather than nothing.
        if (!instance.BringFirstForward(kSecondStartPatience)) {
            ShowMessageBox(nullptr, "Velmora is already running: open it from its icon in the notification area.",
                           "Velmora", MB_OK | MB_ICONINFORMATION);
        }
        return 0;
    }
    // Beside profiles.ini: the changes made and the errors shown from now on.
    SetHistoryPath(ProgramFolder() + kHistoryFileName);
    ComApartment com;
    if (!com.Ok()) return 1;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);

    // No window procedure is below us here, so this is the boundary for the start-up itself.
    return Guarded(
        [&] {
            const ConnectServicesFunction connectServices = prepareServices();
            TApplication application;
            application.SetShowMainForm(false);
            // The welcome dialog belongs to the application too, made hidden when needed.
            SetWelcomeMaker([&application]() -> TForm4& { return application.Own(std::make_unique<TForm4>()); });
            ScopeExit makerReset([] { SetWelcomeMaker(nullptr); });
            TForm1& mainForm = application.CreateForm<TForm1>(connectServices);
            instance.Publish(mainForm.Handle());
            if (command.action != Command::Action::Start) mainForm.QueueCommand(command, nullptr);
            application.Run();
            return mainForm.CommandExitCode;
        },
        1);
}
