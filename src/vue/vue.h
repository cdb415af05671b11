#pragma once
// The player's first-person view: a software ray caster that draws the labyrinth as seen
// from a point of it into a plain 32-bit pixel buffer. No Qt: a window wraps the buffer in a
// QImage (Format_RGB32) and hands the pictures in as buffers.
//
// Space: a room is one unit square, room (col, lig) spans [col, col + 1] x [lig, lig + 1];
// x grows toward est, y toward sud. Partitions are thin walls on the squares' edges, one unit
// high; the eye is half a unit above the floor. Nothing here fails: a missing texture is
// drawn in a plain colour, a missing kind picture leaves its sprite or its door's mark out.

#include "partie.h"
#include "regles.h"

#include <array>
#include <cstdint>
#include <vector>

// Pixels 0xAARRGGBB, row-major, top row first (the layout of the picture loader's Picture
// and of QImage's Format_RGB32 / ARGB32 read as 32-bit words).
struct Pixels {
  int largeur = 0, hauteur = 0;
  std::vector<uint32_t> argb;

  Pixels() = default;
  Pixels(int l, int h, uint32_t couleur = 0xFF000000u)
      : largeur(l), hauteur(h), argb(static_cast<size_t>(l) * static_cast<size_t>(h), couleur) {}
  bool vide() const { return largeur <= 0 || hauteur <= 0 || argb.empty(); }
  uint32_t at(int x, int y) const {
    return argb[static_cast<size_t>(y) * static_cast<size_t>(largeur) + static_cast<size_t>(x)];
  }
};

// What the view draws with. Every picture may be empty.
struct Decor {
  Pixels murs, sol, plafond; // the labyrinth's three textures
  // The editor's kind pictures: rooms "C0".."C9" (keys, teleporter and map become sprites)
  // and horizontal partitions "H0".."H10" (the mark of a locked door, the exit's band). The
  // colour of a picture's bottom-left pixel is its transparent ground, as in the editor.
  std::array<Pixels, NB_TYPES_SALLE> salles;
  std::array<Pixels, NB_TYPES_CLOISON> cloisons;
  // Plain colours for a missing texture.
  uint32_t couleur_murs = 0xFF8C5A3Cu, couleur_sol = 0xFF6E6E64u, couleur_plafond = 0xFFB4B4BEu;
};

// Where the eye is and where it looks: a point of the labyrinth (room units, above) and an
// angle in radians, 0 toward est, growing toward sud (a quarter turn to the right).
struct Regard {
  double x = 0.5, y = 0.5;
  double angle = 0;
};
// The middle of room `salle`, looking toward d.
Regard regard_salle(int salle, Direction d);
// The eye of a game: its room and facing.
Regard regard_partie(const Partie &p);
// The angle of a facing.
double angle_direction(Direction d);
// A frame of a step or a turn: t from 0 (at `de`) to 1 (at `vers`), the point along the
// straight line between them, the angle turning the short way round.
Regard entre(const Regard &de, const Regard &vers, double t);

// The horizontal field of view, in radians (about 66 degrees).
inline constexpr double CHAMP_DE_VISION = 1.1519173063162575;

// Draws the view from `regard` into `sortie`, whose size the caller sets (any size; an empty
// buffer draws nothing). Every pixel is written, opaque.
void dessine_vue(const Plateau &plateau, const Decor &decor, const Regard &regard, Pixels &sortie,
                 const std::array<bool, NB_SALLES_MAX> *pris = nullptr);
// The same for a game: its grid, its eye, what it has taken.
void dessine_partie(const Partie &partie, const Decor &decor, Pixels &sortie);
