#include "core/history.h"

#include <windows.h>

#include <cstdio>
#include <source_location>
#include <utility>

#include "core/handles.h"
#include "core/historytext.h"

namespace {
std::string& Path()
{
    static std::string path;
    return path;
}

// Once the file is full, each rewrite leaves a quarter of it free, so the file is rewritten
// about once per 64 KB of entries rather than at every append.
constexpr size_t kKeptAfterTrim = kHistoryLimit / 4 * 3;

std::string LocalTimeText()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    char text[32];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

// The folder this file was compiled in is "<source tree>/core/": the tree's folder, as the
// compiler spells the source files it names in a check's place.
std::string_view SourceRoot()
{
    const std::string_view self = std::source_location::current().file_name();
    const size_t file = self.find_last_of("\\/");
    const size_t folder = file == std::string_view::npos ? file : self.find_last_of("\\/", file - 1);
    return folder == std::string_view::npos ? std::string_view() : self.substr(0, folder + 1);
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// Appends at the end; a write that fails part-way is cut off again, so a half entry never stays.
void AppendAtEnd(HANDLE file, LARGE_INTEGER end, const std::string& entry)
{
    if (!SetFilePointerEx(file, end, nullptr, FILE_BEGIN)) return;
    if (WriteAll(file, entry)) return;
    if (SetFilePointerEx(file, end, nullptr, FILE_BEGIN)) SetEndOfFile(file);
}

// Replaces the file with `bytes` in one step: they are written to a new temporary file in the
// same folder, put onto the disk, and moved over the file (the way profiles.ini is saved).
void ReplaceWhole(const std::string& path, const std::string& bytes)
{
    const size_t cut = path.find_last_of("\\/");
    const std::string folder = cut == std::string::npos ? "." : path.substr(0, cut + 1);
    char temporary[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "vmr", 0, temporary) == 0) return;
    bool moved = false;
    {
        UniqueFile file(
            CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        moved = file && WriteAll(file.get(), bytes) && FlushFileBuffers(file.get());
    }
    moved = moved && MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!moved) DeleteFileA(temporary);
}

void Append(const std::string& entry)
{
    const std::string& path = Path();
    if (entry.size() > kHistoryLimit) return;
    // A file the user made read-only stays as it is. Windows would refuse to open it for
    // writing; Wine, run by root, opens it (and MoveFileExA replaces it), so ask first.
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) return;
    // Readers may look meanwhile; no other writer may.
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) return;
    const auto held = static_cast<unsigned long long>(size.QuadPart);
    if (held + entry.size() <= kHistoryLimit) return AppendAtEnd(file.get(), size, entry);

    std::string history(static_cast<size_t>(held), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), history.data(), static_cast<DWORD>(history.size()), &read, nullptr) ||
        read != history.size()) {
        return;
    }
    file.reset();
    std::string kept(NewestEntries(history, entry.size() < kKeptAfterTrim ? kKeptAfterTrim - entry.size() : 0));
    kept += entry;
    ReplaceWhole(path, kept);
}

// A record, not a duty: nothing that goes wrong here may reach the caller.
template <typename MakeEntry>
void AppendQuietly(MakeEntry&& makeEntry) noexcept
{
    try {
        if (!Path().empty()) Append(makeEntry(LocalTimeText()));
    } catch (...) {
    }
}
}  // namespace

std::string SetHistoryPath(std::string path) { return std::exchange(Path(), std::move(path)); }

void AppendToHistory(const ChangeEntry& change) noexcept
{
    AppendQuietly([&](const std::string& time) { return ChangeEntryText(time, change); });
}

void AppendToHistory(const ErrorEntry& error) noexcept
{
    AppendQuietly([&](const std::string& time) {
        ErrorEntry named = error;
        named.file = RelativeSourceFile(error.file, SourceRoot());
        return ErrorEntryText(time, named);
    });
}
