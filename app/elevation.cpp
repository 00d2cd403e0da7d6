#include "app/elevation.h"

#include <objbase.h>

#include <cstdio>
#include <memory>
#include <utility>

#include "adapters/elevatedchange.h"
#include "core/check.h"
#include "core/handles.h"
#include "core/messagebox.h"
#include "core/programfile.h"

namespace {
ElevatedLauncher g_launcher;
ShellExecuteCall g_shellExecute;
std::string g_program;

// The shell call and what it gave back, shared by the thread that makes it and the one that
// waits: a wait abandoned at Exit leaves it to the thread, which closes what it got.
struct ShellStart {
    std::string program, parameters;
    SHELLEXECUTEINFOA info{};
    ShellExecuteCall call;
    BOOL started = FALSE;
    DWORD error = 0;
    UniqueHandle process;  // what the call gave back in info.hProcess
};

DWORD WINAPI ShellStartThread(void* context)
{
    const std::unique_ptr<std::shared_ptr<ShellStart>> owned(static_cast<std::shared_ptr<ShellStart>*>(context));
    ShellStart& start = **owned;
    // The shell may hand the verb to extensions that need COM on the calling thread
    // (ShellExecuteEx's remarks).
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
    try {
        start.started = start.call ? start.call(start.info) : ShellExecuteExA(&start.info);
        start.error = start.started ? 0 : GetLastError();
    } catch (...) {
        start.started = FALSE;
        start.error = ERROR_GEN_FAILURE;
    }
    start.process.reset(std::exchange(start.info.hProcess, nullptr));
    if (com) CoUninitialize();
    return 0;
}

ElevatedRun ShellRunAs(const std::string& program, const std::string& parameters, HWND owner)
{
    auto start = std::make_shared<ShellStart>();
    start->program = program;
    start->parameters = parameters;
    start->call = g_shellExecute;
    SHELLEXECUTEINFOA& info = start->info;
    info.cbSize = sizeof info;
    // The call returns once the consent prompt is answered, with the process handle to wait on;
    // NOASYNC because the thread that makes it ends right after (ShellExecuteEx's remarks).
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.hwnd = owner;  // the prompt's owner
    info.lpVerb = "runas";
    info.lpFile = start->program.c_str();
    info.lpParameters = start->parameters.c_str();
    info.nShow = SW_HIDE;

    // The shell may hand the verb to extensions that need a single-threaded apartment
    // (ShellExecuteEx's remarks), which the change's own thread is not: a thread of its own,
    // waited for here, on the change's thread, while the program goes on answering.
    auto* context = new std::shared_ptr<ShellStart>(start);
    UniqueHandle thread(CreateThread(nullptr, 0, &ShellStartThread, context, 0, nullptr));
    if (!thread) {
        const DWORD error = GetLastError();
        delete context;
        return {ElevatedRun::Outcome::Failed, 0, error};
    }
    if (WaitForSingleObject(thread.get(), INFINITE) == WAIT_FAILED)
        return {ElevatedRun::Outcome::Failed, 0, GetLastError()};
    if (!start->started) {
        // The consent prompt answered No.
        if (start->error == ERROR_CANCELLED) return {ElevatedRun::Outcome::Declined, 0, start->error};
        return {ElevatedRun::Outcome::Failed, 0, start->error};
    }
    const UniqueHandle process = std::move(start->process);
    if (!process) return {ElevatedRun::Outcome::Failed, 0, ERROR_INVALID_HANDLE};
    if (WaitForSingleObject(process.get(), INFINITE) == WAIT_FAILED)
        return {ElevatedRun::Outcome::Failed, 0, GetLastError()};
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.get(), &exitCode)) return {ElevatedRun::Outcome::Failed, 0, GetLastError()};
    return {ElevatedRun::Outcome::Finished, exitCode};
}

// Why a run that ended gave no result, with its exit code: small codes as they are, status
// codes (a crash, a process ended from outside) in the hexadecimal form they are known by.
std::string EndingText(DWORD exitCode)
{
    std::string reason;
    if (exitCode == kElevatedMalformed) {
        reason = "it did not understand the change";
    } else if (exitCode == kElevatedFailed) {
        reason = "the change failed";
    } else {
        reason = "it ended unexpectedly";
    }
    char code[16];
    std::snprintf(code, sizeof code, exitCode > 0xFFFF ? "0x%08lX" : "%lu", static_cast<unsigned long>(exitCode));
    return reason + " (exit code " + code + ")";
}
}  // namespace

ElevatedRun RunElevated(const std::string& parameters, HWND owner)
{
    const std::string program = ElevatedProgram();
    return g_launcher ? g_launcher(program, parameters) : ShellRunAs(program, parameters, owner);
}

ElevatedLauncher SetElevatedLauncher(ElevatedLauncher launcher)
{
    return std::exchange(g_launcher, std::move(launcher));
}

ShellExecuteCall SetShellExecuteCall(ShellExecuteCall call) { return std::exchange(g_shellExecute, std::move(call)); }

std::string SetElevatedProgram(std::string path) { return std::exchange(g_program, std::move(path)); }

std::string ElevatedProgram() { return g_program.empty() ? ProgramFile() : g_program; }

ElevatedAnswer RunChangeElevated(HWND owner, const ElevatedChange& change)
{
    const ElevatedRun run = RunElevated(ElevatedParameters(change), owner);
    const std::string what =
        change.kind == ElevatedChange::Kind::Autostart ? "the autostart entry" : "the network settings";
    switch (run.outcome) {
    case ElevatedRun::Outcome::Finished:
        if (std::optional<ElevatedResult> result = ReadElevatedResult(change.kind, run.exitCode)) return {result, {}};
        return {std::nullopt,
                "Velmora could not change " + what + " with administrator rights: " + EndingText(run.exitCode) + "."};
    case ElevatedRun::Outcome::Declined:
        return {std::nullopt, "Velmora needs administrator rights to change " + what + "; the change was not made."};
    case ElevatedRun::Outcome::Failed: break;
    }
    return {std::nullopt, "Velmora could not ask Windows for administrator rights: " + SystemMessageText(run.error) +
                              ". The change was not made."};
}
