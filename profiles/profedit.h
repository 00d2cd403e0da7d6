#pragma once
// TForm2, the profile editor dialog. Created hidden by the main window and reused for every
// opening; its controls and behaviour come with the editor's own work.
#include <windows.h>

#include "ui/form.h"

class TForm2 : public TForm {
public:
    // `owner`: the main window.
    explicit TForm2(HWND owner);
};
