// Velmora on the simulated network, for machines whose network must not change.
#include <windows.h>

#include "app/startup.h"
#include "simnet/simnetwork.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The network lives as long as the program; the main window holds its services object.
    SimNetwork network = MakeDemoNetwork();
    return RunVelmora([&network] { return network.Services(); });
}
