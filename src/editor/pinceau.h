#pragma once
// The brush: a kind picked from the legend that a left press (and a drag with the left
// button held) lays on the grid elements of its sort. Plain value; the legend arms and
// disarms it, the grid paints with it.

#include <QString>

#include <cstdint>

struct Pinceau {
  bool cloison = true; // a partition kind, else a room kind
  int32_t type = 0;
  bool operator==(const Pinceau &) const = default;
};

// The kind's name as the author reads it: "Porte fermée rouge", "Clé bleue", "Passage".
QString nom_type(bool cloison, int32_t type);
// What a press does while the brush is armed, for the help box.
QString texte_pinceau(const Pinceau &p);
