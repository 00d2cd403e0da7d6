#pragma once
// Texts written so that they travel as one word with no blank or quote (percent-encoded), in
// lists whose every element is followed by a comma, so that a list of one empty element and an
// empty list differ: the elevated run's arguments and the user's Undo record. Read back
// strictly: none for anything not written so.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

std::string Encode(const std::string& value);
std::optional<std::string> Decode(const std::string& text);
std::string EncodeList(const std::vector<std::string>& values);
std::optional<std::vector<std::string>> DecodeList(const std::string& text);
std::optional<int32_t> DecodeInt(const std::string& text);
std::optional<bool> DecodeFlag(const std::string& text, const char* yes, const char* no);
// Bytes as two upper-case hexadecimal digits each, and back.
std::string HexEncode(const std::string& bytes);
std::optional<std::string> HexDecode(const std::string& text);
