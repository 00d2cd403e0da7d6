#include "ui/messagehandler.h"

#include <windowsx.h>

LRESULT MessageHandler::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        if (EraseBackground(reinterpret_cast<HDC>(wParam))) return TRUE;
        break;
    case WM_SETCURSOR: {
        if (ApplyScreenCursor()) return TRUE;
        HWND window = MessageWindow();
        if (reinterpret_cast<HWND>(wParam) != window || LOWORD(lParam) != HTCLIENT) break;
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(window, &at);
        const TCursor cursor = CursorAt(at);
        if (cursor == TCursor::crDefault) break;
        SetCursor(CursorHandle(cursor));
        return TRUE;
    }
    case WM_CONTEXTMENU:
        if (ContextPopup(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)})) return 0;
        break;
    case WM_KEYDOWN:
        if (KeyDown(static_cast<WORD>(wParam))) return 0;
        break;
    case WM_SYSKEYDOWN:
        if (SysKeyDown(static_cast<WORD>(wParam))) return 0;
        break;
    case WM_CHAR:
    case WM_IME_CHAR:
        if (KeyPress(wParam)) return 0;
        break;
    case WM_KEYUP: {
        const LRESULT result = DefaultMessage(message, wParam, lParam);
        KeyUp(static_cast<WORD>(wParam));
        return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = DefaultMessage(message, wParam, lParam);
        message == WM_SETFOCUS ? Enter() : Exit();
        return result;
    }
    }
    return DefaultMessage(message, wParam, lParam);
}

bool MessageHandler::EraseBackground(HDC) { return false; }
TCursor MessageHandler::CursorAt(POINT) { return TCursor::crDefault; }
bool MessageHandler::ContextPopup(POINT) { return false; }
bool MessageHandler::KeyDown(WORD) { return false; }
bool MessageHandler::SysKeyDown(WORD) { return false; }
bool MessageHandler::KeyPress(WPARAM) { return false; }
void MessageHandler::KeyUp(WORD) {}
void MessageHandler::Enter() {}
void MessageHandler::Exit() {}
