#pragma once
// Checks at the call: a failing status becomes an AppError carrying the platform's own text.
#include <windows.h>

#include <string>

#include "core/error.h"

// The system's message for an error code or HRESULT, without the trailing full stop
// and line break FormatMessage adds; without one, the code's name and number, e.g.
// "Unknown name (0x80020006)", or "Error 0x........" for a code without a known name.
std::string SystemMessageText(DWORD code);

inline void CheckHr(HRESULT hr)
{
    if (FAILED(hr)) RaiseError(SystemMessageText(static_cast<DWORD>(hr)));
}

// The same, naming what failed for the user: "<what> failed: <the platform's text>".
inline void CheckHr(HRESULT hr, const char* what)
{
    if (FAILED(hr)) RaiseError(std::string(what) + " failed: " + SystemMessageText(static_cast<DWORD>(hr)));
}

// For calls that report failure by result and leave the cause in GetLastError.
inline void CheckWin32(BOOL ok)
{
    if (!ok) RaiseError(SystemMessageText(GetLastError()));
}
