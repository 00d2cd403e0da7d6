#pragma once
// The profile file read in one pass and written in one piece, by the rules of the platform's
// private-profile functions (GetPrivateProfileStringA, WritePrivateProfileStringA), so files
// read and written here are the files those functions read and write. Free of windows.h: a
// fuzzer and the differential tests reach it directly.
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class IniDocument {
public:
    // Takes the file's bytes, text in the system's single-byte code page, and keeps them:
    // names and values are looked up where they stand.
    explicit IniDocument(std::string bytes);
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    // What the platform reader puts into a buffer of `bufferSize` characters (its zero
    // included) for this key: the value, or `fallback` when the section, the key or the key's
    // "=" is missing. Names match without regard to letter case; a value in matching quotes
    // loses them.
    std::string Read(std::string_view section, std::string_view key, std::string_view fallback,
                     size_t bufferSize = 2048) const;

    // Several keys of one section at once: values[i] gets what Read(section, lookups[i].key,
    // lookups[i].fallback) gives. The section is found once and its keys are walked once.
    struct Lookup {
        std::string_view key;
        std::string_view fallback;
    };
    void ReadMany(std::string_view section, std::span<const Lookup> lookups, std::span<std::string> values,
                  size_t bufferSize = 2048) const;

    // False for files the platform reader decodes as Unicode (a byte-order mark): those are
    // left to the platform itself.
    static bool Readable(std::string_view bytes);

private:
    struct Key {
        std::string_view name;
        std::string_view value;
        bool hasValue;  // the line has its "="
    };
    struct Section {
        std::string_view name;
        size_t firstKey;  // a section's keys follow one another in m_keys
        size_t keyCount;
    };
    // The first section of a name (trimmed and cut at a zero byte already), or null.
    const Section* FindSection(std::string_view section) const;
    const Key* Find(std::string_view section, std::string_view key) const;

    std::string m_bytes;
    std::vector<Key> m_keys;
    std::vector<Section> m_sections;  // the first holds the keys above any section header
    // The first section of each name, hashed by its name as lookups compare it (open
    // addressing, a power of two of slots, kNoSection for an empty one): one step per lookup
    // however many sections the file holds, and no allocation per section.
    static constexpr size_t kNoSection = static_cast<size_t>(-1);
    std::vector<size_t> m_firstSection;
};

// One section of the store as the writer is given it: keys and values in writing order.
struct IniSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;
};

// The bytes the platform writer leaves in an empty file after writing these sections' keys
// one by one, in order.
std::string IniText(const std::vector<IniSection>& sections);

// The same bytes built section by section, key by key, straight into one buffer. Each
// section's name is new to the file, as are the names of the keys within a section.
class IniWriter {
public:
    explicit IniWriter(size_t expectedSize = 0) { m_text.reserve(expectedSize); }
    void Section(std::string_view name);
    void Key(std::string_view name, std::string_view value);
    std::string Take() { return std::move(m_text); }

private:
    std::string m_text;
};

// The reader drops the blanks around a value and one pair of enclosing quotes, and gives at
// most 2,047 characters. A value written in double quotes loses just those quotes, so the
// quoted form of any text of up to kIniLongestText characters fits the reader's buffer whole.
inline constexpr size_t kIniLongestText = 2046;

// What to hand the writer so that the reader gives `text` (up to its first zero byte) back: the
// text itself when the reader takes it as it stands, as earlier versions always wrote it;
// otherwise its first kIniLongestText characters in double quotes.
std::string IniProtected(std::string_view text);

// The blanks the platform trims around names and values.
bool IsIniSpace(unsigned char c);
