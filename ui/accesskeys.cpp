#include "ui/accesskeys.h"

#include "ui/labelfor.h"

void HideAccessKeysUntilAlt(HWND root)
{
    BOOL alwaysShown = FALSE;
    if (SystemParametersInfoA(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0) && alwaysShown) return;
    SendMessageA(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEACCEL), 0);
}

void ShowAccessKeys(HWND root) { SendMessageA(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEACCEL), 0); }

CaptionToDraw AccessKeyCaption(HWND window, const std::string& caption)
{
    const LRESULT state = window != nullptr ? SendMessageA(window, WM_QUERYUISTATE, 0, 0) : 0;
    if ((state & UISF_HIDEACCEL) == 0) return {caption, 0};
    return {WithoutAccessKeys(caption), DT_NOPREFIX};
}
