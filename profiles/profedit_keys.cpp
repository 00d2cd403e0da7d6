#include "profiles/profedit_keys.h"

#include <commctrl.h>

#include "core/check.h"
#include "core/errorbox.h"

namespace {
// Told apart from the toolkit's own subclass of the same control by the procedure.
constexpr UINT_PTR kWatchId = 1;
}  // namespace

TKeyWatch::TKeyWatch(HWND control) : m_control(control)
{
    if (!SetWindowSubclass(control, &TKeyWatch::SubclassProc, kWatchId, reinterpret_cast<DWORD_PTR>(this))) {
        RaiseError("SetWindowSubclass failed");
    }
}

TKeyWatch::~TKeyWatch()
{
    if (m_control != nullptr) RemoveWindowSubclass(m_control, &TKeyWatch::SubclassProc, kWatchId);
}

LRESULT CALLBACK TKeyWatch::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                         DWORD_PTR data)
{
    auto* self = reinterpret_cast<TKeyWatch*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &TKeyWatch::SubclassProc, kWatchId);
        self->m_control = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return Guarded([&] { return self->HandleMessage(message, wParam, lParam); }, LRESULT{0});
}

LRESULT TKeyWatch::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        if (onKeyDown && onKeyDown(static_cast<WORD>(wParam))) return 0;
        break;
    case WM_KEYUP: {
        const LRESULT result = DefSubclassProc(m_control, message, wParam, lParam);
        if (onKeyUp) onKeyUp(static_cast<WORD>(wParam));
        return result;
    }
    case WM_SETFOCUS: {
        const LRESULT result = DefSubclassProc(m_control, message, wParam, lParam);
        if (onEnter) onEnter();
        return result;
    }
    case WM_KILLFOCUS: {
        const LRESULT result = DefSubclassProc(m_control, message, wParam, lParam);
        if (onExit) onExit();
        return result;
    }
    }
    return DefSubclassProc(m_control, message, wParam, lParam);
}
