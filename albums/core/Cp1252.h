// Album files are single-byte text in Windows-1252; paths and captions live in the program as
// UTF-8. These convert between the two.
#pragma once

#include <optional>
#include <string>

// Every byte has a character: the five bytes Windows-1252 leaves unassigned (0x81, 0x8D, 0x8F,
// 0x90, 0x9D) read as the control characters of the same number, so they survive a round trip.
std::string Cp1252ToUtf8(const std::string& bytes);

// The Windows-1252 bytes of a UTF-8 text; nothing when a character has no Windows-1252 form
// or the text is not valid UTF-8.
std::optional<std::string> Utf8ToCp1252(const std::string& text);
