#include "../same_lines.h"
#include "lab_file.h"
#include "monde.h"

#include <gtest/gtest.h>

TEST(Monde, FreshWorldHoldsWallsAndEmptyRoomsAtTheirPlaces) {
  Monde m;
  Cree_Monde(m);
  EXPECT_EQ(m.nb_cloisons, 220);
  EXPECT_EQ(m.nb_salles, 100);
  EXPECT_FALSE(m.modifie);
  EXPECT_EQ(m.texture_murs, "Briques.bmp");
  EXPECT_EQ(m.texture_sol, "sol.bmp");
  EXPECT_EQ(m.texture_plafond, "plafond.bmp");
  for (const Tcloison &c : m.cloisons)
    EXPECT_EQ(c.contenu, CLOISON_MUR);
  for (const Tsalle &s : m.salles)
    EXPECT_EQ(s.contenu, SALLE_VIDE);

  // Index arithmetic: room (3,2), horizontal (3,2) and vertical (3,2).
  const Tsalle &s = m.salles[23];
  EXPECT_EQ(indice_salle(3, 2), 23);
  EXPECT_EQ(s.col, 3);
  EXPECT_EQ(s.lig, 2);
  EXPECT_EQ(s.x, 210);
  EXPECT_EQ(s.y, 150);
  const Tcloison &h = m.cloisons[23];
  EXPECT_EQ(indice_cloison_h(3, 2), 23);
  EXPECT_EQ(h.col, 3);
  EXPECT_EQ(h.lig, 2);
  EXPECT_EQ(h.sens, 0);
  EXPECT_EQ(h.x, 210);
  EXPECT_EQ(h.y, 130);
  const Tcloison &v = m.cloisons[135];
  EXPECT_EQ(indice_cloison_v(3, 2), 135);
  EXPECT_EQ(v.col, 3);
  EXPECT_EQ(v.lig, 2);
  EXPECT_EQ(v.sens, 1);
  EXPECT_EQ(v.x, 190);
  EXPECT_EQ(v.y, 150);
  // The last records sit on the bottom and right borders.
  EXPECT_EQ(m.cloisons[109].lig, 10);
  EXPECT_EQ(m.cloisons[219].col, 10);
  EXPECT_EQ(m.cloisons[219].lig, 9);
}

TEST(Monde, ClearingKeepsTheTextsAndResetsEverythingElse) {
  Monde m;
  Cree_Monde(m);
  m.titre_lab = "Titre";
  m.mission = "M\r\n";
  m.message_fin = "F";
  m.son_portes = "porte.mp3";
  m.texture_sol = "herbe.bmp";
  m.salles[5].question = "Q ";
  m.salles[5].reponses[4] = "R5";
  m.salles[5].bonnes[2] = true;
  m.salles[5].image = "x.gif";
  m.salles[5].media = "y.wav";
  m.salles[5].contenu = SALLE_PLAN;
  m.cloisons[200].contenu = CLOISON_SORTIE;
  m.cloisons[7].sens = 5;
  m.nb_salles = 3;
  m.nb_cloisons = 0;
  m.modifie = true;

  efface_monde(m);

  EXPECT_EQ(m.titre_lab, "Titre");
  EXPECT_EQ(m.mission, "M\r\n");
  EXPECT_EQ(m.message_fin, "F");
  for (int k = 0; k < NB_SONS; ++k)
    EXPECT_EQ(m.son(k), "");
  EXPECT_EQ(m.texture_sol, "sol.bmp");
  EXPECT_EQ(m.nb_salles, 100);
  EXPECT_EQ(m.nb_cloisons, 220);
  EXPECT_FALSE(m.modifie);
  EXPECT_EQ(m.cloisons[7].sens, 0);
  EXPECT_EQ(m.cloisons[200].contenu, CLOISON_MUR);
  const Tsalle &s = m.salles[5];
  EXPECT_EQ(s.contenu, SALLE_VIDE);
  EXPECT_EQ(s.question, "");
  EXPECT_EQ(s.reponses[4], "");
  EXPECT_FALSE(s.bonnes[2]);
  EXPECT_EQ(s.image, "");
  EXPECT_EQ(s.media, "");
  // Clearing gives exactly the fresh file but for the texts it keeps.
  Monde frais;
  Cree_Monde(frais);
  frais.titre_lab = "Titre";
  frais.mission = "M\r\n";
  frais.message_fin = "F";
  EXPECT_TRUE(same_lines(ecrit_lab(m), ecrit_lab(frais)));
}
