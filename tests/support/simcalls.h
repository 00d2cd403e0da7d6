#pragma once
// Reading the simulated network's log of calls: what the program sent, in order.
#include <windows.h>

#include <string>
#include <vector>

#include "simnet/simnetwork.h"

// The configuration method calls, without the queries.
std::vector<SimCall> MethodCalls(const SimNetwork& network);
size_t QueryCount(const SimNetwork& network);
// An array argument as the program must pass it: by reference, with lower bound 1.
void ExpectArrayByRef(const SimArg& arg, VARTYPE type);
void ExpectTextList(const SimArg& arg, const std::vector<std::wstring>& texts);

// An IP-enabled adapter: static 192.168.<index>.10/24, gateway .1, DNS .1, or DHCP.
SimAdapter TestAdapter(int32_t index, bool dhcp = false);
