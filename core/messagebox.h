#pragma once
// Every message box of the program goes through here, so tests can observe and answer them.
#include <windows.h>

#include <functional>
#include <string>

int ShowMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT flags);

using MessageBoxHandler =
    std::function<int(HWND owner, const std::string& text, const std::string& caption, UINT flags)>;
// Replaces the handler (tests); returns the previous one. An empty handler restores MessageBoxA.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);
