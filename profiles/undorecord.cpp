#include "profiles/undorecord.h"

#include <vector>

#include "adapters/wiretext.h"
#include "core/registry.h"

namespace {
constexpr char kUndoValue[] = "Undo";
constexpr char kBackTo[] = "back.";
constexpr char kExpected[] = "expected.";

std::optional<std::string> Field(const std::vector<std::string>& words, size_t index, const std::string& key)
{
    if (index >= words.size() || words[index].rfind(key + "=", 0) != 0) return std::nullopt;
    return Decode(words[index].substr(key.size() + 1));
}

std::optional<AdapterConfiguration> Configuration(const std::vector<std::string>& words, size_t first,
                                                  const std::string& prefix)
{
    const size_t count = ConfigurationLines({}).size();
    if (words.size() < first + count) return std::nullopt;
    std::vector<std::string> lines;
    for (size_t i = first; i < first + count; ++i) {
        if (words[i].rfind(prefix, 0) != 0) return std::nullopt;
        lines.push_back(words[i].substr(prefix.size()));
    }
    return ConfigurationFromLines(lines);
}
}  // namespace

std::string UndoRecordText(const UndoRecord& record)
{
    std::string text = "setting=" + Encode(record.settingId) + " name=" + Encode(record.adapterName);
    for (const std::string& line : ConfigurationLines(record.backTo))
        text += std::string(" ") + kBackTo + line;
    for (const std::string& line : ConfigurationLines(record.expected))
        text += std::string(" ") + kExpected + line;
    return text;
}

std::optional<UndoRecord> UndoRecordFromText(const std::string& text)
{
    // Split at single spaces, as written: no word holds one (each value is encoded).
    std::vector<std::string> words;
    for (size_t start = 0; start <= text.size();) {
        const size_t space = text.find(' ', start);
        words.push_back(text.substr(start, space - start));
        if (space == std::string::npos) break;
        start = space + 1;
    }
    const size_t count = ConfigurationLines({}).size();
    if (words.size() != 2 + 2 * count) return std::nullopt;
    const std::optional<std::string> settingId = Field(words, 0, "setting");
    const std::optional<std::string> name = Field(words, 1, "name");
    const std::optional<AdapterConfiguration> backTo = Configuration(words, 2, kBackTo);
    const std::optional<AdapterConfiguration> expected = Configuration(words, 2 + count, kExpected);
    if (!settingId || settingId->empty() || !name || !backTo || !expected) return std::nullopt;
    return UndoRecord{*settingId, *name, *backTo, *expected};
}

std::optional<UndoRecord> ReadUndoRecord() { return UndoRecordFromText(ReadUserString(kUserSettingsKey, kUndoValue)); }

void WriteUndoRecord(const UndoRecord& record)
{
    WriteUserString(kUserSettingsKey, kUndoValue, UndoRecordText(record));
}

void ForgetUndoRecord() { DeleteUserValue(kUserSettingsKey, kUndoValue); }
