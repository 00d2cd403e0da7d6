#include "core/historytext.h"

#include <algorithm>

namespace {
// Lines end as Notepad and every Windows tool expects them.
constexpr std::string_view kLineEnd = "\r\n";
// "  Elevated: " is the longest label; every value starts in the column after it.
constexpr size_t kValueColumn = 12;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A field: its label, then every non-empty line of its text, the lines after the first under
// the first. A field with no text still shows its label.
void AddField(std::string& entry, std::string_view label, std::string_view text)
{
    std::string head = "  " + std::string(label) + ":";
    const size_t bare = head.size();
    head.resize(kValueColumn, ' ');
    bool first = true;
    while (!text.empty()) {
        const size_t end = std::min(text.find_first_of("\r\n"), text.size());
        if (end > 0) {
            entry += first ? head : std::string(kValueColumn, ' ');
            entry += text.substr(0, end);
            entry += kLineEnd;
            first = false;
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    if (first) {
        entry += head.substr(0, bare);
        entry += kLineEnd;
    }
}

std::string Lines(const std::vector<std::string>& lines)
{
    std::string joined;
    for (const std::string& line : lines) {
        joined += line;
        joined += '\n';
    }
    return joined;
}

std::string Header(std::string_view time, std::string_view kind)
{
    std::string header(time);
    header += ' ';
    header += kind;
    header += kLineEnd;
    return header;
}

bool StartsEntry(std::string_view history, size_t at)
{
    return at < history.size() && (at == 0 || history[at - 1] == '\n') && !IsBlank(history[at]);
}
}  // namespace

std::string ChangeEntryText(std::string_view time, const ChangeEntry& change)
{
    std::string entry = Header(time, "Change");
    AddField(entry, "Trigger", change.trigger);
    if (!change.applied.empty()) AddField(entry, "Applied", change.applied);
    AddField(entry, "Adapter", change.adapter);
    AddField(entry, "Before", Lines(change.before));
    AddField(entry, "After", Lines(change.after));
    AddField(entry, "Outcome", change.outcome);
    AddField(entry, "Elevated", change.elevated ? "yes" : "no");
    entry += kLineEnd;
    return entry;
}

std::string ErrorEntryText(std::string_view time, const ErrorEntry& error)
{
    std::string entry = Header(time, "Error");
    AddField(entry, "Text", error.text);
    if (!error.call.empty()) AddField(entry, "Call", error.call);
    if (!error.file.empty()) AddField(entry, "Place", error.file + ":" + std::to_string(error.line));
    entry += kLineEnd;
    return entry;
}

std::string_view NewestEntries(std::string_view history, size_t room)
{
    // Whatever stands before the first entry (a file cut by hand) is no entry and goes too.
    size_t at = history.size() > room ? history.size() - room : 0;
    while (at < history.size() && !StartsEntry(history, at))
        ++at;
    return history.substr(at);
}

std::string_view RelativeSourceFile(std::string_view file, std::string_view sourceRoot)
{
    if (!sourceRoot.empty() && file.size() > sourceRoot.size() && file.substr(0, sourceRoot.size()) == sourceRoot) {
        file.remove_prefix(sourceRoot.size());
    }
    return file;
}
