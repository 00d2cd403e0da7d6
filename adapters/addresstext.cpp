#include "adapters/addresstext.h"

std::string NormaliseAddressText(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        if (c != ' ') result.push_back(c);
    }
    if (result == "...") result.clear();
    return result;
}

bool IsIPv4Text(std::string_view text)
{
    int groups = 0;
    size_t position = 0;
    while (groups < 4) {
        if (groups > 0) {
            if (position >= text.size() || text[position] != '.') return false;
            ++position;
        }
        int value = 0;
        size_t digits = 0;
        for (; position < text.size() && text[position] >= '0' && text[position] <= '9' && digits < 3; ++digits)
            value = value * 10 + (text[position++] - '0');
        if (digits == 0 || value > 255) return false;
        ++groups;
    }
    return position == text.size();
}

std::string FirstIPv4(const std::vector<std::string>& elements)
{
    for (const std::string& element : elements) {
        if (IsIPv4Text(element)) return element;
    }
    return {};
}
