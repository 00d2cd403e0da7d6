#pragma once
// Access keys are underlined only once the keyboard is in use, as in Windows' own dialogs: with
// the "Underline access keys" setting off (SPI_GETKEYBOARDCUES), a window opens with them hidden
// and Alt shows them ("WM_CHANGEUISTATE message", "WM_UPDATEUISTATE message"). The focus stays
// shown throughout.
#include <windows.h>

// Hides the access keys of `root` and all it holds, unless the user asked to see them always.
void HideAccessKeysUntilAlt(HWND root);
// Shows the access keys of `root` and all it holds: Alt was pressed.
void ShowAccessKeys(HWND root);
// The DrawText flag that hides or shows the access keys of a text painted on `window`.
UINT AccessKeyFormat(HWND window);
