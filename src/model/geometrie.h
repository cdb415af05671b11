#pragma once
// The grid's geometry, written once: 10 x 10 rooms, 110 horizontal partitions (11 rows of 10,
// row 0 the top edge) then 110 vertical ones (10 rows of 11, column 0 the left edge), the
// index of each record and the place it stands for, the partitions around a room, the four
// facings, the names the teacher's sheet uses ("C4": column letter A-J, row 1-10) and the
// editor window's pixel grid.
//
// Plain C++, no Qt. Places count from 0; only the names count from 1.

#include <array>
#include <optional>
#include <string>
#include <string_view>

inline constexpr int COTE = 10; // rooms per row and per column
inline constexpr int NB_SALLES_MAX = COTE * COTE;
inline constexpr int NB_CLOISONS_H = (COTE + 1) * COTE; // horizontal ones come first
inline constexpr int NB_CLOISONS_MAX = 2 * NB_CLOISONS_H;

// Grid geometry, in pixels of the editor window's client area: a room's image is
// TAILLE_SALLE square at (col * PAS_GRILLE + MARGE_SALLE, lig * PAS_GRILLE + MARGE_SALLE); a
// partition's image is LONGUEUR_CLOISON by EPAISSEUR_CLOISON, its thin side starting at
// MARGE_CLOISON from its line.
inline constexpr int PAS_GRILLE = 60;
inline constexpr int TAILLE_SALLE = 40;
inline constexpr int LONGUEUR_CLOISON = 40;
inline constexpr int EPAISSEUR_CLOISON = 20;
inline constexpr int MARGE_SALLE = 30;
inline constexpr int MARGE_CLOISON = 10;

// A room's place.
struct PlaceSalle {
  int col = 0;
  int lig = 0;
  friend bool operator==(const PlaceSalle &, const PlaceSalle &) = default;
};

// A partition's place: sens 0 horizontal (col 0..9, lig 0..10, above room (col, lig)),
// 1 vertical (col 0..10, lig 0..9, left of room (col, lig)).
struct PlaceCloison {
  int sens = 0;
  int col = 0;
  int lig = 0;
  friend bool operator==(const PlaceCloison &, const PlaceCloison &) = default;
};

constexpr bool dans_la_grille(int col, int lig) {
  return col >= 0 && col < COTE && lig >= 0 && lig < COTE;
}

// Index arithmetic of the two arrays, and back.
constexpr int indice_salle(int col, int lig) {
  return lig * COTE + col;
}
constexpr PlaceSalle place_salle(int indice) {
  return {indice % COTE, indice / COTE};
}
constexpr int indice_cloison_h(int col, int lig) {
  return lig * COTE + col;
}
constexpr int indice_cloison_v(int col, int lig) {
  return NB_CLOISONS_H + lig * (COTE + 1) + col;
}
constexpr int indice_cloison(const PlaceCloison &p) {
  return p.sens == 0 ? indice_cloison_h(p.col, p.lig) : indice_cloison_v(p.col, p.lig);
}
constexpr PlaceCloison place_cloison(int indice) {
  if (indice < NB_CLOISONS_H)
    return {0, indice % COTE, indice / COTE};
  const int j = indice - NB_CLOISONS_H;
  return {1, j % (COTE + 1), j / (COTE + 1)};
}

// Whether partition `indice` lies on the labyrinth's outer edge.
constexpr bool cloison_au_bord(int indice) {
  const PlaceCloison p = place_cloison(indice);
  return p.sens == 0 ? p.lig == 0 || p.lig == COTE : p.col == 0 || p.col == COTE;
}

// The four facings: nord toward row 0, est toward the last column, then sud and ouest, each
// a quarter turn to the right of the one before.
enum class Direction { nord = 0, est = 1, sud = 2, ouest = 3 };
inline constexpr std::array<Direction, 4> DIRECTIONS = {Direction::nord, Direction::est,
                                                        Direction::sud, Direction::ouest};
constexpr Direction a_droite(Direction d) {
  return static_cast<Direction>((static_cast<int>(d) + 1) % 4);
}
constexpr Direction a_gauche(Direction d) {
  return static_cast<Direction>((static_cast<int>(d) + 3) % 4);
}
constexpr Direction oppose(Direction d) {
  return static_cast<Direction>((static_cast<int>(d) + 2) % 4);
}
// One step toward d: the column and row changes.
constexpr int pas_col(Direction d) {
  return d == Direction::est ? 1 : d == Direction::ouest ? -1 : 0;
}
constexpr int pas_lig(Direction d) {
  return d == Direction::sud ? 1 : d == Direction::nord ? -1 : 0;
}
// "nord", "est", "sud", "ouest"; and back (nullopt for any other word).
const char *nom_direction(Direction d);
std::optional<Direction> direction_nommee(std::string_view nom);

// The partition on side d of room `salle`, and the room beyond it (-1 beyond the edge).
struct Cote {
  int cloison = 0;
  int salle = -1;
};
constexpr Cote cote_salle(int salle, Direction d) {
  const PlaceSalle p = place_salle(salle);
  const int c = p.col + pas_col(d), l = p.lig + pas_lig(d);
  const int beyond = dans_la_grille(c, l) ? indice_salle(c, l) : -1;
  switch (d) {
  case Direction::nord: return {indice_cloison_h(p.col, p.lig), beyond};
  case Direction::sud: return {indice_cloison_h(p.col, p.lig + 1), beyond};
  case Direction::ouest: return {indice_cloison_v(p.col, p.lig), beyond};
  case Direction::est: break;
  }
  return {indice_cloison_v(p.col + 1, p.lig), beyond};
}

// The sheet's names: "C4" for column 2, row 3; nullopt for anything but a letter A-J (either
// case) followed by 1-10.
std::string nom_salle(int col, int lig);
std::string nom_salle(int indice);
std::optional<PlaceSalle> salle_nommee(std::string_view nom);

// A partition as the sheet names it: "la cloison entre C4 et D4" (west or north room first),
// "le bord nord de C1" on the edge (nord, sud, est or ouest).
std::string nom_cloison(int indice);
