#include "profiles/inifile.h"

#include <algorithm>
#include <cstdint>

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

// Names compare without regard to letter case. Both are cut at a zero byte already: the
// document's when it is read, the one asked for on each lookup.
bool SameName(std::string_view stored, std::string_view wanted)
{
    return stored.size() == wanted.size() && std::equal(stored.begin(), stored.end(), wanted.begin(),
                                                        [](char a, char b) { return Folded(a) == Folded(b); });
}

// FNV-1a of a name as SameName sees it, so names that compare equal hash equal.
size_t NameHash(std::string_view name)
{
    uint32_t hash = 2166136261u;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(Folded(c))) * 16777619u;
    return hash;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsIniSpace(static_cast<unsigned char>(text.front())))
        text.remove_prefix(1);
    while (!text.empty() && IsIniSpace(static_cast<unsigned char>(text.back())))
        text.remove_suffix(1);
    return text;
}

// A value in a pair of the same quote character, which the reader drops.
bool InQuotes(std::string_view value)
{
    return value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
}

// The reader's copy into the caller's buffer: a value in matching quotes loses the first, and
// the last too when the whole value fits. `cut`: the value may still hold a zero byte.
std::string CopyEntry(std::string_view value, size_t bufferSize, bool cut = true)
{
    if (bufferSize == 0) return {};
    if (cut) value = UpToZero(value);
    const bool quoted = InQuotes(value);
    if (quoted) value.remove_prefix(1);
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

IniDocument::IniDocument(std::string bytes) : m_bytes(std::move(bytes))
{
    const std::string_view text(m_bytes);
    // Names and values end at a zero byte; a file without one, as files are, needs no looking.
    const bool zeros = text.find('\0') != std::string_view::npos;
    const auto cut = [zeros](std::string_view part) { return zeros ? UpToZero(part) : part; };
    // Room for the usual store, a short line per key, so the lists grow seldom if at all.
    m_keys.reserve(text.size() / 12 + 1);
    m_sections.reserve(text.size() / 80 + 1);
    m_sections.push_back({{}, 0, 0});
    size_t at = 0;
    while (at < text.size()) {
        const size_t start = at;
        while (at < text.size() && text[at] != '\n' && text[at] != '\r')
            ++at;
        const std::string_view line = Trimmed(text.substr(start, at - start));
        while (at < text.size() && (text[at] == '\n' || text[at] == '\r'))
            ++at;
        if (line.empty()) continue;

        if (line.front() == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string_view::npos) {
                m_sections.push_back({cut(Trimmed(line.substr(1, close - 1))), m_keys.size(), 0});
                continue;
            }
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            m_keys.push_back({cut(line), {}, false});
        } else {
            // The value is kept cut too, so a read copies it as it stands.
            m_keys.push_back({cut(Trimmed(line.substr(0, equals))), cut(Trimmed(line.substr(equals + 1))), true});
        }
        ++m_sections.back().keyCount;
    }
    size_t slots = 16;
    while (slots < m_sections.size() * 2)
        slots *= 2;
    m_firstSection.assign(slots, kNoSection);
    for (size_t i = 0; i < m_sections.size(); ++i) {
        for (size_t slot = NameHash(m_sections[i].name) & (slots - 1);; slot = (slot + 1) & (slots - 1)) {
            if (m_firstSection[slot] == kNoSection) {
                m_firstSection[slot] = i;
                break;
            }
            if (SameName(m_sections[m_firstSection[slot]].name, m_sections[i].name)) break;  // a later one
        }
    }
}

const IniDocument::Section* IniDocument::FindSection(std::string_view section) const
{
    const size_t mask = m_firstSection.size() - 1;
    size_t slot = NameHash(section) & mask;
    while (m_firstSection[slot] != kNoSection && !SameName(m_sections[m_firstSection[slot]].name, section))
        slot = (slot + 1) & mask;
    return m_firstSection[slot] == kNoSection ? nullptr : &m_sections[m_firstSection[slot]];
}

const IniDocument::Key* IniDocument::Find(std::string_view section, std::string_view key) const
{
    // The names asked for are trimmed like the names in the file.
    key = UpToZero(Trimmed(key));
    // Only the first section of a name is searched, and in it the first key of a name.
    const Section* within = FindSection(UpToZero(Trimmed(section)));
    if (within == nullptr) return nullptr;
    for (size_t i = within->firstKey; i < within->firstKey + within->keyCount; ++i) {
        if (SameName(m_keys[i].name, key)) return &m_keys[i];
    }
    return nullptr;
}

void IniDocument::ReadMany(std::string_view section, std::span<const Lookup> lookups, std::span<std::string> values,
                           size_t bufferSize) const
{
    constexpr size_t kAtOnce = 16;
    const size_t count = std::min(lookups.size(), values.size());
    if (count > kAtOnce) {
        for (size_t i = 0; i < count; ++i)
            values[i] = Read(section, lookups[i].key, lookups[i].fallback, bufferSize);
        return;
    }
    std::string_view names[kAtOnce];
    const Key* found[kAtOnce] = {};
    for (size_t i = 0; i < count; ++i)
        names[i] = UpToZero(Trimmed(lookups[i].key));
    if (const Section* within = FindSection(UpToZero(Trimmed(section)))) {
        // The first key of each name, as Find would take it; later keys change nothing once
        // every name has its key.
        size_t foundCount = 0;
        for (size_t k = within->firstKey; k < within->firstKey + within->keyCount && foundCount < count; ++k) {
            for (size_t i = 0; i < count; ++i) {
                if (found[i] == nullptr && SameName(m_keys[k].name, names[i])) {
                    found[i] = &m_keys[k];
                    ++foundCount;
                }
            }
        }
    }
    for (size_t i = 0; i < count; ++i) {
        const bool present = found[i] != nullptr && found[i]->hasValue;
        values[i] =
            present ? CopyEntry(found[i]->value, bufferSize, false) : CopyEntry(lookups[i].fallback, bufferSize);
    }
}

std::string IniDocument::Read(std::string_view section, std::string_view key, std::string_view fallback,
                              size_t bufferSize) const
{
    const Key* entry = Find(section, key);
    if (entry != nullptr && entry->hasValue) return CopyEntry(entry->value, bufferSize, false);
    return CopyEntry(fallback, bufferSize);
}

void IniWriter::Section(std::string_view name)
{
    m_text += '[';
    m_text += name;
    m_text += "]\r\n";
}

void IniWriter::Key(std::string_view name, std::string_view value)
{
    // The writer sees a zero-ended string and drops the blanks around it.
    m_text += name;
    m_text += '=';
    m_text += Trimmed(UpToZero(value));
    m_text += "\r\n";
}

std::string IniProtected(std::string_view text)
{
    text = UpToZero(text);
    // Quotes around a value in a profile file are dropped, and doubling them keeps them
    // (Microsoft Knowledge Base Q69752, "GetProfileString" remarks): so a pair around any text
    // gives back exactly that text, blanks and quotes of its own included.
    if (Trimmed(text).size() == text.size() && !InQuotes(text)) return std::string(text);
    std::string quoted = "\"";
    quoted += text.substr(0, kIniLongestText);
    quoted += '"';
    return quoted;
}

std::string IniText(const std::vector<IniSection>& sections)
{
    IniWriter writer;
    for (const IniSection& section : sections) {
        writer.Section(section.name);
        for (const auto& [name, value] : section.keys)
            writer.Key(name, value);
    }
    return writer.Take();
}
