#pragma once
// Checks at the call: a failing status becomes an AppError carrying the platform's own text.
#include <windows.h>

#include <string>

#include "core/error.h"

// The system's message for an error code or HRESULT, without the trailing full stop
// and line break FormatMessage adds; "Error 0x........" when the system has no text.
std::string SystemMessageText(DWORD code);

inline void CheckHr(HRESULT hr)
{
    if (FAILED(hr)) RaiseError(SystemMessageText(static_cast<DWORD>(hr)));
}

// For calls that report failure by result and leave the cause in GetLastError.
inline void CheckWin32(BOOL ok)
{
    if (!ok) RaiseError(SystemMessageText(GetLastError()));
}
