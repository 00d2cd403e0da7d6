#pragma once
// The boundary every Win32 callback keeps, and the one place an error that reaches it goes: it
// is recorded in the history and shown in the application's standard error box with its own
// text, and the program goes on.
#include <exception>

// Appends the error to the history (core/history.h) with its text and, for an AppError raised
// by a check, the failed call and the check's place; then shows its text in the error box
// ("Unknown error" for an exception that carries no text).
void ReportError(const std::exception_ptr& error) noexcept;

// Runs `body`; any exception it raises is reported instead of crossing into Windows' frames.
// Returns `fallback` in that case.
template <typename Body, typename Result>
Result Guarded(Body&& body, Result fallback) noexcept
{
    try {
        return body();
    } catch (...) {
        ReportError(std::current_exception());
    }
    return fallback;
}
