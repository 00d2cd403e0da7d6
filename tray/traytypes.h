#pragma once
// The types of the tray icon's mouse events and notifications.
#include <cstdint>

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state: keyboard modifiers, and for button events the button concerned.
using TShiftState = uint8_t;
enum : TShiftState { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };

// The symbol a notification shows beside its title.
enum class NotificationKind { Info, Warning, Error };
