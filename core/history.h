#pragma once
// The program's history: a plain-text file in which every network change and every error shown
// to the user is appended as one entry, stamped with the local time. The program names the file
// once at start (beside profiles.ini); until then nothing is written.
//
// The history is a record, not a duty: a history that cannot be written (no path set, a folder
// that takes no files, a read-only or locked file, a full disk) is passed over without a word.
// No function here raises, and none changes what the program does next.
//
// The file is kept to kHistoryLimit bytes: an append that would pass it first drops the oldest
// whole entries, and the shortened file replaces the old one in one step, so the file is never
// left half-written. An entry is one line with its time and kind, then its fields, each on lines
// indented by two spaces, then an empty line (the README shows one).
#include <cstddef>
#include <string>
#include <vector>

// The file's name, in the program's folder beside profiles.ini.
inline constexpr char kHistoryFileName[] = "velmora-history.txt";
// The most the file holds, in bytes.
inline constexpr size_t kHistoryLimit = 256 * 1024;

// Names the file entries go to from now on; an empty path stops the writing. Returns the path
// it replaces.
std::string SetHistoryPath(std::string path);

// One change of an adapter's configuration, as it ended. The time is the module's.
struct ChangeEntry {
    std::string trigger;              // what started it: "tray: Apply next", "Profiles tab: Apply", ...
    std::string adapter;              // the adapter's description
    std::vector<std::string> before;  // its settings before the change, a line each, as the caller writes them
    std::vector<std::string> after;   // and after it
    std::string outcome;              // "made", or which step was refused and which were made
    bool elevated = false;            // the change ran in an elevated run of the program
    std::string applied = {};         // what it applied: the profile's title, "Apply Changes", "Undo: ..."
};

// One error shown to the user: its text and, when a check raised it, the failed call and the
// source file and line of that check (empty and 0 otherwise).
struct ErrorEntry {
    std::string text;
    std::string call = {};
    std::string file = {};
    unsigned line = 0;
};

void AppendToHistory(const ChangeEntry& change) noexcept;
void AppendToHistory(const ErrorEntry& error) noexcept;
