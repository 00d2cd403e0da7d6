#pragma once
// Display scaling. The layout of every window is designed at 96 DPI; the toolkit shows it at the
// DPI of the monitor the window is on, each place, size and font height scaled by
// MulDiv(value, dpi, 96) (Microsoft: "High DPI Desktop Application Development on Windows").
#include <windows.h>

#include "ui/basecontrol.h"

inline constexpr int kDesignDpi = 96;

// A design value (96 DPI) at `dpi`, and back.
int Scaled(int value, int dpi) noexcept;
int Unscaled(int value, int dpi) noexcept;
Bounds ScaledBounds(const Bounds& design, int dpi) noexcept;
Bounds UnscaledBounds(const Bounds& bounds, int dpi) noexcept;

// The DPI of a window's monitor (GetDpiForWindow where Windows has it, else the screen's).
int WindowDpi(HWND window) noexcept;
// The DPI of the monitor under a point of the screen.
int DpiAtPoint(POINT point) noexcept;
// The window rectangle around a client rectangle for a frame at `dpi` (AdjustWindowRectExForDpi
// where Windows has it).
RECT OuterRect(const RECT& client, DWORD style, DWORD exStyle, int dpi) noexcept;
