#include "core/errorbox.h"

#include <windows.h>

#include <deque>
#include <optional>
#include <string>

#include "core/error.h"
#include "core/history.h"
#include "core/messagebox.h"
#include "core/privatemessages.h"

namespace {
ErrorEntry EntryFor(const std::exception_ptr& error)
{
    try {
        std::rethrow_exception(error);
    } catch (const AppError& appError) {
        return {appError.what(), appError.Call(), appError.File(), appError.Line()};
    } catch (const std::exception& other) {
        return {other.what()};
    } catch (...) {
        return {"Unknown error"};
    }
}

// The errors of the user-interface thread: the one whose box is up, and those waiting.
struct ErrorBoxes {
    std::optional<std::string> showing;
    std::deque<std::string> waiting;
    bool posted = false;  // a ShowWaiting message is on its way

    bool Known(const std::string& text) const
    {
        if (showing == text) return true;
        for (const std::string& kept : waiting)
            if (kept == text) return true;
        return false;
    }
};

ErrorBoxes& Boxes()
{
    static ErrorBoxes boxes;
    return boxes;
}

void PostShowWaiting() noexcept;

void Show(const std::string& text)
{
    ErrorBoxes& boxes = Boxes();
    boxes.showing = text;
    struct Shown {
        ~Shown()
        {
            Boxes().showing.reset();
            // The next one from the loop, not from under this box's caller.
            if (!Boxes().waiting.empty()) PostShowWaiting();
        }
    } shown;
    ShowMessageBox(GetActiveWindow(), text, "Velmora", MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK WaitingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != kShowWaitingErrorMessage) return DefWindowProcA(window, message, wParam, lParam);
    ErrorBoxes& boxes = Boxes();
    boxes.posted = false;
    // A box that is up shows the next when it closes.
    if (boxes.showing || boxes.waiting.empty()) return 0;
    try {
        const std::string text = boxes.waiting.front();
        boxes.waiting.pop_front();
        Show(text);
    } catch (...) {
        // Out of memory for the texts themselves: the error is lost rather than the program.
    }
    return 0;
}

// A message-only window of the user-interface thread: every message loop dispatches what is
// posted to a window, also the modal loops of menus, dialogs and boxes, which drop messages
// posted to the thread itself ("PostThreadMessage": messages posted to a thread are lost while
// a modal loop runs).
HWND WaitingWindow() noexcept
{
    static HWND window = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &WaitingWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "Velmora.ErrorBox";
        RegisterClassA(&windowClass);
        return CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               windowClass.hInstance, nullptr);
    }();
    return window;
}

void PostShowWaiting() noexcept
{
    ErrorBoxes& boxes = Boxes();
    if (boxes.posted) return;
    HWND window = WaitingWindow();
    boxes.posted = window != nullptr && PostMessageA(window, kShowWaitingErrorMessage, 0, 0) != FALSE;
}
}  // namespace

void ReportError(const std::exception_ptr& error, ErrorShown when) noexcept
{
    try {
        const ErrorEntry entry = EntryFor(error);
        ErrorBoxes& boxes = Boxes();
        // The same fault again before its box has closed: it is already recorded and told.
        if (boxes.Known(entry.text)) return;
        AppendToHistory(entry);
        if (when == ErrorShown::Now && !boxes.showing) {
            Show(entry.text);
            return;
        }
        boxes.waiting.push_back(entry.text);
        PostShowWaiting();
    } catch (...) {
        // Out of memory for the texts themselves: the error is lost rather than the program.
    }
}

bool ErrorBoxPending() noexcept { return !Boxes().waiting.empty(); }
