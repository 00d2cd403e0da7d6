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

// The mandatory integrity level of a process ("Mandatory Integrity Control": the RID of its
// token's integrity SID, SECURITY_MANDATORY_LOW_RID .. SECURITY_MANDATORY_SYSTEM_RID): of the
// process that owns `window`, or of this process with none. 0 when it cannot be read, which
// counts as the lowest.
unsigned long IntegrityLevel(void* window = nullptr);
// Replaces how IntegrityLevel decides (tests: Wine runs every process at one level); returns
// the previous one. An empty function restores the tokens' answers.
using IntegrityQuery = std::function<unsigned long(void* window)>;
IntegrityQuery SetIntegrityQuery(IntegrityQuery query);
