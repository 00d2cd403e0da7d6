#include "adapters/wiretext.h"

#include <charconv>

namespace {
bool Plain(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' || c == ':' ||
           c == '{' || c == '}' || c == '_' || c == '-';
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

std::string Encode(const std::string& value)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : value) {
        if (Plain(c)) {
            text += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            text += '%';
            text += hex[byte >> 4];
            text += hex[byte & 15];
        }
    }
    return text;
}

std::optional<std::string> Decode(const std::string& text)
{
    std::string value;
    for (size_t i = 0; i < text.size(); ++i) {
        if (Plain(text[i])) {
            value += text[i];
            continue;
        }
        if (text[i] != '%' || i + 2 >= text.size()) return std::nullopt;
        const int high = HexDigit(text[i + 1]);
        const int low = HexDigit(text[i + 2]);
        if (high < 0 || low < 0) return std::nullopt;
        value += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return value;
}

std::string EncodeList(const std::vector<std::string>& values)
{
    std::string text;
    for (const std::string& value : values)
        text += Encode(value) + ',';
    return text;
}

std::optional<std::vector<std::string>> DecodeList(const std::string& text)
{
    std::vector<std::string> values;
    if (!text.empty() && text.back() != ',') return std::nullopt;
    size_t start = 0;
    while (start < text.size()) {
        const size_t comma = text.find(',', start);
        const std::optional<std::string> value = Decode(text.substr(start, comma - start));
        if (!value) return std::nullopt;
        values.push_back(*value);
        start = comma + 1;
    }
    return values;
}

std::optional<int32_t> DecodeInt(const std::string& text)
{
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
    return value;
}

std::optional<bool> DecodeFlag(const std::string& text, const char* yes, const char* no)
{
    if (text == yes) return true;
    if (text == no) return false;
    return std::nullopt;
}

std::string HexEncode(const std::string& bytes)
{
    static const char hex[] = "0123456789ABCDEF";
    std::string text;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        text += hex[byte >> 4];
        text += hex[byte & 15];
    }
    return text;
}

std::optional<std::string> HexDecode(const std::string& text)
{
    if (text.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    for (size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}
