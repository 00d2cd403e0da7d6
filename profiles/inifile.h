#pragma once
// The profile file read in one pass and written in one piece, by the rules of the platform's
// private-profile functions (GetPrivateProfileStringA, WritePrivateProfileStringA), so files
// read and written here are the files those functions read and write. Free of windows.h: a
// fuzzer and the differential tests reach it directly.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class IniDocument {
public:
    // Takes the file's bytes, text in the system's single-byte code page.
    explicit IniDocument(std::string_view bytes);

    // What the platform reader puts into a buffer of `bufferSize` characters (its zero
    // included) for this key: the value, or `fallback` when the section, the key or the key's
    // "=" is missing. Names match without regard to letter case; a value in matching quotes
    // loses them.
    std::string Read(std::string_view section, std::string_view key, std::string_view fallback,
                     size_t bufferSize = 2048) const;

    // False for files the platform reader decodes as Unicode (a byte-order mark): those are
    // left to the platform itself.
    static bool Readable(std::string_view bytes);

private:
    struct Key {
        std::string name;
        std::optional<std::string> value;
    };
    struct Section {
        std::string name;
        std::vector<Key> keys;
    };
    const Key* Find(std::string_view section, std::string_view key) const;

    std::vector<Section> m_sections;  // the first holds the keys above any section header
    // The first section of each name, by its name as lookups compare it: one step per lookup
    // however many sections the file holds.
    std::unordered_map<std::string, size_t> m_firstSection;
};

// One section of the store as the writer is given it: keys and values in writing order.
struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;
};

// The bytes the platform writer leaves in an empty file after writing these sections' keys
// one by one, in order.
std::string IniText(const std::vector<IniSection>& sections);

// The blanks the platform trims around names and values.
bool IsIniSpace(unsigned char c);
