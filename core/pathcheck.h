#pragma once
// Whether a file is there, asked without holding the caller for longer than it can wait.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// Whether a file or folder is at `path`, asked on a thread of its own and waited for at most
// `patience` milliseconds: none when no answer came by then. A share whose server is gone keeps
// Windows' own call waiting for as long as SMB's session timeouts take, tens of seconds; the
// thread then ends on its own. `check` stands for that call (tests).
std::optional<bool> PathThereWithin(const std::string& path, DWORD patience,
                                    std::function<bool(const std::string&)> check = {});
