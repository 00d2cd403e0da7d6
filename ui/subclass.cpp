#include "ui/subclass.h"

#include <commctrl.h>

#include "core/error.h"
#include "core/errorbox.h"
#include "ui/callbackerrors.h"

// The object is the subclass's id as well as its data: one procedure serves every subclass,
// and two of them on one window stay apart.
TSubclass::TSubclass(HWND window) : m_window(window)
{
    const auto id = reinterpret_cast<UINT_PTR>(this);
    if (!SetWindowSubclass(window, &TSubclass::SubclassProc, id, id)) RaiseError("SetWindowSubclass failed");
}

TSubclass::~TSubclass()
{
    if (m_window != nullptr) RemoveWindowSubclass(m_window, &TSubclass::SubclassProc, reinterpret_cast<UINT_PTR>(this));
}

LRESULT TSubclass::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefSubclassProc(m_window, message, wParam, lParam);
}

LRESULT CALLBACK TSubclass::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data)
{
    auto* self = reinterpret_cast<TSubclass*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, &TSubclass::SubclassProc, id);
        self->m_window = nullptr;
        return DefSubclassProc(window, message, wParam, lParam);
    }
    return Guarded([&] { return self->HandleMessage(message, wParam, lParam); }, LRESULT{0},
                   ErrorShownFor(message, lParam));
}
