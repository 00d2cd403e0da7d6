#pragma once
// Checks at the call: a failing status becomes an AppError carrying the platform's own text,
// the call's name and the place of the check.
#include <windows.h>

#include <source_location>
#include <string>

#include "core/error.h"

// The system's message for an error code or HRESULT, without the trailing full stop
// and line break FormatMessage adds; without one, the code's name and number, e.g.
// "Unknown name (0x80020006)", or "Error 0x........" for a code without a known name.
std::string SystemMessageText(DWORD code);

// A status that is either a Windows error code or an HRESULT, as an HRESULT.
inline HRESULT CodeAsHresult(DWORD status) noexcept
{
    return (status & 0x80000000u) != 0 ? static_cast<HRESULT>(status) : HRESULT_FROM_WIN32(status);
}

// The message is the platform's text for the status; `call` names the call that failed.
[[noreturn]] void RaiseCallError(DWORD status, const char* call, const std::source_location& where);

inline void CheckHr(HRESULT hr, const char* call, const std::source_location& where = std::source_location::current())
{
    if (FAILED(hr)) RaiseCallError(static_cast<DWORD>(hr), call, where);
}

// For calls that report failure by result and leave the cause in GetLastError.
inline void CheckWin32(BOOL ok, const char* call, const std::source_location& where = std::source_location::current())
{
    if (!ok) RaiseCallError(GetLastError(), call, where);
}

// The same, for the user: "<what> failed: <the platform's text>".
void CheckHrSaying(HRESULT hr, const char* what, const std::source_location& where = std::source_location::current());
