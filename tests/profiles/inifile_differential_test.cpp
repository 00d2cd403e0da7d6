// The one-pass reader and writer against the platform's own private-profile functions, on
// many generated files: whatever the platform finds or writes, they must find or write too.
#include <gtest/gtest.h>

#include <windows.h>

#include <iterator>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "profiles/inifile.h"
#include "profiles/inirules.h"
#include "profiles/iprofile.h"
#include "support/profiledata.h"
#include "support/tempfolder.h"

namespace {
// A generated file's name: its kind's letter and the seed it was made from.
std::string SeedFile(char kind, unsigned seed)
{
    std::string name(1, kind);
    name += std::to_string(seed);
    name += ".ini";
    return name;
}

const char* const kSections[] = {"0", "1", "2", "3", "", " 0", "IP"};
const char* const kKeys[] = {"ip", "mask", "gw", "dns1", "dns2", "name", "dhcp", ";c", ""};
const char* const kFallbacks[] = {"error string", ""};

std::string PlatformRead(const std::string& path, const char* section, const char* key, const char* fallback)
{
    std::vector<char> buffer(2048, '\0');
    GetPrivateProfileStringA(section, key, fallback, buffer.data(), 2048, path.c_str());
    return std::string(buffer.data());
}

// Long runs of one letter make a failure unreadable: show them by their length.
std::string Shortened(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t j = i;
        while (j < text.size() && text[j] == text[i])
            ++j;
        out += j - i > 8 ? std::string(1, text[i]) + "{" + std::to_string(j - i) + "}" : text.substr(i, j - i);
        i = j;
    }
    return out;
}

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    std::string File()
    {
        std::string text;
        const int lines = Pick(0, 30);
        for (int i = 0; i < lines; ++i)
            text += Line() + LineEnd();
        if (Chance(4)) text += Line();  // no final line end
        return text;
    }

    std::string Value()
    {
        switch (Pick(0, 11)) {
        case 0: return "";
        case 1: return "  " + Word() + "  ";
        case 2: return "\"" + Word() + "\"";
        case 3: return "'" + Word() + "\"";
        case 4: return std::string(Pick(2040, 2060), 'v');
        case 5: return "\"" + std::string(Pick(2044, 2050), 'q') + "\"";
        case 6: return Stray() + Word() + Stray();
        case 7: return Word() + std::string(1, '\0') + Word();
        case 8: return "\"\t" + Word() + " \"";  // reads with blanks around it
        case 9: return "'\"" + Word() + "\"'";   // reads in quotes
        default: return Word();
        }
    }

    // A store as a user's editor may leave it: numbered sections with the profile keys in any
    // order and letter case, blanks, quotes, duplicates and noise between them.
    std::string Store()
    {
        std::string text;
        const int sections = Pick(1, 5);
        for (int n = 0; n < sections; ++n) {
            text += Blank() + "[" + Blank() + std::to_string(n) + Blank() + "]" + LineEnd();
            if (!Chance(5)) text += "ip=" + Value() + LineEnd();
            const int keys = Pick(0, 9);
            for (int k = 0; k < keys; ++k) {
                std::string name = kKeys[Pick(0, 6)];
                if (Chance(3)) name[0] = static_cast<char>(toupper(static_cast<unsigned char>(name[0])));
                text += Blank() + name + Blank() + "=" + Blank() + Value() + Blank() + LineEnd();
                if (Chance(6)) text += Line() + LineEnd();
            }
        }
        return text;
    }

private:
    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool Chance(int oneIn) { return Pick(1, oneIn) == 1; }
    std::string Blank()
    {
        static const char* const blanks[] = {"", " ", "\t", "  ", "\x1a", "\xa0", "\x0b", "\x1f"};
        return blanks[Pick(0, 7)];
    }
    std::string Stray() { return std::string(1, static_cast<char>(Pick(1, 255))); }
    std::string Word()
    {
        static const char* const words[] = {"192.168.1.10", "255.255.255.0", "Office", "Home net", "1",     "0x1", "$1",
                                            "yes",          "error string",  "a=b",    "[x]",      ";note", "\"",  "'"};
        return words[Pick(0, 13)];
    }
    std::string Name()
    {
        std::string name = kKeys[Pick(0, 8)];
        if (Chance(3)) name[0] = static_cast<char>(toupper(static_cast<unsigned char>(name[0])));
        if (Chance(8)) name += Stray();
        return name;
    }
    std::string Line()
    {
        switch (Pick(0, 9)) {
        case 0: return Blank() + "[" + Blank() + kSections[Pick(0, 6)] + Blank() + "]" + Blank();
        case 1: return "[" + std::string(kSections[Pick(0, 3)]) + "]" + (Chance(2) ? " trailing ]x" : "");
        case 2: return "[" + std::string(kSections[Pick(0, 3)]);  // no closing bracket
        case 3: return Name();                                    // no "="
        case 4: return ";" + Name() + "=" + Value();
        case 5: return "";
        case 6: return Stray() + Stray();
        default: return Blank() + Name() + Blank() + "=" + Blank() + Value() + Blank();
        }
    }
    std::string LineEnd()
    {
        static const char* const ends[] = {"\r\n", "\n", "\r", "\n\r", "\r\n\r\n"};
        return ends[Pick(0, 4)];
    }

    std::mt19937 m_random;
};
}  // namespace

