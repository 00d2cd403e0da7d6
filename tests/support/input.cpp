#include "support/input.h"

#include <utility>

#include "ui/application.h"
#include "ui/window.h"

void PostChars(HWND control, std::string_view text)
{
    for (char character : text)
        PostMessageA(control, WM_CHAR, static_cast<unsigned char>(character), 1);
}

void PostKey(HWND control, WORD key, bool down)
{
    const bool alt = GetKeyState(VK_MENU) < 0;
    const UINT message = alt ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);
    LPARAM lParam = 1 | (static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16);
    if (alt) lParam |= LPARAM{1} << 29;
    if (!down) lParam |= (LPARAM{1} << 30) | (LPARAM{1} << 31);
    PostMessageA(control, message, key, lParam);
}

void TypeOnKeyboard(WORD key)
{
    INPUT inputs[2]{};
    for (INPUT& input : inputs) {
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
    }
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, inputs, sizeof(INPUT));
}

void HandleWaitingInput()
{
    MSG message;
    // Twice: what the first round's messages post is handled too.
    for (int round = 0; round < 2; ++round) {
        while (PeekMessageA(&message, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
               PeekMessageA(&message, nullptr, WM_TIMER + 1, 0xFFFFFFFF, PM_REMOVE)) {
            if (TApplication::PreTranslate(message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

void PressInFocus(WORD key)
{
    const HWND focus = GetFocus();
    PostKey(focus, key);
    PostKey(focus, key, false);
    HandleWaitingInput();
}

bool TabTo(HWND control, int most)
{
    for (int press = 0; press < most && GetFocus() != control; ++press)
        PressInFocus(VK_TAB);
    return GetFocus() == control;
}

void HoldModifiers(std::initializer_list<int> keys)
{
    BYTE state[256]{};
    GetKeyboardState(state);
    for (int key : keys)
        state[key] |= 0x80;
    SetKeyboardState(state);
}

void ReleaseModifiers()
{
    BYTE state[256]{};
    GetKeyboardState(state);
    for (int key : {VK_SHIFT, VK_LSHIFT, VK_RSHIFT, VK_CONTROL, VK_LCONTROL, VK_RCONTROL, VK_MENU, VK_LMENU, VK_RMENU})
        state[key] &= 0x7F;
    SetKeyboardState(state);
}

void Click(HWND button) { SendMessageA(button, BM_CLICK, 0, 0); }

void TypeInto(HWND field, const char* text)
{
    SendMessageA(field, EM_SETSEL, 0, -1);
    SendMessageA(field, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

void ClickAt(HWND window, int x, int y)
{
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

void ClickOn(const TGraphicControl& control)
{
    const Bounds place = control.GetBounds();
    ClickAt(control.Parent()->Handle(), place.left + 2, place.top + 2);
}

bool MovePointer(POINT to)
{
    // Wine hears of its own pointer moves from the X server later and then takes that position
    // over; a move counts once the pointer stays put across a few rounds of messages.
    int settled = 0;
    for (int round = 0; round < 100 && settled < 3; ++round) {
        SetCursorPos(to.x, to.y);
        // Timer messages wait: a test's timed steps go on after the move, not inside it.
        for (const auto& [first, last] : {std::pair<UINT, UINT>{0, WM_TIMER - 1}, {WM_TIMER + 1, 0xFFFFFFFF}}) {
            MSG message;
            while (PeekMessageA(&message, nullptr, first, last, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        POINT now{};
        GetCursorPos(&now);
        settled = now.x == to.x && now.y == to.y ? settled + 1 : 0;
    }
    return settled == 3;
}
