#pragma once
// Conversion between the model's Windows-1252 bytes and the UTF-8 of the user interface.

#include <string>
#include <string_view>
#include <vector>

// Every byte becomes its character; the five bytes that 1252 leaves undefined (0x81, 0x8D,
// 0x8F, 0x90, 0x9D) become the control characters of the same number, so that nothing
// read from a file is lost on its way through the window and back.
std::string utf8_depuis_1252(std::string_view octets);

// A character that 1252 cannot hold, and every byte of a malformed UTF-8 sequence,
// becomes "?".
std::string utf8_vers_1252(std::string_view utf8);

// Whether every character of `utf8` has a Windows-1252 byte, so that it crosses into the
// model and back unchanged (malformed UTF-8 does not).
bool tient_en_1252(std::string_view utf8);

// The characters of `utf8` that 1252 cannot hold, each once, in the order they first come,
// each as its UTF-8 bytes (a malformed byte as U+FFFD). Empty when the text can be stored.
std::vector<std::string> caracteres_hors_1252(std::string_view utf8);

// The author's message naming them (UTF-8), in the singular for one character:
// "Les caractères « → » et « 😀 » ne peuvent pas être enregistrés dans un labyrinthe."
// Empty for none.
std::string message_hors_1252(const std::vector<std::string> &caracteres);
