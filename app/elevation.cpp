#include "app/elevation.h"

#include <shellapi.h>

#include <utility>

#include "adapters/elevatedchange.h"
#include "core/check.h"
#include "core/handles.h"
#include "core/messagebox.h"
#include "core/programfile.h"
#include "ui/application.h"

namespace {
ElevatedLauncher g_launcher;
std::string g_program;

// Waits for the process while the program's messages are handled, as the message loop would.
ElevatedRun WaitHandlingMessages(HANDLE process)
{
    for (;;) {
        const DWORD woken = MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0) break;
        if (woken == WAIT_FAILED) return {ElevatedRun::Outcome::Failed, 0, GetLastError()};
        if (TApplication* application = TApplication::Current()) {
            application->ProcessMessages();
            // A quit stays posted for the loop that owns it: no longer wait, or it wakes us for ever.
            MSG quit;
            if (application->Terminated() || PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE))
                return {ElevatedRun::Outcome::Abandoned};
        } else {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process, &exitCode)) return {ElevatedRun::Outcome::Failed, 0, GetLastError()};
    return {ElevatedRun::Outcome::Finished, exitCode};
}

ElevatedRun ShellRunAs(const std::string& program, const std::string& parameters)
{
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // The process handle to wait on; the prompt has been answered when the call returns.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = GetActiveWindow();
    info.lpVerb = "runas";
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_HIDE;
    if (!ShellExecuteExA(&info)) {
        const DWORD error = GetLastError();
        // The consent prompt answered No.
        if (error == ERROR_CANCELLED) return {ElevatedRun::Outcome::Declined, 0, error};
        return {ElevatedRun::Outcome::Failed, 0, error};
    }
    UniqueHandle process(info.hProcess);
    if (!process) return {ElevatedRun::Outcome::Failed, 0, ERROR_INVALID_HANDLE};
    return WaitHandlingMessages(process.get());
}

}  // namespace

ElevatedRun RunElevated(const std::string& parameters)
{
    const std::string program = ElevatedProgram();
    return g_launcher ? g_launcher(program, parameters) : ShellRunAs(program, parameters);
}

ElevatedLauncher SetElevatedLauncher(ElevatedLauncher launcher)
{
    return std::exchange(g_launcher, std::move(launcher));
}

std::string SetElevatedProgram(std::string path) { return std::exchange(g_program, std::move(path)); }

std::string ElevatedProgram() { return g_program.empty() ? ProgramFile() : g_program; }

std::optional<DWORD> RunChangeElevated(HWND owner, const ElevatedChange& change)
{
    const ElevatedRun run = RunElevated(ElevatedParameters(change));
    const std::string what =
        change.kind == ElevatedChange::Kind::Autostart ? "the autostart entry" : "the network settings";
    std::string text;
    switch (run.outcome) {
    case ElevatedRun::Outcome::Finished:
        if (run.exitCode != kElevatedMalformed && run.exitCode != kElevatedFailed) return run.exitCode;
        text = "Velmora could not change " + what + " with administrator rights (exit code " +
               std::to_string(run.exitCode) + ").";
        break;
    case ElevatedRun::Outcome::Declined:
        text = "Velmora needs administrator rights to change " + what + "; the change was not made.";
        break;
    case ElevatedRun::Outcome::Failed:
        text = "Velmora could not ask Windows for administrator rights: " + SystemMessageText(run.error) +
               ". The change was not made.";
        break;
    case ElevatedRun::Outcome::Abandoned: return std::nullopt;
    }
    ShowMessageBox(owner, text, "Velmora", MB_OK | MB_ICONWARNING);
    return std::nullopt;
}
