// The profile file's integer and Boolean rules against a plain reference on any text.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "profiles/inirules.h"

namespace {
void Check(bool condition)
{
    if (!condition) std::abort();
}

// The rule written the long way: digits gathered in a wide integer, the range checked once.
std::optional<int32_t> Reference(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.substr(0, 1) == "$") {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() > 2 && (text.substr(0, 2) == "0x" || text.substr(0, 2) == "0X")) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return std::nullopt;
    unsigned __int128 value = 0;
    for (const char c : text) {
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0) return std::nullopt;
        value = value * base + digit;
        if (value > (static_cast<unsigned __int128>(1) << 40)) value = static_cast<unsigned __int128>(1) << 40;
    }
    if (base == 16) {
        if (value > 0xFFFFFFFFu) return std::nullopt;
        const uint32_t bits = static_cast<uint32_t>(value);
        return static_cast<int32_t>(negative ? 0u - bits : bits);
    }
    const int64_t signedValue = negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
    if (signedValue < INT32_MIN || signedValue > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(signedValue);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(bytes), size);
    const std::optional<int32_t> value = ParseIniInteger(text);
    Check(value == Reference(text));
    Check(IniBoolean(text) == (value.has_value() && *value != 0));
    // Every integer the store writes reads back.
    if (value) Check(ParseIniInteger(std::to_string(*value)) == value);
    return 0;
}
