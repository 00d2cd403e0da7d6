#pragma once
// Which window takes the keyboard for a window of ours that a dialog of its own has disabled.
#include <windows.h>

// `window` while it is enabled; else the visible, enabled window it owns (the modal dialog
// that disabled it, or that dialog's own), or null when there is none.
HWND KeyboardOwnerOf(HWND window);
