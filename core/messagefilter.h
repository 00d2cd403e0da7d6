#pragma once
// User Interface Privilege Isolation keeps window messages from processes of a lower integrity
// level away from an elevated program, registered messages included: Explorer's
// "TaskbarCreated", and a later unelevated start of the program itself. A window lets through
// the ones it expects from them (ChangeWindowMessageFilterEx).
#include <windows.h>

#include <functional>

// Lets `message` from lower-integrity processes reach `window`. Without elevation this changes
// nothing, and a failure leaves only that message kept out, so its answer is not needed.
void LetMessageThrough(HWND window, UINT message);

// The filter call itself; tests record the calls. Returns the previous one.
using MessageFilterFunction = std::function<BOOL(HWND window, UINT message, DWORD action)>;
MessageFilterFunction SetMessageFilter(MessageFilterFunction function);
