#include "adapters/multistring.h"

#include <algorithm>

std::vector<std::string> WalkMultiString(std::string_view buffer, size_t reportedSize)
{
    // The last reported byte is the list's final zero in well-formed data; a read that
    // reports more than it was given room for (the value grew meanwhile) stops at the buffer.
    const size_t end = reportedSize == 0 ? 0 : std::min(reportedSize - 1, buffer.size());
    std::vector<std::string> lines;
    std::string current;
    for (size_t i = 0; i < end; ++i) {
        if (buffer[i] == '\0') {
            lines.push_back(std::move(current));
            current.clear();
        } else {
            current.push_back(buffer[i]);
        }
    }
    return lines;
}

std::string BuildMultiString(const std::vector<std::string>& lines)
{
    std::string data;
    for (const std::string& line : lines) {
        data += line;
        data.push_back('\0');
    }
    data.push_back('\0');
    return data;
}

std::string ExtractField(std::string_view text, int n, char separator)
{
    if (n < 1) return {};
    size_t start = 0;
    for (int field = 1; field < n; ++field) {
        const size_t next = text.find(separator, start);
        if (next == std::string_view::npos) return {};
        start = next + 1;
    }
    const size_t end = text.find(separator, start);
    return std::string(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
}

std::string StoredStringText(std::string_view bytes) { return std::string(bytes.substr(0, bytes.find('\0'))); }
