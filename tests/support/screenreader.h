#pragma once
// What a screen reader reads of a window: its client object through AccessibleObjectFromWindow
// (OBJID_CLIENT), and that object's name for CHILDID_SELF.
#include <windows.h>

#include <string>
#include <vector>

// The name, or "<no object>" / "<no name>" when the reader gets none.
std::string AccessibleName(HWND window);
// The shown child windows of `window` that take input (fields, lists, grids, check and radio
// boxes, buttons), top of the z-order first.
std::vector<HWND> InputControls(HWND window);
