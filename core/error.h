#pragma once
// The program's one error type. Everything that fails inside Velmora raises it; only window,
// dialog, subclass, timer and hook procedures catch it. Besides the message the user reads it
// records the failed call, its code, and where in the program it failed, when a check helper
// raised it; code that decides by the kind of failure asks the code, never the text.
#include <windows.h>

#include <cstdint>
#include <source_location>
#include <stdexcept>
#include <string>

class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& message) : std::runtime_error(message) {}
    AppError(const std::string& message, std::string call, const std::source_location& where, HRESULT code = S_OK)
        : std::runtime_error(message), m_call(std::move(call)), m_file(where.file_name()), m_line(where.line()),
          m_code(code)
    {
    }
    // A failed call's own error with the text the user reads; a Windows error code is kept in
    // its HRESULT form (HRESULT_FROM_WIN32).
    AppError(const std::string& message, HRESULT code) : std::runtime_error(message), m_code(code) {}

    // The failed call's code as an HRESULT; S_OK when no call's code is known.
    HRESULT Code() const noexcept { return m_code; }
    // Windows refused for want of rights.
    bool AccessDenied() const noexcept { return m_code == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED); }

    // The platform call that failed ("ExecQuery", "RegSetValueExA", ...); empty when none did.
    const std::string& Call() const noexcept { return m_call; }
    // The source file and line of the check that raised it; empty and 0 when no check did.
    const std::string& File() const noexcept { return m_file; }
    unsigned Line() const noexcept { return m_line; }

private:
    std::string m_call;
    std::string m_file;
    unsigned m_line = 0;
    HRESULT m_code = S_OK;
};

// A status that is either a Windows error code or an HRESULT, as an HRESULT.
inline HRESULT CodeAsHresult(DWORD status) noexcept
{
    return (status & 0x80000000u) != 0 ? static_cast<HRESULT>(status) : HRESULT_FROM_WIN32(status);
}

[[noreturn]] inline void RaiseError(const std::string& message) { throw AppError(message); }
