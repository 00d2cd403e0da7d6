#pragma once
// The tabs of a form by keyboard. The pages are windows inside the tab strip, which the dialog
// manager therefore walks into and never stops on; so, as in Windows' property sheets, Ctrl+Tab
// and Ctrl+PageDown select the next tab and Ctrl+Shift+Tab and Ctrl+PageUp the previous one,
// wherever the focus is in the form.
#include <windows.h>

class TWinControl;

// Takes such a key pressed in `form`; true when a tab was selected.
bool SwitchPageByKey(const TWinControl& form, const MSG& message);
