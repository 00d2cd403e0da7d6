#pragma once
// Whether this process has administrator rights. Asked by the program before it hands a change
// to an elevated run, and by the simulated machine, which answers a configuration call from a
// process without them as Windows does.
#include <functional>

// An elevated token, or any token when UAC is off (TokenElevation says so for both).
bool ProcessElevated();
// Replaces how ProcessElevated decides (tests, and the simulated machine playing a standard
// user under Wine, where every process is elevated); returns the previous one. An empty
// function restores the token's answer.
using ElevationQuery = std::function<bool()>;
ElevationQuery SetElevationQuery(ElevationQuery query);
