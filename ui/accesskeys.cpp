#include "ui/accesskeys.h"

void HideAccessKeysUntilAlt(HWND root)
{
    BOOL alwaysShown = FALSE;
    if (SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0) && alwaysShown) return;
    SendMessageA(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEACCEL), 0);
}

void ShowAccessKeys(HWND root) { SendMessageA(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0); }

UINT AccessKeyFormat(HWND window)
{
    const LRESULT state = window != nullptr ? SendMessageA(window, WM_QUERYUISTATE, 0, 0) : 0;
    return (state & UISF_HIDEACCEL) != 0 ? DT_HIDEPREFIX : 0;
}
