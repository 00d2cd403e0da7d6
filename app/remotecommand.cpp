#include "app/remotecommand.h"

#include "app/console.h"
#include "core/errorbox.h"
#include "core/handles.h"
#include "core/messagefilter.h"

namespace {
// What each WM_COPYDATA carries, in its dwData (kCommandData, in the header: a command).
constexpr ULONG_PTR kAnswerData = 0x56524D41;  // an answer: the exit code, a line feed, the text
constexpr ULONG_PTR kNoteData = 0x56524D4E;    // a line to write while the answer is awaited

struct Waiting {
    std::optional<CommandAnswer> answer;
};

LRESULT CALLBACK AnswerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        auto* waiting = reinterpret_cast<Waiting*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (waiting == nullptr || data == nullptr) return FALSE;
        // The texts are copied: memory running out is an error like any other, not a crash.
        return Guarded(
            [&]() -> LRESULT {
                if (const std::optional<std::string> note = ReceiveNote(lParam)) {
                    WriteToConsole(*note);
                    return TRUE;
                }
                waiting->answer = ReceiveAnswer(lParam);
                return waiting->answer ? TRUE : FALSE;
            },
            LRESULT{FALSE});
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool SendData(HWND to, HWND from, ULONG_PTR kind, const std::string& text)
{
    COPYDATASTRUCT data{kind, static_cast<DWORD>(text.size()), const_cast<char*>(text.data())};
    DWORD_PTR taken = FALSE;
    // A copy that hangs is not waited for: the command is then not taken.
    return SendMessageTimeoutA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data),
                               SMTO_ABORTIFHUNG, 10000, &taken) != 0 &&
           taken == TRUE;
}
}  // namespace

UniqueHwnd MakeAnswerWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = AnswerProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kAnswerClass;
    RegisterClassA(&windowClass);  // fails harmlessly when already registered
    return UniqueHwnd(
        CreateWindowExA(0, kAnswerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr), nullptr));
}

std::optional<CommandAnswer> SendCommand(HWND runningWindow, const Command& command)
{
    const UniqueHwnd answerWindow = MakeAnswerWindow();
    if (!answerWindow) return std::nullopt;
    const HWND window = answerWindow.get();
    Waiting waiting;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&waiting));
    // An elevated start's answer window hears the unelevated copy's answer.
    LetMessageThrough(window, WM_COPYDATA);

    DWORD processId = 0;
    GetWindowThreadProcessId(runningWindow, &processId);
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    // The command came from the user: the copy may bring its windows and boxes to the front.
    AllowSetForegroundWindow(processId);
    if (!SendData(runningWindow, window, kCommandData, CommandText(command))) return std::nullopt;

    // Until the answer comes or the copy ends (a change may wait for the user's consent).
    while (!waiting.answer) {
        HANDLE handles[1] = {process.get()};
        const DWORD count = process ? 1 : 0;
        const DWORD woke = MsgWaitForMultipleObjects(count, handles, FALSE, process ? INFINITE : 1000, QS_ALLINPUT);
        if (count == 1 && woke == WAIT_OBJECT_0) break;
        if (count == 0 && woke == WAIT_TIMEOUT && !IsWindow(runningWindow)) break;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    return waiting.answer;
}

std::optional<ReceivedCommand> ReceiveCommand(WPARAM wParam, LPARAM lParam)
{
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data == nullptr || data->dwData != kCommandData || data->lpData == nullptr) return std::nullopt;
    // The answer goes only to a start's own answer window, never to any window named.
    const HWND answerTo = reinterpret_cast<HWND>(wParam);
    char className[64] = {};
    if (answerTo == nullptr || !IsWindow(answerTo) || GetClassNameA(answerTo, className, sizeof className) == 0 ||
        std::string(className) != kAnswerClass)
        return std::nullopt;
    const std::optional<Command> command =
        CommandFromText(std::string(static_cast<const char*>(data->lpData), data->cbData));
    if (!command) return std::nullopt;
    return ReceivedCommand{*command, answerTo};
}

std::optional<CommandAnswer> ReceiveAnswer(LPARAM lParam)
{
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data == nullptr || data->dwData != kAnswerData) return std::nullopt;
    const std::string text(static_cast<const char*>(data->lpData), data->cbData);
    const size_t line = text.find('\n');
    CommandAnswer answer;
    answer.exitCode = std::atoi(text.substr(0, line).c_str());
    answer.text = line == std::string::npos ? std::string() : text.substr(line + 1);
    return answer;
}

std::optional<std::string> ReceiveNote(LPARAM lParam)
{
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (data == nullptr || data->dwData != kNoteData) return std::nullopt;
    return std::string(static_cast<const char*>(data->lpData), data->cbData);
}

void SendNote(HWND answerTo, const std::string& text)
{
    if (answerTo != nullptr && IsWindow(answerTo)) SendData(answerTo, nullptr, kNoteData, text);
}

void SendAnswer(HWND answerTo, const CommandAnswer& answer)
{
    if (answerTo != nullptr && IsWindow(answerTo))
        SendData(answerTo, nullptr, kAnswerData, std::to_string(answer.exitCode) + "\n" + answer.text);
}
