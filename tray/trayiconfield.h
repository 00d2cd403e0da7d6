#pragma once
// The notification area's record holds its texts (tip, balloon title and text) in fixed fields
// of 8-bit characters, each ended by a zero.
#include <windows.h>

#include <cstddef>
#include <string_view>

// Fills the `size` bytes of `field` with as much of `text` as fits before the ending zero, cut
// after a whole character (a double-byte character of `codePage` is never split in two), and
// zeroes the rest.
void FillTextField(char* field, size_t size, std::string_view text, UINT codePage = CP_ACP);

template <size_t Size>
void FillTextField(char (&field)[Size], std::string_view text)
{
    FillTextField(field, Size, text);
}
