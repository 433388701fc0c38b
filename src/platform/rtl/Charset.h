#pragma once
// Conversion between the Windows-1252 bytes that files and the instrument carry and the UTF-8 text
// that the display layer shows.
#include <string>
#include <string_view>

namespace zel {

std::string AnsiToUtf8(std::string_view ansi);
// Characters that Windows-1252 cannot hold become '?'; malformed UTF-8 bytes become '?' too.
std::string Utf8ToAnsi(std::string_view utf8);

char32_t AnsiCharToUnicode(unsigned char c);
// Returns false when the code point has no Windows-1252 byte.
bool UnicodeToAnsiChar(char32_t cp, unsigned char& out);

}  // namespace zel
