#include "ui/hotkeyedit.h"

#include <commctrl.h>

THotKeyEdit::THotKeyEdit(const ParentRef& parent, const Bounds& bounds)
{
    InitControl({.className = HOTKEY_CLASSA,
                 .style = WS_VISIBLE | WS_TABSTOP,
                 .exStyle = WS_EX_CLIENTEDGE,
                 .parent = parent,
                 .bounds = bounds,
                 .text = {}});
}

void THotKeyEdit::WindowCreated()
{
    // A key alone would take it from every program: a modifier is always asked for
    // ("HKM_SETRULES message").
    SendMessageA(Handle(), HKM_SETRULES, HKCOMB_NONE | HKCOMB_S, MAKELPARAM(HOTKEYF_CONTROL | HOTKEYF_ALT, 0));
    SendMessageA(Handle(), HKM_SETHOTKEY, m_value, 0);
}

WORD THotKeyEdit::Value() const
{
    return HandleAllocated() ? static_cast<WORD>(SendMessageA(Handle(), HKM_GETHOTKEY, 0, 0)) : m_value;
}

void THotKeyEdit::SetValue(WORD value)
{
    m_value = value;
    if (HandleAllocated()) SendMessageA(Handle(), HKM_SETHOTKEY, value, 0);
}
