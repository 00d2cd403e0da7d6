#include "ui/cursor.h"

namespace {
TCursor g_screenCursor = TCursor::crDefault;
}

HCURSOR CursorHandle(TCursor cursor)
{
    switch (cursor) {
    case TCursor::crAppStart: return LoadCursor(nullptr, IDC_APPSTARTING);
    case TCursor::crHourGlass: return LoadCursor(nullptr, IDC_WAIT);
    case TCursor::crHandPoint: return LoadCursor(nullptr, IDC_HAND);
    case TCursor::crDefault: break;
    }
    return LoadCursor(nullptr, IDC_ARROW);
}

void SetScreenCursor(TCursor cursor)
{
    g_screenCursor = cursor;
    if (cursor != TCursor::crDefault) {
        SetCursor(CursorHandle(cursor));
        return;
    }
    // Let the window under the pointer choose its own cursor again.
    POINT at;
    if (GetCursorPos(&at)) SetCursorPos(at.x, at.y);
}

TCursor ScreenCursor() { return g_screenCursor; }

bool ApplyScreenCursor()
{
    if (g_screenCursor == TCursor::crDefault) return false;
    SetCursor(CursorHandle(g_screenCursor));
    return true;
}
