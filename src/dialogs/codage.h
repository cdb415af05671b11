#pragma once
// Scrambling of the about box's texts with a running key: each byte is shifted by the byte of
// the key at the same position, the key starting again from its first byte whenever it runs
// out. Plain C++ on bytes; no failure case, any key and data give a result.

#include <string>
#include <string_view>

// The plain bytes: byte i is (donnees[i] - cle[i mod size]) mod 256, both taken as unsigned.
// Empty data gives the empty string, and an empty key gives the data unchanged.
std::string decode(std::string_view cle, std::string_view donnees);

// The inverse of decode: byte i is (texte[i] + cle[i mod size]) mod 256, with the same two
// cases for empty data and an empty key.
std::string code(std::string_view cle, std::string_view texte);
