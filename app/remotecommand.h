#pragma once
// A command handed to the copy of the program that runs in the session, and its answer. The
// command travels in WM_COPYDATA with the window its answer goes to; the running copy carries
// it out in its own time (a change may wait for the user's consent) and answers with another
// WM_COPYDATA. Both windows let WM_COPYDATA through the message filter, so a command reaches an
// elevated copy from an unelevated start, and an answer the other way.
#include <windows.h>

#include <optional>
#include <string>

#include "app/commandline.h"
#include "core/handles.h"

struct CommandAnswer {
    int exitCode = kExitNoAnswer;
    std::string text;  // in words, for a console
};

// Sends `command` to the running copy's main window and waits for its answer; none when that
// copy ended, or refused the command, before it answered. A note the copy sends meanwhile (that
// the command waits for Windows) is written to the console as it comes.
std::optional<CommandAnswer> SendCommand(HWND runningWindow, const Command& command);

// A start's answer window, which SendCommand makes for each command (tests make their own and
// give it another procedure).
UniqueHwnd MakeAnswerWindow();

// The running copy's side. A WM_COPYDATA that carries a command: the command and where its
// answer goes (a start's answer window, or none); none for any other, and for one that names
// another kind of window to answer.
struct ReceivedCommand {
    Command command;
    HWND answerTo = nullptr;
};
std::optional<ReceivedCommand> ReceiveCommand(WPARAM wParam, LPARAM lParam);
// What a WM_COPYDATA that carries a command holds in its dwData.
inline constexpr ULONG_PTR kCommandData = 0x56524D43;
// The class of a start's answer window.
inline constexpr char kAnswerClass[] = "VelmoraCommandAnswer";
void SendAnswer(HWND answerTo, const CommandAnswer& answer);
// A line the start writes while it goes on waiting for the answer.
void SendNote(HWND answerTo, const std::string& text);
// An answer, or a note, that a WM_COPYDATA carries; none for any other.
std::optional<CommandAnswer> ReceiveAnswer(LPARAM lParam);
std::optional<std::string> ReceiveNote(LPARAM lParam);
