#pragma once
// The boundary every Win32 callback keeps, and the one place an error that reaches it goes: it
// is recorded in the history and shown in the application's standard error box with its own
// text, and the program goes on.
//
// One box at a time. A box's own message loop runs the program's paints and timers, so an
// error from a callback that Windows repeats would otherwise open box after box: such an error
// is kept and shown once the callback has returned, from whichever message loop runs next (the
// program's, or a menu's, dialog's or box's own). An error whose text is already waiting or
// showing is dropped, and a box never opens while another error box is up: it waits its turn.
#include <exception>

// When the error box may be shown.
enum class ErrorShown {
    Now,    // from inside the callback: an ordinary handler, which Windows does not repeat
    Later,  // after the callback has returned: a paint, a timer, anything Windows may run again
};

// Appends the error to the history (core/history.h) with its text and, for an AppError raised
// by a check, the failed call and the check's place; then shows its text in the error box
// ("Unknown error" for an exception that carries no text).
void ReportError(const std::exception_ptr& error, ErrorShown when = ErrorShown::Now) noexcept;

// Whether an error is kept for the box that has not been shown yet.
bool ErrorBoxPending() noexcept;

// Runs `body`; any exception it raises is reported instead of crossing into Windows' frames.
// Returns `fallback` in that case.
template <typename Body, typename Result>
Result Guarded(Body&& body, Result fallback, ErrorShown when = ErrorShown::Now) noexcept
{
    try {
        return body();
    } catch (...) {
        ReportError(std::current_exception(), when);
    }
    return fallback;
}
