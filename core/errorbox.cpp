#include "core/errorbox.h"

#include <windows.h>

#include "core/messagebox.h"

void ShowErrorBox(const std::string& text) { ShowMessageBox(GetActiveWindow(), text, "Velmora", MB_OK | MB_ICONERROR); }
