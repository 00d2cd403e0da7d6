#pragma once
// How the profile file's integer and Boolean values read. Plain functions, no platform
// headers, so they can be tested and fuzzed on their own.
#include <cstdint>
#include <optional>
#include <string_view>

// An optional sign, then decimal digits, or hexadecimal digits after "$", or after "0x"/"0X"
// when the text is longer than those two characters. Nothing else, not even blanks (the
// platform's reader has trimmed them already). Decimal outside the 32-bit range is not an
// integer; hexadecimal names up to 32 bits, so "$FFFFFFFF" is -1.
std::optional<int32_t> ParseIniInteger(std::string_view text);

// Non-zero integer: true; zero, missing (empty) or not an integer: false.
bool IniBoolean(std::string_view text);
