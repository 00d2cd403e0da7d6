#include "support/findwindows.h"

namespace {
std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}
}  // namespace

HWND FindThreadDialog()
{
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) {
            if (ClassOf(window) != "#32770" || !IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<HWND*>(result) = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindChildOfClass(HWND parent, const std::string& className)
{
    struct Search {
        std::string name;
        HWND found = nullptr;
    } search{className};
    EnumChildWindows(
        parent,
        [](HWND window, LPARAM data) {
            auto* search = reinterpret_cast<Search*>(data);
            if (search->name != ClassOf(window)) return TRUE;
            search->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
