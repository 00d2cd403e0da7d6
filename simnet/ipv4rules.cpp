#include "simnet/ipv4rules.h"

std::optional<uint32_t> ParseIPv4(std::wstring_view text)
{
    uint32_t address = 0;
    size_t position = 0;
    for (int group = 0; group < 4; ++group) {
        if (group > 0) {
            if (position >= text.size() || text[position] != L'.') return std::nullopt;
            ++position;
        }
        uint32_t value = 0;
        size_t digits = 0;
        while (position < text.size() && text[position] >= L'0' && text[position] <= L'9' && digits < 3) {
            value = value * 10 + static_cast<uint32_t>(text[position] - L'0');
            ++position;
            ++digits;
        }
        if (digits == 0 || value > 255) return std::nullopt;
        address = (address << 8) | value;
    }
    if (position != text.size()) return std::nullopt;
    return address;
}

bool IsUnicastIPv4(std::wstring_view text)
{
    const std::optional<uint32_t> address = ParseIPv4(text);
    if (!address) return false;
    const uint32_t first = *address >> 24;
    return first != 0 && first != 127 && first < 224;
}

bool IsSubnetMask(std::wstring_view text)
{
    const std::optional<uint32_t> mask = ParseIPv4(text);
    if (!mask || *mask == 0) return false;
    // Contiguous ones from the top: the inverted mask plus one is a power of two.
    const uint32_t hostBits = ~*mask;
    return (hostBits & (hostBits + 1)) == 0;
}