TEST(IniDocument, FindsWhatThePlatformReaderFindsInGeneratedFiles)
{
    TempFolder folder;
    int compared = 0;
    for (unsigned seed = 1; seed <= 300; ++seed) {
        Generator generate(seed);
        const std::string bytes = generate.File();
        // A fresh name for each file: the platform caches what it read by name and time.
        const std::string path = folder.File("gen" + std::to_string(seed) + ".ini");
        WriteFileBytes(path, bytes);
        const IniDocument document(bytes);
        for (const char* section : kSections) {
            // All the keys at once, each with a fallback of its own, and some twice.
            std::vector<IniDocument::Lookup> lookups;
            std::vector<std::string> expected;
            for (const char* key : kKeys) {
                for (const char* fallback : kFallbacks) {
                    const std::string platform = PlatformRead(path, section, key, fallback);
                    ASSERT_EQ(document.Read(section, key, fallback), platform)
                        << "file " << seed << " [" << section << "] " << key << "\n"
                        << testing::PrintToString(Shortened(bytes));
                    ++compared;
                    lookups.push_back({key, fallback});
                    expected.push_back(platform);
                }
            }
            // Sixteen are walked together; more are read one by one.
            for (const size_t count : {size_t{16}, lookups.size()}) {
                std::vector<std::string> values(count);
                document.ReadMany(section, std::span(lookups).first(count), values);
                ASSERT_EQ(values, std::vector<std::string>(expected.begin(), expected.begin() + count))
                    << "file " << seed << " [" << section << "] " << count << " read at once";
            }
        }
    }
    EXPECT_GT(compared, 30000);
}

TEST(IniDocument, TrimsExactlyTheBytesThePlatformTrims)
{
    TempFolder folder;
    for (int b = 1; b < 256; ++b) {
        const std::string c(1, static_cast<char>(b));
        if (c == "\r" || c == "\n" || c == "=" || c == "[") continue;
        const std::string bytes = "[s]\r\n" + c + "k" + c + "=" + c + "v" + c + "\r\n";
        const std::string path = folder.File("byte" + std::to_string(b) + ".ini");
        WriteFileBytes(path, bytes);
        const IniDocument document(bytes);
        EXPECT_EQ(document.Read("s", "k", "-"), PlatformRead(path, "s", "k", "-")) << "byte " << b;
        const std::string name = c + "k" + c;
        EXPECT_EQ(document.Read("s", name, "-"), PlatformRead(path, "s", name.c_str(), "-")) << "byte " << b;
    }
}

TEST(IniDocument, LeavesUnicodeFilesToThePlatform)
{
    EXPECT_FALSE(IniDocument::Readable("\xEF\xBB\xBF[0]\r\nip=1\r\n"));
    EXPECT_FALSE(IniDocument::Readable("\xFF\xFE[\0"));
    EXPECT_FALSE(IniDocument::Readable("\xFE\xFF\0["));
    EXPECT_TRUE(IniDocument::Readable("[0]\r\nip=1\r\n"));
    EXPECT_TRUE(IniDocument::Readable(""));
}

