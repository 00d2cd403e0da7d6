#pragma once
// Which messages Windows sends again by itself, so that an error raised while handling one is
// shown after the callback rather than from inside it (core/errorbox.h).
#include <windows.h>

#include "core/errorbox.h"

// Later for paints (WM_PAINT, WM_DRAWITEM, custom draw, ...), timers, and what every move of
// the pointer brings (hit tests, cursors); Now for the rest.
ErrorShown ErrorShownFor(UINT message, LPARAM lParam) noexcept;
