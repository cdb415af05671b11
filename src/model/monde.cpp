#include "monde.h"

#include <algorithm>

std::string &Labyrinthe::son(int slot) {
  return const_cast<std::string &>(static_cast<const Labyrinthe &>(*this).son(slot));
}

const std::string &Labyrinthe::son(int slot) const {
  switch (slot) {
  case 0: return son_ambiance;
  case 1: return son_pas;
  case 2: return son_portes;
  case 3: return son_teleporteurs;
  default: return son_coffres;
  }
}

std::string &Labyrinthe::texture(int rang) {
  return const_cast<std::string &>(static_cast<const Labyrinthe &>(*this).texture(rang));
}

const std::string &Labyrinthe::texture(int rang) const {
  switch (rang) {
  case 0: return texture_murs;
  case 1: return texture_sol;
  default: return texture_plafond;
  }
}

const char *texture_defaut(int rang) {
  switch (rang) {
  case 0: return TEXTURE_MURS_DEFAUT;
  case 1: return TEXTURE_SOL_DEFAUT;
  default: return TEXTURE_PLAFOND_DEFAUT;
  }
}

namespace {

void textures_defaut(Monde &m) {
  for (int rang = 0; rang < NB_TEXTURES; ++rang)
    m.texture(rang) = texture_defaut(rang);
}

// The three loops of building, shared by building and clearing.
void grille_fraiche(Monde &m) {
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    m.cloisons[static_cast<size_t>(i)] = cloison_fraiche(i);
  m.nb_cloisons = NB_CLOISONS_MAX;
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    m.salles[static_cast<size_t>(i)] = salle_fraiche(i);
  m.nb_salles = NB_SALLES_MAX;
  m.modifie = false;
}

} // namespace

Tcloison cloison_fraiche(int indice) {
  const PlaceCloison p = place_cloison(indice);
  const bool h = p.sens == 0;
  return Tcloison{p.col,
                  p.lig,
                  p.col * PAS_GRILLE + (h ? MARGE_SALLE : MARGE_CLOISON),
                  p.lig * PAS_GRILLE + (h ? MARGE_CLOISON : MARGE_SALLE),
                  p.sens,
                  CLOISON_MUR};
}

Tsalle salle_fraiche(int indice) {
  const PlaceSalle p = place_salle(indice);
  Tsalle s;
  s.col = p.col;
  s.lig = p.lig;
  s.x = p.col * PAS_GRILLE + MARGE_SALLE;
  s.y = p.lig * PAS_GRILLE + MARGE_SALLE;
  return s;
}

void frais_au_dela_des_compteurs(Labyrinthe &l) {
  for (int i = std::max(l.nb_cloisons, 0); i < NB_CLOISONS_MAX; ++i)
    l.cloisons[static_cast<size_t>(i)] = cloison_fraiche(i);
  for (int i = std::max(l.nb_salles, 0); i < NB_SALLES_MAX; ++i)
    l.salles[static_cast<size_t>(i)] = salle_fraiche(i);
}

bool complet(const Labyrinthe &l) {
  return l.nb_cloisons >= NB_CLOISONS_MAX && l.nb_salles >= NB_SALLES_MAX;
}

void Cree_Monde(Monde &m) {
  m = Monde{};
  textures_defaut(m);
  grille_fraiche(m);
}

void efface_monde(Monde &m) {
  for (int slot = 0; slot < NB_SONS; ++slot)
    m.son(slot).clear();
  textures_defaut(m);
  grille_fraiche(m);
}

void prepare_lecture(Monde &m) {
  m.nb_cloisons = 0;
  m.nb_salles = 0;
  for (int slot = 0; slot < NB_SONS; ++slot)
    m.son(slot).clear();
}
