#pragma once
// For the look tests: what the screen shows, saved as a .bmp file for a person to judge.
#include <windows.h>

#include <string>

// A rectangle of the screen, in screen coordinates.
void SaveScreenArea(const RECT& area, const std::string& path);
// The screen's bottom right corner, `width` by `height` at 96 DPI grown with the screen's DPI
// (where the tray menu opens).
void SaveScreenCorner(int width, int height, const std::string& path);
// A window and a margin of 8 pixels around it.
void SaveWindow(HWND window, const std::string& path);
