#pragma once
// Small labyrinths written into a test's folder, each the smallest that shows what a test
// walks through.

#include <QDir>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <ostream>

#include "geometrie.h"
#include "lab_file.h"
#include "monde.h"

// Readable failures.
inline void PrintTo(const QString &s, std::ostream *os) {
  *os << '"' << s.toStdString() << '"';
}

// A fresh world (every partition a wall, every room empty) with a start in `depart`.
inline Monde monde_avec_depart(int depart) {
  Monde m;
  Cree_Monde(m);
  m.salles[static_cast<size_t>(depart)].contenu = SALLE_DEPART;
  return m;
}

inline void ouvre(Monde &m, int cloison, int32_t genre = CLOISON_OUVERTE) {
  m.cloisons[static_cast<size_t>(cloison)].contenu = genre;
}

inline void enregistre(const Monde &m, const QString &chemin) {
  ASSERT_TRUE(sauve_lab(QFile::encodeName(chemin).toStdString(), m));
}

// The castle, monde_1 of a two-labyrinth adventure:
//   A1 start, facing nord; A2 (south of A1, open passage) holds the blue key behind a
//   choice "2 + 2" (the second proposal right); B1 (east of A1, behind the blue door) is a
//   teleporter with a typed riddle ("Paris"); E5, the other teleporter, has the exit on its
//   east side. Two riddles in all.
inline Monde chateau() {
  Monde m = monde_avec_depart(indice_salle(0, 0));
  m.titre_lab = "Le ch\xE2teau"; // 1252
  m.mission = "Trouvez la cl\xE9 bleue\r\net sortez !";
  m.message_fin = "Bravo, le ch\xE2teau est derri\xE8re vous.";
  ouvre(m, indice_cloison_h(0, 1));
  ouvre(m, indice_cloison_v(1, 0), CLOISON_PORTE_BLEUE);
  ouvre(m, indice_cloison_v(5, 4), CLOISON_SORTIE);
  Tsalle &cle = m.salles[static_cast<size_t>(indice_salle(0, 1))];
  cle.contenu = SALLE_CLE_BLEUE;
  cle.question = "Combien font 2 + 2 ?";
  cle.reponses = {"3", "4", "5", "", ""};
  cle.bonnes = {false, true, false, false, false};
  Tsalle &tele = m.salles[static_cast<size_t>(indice_salle(1, 0))];
  tele.contenu = SALLE_TELEPORTEUR;
  tele.question = "Quelle est la capitale de la France ?";
  tele.reponses = {"Paris", "", "", "", ""};
  m.salles[static_cast<size_t>(indice_salle(4, 4))].contenu = SALLE_TELEPORTEUR;
  m.son_pas = "pas.wav";           // missing: silence
  m.son_coffres = "../coffre.wav"; // broken, and named with a folder: its bare name is used
  return m;
}

// The cellar, monde_2: the start in A1 with the exit on its north side, a plain message.
inline Monde cave() {
  Monde m = monde_avec_depart(indice_salle(0, 0));
  m.titre_lab = "La cave";
  m.mission = "Sortez par le nord.";
  m.message_fin = "C'est fini !";
  ouvre(m, indice_cloison_h(0, 0), CLOISON_SORTIE);
  return m;
}
