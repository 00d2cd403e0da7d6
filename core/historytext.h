#pragma once
// The history's text rules, apart from the file and the clock: how an entry is written, and
// which entries stay when the file must shrink. No windows.h, so they can be tested and fuzzed
// alone.
#include <cstddef>
#include <string>
#include <string_view>

#include "core/history.h"

// An entry as the file holds it, `time` being "2026-12-07 22:15:03". A field's text that holds
// line breaks goes on lines of its own; lines left empty are dropped, so the only empty line is
// the one that ends the entry. An error's call and place are written only when known.
std::string ChangeEntryText(std::string_view time, const ChangeEntry& change);
std::string ErrorEntryText(std::string_view time, const ErrorEntry& error);

// The newest whole entries of `history` that together take at most `room` bytes. An entry
// begins with a line that starts with neither a blank nor a line break.
std::string_view NewestEntries(std::string_view history, size_t room);

// A source file as the history names it: relative to `sourceRoot` (the source tree's folder, as
// the compiler spelled it) when it lies inside, as it is otherwise.
std::string_view RelativeSourceFile(std::string_view file, std::string_view sourceRoot);
