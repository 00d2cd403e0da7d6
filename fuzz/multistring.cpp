// The stored TCP/IP settings' byte rules on any bytes: the multi-string walk within its
// buffer whatever size a read reports, its round trip with the builder, field extraction
// against a plain split, and the stored string's cut at its zero.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "adapters/multistring.h"

namespace {
void Check(bool condition)
{
    if (!condition) std::abort();
}

void Walk(FuzzedDataProvider& data)
{
    const size_t reported = data.ConsumeIntegral<size_t>() % 4096;
    // Copied into a buffer of its exact size, so the sanitizer sees any read beyond it.
    const std::string bytes = data.ConsumeRemainingBytesAsString();
    std::vector<char> buffer(bytes.begin(), bytes.end());
    const std::vector<std::string> lines = WalkMultiString(std::string_view(buffer.data(), buffer.size()), reported);
    size_t total = 0;
    for (const std::string& line : lines) {
        Check(line.find('\0') == std::string::npos);
        total += line.size() + 1;
    }
    Check(total <= buffer.size());
    Check(StoredStringText(bytes).size() <= bytes.size());
    Check(StoredStringText(bytes).find('\0') == std::string::npos);
}

void RoundTrip(FuzzedDataProvider& data)
{
    std::vector<std::string> lines;
    const int count = data.ConsumeIntegralInRange<int>(0, 8);
    for (int i = 0; i < count; ++i) {
        std::string line = data.ConsumeRandomLengthString(32);
        for (char& c : line)
            if (c == '\0') c = '0';
        lines.push_back(line);
    }
    const std::string built = BuildMultiString(lines);
    Check(WalkMultiString(built, built.size()) == lines);
    Check(StoredStringText(built) == (lines.empty() ? "" : lines[0]));
}

void Fields(FuzzedDataProvider& data)
{
    const char separator = data.ConsumeIntegral<char>();
    const int n = data.ConsumeIntegral<int>();
    const std::string text = data.ConsumeRemainingBytesAsString();
    std::vector<std::string> fields(1);
    for (const char c : text) {
        if (c == separator)
            fields.emplace_back();
        else
            fields.back().push_back(c);
    }
    for (size_t i = 0; i < fields.size(); ++i)
        Check(ExtractField(text, static_cast<int>(i + 1), separator) == fields[i]);
    const bool inRange = n >= 1 && static_cast<size_t>(n) <= fields.size();
    Check(ExtractField(text, n, separator) == (inRange ? fields[static_cast<size_t>(n - 1)] : ""));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    switch (data.ConsumeIntegralInRange<int>(0, 2)) {
    case 0: Walk(data); break;
    case 1: RoundTrip(data); break;
    default: Fields(data); break;
    }
    return 0;
}
