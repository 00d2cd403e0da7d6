#pragma once
// The hot key control: the user presses a key with Ctrl, Alt or Shift, and it shows and keeps
// that combination.
#include <windows.h>

#include "ui/control.h"

class THotKeyEdit : public TControl {
public:
    THotKeyEdit(const ParentRef& parent, const Bounds& bounds);

    // As HKM_GETHOTKEY gives it: the virtual key in the low byte, HOTKEYF_* in the high one;
    // 0 for none.
    WORD Value() const;
    void SetValue(WORD value);

protected:
    void WindowCreated() override;

private:
    WORD m_value = 0;  // kept until the window is made
};
