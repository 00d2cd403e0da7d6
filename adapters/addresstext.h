#pragma once
// Tidies the text of a masked address field for storage: blanks out, and an untouched
// field ("   .   .   .   ") reads as empty. Free of windows.h so a fuzzer can reach it.
#include <string>
#include <string_view>

std::string NormaliseAddressText(std::string_view text);
