#pragma once
// The JSON that dravo-lab's commands print, and the UTF-8 they read.

#include <cstddef>
#include <string>
#include <string_view>

// The length of the well-formed UTF-8 sequence at s[i] (2 to 4 bytes), 0 when the byte there
// does not open one; `cp` receives its code point.
size_t sequence_utf8(std::string_view s, size_t i, char32_t &cp);

// `texte` as a JSON string, quotes included: quotes, backslashes and control characters
// escaped; UTF-8 kept as it is, and each byte that belongs to no well-formed UTF-8 sequence
// (a file name from the disk may hold any) written as U+FFFD, so that the output is always
// valid JSON. A labyrinth's names are Windows-1252: convert them first (utf8_depuis_1252).
std::string chaine_json(std::string_view texte);
