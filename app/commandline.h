#pragma once
// The program's command line: what a script, a desktop shortcut or a scheduled task asks of
// it. A command goes to the copy that runs in the session, and is carried out there as the same
// action from the tray; with none running, this start carries it out (README, "The command
// line").
#include <optional>
#include <string>
#include <vector>

struct Command {
    enum class Action { Start, Apply, Next, Undo, Open, Exit, List, Help };
    Action action = Action::Start;
    std::string profile;  // Apply: a profile's title, or "#N" for its number in --list
    bool once = false;    // a start of its own ends when the command is done
};

// What the exit code says.
inline constexpr int kExitDone = 0;
inline constexpr int kExitBadArguments = 1;
inline constexpr int kExitNoSuchProfile = 2;
inline constexpr int kExitNoAdapter = 3;
inline constexpr int kExitNotMade = 4;   // busy, the rights not given, nothing to undo, ...
inline constexpr int kExitDiffers = 5;   // made, but the adapter holds other than was asked
inline constexpr int kExitNoAnswer = 6;  // the running copy ended or did not answer
inline constexpr int kExitNotSaved = 7;  // --exit: the profiles could not be saved, so it goes on
// Refused by Windows: this plus the configuration method's result code (1091: access denied).
inline constexpr int kExitRefusedBase = 1000;

struct ParsedCommand {
    std::optional<Command> command;  // none: the arguments were not understood
    std::string error;               // then, what was wrong, for the user
};
ParsedCommand ParseCommand(const std::vector<std::string>& arguments);

// A command as it travels to the running copy, and back into one; none for a text that is not
// a command.
std::string CommandText(const Command& command);
std::optional<Command> CommandFromText(const std::string& text);

// What --help prints.
std::string HelpText();
