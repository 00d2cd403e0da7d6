// Velmora on the machine's real network: WMI through its moniker.
#include <windows.h>

#include "adapters/wmiworks.h"
#include "app/elevatedrun.h"
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunVelmora([] { return ConnectServicesFunction([] { return ConnectWmiServices(); }); }, ProgramArguments());
}
