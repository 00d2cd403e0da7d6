#pragma once
// The types of the tray icon's mouse events.
#include <cstdint>

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state: keyboard modifiers, and for button events the button concerned.
using TShiftState = uint8_t;
constexpr TShiftState ssShift = 1;
constexpr TShiftState ssAlt = 2;
constexpr TShiftState ssCtrl = 4;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;
