#pragma once
// The command ids of menu items. WM_COMMAND carries a 16-bit id, and the ids between the
// controls' and the system commands (SC_*) are fewer than the items of a long menu: an item
// holds one only while a kept menu lists it (ui/keptmenu.h), which takes it and gives it back.
#include <windows.h>

class TMenuItem;

// Raises "Out of menu command ids" when every id is held.
UINT TakeMenuCommand(TMenuItem& item);
// Ids outside the range, 0 among them, are ignored.
void GiveBackMenuCommand(UINT command) noexcept;
// The item holding the id, or null.
TMenuItem* MenuCommandItem(UINT command) noexcept;
