#pragma once
// The application's standard error box and the boundary every Win32 callback keeps:
// an exception that reaches it is shown with its own text and the program goes on.
#include <exception>
#include <string>

void ShowErrorBox(const std::string& text);

// Runs `body`; any exception it raises is shown in the error box instead of crossing
// into Windows' frames. Returns `fallback` in that case.
template <typename Body, typename Result>
Result Guarded(Body&& body, Result fallback) noexcept
{
    try {
        return body();
    } catch (const std::exception& error) {
        ShowErrorBox(error.what());
    } catch (...) {
        ShowErrorBox("Unknown error");
    }
    return fallback;
}
