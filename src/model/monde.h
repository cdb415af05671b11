#pragma once
// The one labyrinth being edited: 100 rooms on a 10 x 10 grid, 220 partitions around and
// between them, and the labyrinth-wide settings (Labyrinthe), beside the editor's session
// (Session). Plain data, no behaviour beyond building and clearing; edits go through
// edition.h. The editor owns one Monde for the whole run and shows each record through an
// image of its own (found by the record's index, never stored here).
//
// Strings hold Windows-1252 bytes, exactly as the .lab file stores them.

#include "geometrie.h"

#include <array>
#include <cstdint>
#include <string>

inline constexpr int NB_SONS = 5;
inline constexpr int NB_TEXTURES = 3;
inline constexpr int NB_REPONSES = 5;

// Kinds. A partition kind steps through 0..10, a room kind through 0..9.
inline constexpr int NB_TYPES_CLOISON = 11;
inline constexpr int NB_TYPES_SALLE = 10;
enum TypeCloison : int32_t {
  CLOISON_OUVERTE = 0,
  CLOISON_MUR = 1,
  CLOISON_PORTE_DEROBEE = 2,
  CLOISON_PORTE_NOIRE = 3, // locked doors 3..8: black, white, blue, red, green, yellow
  CLOISON_PORTE_BLANCHE = 4,
  CLOISON_PORTE_BLEUE = 5,
  CLOISON_PORTE_ROUGE = 6,
  CLOISON_PORTE_VERTE = 7,
  CLOISON_PORTE_JAUNE = 8,
  CLOISON_SORTIE = 9,
  CLOISON_GRILLE = 10,
};
enum TypeSalle : int32_t {
  SALLE_VIDE = 0,
  SALLE_CLE_NOIRE = 1, // keys 1..6: black, white, blue, red, green, yellow
  SALLE_CLE_BLANCHE = 2,
  SALLE_CLE_BLEUE = 3,
  SALLE_CLE_ROUGE = 4,
  SALLE_CLE_VERTE = 5,
  SALLE_CLE_JAUNE = 6,
  SALLE_TELEPORTEUR = 7,
  SALLE_DEPART = 8,
  SALLE_PLAN = 9,
};
// The key of room kind k (1..6) opens the locked door of partition kind k + 2.
constexpr int32_t porte_de_cle(int32_t cle) {
  return cle + 2;
}

struct Tsalle {
  int32_t col = 0;
  int32_t lig = 0;
  int32_t x = 0; // col*60+30
  int32_t y = 0; // lig*60+30
  int32_t contenu = SALLE_VIDE;
  std::string question;                          // one line; empty for an ordinary room
  std::array<std::string, NB_REPONSES> reponses; // reponses[0] is answer 1
  std::array<bool, NB_REPONSES> bonnes{};        // bonnes[0]: answer 1 is correct
  std::string image;                             // bare file name, empty for none
  std::string media;                             // bare file name, empty for none
};

struct Tcloison {
  int32_t col = 0;
  int32_t lig = 0;
  int32_t x = 0;
  int32_t y = 0;
  int32_t sens = 0; // 0 horizontal, 1 vertical
  int32_t contenu = CLOISON_MUR;
};

// What the .lab file holds: the records, their counters, the title texts, the sounds and the
// textures. Undoing an edit restores a field of this and nothing else.
struct Labyrinthe {
  std::array<Tsalle, NB_SALLES_MAX> salles;
  std::array<Tcloison, NB_CLOISONS_MAX> cloisons;
  int32_t nb_salles = 0;
  int32_t nb_cloisons = 0;

  std::string titre_lab;
  std::string mission;     // lines joined by CR LF
  std::string message_fin; // lines joined by CR LF

  std::string son_ambiance;
  std::string son_pas;
  std::string son_portes;
  std::string son_teleporteurs;
  std::string son_coffres;

  std::string texture_murs;
  std::string texture_sol;
  std::string texture_plafond;

  // The five sounds in slot order (ambiance, footsteps, doors, teleporters, chests):
  // the order of the file keys, of the sound rows and of every reset.
  std::string &son(int slot);
  const std::string &son(int slot) const;
  // The three textures in the order walls, floor, ceiling.
  std::string &texture(int rang);
  const std::string &texture(int rang) const;
};

// What the editor keeps about its work on the labyrinth; never written to the file.
struct Session {
  bool modifie = false;
};

// The labyrinth being edited with its session, under the names the whole program uses.
struct Monde : Labyrinthe, Session {};

// Default texture files, expected in the start folder.
inline constexpr const char *TEXTURE_MURS_DEFAUT = "Briques.bmp";
inline constexpr const char *TEXTURE_SOL_DEFAUT = "sol.bmp";
inline constexpr const char *TEXTURE_PLAFOND_DEFAUT = "plafond.bmp";
const char *texture_defaut(int rang);

// Whether a kind read from a file has a picture (a file may carry any integer).
constexpr bool type_cloison_valide(int32_t k) {
  return k >= 0 && k < NB_TYPES_CLOISON;
}
constexpr bool type_salle_valide(int32_t k) {
  return k >= 0 && k < NB_TYPES_SALLE;
}

// The data steps of building the fresh world: default texture names, 220 walls in index
// order, 100 empty rooms, modifie false. The title, mission, end message and sounds are set
// as at start-up (all empty).
void Cree_Monde(Monde &m);

// The data steps of clearing: sounds emptied, default textures, every record fresh again,
// counters back to 220 and 100, modifie false. Leaves the title, mission and end message
// alone.
void efface_monde(Monde &m);

// The record of a fresh labyrinth at an index: a wall, or an empty room, in its place.
Tcloison cloison_fraiche(int indice);
Tsalle salle_fraiche(int indice);

// A file may hold fewer than 220 partitions or 100 rooms; the records it does not hold are
// those of a fresh labyrinth, so that the grid shows them as such and an edit of one starts
// from them. The records within the counters are left alone.
void frais_au_dela_des_compteurs(Labyrinthe &l);
// Whether the counters take in every record (220 partitions and 100 rooms).
bool complet(const Labyrinthe &l);

// What opening a file resets before it reads: both counters to 0 and the five sounds emptied.
void prepare_lecture(Monde &m);
