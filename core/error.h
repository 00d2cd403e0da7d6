#pragma once
// The program's one error type. Everything that fails inside Velmora raises it; only window,
// dialog, subclass, timer and hook procedures catch it. Besides the message the user reads it
// records the failed call and where in the program it failed, when a check helper raised it.
#include <source_location>
#include <stdexcept>
#include <string>

class AppError : public std::runtime_error {
public:
    explicit AppError(const std::string& message) : std::runtime_error(message) {}
    AppError(const std::string& message, std::string call, const std::source_location& where)
        : std::runtime_error(message), m_call(std::move(call)), m_file(where.file_name()), m_line(where.line())
    {
    }

    // The platform call that failed ("ExecQuery", "RegSetValueExA", ...); empty when none did.
    const std::string& Call() const noexcept { return m_call; }
    // The source file and line of the check that raised it; empty and 0 when no check did.
    const std::string& File() const noexcept { return m_file; }
    unsigned Line() const noexcept { return m_line; }

private:
    std::string m_call;
    std::string m_file;
    unsigned m_line = 0;
};

[[noreturn]] inline void RaiseError(const std::string& message) { throw AppError(message); }
