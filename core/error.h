#pragma once
// The program's one error type. Everything that fails inside Velmora raises it; only window,
// dialog, subclass, timer and hook procedures catch it. Besides the message the user reads it
// records the failed call, its code, and where in the program it failed, when a check helper
// raised it; code that decides by the kind of failure asks the code, never the text.
#include <cstdint>
#include <source_location>
#include <stdexcept>
#include <string>

class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& message) : std::runtime_error(message) {}
    // Codes are HRESULTs (a Windows error code in HRESULT_FROM_WIN32's form); this header stays
    // free of windows.h, so that the routines a fuzzer reaches can raise it.
    AppError(const std::string& message, std::string call, const std::source_location& where, int32_t code = 0)
        : std::runtime_error(message), m_call(std::move(call)), m_file(where.file_name()), m_line(where.line()),
          m_code(code)
    {
    }
    // A failed call's own error with the text the user reads.
    AppError(const std::string& message, int32_t code) : std::runtime_error(message), m_code(code) {}

    // The failed call's code as an HRESULT; 0 (S_OK) when no call's code is known.
    int32_t Code() const noexcept { return m_code; }
    // Windows refused for want of rights: E_ACCESSDENIED, which is ERROR_ACCESS_DENIED's HRESULT.
    bool AccessDenied() const noexcept { return m_code == static_cast<int32_t>(0x80070005u); }

    // The platform call that failed ("ExecQuery", "RegSetValueExA", ...); empty when none did.
    const std::string& Call() const noexcept { return m_call; }
    // The source file and line of the check that raised it; empty and 0 when no check did.
    const std::string& File() const noexcept { return m_file; }
    unsigned Line() const noexcept { return m_line; }

private:
    std::string m_call;
    std::string m_file;
    unsigned m_line = 0;
    int32_t m_code = 0;
};

[[noreturn]] inline void RaiseError(const std::string& message) { throw AppError(message); }
