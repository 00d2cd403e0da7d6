#pragma once
// Moving the running simulated laptop from outside: `velmora-simnet.exe --move office` leaves
// its request in a file beside the program and sets a named event that the running copy waits
// on with a thread of its own, which then moves the laptop or flaps its link.
#include <windows.h>

#include <string>

#include "core/handles.h"
#include "simnet/simnetwork.h"

// Leaves `request` ("move <place>" or "flap <count>") for the copy running from
// `programFolder` (ending in a backslash); false when none runs there.
bool SendLaptopRequest(const std::string& programFolder, const std::string& request);

// Takes the requests for the copy running from `programFolder` while it lives, one at a time
// (MoveLaptop, or FlapLink with the flaps spread over `flapWithinMs`). Going, it hurries a move
// in progress to its end and waits for it.
class LaptopRemote {
public:
    LaptopRemote(SimNetwork network, const std::string& programFolder, DWORD flapWithinMs);
    ~LaptopRemote();
    LaptopRemote(const LaptopRemote&) = delete;
    LaptopRemote& operator=(const LaptopRemote&) = delete;

private:
    static DWORD WINAPI Thread(void* self);
    void Serve();
    void Take(const std::string& request);

    SimNetwork m_network;
    std::string m_requestFile;
    DWORD m_flapWithinMs;
    UniqueHandle m_requested, m_stop, m_thread;
};
