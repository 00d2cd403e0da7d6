// Velmora on the machine's real network: WMI through its moniker.
#include <windows.h>
#include <objbase.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // Single-threaded apartment: every window and WMI object lives on this thread.
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    CoUninitialize();
    return 0;
}
