#pragma once
// The .lab labyrinth file: a line-oriented Windows-1252 text that the editor writes and
// reads and the 3D player reads. The writer and the reader work on bytes in memory; the
// two file functions below add the disk around them.

#include "monde.h"
#include "resultat.h"

#include <array>
#include <cstdint>
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

// The first line of a multi-line text, as the reader splits it, that would end its MISSION
// or MESSAGE block early once written ("/MISSION" or "/MESSAGE"); empty when there is none.
// Such a text cannot be stored: what follows the line would be read as partitions and rooms.
std::string_view ligne_de_fin_de_bloc(std::string_view texte);

// The largest .lab file Open reads: real labyrinths take kilobytes, and a file beyond this is
// refused from its size, before any byte is read or any memory taken for it.
inline constexpr uint64_t TAILLE_MAX_LAB = uint64_t{64} << 20;

// The refusal of a file that holds no partition line and no room line.
inline constexpr const char *MESSAGE_PAS_UN_LABYRINTHE =
    "Ce fichier ne contient ni cloison ni salle : ce n'est pas un labyrinthe";

// Open's reading: only a regular file of at most TAILLE_MAX_LAB bytes is read, whole, first, then a
// copy of the world is reset (prepare_lecture) and filled, the records beyond the counters made
// fresh (frais_au_dela_des_compteurs), and `m` takes the copy only when
// everything succeeded and the file held at least one partition or room line. On failure (running
// out of memory included) `m` is untouched and the result carries the message.
Resultat charge_lab(const std::string &chemin, Monde &m, InfoLecture *info = nullptr);

// Save's writing: the bytes go to a temporary file beside `chemin` that replaces it only
// once it is complete, so a failure leaves the previous file as it was (see
// ecrit_fichier_atomique). Running out of memory is a failure like the others.
Resultat sauve_lab(const std::string &chemin, const Monde &m);
