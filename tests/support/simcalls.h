#pragma once
// Reading the simulated network's log of calls: what the program sent, in order.
#include <windows.h>

#include <ostream>
#include <string>
#include <vector>

#include "simnet/simnetwork.h"

// The configuration method calls, without the queries.
std::vector<SimCall> MethodCalls(const SimNetwork& network);
// How many calls of `member` were logged so far ("EnableStatic"); QueryCount: of ExecQuery.
size_t CallCount(const SimNetwork& network, const std::wstring& member);
size_t QueryCount(const SimNetwork& network);
// An array argument as the program must pass it: by reference, with lower bound 1.
void ExpectArrayByRef(const SimArg& arg, VARTYPE type);

// A configuration call as the adapter saw it: its method and its arguments' texts, numbers
// written out, "~" for an omitted argument.
struct SeenCall {
    std::wstring member;
    std::vector<std::vector<std::wstring>> args;
    bool operator==(const SeenCall&) const = default;
};
void PrintTo(const SeenCall& call, std::ostream* os);
// The configuration calls logged so far, each array checked to come by reference with lower
// bound 1.
std::vector<SeenCall> SeenCalls(const SimNetwork& network);

// An IP-enabled adapter: static 192.168.<index>.10/24, gateway .1, DNS .1, or DHCP.
SimAdapter TestAdapter(int32_t index, bool dhcp = false);
