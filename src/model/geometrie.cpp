#include "geometrie.h"

#include <cstdio>

const char *nom_direction(Direction d) {
  switch (d) {
  case Direction::nord: return "nord";
  case Direction::est: return "est";
  case Direction::sud: return "sud";
  case Direction::ouest: break;
  }
  return "ouest";
}

std::optional<Direction> direction_nommee(std::string_view nom) {
  for (Direction d : DIRECTIONS)
    if (nom == nom_direction(d))
      return d;
  return std::nullopt;
}

std::string nom_salle(int col, int lig) {
  char nom[16];
  std::snprintf(nom, sizeof nom, "%c%d", 'A' + col, lig + 1);
  return nom;
}

std::string nom_salle(int indice) {
  const PlaceSalle p = place_salle(indice);
  return nom_salle(p.col, p.lig);
}

std::optional<PlaceSalle> salle_nommee(std::string_view nom) {
  if (nom.size() < 2 || nom.size() > 3)
    return std::nullopt;
  const char lettre = nom[0];
  int col = -1;
  if (lettre >= 'A' && lettre < 'A' + COTE)
    col = lettre - 'A';
  else if (lettre >= 'a' && lettre < 'a' + COTE)
    col = lettre - 'a';
  else
    return std::nullopt;
  int lig = 0;
  for (size_t i = 1; i < nom.size(); ++i) {
    if (nom[i] < '0' || nom[i] > '9')
      return std::nullopt;
    lig = lig * 10 + (nom[i] - '0');
  }
  if (nom[1] == '0' || lig < 1 || lig > COTE)
    return std::nullopt;
  return PlaceSalle{col, lig - 1};
}

std::string nom_cloison(int indice) {
  const PlaceCloison p = place_cloison(indice);
  if (p.sens == 0) {
    if (p.lig == 0)
      return "le bord nord de " + nom_salle(p.col, 0);
    if (p.lig == COTE)
      return "le bord sud de " + nom_salle(p.col, COTE - 1);
    return "la cloison entre " + nom_salle(p.col, p.lig - 1) + " et " + nom_salle(p.col, p.lig);
  }
  if (p.col == 0)
    return "le bord ouest de " + nom_salle(0, p.lig);
  if (p.col == COTE)
    return "le bord est de " + nom_salle(COTE - 1, p.lig);
  return "la cloison entre " + nom_salle(p.col - 1, p.lig) + " et " + nom_salle(p.col, p.lig);
}
