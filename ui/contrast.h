#pragma once
// High-contrast themes: the colours a window was designed with give way to the system's, so
// every text stays readable on its background ("Supporting High Contrast Themes": in a
// high-contrast theme use the system colours for text and backgrounds, not your own).
#include <windows.h>

#include <functional>

bool HighContrast();
// A background designed in a colour of its own (the white panels, bands and grids): in high
// contrast the system's window colour.
COLORREF ShownBackground(COLORREF designed);
// Text designed in `designed`: in high contrast the system's text colour for the background it
// stands on (the window colour when `onOwnBackground`, else the dialog face), or the link
// colour for a link.
COLORREF ShownText(COLORREF designed, bool onOwnBackground, bool link = false);

// For tests: the answer HighContrast gives; an empty function gives the system's back.
using HighContrastSource = std::function<bool()>;
HighContrastSource SetHighContrastSource(HighContrastSource source);
