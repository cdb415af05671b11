#pragma once
// The game's rules that the check and the player share, so that what the check calls
// finishable is what a pupil can finish: the grid as the player reads it, which partitions
// let the player through, what a riddle expects and whether an answer is right, where a
// teleporter leads. Plain C++, no Qt, no disk.

#include "monde.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Keys held, one bit per colour (bit 0 black ... bit 5 yellow).
using Cles = unsigned;
inline constexpr int NB_COULEURS = 6;
inline constexpr Cles TOUTES_LES_CLES = (1u << NB_COULEURS) - 1;

constexpr bool est_porte(int32_t type_cloison) {
  return type_cloison >= CLOISON_PORTE_NOIRE && type_cloison <= CLOISON_PORTE_JAUNE;
}
constexpr bool est_cle(int32_t type_salle) {
  return type_salle >= SALLE_CLE_NOIRE && type_salle <= SALLE_CLE_JAUNE;
}
// The colour of a locked door, 0 (black) to 5 (yellow); a key's is that of the door it opens.
constexpr int couleur_porte(int32_t porte) {
  return porte - CLOISON_PORTE_NOIRE;
}
constexpr int couleur_cle(int32_t cle) {
  return couleur_porte(porte_de_cle(cle));
}
// "noir", "blanc", "bleu", "rouge", "vert", "jaune".
const char *nom_couleur(int couleur);

// Whether a partition of this kind lets the player through with these keys: an open passage
// and a secret door always, a locked door with its key; a wall, a grille and an exit never
// (an exit ends the labyrinth instead, see sortie_par).
bool laisse_passer(int32_t type_cloison, Cles cles);

// What a riddle expects: none (no question), a plain message (no proposal), a choice (some
// box ticked next to a non-empty proposal), a typed answer (only proposal 1 filled, nothing
// ticked), or nothing that can be given (insoluble: the check reports it).
enum class GenreEnigme { aucune, message, choix, saisie, insoluble };
GenreEnigme genre_enigme(const Tsalle &s);
// A room without a question counts as answered.
inline bool enigme_resoluble(const Tsalle &s) {
  return genre_enigme(s) != GenreEnigme::insoluble;
}

// The grid as the player reads it, by index: records beyond the counts a file gave are fresh
// (walls, empty rooms), and a kind outside its range counts as a wall or an empty room.
struct Plateau {
  std::array<int32_t, NB_SALLES_MAX> salle{};
  std::array<int32_t, NB_CLOISONS_MAX> cloison{};
  std::array<GenreEnigme, NB_SALLES_MAX> enigme{}; // aucune beyond the records
  int nb_salles = 0, nb_cloisons = 0;              // records the world holds, clamped to the arrays

  explicit Plateau(const Labyrinthe &m);
  // The teleporter rooms, in index order.
  std::vector<int> teleporteurs() const;
  // The start rooms, in index order: a playable labyrinth has exactly one.
  std::vector<int> departs() const;
};

// Ticked boxes, bit i for proposal i + 1.
using Cochees = unsigned;
// A choice is right when the boxes ticked are exactly the correct ones among the filled
// proposals.
bool bon_choix(const Tsalle &s, Cochees cochees);
// A typed answer (UTF-8, as typed) is right when it equals proposal 1 once both are
// trimmed of surrounding blanks and compared without case or accents.
bool bonne_saisie(const Tsalle &s, const std::string &tape_utf8);
// The comparison key of a typed answer (Windows-1252 in, plain lower-case ASCII letters
// for the accented ones, surrounding blanks dropped).
std::string forme_comparable_1252(const std::string &texte_1252);

// A reproducible random source (the same starting number, its graine, draws the same numbers on
// every machine).
class Hasard {
public:
  explicit Hasard(uint64_t graine = 1) : etat_(graine) {}
  // A number in 0 .. n - 1 (n > 0).
  uint32_t tire(uint32_t n);

private:
  uint64_t etat_;
};

// Where the teleporter of room `depuis` may lead: every other teleporter room, in index
// order; none when it is the only one or `depuis` is no teleporter.
std::vector<int> destinations_teleporteur(const Plateau &p, int depuis);
// Where the teleporter of room `depuis` leads: the other teleporter when there are two, one
// of the others drawn at random when there are more; -1 when it is the only one or `depuis`
// is not a teleporter.
int destination_teleporteur(const Plateau &p, int depuis, Hasard &hasard);
