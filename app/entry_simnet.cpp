// Velmora on the simulated network, for machines whose network must not change.
#include <windows.h>

#include "app/pending_simnet.h"
#include "app/startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    // The network lives as long as the program; the main window holds its services object.
    static SimNetwork network = MakeDemoNetwork();
    return RunVelmora([] { return network.Services(); });
}
