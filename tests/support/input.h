#pragma once
// The user's keyboard and mouse, as the messages they send. Characters and keys are posted,
// so they reach a control through its dialog's own message loop and keyboard handling.
#include <windows.h>

#include <initializer_list>
#include <string_view>

#include "ui/graphiccontrol.h"

void PostChars(HWND control, std::string_view text);
void PostKey(HWND control, WORD key, bool down = true);
// A key pressed and released on the keyboard itself (SendInput): it goes to whatever window has
// the keyboard focus of the foreground window when its messages are read.
void TypeOnKeyboard(WORD key);
// A key typed while holding modifiers (VK_SHIFT, VK_CONTROL, VK_MENU): the keyboard state
// holds them while the messages are handled, until ReleaseModifiers.
void HoldModifiers(std::initializer_list<int> keys);
// Handles what waits in the queue but timer ticks, through the forms' dialog keys as their
// loops do: what the keys posted so far do, without a test's timed steps running meanwhile.
void HandleWaitingInput();
// Tab pressed in the focused control until `control` has the focus; false when `most` presses
// did not bring it there.
bool TabTo(HWND control, int most = 40);
// A key pressed and released in the focused control, and handled.
void PressInFocus(WORD key);
void ReleaseModifiers();
void Click(HWND button);
// Replaces the whole text of an edit field through the keyboard's path.
void TypeInto(HWND field, const char* text);
// A left click at a point of a window's client area.
void ClickAt(HWND window, int x, int y);
// A left click near the top left of a control its parent paints, sent to the parent.
void ClickOn(const TGraphicControl& control);
// Moves the pointer to a screen point; false when it would not stay there.
bool MovePointer(POINT to);
