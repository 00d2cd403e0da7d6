#pragma once
// STAND-IN, to be deleted when the simulated network (simnet/simnetwork.h) is merged: the
// part of it the simulated-network program uses. Until then the connection fails with a
// message saying so. Nothing else may include this file.
#include "core/error.h"
#include "core/variant.h"

class SimNetwork {
public:
    Variant Services() const { RaiseError("The simulated network is not built into this program yet"); }
};

inline SimNetwork MakeDemoNetwork(int = 8) { return {}; }
