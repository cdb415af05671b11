#pragma once
// Hand-made labyrinths for the game's tests: a fresh world (walls everywhere, empty rooms)
// changed room by room and partition by partition, named as on the teacher's sheet.

#include "monde.h"

#include <string>

class Plan {
public:
  Plan() { Cree_Monde(m_); }
  Plan &salle(const char *nom, int32_t type) {
    m_.salles[static_cast<size_t>(indice(nom))].contenu = type;
    return *this;
  }
  // The partition on side d of room `nom`.
  Plan &cloison(const char *nom, Direction d, int32_t type) {
    m_.cloisons[static_cast<size_t>(cote_salle(indice(nom), d).cloison)].contenu = type;
    return *this;
  }
  // Opens the partitions along a row or column walk: passage("A1", est, 3) opens A1|B1,
  // B1|C1 and C1|D1.
  Plan &passage(const char *nom, Direction d, int pas) {
    int i = indice(nom);
    for (int k = 0; k < pas; ++k) {
      const Cote c = cote_salle(i, d);
      m_.cloisons[static_cast<size_t>(c.cloison)].contenu = CLOISON_OUVERTE;
      i = c.salle;
    }
    return *this;
  }
  // A riddle: the question, proposals (Windows-1252) and the ticks as "10100".
  Plan &enigme(const char *nom, const std::string &question,
               std::array<std::string, NB_REPONSES> reponses = {},
               const std::string &cochees = "00000") {
    Tsalle &s = m_.salles[static_cast<size_t>(indice(nom))];
    s.question = question;
    s.reponses = reponses;
    for (size_t i = 0; i < NB_REPONSES; ++i)
      s.bonnes[i] = cochees[i] == '1';
    return *this;
  }
  const Monde &monde() const { return m_; }
  operator const Monde &() const { return m_; }

  static int indice(const char *nom) {
    const auto p = salle_nommee(nom);
    return p ? indice_salle(p->col, p->lig) : -1;
  }

private:
  Monde m_;
};
