#pragma once
// What the tray icon needs of the toolkit's popup menu and image list, and the types of
// its mouse events.
#include <windows.h>

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

class TrayPopupMenu {
public:
    virtual bool AutoPopup() const = 0;
    // Shows the menu at the screen point; its OnPopup handler runs first. Returns when it closes.
    virtual void PopupAt(int x, int y) = 0;
    // Clicks the first top-level item marked as the default one; false when there is none.
    virtual bool ClickDefaultItem() = 0;

protected:
    ~TrayPopupMenu() = default;
};

class TrayImageList {
public:
    virtual int Count() const = 0;
    // A new icon made from image `index`; the caller owns it.
    virtual HICON MakeIcon(int index) const = 0;

protected:
    ~TrayImageList() = default;
};
