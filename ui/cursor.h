#pragma once
// The screen cursor: one cursor that, while set, every window of the program shows in place
// of its own (the busy cursor while a long operation runs).
#include <windows.h>

enum class TCursor { crDefault, crAppStart, crHourGlass, crHandPoint };

HCURSOR CursorHandle(TCursor cursor);

// Sets the screen cursor and shows it at once; crDefault gives every window its own back.
void SetScreenCursor(TCursor cursor);
TCursor ScreenCursor();

// Answers WM_SETCURSOR while a screen cursor is set; returns false when the window should
// pick its own cursor.
bool ApplyScreenCursor();

// Shows the busy cursor for a scope and puts the default back however the scope is left.
class BusyCursor {
public:
    explicit BusyCursor(TCursor cursor = TCursor::crAppStart) { SetScreenCursor(cursor); }
    ~BusyCursor() { SetScreenCursor(TCursor::crDefault); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};
