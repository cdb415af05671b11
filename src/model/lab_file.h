#pragma once
// The .lab labyrinth file: a line-oriented Windows-1252 text that the editor writes and
// reads and the 3D player reads. The writer and the reader work on bytes in memory; the
// two file functions below add the disk around them.

#include "monde.h"
#include "resultat.h"

#include <array>
#include <string>
#include <string_view>

// Which keyed lines a reading met, so that the window refreshes what the file named
// (a key absent from the file leaves its sound row or texture picture alone).
struct InfoLecture {
  std::array<bool, NB_SONS> sons_lus{};
  std::array<bool, NB_TEXTURES> textures_lues{};
};

// Appends the whole labyrinth to `out`, every line ended by CR LF: the header, then
// nb_cloisons partition lines, then nb_salles room records of ten lines.
void ecrit_lab(const Monde &m, std::string &out);
std::string ecrit_lab(const Monde &m);

// Reads the lines of a file into `m`, as the Open command does after its reset. It resets
// nothing itself: what the file lacks keeps its value, and the two counters count from
// where they stand (the Open command sets them to 0 first). Never fails: unknown lines are
// skipped, malformed numbers read as far as they go.
InfoLecture lit_lab(std::string_view octets, Monde &m);

// Open's reading: the file is read whole first, then a copy of the world is reset
// (prepare_lecture) and filled, and `m` takes the copy only when everything succeeded. On
// failure `m` is untouched and the result carries the file error's message.
Resultat charge_lab(const std::string &chemin, Monde &m, InfoLecture *info = nullptr);

// Save's writing: the bytes go to a temporary file beside `chemin` that replaces it only
// once it is complete, so a failure leaves the previous file as it was.
Resultat sauve_lab(const std::string &chemin, const Monde &m);
