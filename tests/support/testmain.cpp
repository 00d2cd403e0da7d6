// The program runs in a single-threaded COM apartment; so do its tests.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include "core/messagebox.h"

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // The simulated program a test starts takes no time unless the test asks for it.
    SetEnvironmentVariableA("VELMORA_SIMNET_TIMING", "0");
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 2;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    // A box no test expects fails the test that met it, with its text, instead of waiting for a
    // person; tests that expect boxes record them (support/boxes.h).
    SetMessageBoxHandler([](HWND, const std::string& text, const std::string& caption, UINT) {
        ADD_FAILURE() << "unexpected message box \"" << caption << "\": " << text;
        return IDCANCEL;
    });
    const int result = RUN_ALL_TESTS();
    CoUninitialize();
    return result;
}
