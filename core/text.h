#pragma once
// The program keeps its texts in the system's ANSI code page, as the profile file and the
// registry's ...A functions give them; COM speaks UTF-16. These two cross the border.
#include <string>
#include <string_view>

std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

// The items, each written by `text`, with `separator` between them.
template <typename Items, typename Text>
std::string JoinedBy(const Items& items, char separator, Text&& text)
{
    std::string joined;
    bool first = true;
    for (const auto& item : items) {
        if (!first) joined += separator;
        joined += text(item);
        first = false;
    }
    return joined;
}
