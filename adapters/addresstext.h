#pragma once
// Address text rules, free of windows.h so a fuzzer can reach them.
#include <string>
#include <string_view>
#include <vector>

// Tidies the text of a masked address field for storage: blanks out, and an untouched
// field ("   .   .   .   ") reads as empty.
std::string NormaliseAddressText(std::string_view text);

// Dotted-decimal IPv4 text, an address or a mask: four groups of one to three digits, each
// at most 255.
bool IsIPv4Text(std::string_view text);
// The first element that is IPv4 text, or empty text. WMI lists an adapter's IPv4 addresses,
// masks and gateways first and its IPv6 ones (and prefix lengths such as "64") after them.
std::string FirstIPv4(const std::vector<std::string>& elements);
