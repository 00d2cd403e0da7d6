#include "ui/keyboardowner.h"

namespace {
struct OwnedSearch {
    HWND owner;
    HWND found = nullptr;
};

BOOL CALLBACK FindOwned(HWND window, LPARAM lParam)
{
    auto& search = *reinterpret_cast<OwnedSearch*>(lParam);
    if (GetWindow(window, GW_OWNER) != search.owner || !IsWindowVisible(window)) return TRUE;
    search.found = window;
    return FALSE;  // the first is the top of the z-order
}
}  // namespace

HWND KeyboardOwnerOf(HWND window)
{
    // A modal chain is a few windows long; the bound keeps a cycle of owners from looping.
    for (int depth = 0; window != nullptr && depth < 8; ++depth) {
        if (IsWindowEnabled(window)) return window;
        // GetLastActivePopup would name the dialog, but Wine answers with the window itself.
        OwnedSearch search{window};
        EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), &FindOwned, reinterpret_cast<LPARAM>(&search));
        window = search.found;
    }
    return nullptr;
}
