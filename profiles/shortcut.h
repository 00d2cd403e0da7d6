#pragma once
// A desktop shortcut that applies a profile through the command line ("--apply TITLE").
#include <functional>
#include <string>

// Makes (or replaces) "<title>.lnk" on the user's desktop, running `program` (this program's
// file when empty) with the arguments that apply the profile; returns the shortcut's path. A
// shortcut of that name that applies another title is left alone: this one is "<title> (2).lnk"
// (or the next number free). Raises when it cannot.
std::string CreateProfileShortcut(const std::string& title, const std::string& program = {});

// A title as a file name Windows takes: characters a name may not hold become "_", trailing
// spaces and periods go, and a reserved device name ("CON", "LPT1", "NUL.txt") gets a "_".
std::string ShortcutFileName(const std::string& title);

// A command line argument written so that CommandLineToArgvW reads it back as it is.
std::wstring QuotedArgument(const std::wstring& argument);

// The folder shortcuts go to (the desktop); tests give another. Returns the previous one.
using ShortcutFolderFunction = std::function<std::string()>;
ShortcutFolderFunction SetShortcutFolder(ShortcutFolderFunction folder);
