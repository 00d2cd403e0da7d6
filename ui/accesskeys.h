#pragma once
// Access keys are underlined only once the keyboard is in use, as in Windows' own dialogs: with
// the "Underline access keys" setting off (SPI_GETKEYBOARDCUES), a window opens with them hidden
// and Alt shows them ("WM_CHANGEUISTATE message", "WM_UPDATEUISTATE message"). The focus stays
// shown throughout.
#include <windows.h>

#include <string>

// Hides the access keys of `root` and all it holds, unless the user asked to see them always.
void HideAccessKeysUntilAlt(HWND root);
// Shows the access keys of `root` and all it holds: Alt was pressed.
void ShowAccessKeys(HWND root);
// A caption as a control of ours paints it on `window`: with its access key marked for DrawText
// while the window shows the keyboard cues, else without its ampersands and drawn with
// DT_NOPREFIX. That is what DT_HIDEPREFIX does, which Wine's DrawText ignores.
struct CaptionToDraw {
    std::string text;
    UINT format;
};
CaptionToDraw AccessKeyCaption(HWND window, const std::string& caption);
