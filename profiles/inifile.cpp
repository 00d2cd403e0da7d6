#include "profiles/inifile.h"

#include <algorithm>

bool IsIniSpace(unsigned char c)
{
    // The reader's white space, seen through the single-byte code page; 0x1A is the old
    // end-of-file mark, which it takes as a blank too.
    return (c >= 0x09 && c <= 0x0D) || c == ' ' || c == 0x1A;
}

namespace {
// The platform keeps names and values as zero-ended strings: whatever follows a zero byte
// inside one is never seen.
std::string_view UpToZero(std::string_view text) { return text.substr(0, std::min(text.find('\0'), text.size())); }

char Folded(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// A name as lookups compare it: up to a zero byte, letters folded.
std::string LookupName(std::string_view name)
{
    std::string folded(UpToZero(name));
    for (char& c : folded) c = Folded(c);
    return folded;
}

bool SameName(std::string_view stored, std::string_view wanted)
{
    stored = UpToZero(stored);
    return stored.size() == wanted.size() && std::equal(stored.begin(), stored.end(), wanted.begin(),
                                                        [](char a, char b) { return Folded(a) == Folded(b); });
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsIniSpace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && IsIniSpace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// The reader's copy into the caller's buffer: a value in matching quotes loses the first, and
// the last too when the whole value fits.
std::string CopyEntry(std::string_view value, size_t bufferSize)
{
    if (bufferSize == 0) return {};
    value = UpToZero(value);
    bool quoted = false;
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
        quoted = true;
        value.remove_prefix(1);
    }
    std::string copy(value.substr(0, std::min(value.size(), bufferSize - 1)));
    if (quoted && bufferSize >= value.size() && !copy.empty()) copy.pop_back();
    return copy;
}
}  // namespace

bool IniDocument::Readable(std::string_view bytes)
{
    const auto startsWith = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
    return !startsWith("\xEF\xBB\xBF") && !startsWith("\xFF\xFE") && !startsWith("\xFE\xFF");
}

IniDocument::IniDocument(std::string_view bytes)
{
    m_sections.push_back({});
    size_t at = 0;
    while (at < bytes.size()) {
        const size_t start = at;
        while (at < bytes.size() && bytes[at] != '\n' && bytes[at] != '\r')
            ++at;
        std::string_view line = Trimmed(bytes.substr(start, at - start));
        while (at < bytes.size() && (bytes[at] == '\n' || bytes[at] == '\r'))
            ++at;
        if (line.empty()) continue;

        if (line.front() == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                m_sections.push_back({std::string(Trimmed(line.substr(1, close - 1))), {}});
                continue;
            }
        }
        Key key;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            key.name = line;
        } else {
            key.name = Trimmed(line.substr(0, equals));
            key.value = std::string(Trimmed(line.substr(equals + 1)));
        }
        m_sections.back().keys.push_back(std::move(key));
    }
    for (size_t i = 0; i < m_sections.size(); ++i) m_firstSection.emplace(LookupName(m_sections[i].name), i);
}

const IniDocument::Key* IniDocument::Find(std::string_view section, std::string_view key) const
{
    // The names asked for are trimmed like the names in the file.
    section = Trimmed(section);
    key = Trimmed(key);
    // Only the first section of a name is searched, and in it the first key of a name.
    const auto found = m_firstSection.find(LookupName(section));
    if (found == m_firstSection.end()) return nullptr;
    for (const Key& entry : m_sections[found->second].keys) {
        if (SameName(entry.name, key)) return &entry;
    }
    return nullptr;
}

std::string IniDocument::Read(std::string_view section, std::string_view key, std::string_view fallback,
                              size_t bufferSize) const
{
    const Key* entry = Find(section, key);
    return CopyEntry(entry != nullptr && entry->value ? std::string_view(*entry->value) : fallback, bufferSize);
}

std::string IniText(const std::vector<IniSection>& sections)
{
    std::string text;
    for (const IniSection& section : sections) {
        text += "[" + section.name + "]\r\n";
        for (const auto& [name, value] : section.keys) {
            // The writer sees a zero-ended string and drops the blanks around it.
            const std::string_view stored = Trimmed(UpToZero(value));
            text += name;
            text += '=';
            text += stored;
            text += "\r\n";
        }
    }
    return text;
}
