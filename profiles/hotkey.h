#pragma once
// A profile's shortcut key, as the store keeps it ("Ctrl+Alt+O") and as Windows takes it.
#include <windows.h>

#include <optional>
#include <string>

struct HotKey {
    UINT modifiers = 0;  // MOD_ALT, MOD_CONTROL, MOD_SHIFT, MOD_WIN
    UINT key = 0;        // a virtual-key code

    bool operator==(const HotKey&) const = default;
};

// "Ctrl+Alt+O", "Shift+F9", "Ctrl+Alt+0x6B": the modifiers, then the key's letter, digit or
// function key name, or its virtual-key code in hexadecimal.
std::string HotKeyText(const HotKey& hotKey);
// None for a text that names no key.
std::optional<HotKey> HotKeyFromText(const std::string& text);

// The value of a hot key control (HKM_GETHOTKEY, HKM_SETHOTKEY), and back; 0 for none.
std::optional<HotKey> HotKeyFromControlValue(WORD value);
WORD ControlValueOf(const HotKey& hotKey);
