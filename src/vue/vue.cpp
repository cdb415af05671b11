#include "vue.h"

#include <cmath>
#include <numbers>

double angle_direction(Direction d) {
  switch (d) {
  case Direction::est: return 0;
  case Direction::sud: return std::numbers::pi / 2;
  case Direction::ouest: return std::numbers::pi;
  case Direction::nord: break;
  }
  return -std::numbers::pi / 2;
}

Regard regard_salle(int salle, Direction d) {
  const PlaceSalle p = place_salle(salle);
  return {p.col + 0.5, p.lig + 0.5, angle_direction(d)};
}

Regard regard_partie(const Partie &p) {
  return regard_salle(p.salle(), p.direction());
}

void dessine_vue(const Plateau &, const Decor &decor, const Regard &, Pixels &sortie,
                 const std::array<bool, NB_SALLES_MAX> *) {
  for (int y = 0; y < sortie.hauteur; ++y)
    for (int x = 0; x < sortie.largeur; ++x)
      sortie.argb[static_cast<size_t>(y * sortie.largeur + x)] =
          y < sortie.hauteur / 2 ? decor.couleur_plafond : decor.couleur_sol;
}

void dessine_partie(const Partie &partie, const Decor &decor, Pixels &sortie) {
  dessine_vue(partie.plateau(), decor, regard_partie(partie), sortie, &partie.objets_pris());
}
