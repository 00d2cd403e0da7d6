// The profile file reader and writer on arbitrary bytes. Besides not crashing, what the
// writer puts out must read back: a value written under a key is the value read under it.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "profiles/inifile.h"

namespace {
std::string Trimmed(std::string text)
{
    const size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    while (!text.empty() && IsIniSpace(static_cast<unsigned char>(text.front())))
        text.erase(0, 1);
    while (!text.empty() && IsIniSpace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    return text;
}

void Check(bool condition)
{
    if (!condition) std::abort();
}

// Any file: lookups of names from the file's own bytes and of the store's names, through
// buffers of any size, give at most the buffer's room less its zero, and never a zero byte.
void ReadAnything(FuzzedDataProvider& data)
{
    const std::string section = data.ConsumeRandomLengthString(16);
    const std::string key = data.ConsumeRandomLengthString(16);
    const size_t bufferSize = data.ConsumeIntegralInRange<size_t>(0, 64);
    const std::string bytes = data.ConsumeRemainingBytesAsString();
    if (!IniDocument::Readable(bytes)) return;
    const IniDocument document(bytes);
    const auto check = [&](const std::string& s, const std::string& k) {
        const std::string small = document.Read(s, k, "fallback", bufferSize);
        Check(bufferSize == 0 ? small.empty() : small.size() < bufferSize);
        const std::string full = document.Read(s, k, "fallback");
        Check(full.find('\0') == std::string::npos);
        Check(full.size() < 2048);
    };
    check(section, key);
    for (const char* s : {"0", "1", " 0 "})
        for (const char* k : {"ip", "dhcp", "IP"})
            check(s, k);
    // Read at once, the same as one by one.
    const IniDocument::Lookup lookups[] = {{key, "fallback"}, {"ip", ""}, {"IP", "x"}, {section, ""}};
    std::string values[4];
    document.ReadMany(section, lookups, values, bufferSize);
    for (size_t i = 0; i < 4; ++i)
        Check(values[i] == document.Read(section, lookups[i].key, lookups[i].fallback, bufferSize));
}

// Sections numbered 0, 1, ... with the store's keys and values from the input: every value
// reads back as the writer stored it (trimmed, cut at a zero), once its line ends are gone;
// a value protected first reads back exactly as it was, cut at a zero.
void WriteThenRead(FuzzedDataProvider& data)
{
    static const char* const kKeys[] = {"ip", "mask", "gw", "dns1", "dns2", "name", "dhcp"};
    std::vector<IniSection> sections;
    std::vector<std::string> expected;
    const int count = data.ConsumeIntegralInRange<int>(0, 4);
    for (int i = 0; i < count; ++i) {
        IniSection section{std::to_string(i), {}};
        for (const char* key : kKeys) {
            std::string value = data.ConsumeRandomLengthString(40);
            // A line end inside a value starts a new line: the caller never writes one.
            for (char& c : value)
                if (c == '\r' || c == '\n') c = ' ';
            const bool protect = data.ConsumeBool();
            std::string back = protect ? value.substr(0, value.find('\0')) : Trimmed(value);
            if (!protect && back.size() >= 2 && (back.front() == '"' || back.front() == '\'') &&
                back.back() == back.front()) {
                back = back.substr(1, back.size() - 2);
            }
            section.keys.emplace_back(key, protect ? IniProtected(value) : value);
            expected.push_back(back);
        }
        sections.push_back(std::move(section));
    }
    const std::string text = IniText(sections);
    if (!IniDocument::Readable(text)) return;
    const IniDocument document(text);
    size_t next = 0;
    for (const IniSection& section : sections) {
        for (const auto& entry : section.keys)
            Check(document.Read(section.name, entry.first, "missing") == expected[next++]);
    }
    Check(document.Read(std::to_string(count), "ip", "missing") == "missing");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    if (data.ConsumeBool())
        ReadAnything(data);
    else
        WriteThenRead(data);
    return 0;
}
