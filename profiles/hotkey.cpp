#include "profiles/hotkey.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

namespace {
struct Modifier {
    UINT flag;
    const char* name;
};
constexpr Modifier kModifiers[] = {{MOD_CONTROL, "Ctrl"}, {MOD_ALT, "Alt"}, {MOD_SHIFT, "Shift"}, {MOD_WIN, "Win"}};

std::string KeyName(UINT key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    // Printed rather than joined to std::to_string: GCC 12 sees a false overlap in
    // `"F" + std::to_string(...)` once inlined (-Wrestrict) and the build takes no warning.
    char name[8];
    if (key >= VK_F1 && key <= VK_F24)
        std::snprintf(name, sizeof name, "F%u", key - VK_F1 + 1);
    else
        std::snprintf(name, sizeof name, "0x%02X", key & 0xFF);
    return name;
}

std::optional<UINT> KeyFromName(const std::string& name)
{
    if (name.size() == 1 && ((name[0] >= '0' && name[0] <= '9') || (name[0] >= 'A' && name[0] <= 'Z')))
        return static_cast<UINT>(name[0]);
    if (name.size() >= 2 && name[0] == 'F' && name.find_first_not_of("0123456789", 1) == std::string::npos) {
        const int number = std::atoi(name.c_str() + 1);
        if (number >= 1 && number <= 24) return static_cast<UINT>(VK_F1 + number - 1);
    }
    if (name.size() == 4 && name.rfind("0x", 0) == 0) {
        char* end = nullptr;
        const unsigned long code = std::strtoul(name.c_str() + 2, &end, 16);
        if (*end == '\0' && code > 0 && code < 0xFF) return static_cast<UINT>(code);
    }
    return std::nullopt;
}
}  // namespace

std::string HotKeyText(const HotKey& hotKey)
{
    std::string text;
    for (const Modifier& modifier : kModifiers) {
        if ((hotKey.modifiers & modifier.flag) != 0) text += std::string(modifier.name) + "+";
    }
    return text + KeyName(hotKey.key);
}

std::optional<HotKey> HotKeyFromText(const std::string& text)
{
    HotKey hotKey;
    size_t start = 0;
    for (size_t plus = text.find('+'); plus != std::string::npos; plus = text.find('+', start)) {
        const std::string part = text.substr(start, plus - start);
        const Modifier* found = nullptr;
        for (const Modifier& modifier : kModifiers) {
            if (part == modifier.name) found = &modifier;
        }
        if (found == nullptr || (hotKey.modifiers & found->flag) != 0) return std::nullopt;
        hotKey.modifiers |= found->flag;
        start = plus + 1;
    }
    const std::optional<UINT> key = KeyFromName(text.substr(start));
    if (!key) return std::nullopt;
    hotKey.key = *key;
    return hotKey;
}

std::optional<HotKey> HotKeyFromControlValue(WORD value)
{
    // "HKM_GETHOTKEY message": the key in the low byte, HOTKEYF_* in the high one.
    const UINT key = LOBYTE(value);
    if (key == 0) return std::nullopt;
    const UINT flags = HIBYTE(value);
    HotKey hotKey{0, key};
    if ((flags & HOTKEYF_CONTROL) != 0) hotKey.modifiers |= MOD_CONTROL;
    if ((flags & HOTKEYF_ALT) != 0) hotKey.modifiers |= MOD_ALT;
    if ((flags & HOTKEYF_SHIFT) != 0) hotKey.modifiers |= MOD_SHIFT;
    return hotKey;
}

WORD ControlValueOf(const HotKey& hotKey)
{
    BYTE flags = 0;
    if ((hotKey.modifiers & MOD_CONTROL) != 0) flags |= HOTKEYF_CONTROL;
    if ((hotKey.modifiers & MOD_ALT) != 0) flags |= HOTKEYF_ALT;
    if ((hotKey.modifiers & MOD_SHIFT) != 0) flags |= HOTKEYF_SHIFT;
    return MAKEWORD(static_cast<BYTE>(hotKey.key), flags);
}
