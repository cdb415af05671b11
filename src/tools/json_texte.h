#pragma once
// The JSON that dravo-lab's commands print.

#include <string>
#include <string_view>

// `texte` as a JSON string, quotes included: quotes, backslashes and control characters
// escaped; UTF-8 kept as it is, and each byte that belongs to no well-formed UTF-8 sequence
// (a file name from the disk may hold any) written as U+FFFD, so that the output is always
// valid JSON. A labyrinth's names are Windows-1252: convert them first (utf8_depuis_1252).
std::string chaine_json(std::string_view texte);
