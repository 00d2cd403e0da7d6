#pragma once
// Windows a test looks for while a dialog of the system holds the thread.
#include <windows.h>

#include <string>

// The visible dialog ("#32770") of this thread, such as the file-open dialog once it is up.
HWND FindThreadDialog();
// The first descendant of `parent` of the window class `className`.
HWND FindChildOfClass(HWND parent, const std::string& className);
