#pragma once
// The address rules the simulated configuration methods apply, kept free of windows.h so
// they can be tested on their own.
#include <cstdint>
#include <optional>
#include <string_view>

// Dotted-decimal IPv4 ("192.168.1.10"): four decimal groups of one to three digits, each
// at most 255, nothing else. The address as a host-order number, or none.
std::optional<uint32_t> ParseIPv4(std::wstring_view text);

// An address a host may be given or route through: not 0.x.x.x, not loopback (127.x.x.x),
// not multicast or reserved (224 and above).
bool IsUnicastIPv4(std::wstring_view text);

// A subnet mask: ones from the top, then zeros, and at least one bit set.
bool IsSubnetMask(std::wstring_view text);
