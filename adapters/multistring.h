#pragma once
// Byte and text rules of the stored TCP/IP settings: the REG_MULTI_SZ layout and the split of
// a comma-joined name server list. Free of windows.h so a fuzzer can reach them.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The lines of REG_MULTI_SZ data. Walks the bytes before the last one the read reported,
// never past the end of `buffer` whatever `reportedSize` says: a zero byte ends a line, text
// still gathered when the walk ends is dropped. So "a\0b\0\0" gives a and b, "\0\0" one
// empty line, and "\0" no line at all.
std::vector<std::string> WalkMultiString(std::string_view buffer, size_t reportedSize);

// REG_MULTI_SZ data for `lines`: each line followed by one zero byte, then one more zero.
// One empty line gives two zero bytes, no line one zero byte.
std::string BuildMultiString(const std::vector<std::string>& lines);

// Field `n` (from 1) of `text` split at `separator`, spaces kept; the empty text when the
// text has fewer fields.
std::string ExtractField(std::string_view text, int n, char separator);

// A stored string without its terminating zero: the bytes up to the first zero, or all of
// them when there is none.
std::string StoredStringText(std::string_view bytes);