TEST(IniText, WritesWhatThePlatformWriterWritesKeyByKey)
{
    TempFolder folder;
    const char* keys[] = {"ip", "mask", "gw", "dns1", "dns2", "name", "dhcp"};
    for (unsigned seed = 1; seed <= 60; ++seed) {
        Generator generate(seed * 7919);
        std::vector<IniSection> sections;
        const int count = static_cast<int>(seed % 6);
        for (int i = 0; i < count; ++i) {
            IniSection section{std::to_string(i), {}};
            for (const char* key : keys) {
                // The store's last key is "dhcp", always "0" or "1" as the program writes it.
                section.keys.emplace_back(key,
                                          std::string(key) == "dhcp" ? std::to_string(seed % 2) : generate.Value());
            }
            sections.push_back(std::move(section));
        }
        const std::string path = folder.File(SeedFile('w', seed));
        WriteFileBytes(path, "");
        for (const IniSection& section : sections) {
            for (const auto& [key, value] : section.keys) {
                WritePrivateProfileStringA(section.name.c_str(), key.c_str(), value.c_str(), path.c_str());
            }
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
        const std::string expected = ReadFileBytes(path);
        const std::string written = IniText(sections);
        ASSERT_TRUE(written == expected) << "seed " << seed << "\n"
                                         << testing::PrintToString(Shortened(written)) << "\n"
                                         << testing::PrintToString(Shortened(expected));
    }
}

TEST(ProfileStore, LoadAndSaveGiveWhatThePlatformsReaderAndWriterGive)
{
    TempFolder folder;
    const char* keys[] = {"ip", "mask", "gw", "dns1", "dns2", "name", "dhcp"};
    int profiles = 0;
    for (unsigned seed = 1; seed <= 150; ++seed) {
        Generator generate(seed * 104729);
        const std::string source = folder.File(SeedFile('s', seed));
        WriteFileBytes(source, generate.Store());

        TListItems list;
        LoadProfilesFrom(list, source);
        const std::string fast = folder.File(SeedFile('f', seed));
        SaveProfilesTo(list, fast);

        // The same store through the platform: read key by key, written key by key.
        const std::string slow = folder.File(SeedFile('p', seed));
        WriteFileBytes(slow, "");
        for (int n = 0; PlatformRead(source, std::to_string(n).c_str(), "ip", "error string") != "error string"; ++n) {
            const std::string section = std::to_string(n);
            for (const char* key : keys) {
                std::string value = PlatformRead(source, section.c_str(), key, "");
                if (std::string(key) == "dhcp") value = std::string(IniBoolean(value) ? "1" : "0");
                WritePrivateProfileStringA(section.c_str(), key, IniProtected(value).c_str(), slow.c_str());
            }
            ++profiles;
        }
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, slow.c_str());
        ASSERT_TRUE(ReadFileBytes(fast) == ReadFileBytes(slow))
            << "seed " << seed << "\n"
            << testing::PrintToString(Shortened(ReadFileBytes(fast))) << "\n"
            << testing::PrintToString(Shortened(ReadFileBytes(slow)));
        ASSERT_EQ(LoadedFrom(fast), Contents(list)) << "seed " << seed << ": saved, then loaded again";
    }
    EXPECT_GT(profiles, 50);
}

TEST(ProfileStore, EveryTextComesBackFromBothReadersAsItWasSaved)
{
    // Each text in every text field; `quoted`: the file holds it in double quotes, otherwise
    // as it is, as earlier versions wrote it. `back`: what both readers give, when not the text.
    const std::string spaced = " " + std::string(2046, 's');
    const struct {
        std::string text;
        bool quoted;
        std::string back = {};
    } cases[] = {
        {"Office", false},
        {"  Spaced  ", true},
        {"\tTabbed\t", true},
        {" Home", true},
        {"Home\t", true},
        {"   .   .   .   ", true},  // a masked address field's blanks
        {"\"Home\"", true},
        {"'Home'", true},
        {" \"Home\" ", true},
        {"\"Home'", false},
        {"\"Home", false},
        {"\"\"", true},
        {"''", true},
        {"\"\"\"\"", true},
        {"\"", false},
        {"'", false},
        {"\"" + std::string(2044, 'q') + "\"", true},
        {std::string(2047, 'p'), false},
        {std::string(2994, 'n'), false, std::string(2047, 'n')},  // the reader cuts it, as always
        {spaced, true, spaced.substr(0, 2046)},                   // as much as a quoted value keeps
    };
    const std::pair<const char*, std::string ProfileData::*> fields[] = {
        {"ip", &ProfileData::ip},     {"mask", &ProfileData::mask}, {"gw", &ProfileData::gw},
        {"dns1", &ProfileData::dns1}, {"dns2", &ProfileData::dns2}, {"name", &ProfileData::name}};
    TempFolder folder;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        const std::string& back = c.back.empty() ? c.text : c.back;
        // A fresh name for each file: the platform caches what it read by name and time.
        const std::string path = folder.File(SeedFile('t', static_cast<unsigned>(i)));
        TListItems list;
        std::vector<ProfileData> expected;
        for (const auto& [key, field] : fields) {
            ProfileData data;
            data.*field = c.text;
            AppendProfile(list, data);
            data.*field = back;
            expected.push_back(data);
        }
        SaveProfilesTo(list, path);
        const std::string stored = c.quoted ? "\"" + back + "\"" : c.text;
        EXPECT_NE(ReadFileBytes(path).find("\r\nname=" + stored + "\r\n"), std::string::npos) << Shortened(c.text);
        EXPECT_EQ(LoadedFrom(path), expected) << Shortened(c.text);
        for (size_t n = 0; n < std::size(fields); ++n) {
            EXPECT_EQ(Shortened(PlatformRead(path, std::to_string(n).c_str(), fields[n].first, "-")), Shortened(back))
                << fields[n].first;
        }
    }
}
