#include "monde.h"

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
  m.nb_cloisons = 0;
  for (int32_t lig = 0; lig <= COTE; ++lig)
    for (int32_t col = 0; col < COTE; ++col) {
      Tcloison &c = m.cloisons[static_cast<size_t>(m.nb_cloisons++)];
      c = Tcloison{
          col, lig,        col * PAS_GRILLE + MARGE_SALLE, lig * PAS_GRILLE + MARGE_CLOISON,
          0,   CLOISON_MUR};
    }
  for (int32_t lig = 0; lig < COTE; ++lig)
    for (int32_t col = 0; col <= COTE; ++col) {
      Tcloison &c = m.cloisons[static_cast<size_t>(m.nb_cloisons++)];
      c = Tcloison{
          col, lig,        col * PAS_GRILLE + MARGE_CLOISON, lig * PAS_GRILLE + MARGE_SALLE,
          1,   CLOISON_MUR};
    }
  m.nb_salles = 0;
  for (int32_t lig = 0; lig < COTE; ++lig)
    for (int32_t col = 0; col < COTE; ++col) {
      Tsalle &s = m.salles[static_cast<size_t>(m.nb_salles++)];
      s = Tsalle{};
      s.col = col;
      s.lig = lig;
      s.x = col * PAS_GRILLE + MARGE_SALLE;
      s.y = lig * PAS_GRILLE + MARGE_SALLE;
    }
  m.modifie = false;
}

} // namespace

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
