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
