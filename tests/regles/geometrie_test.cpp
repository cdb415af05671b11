#include "geometrie.h"

#include <gtest/gtest.h>

#include <set>

TEST(Geometrie, EveryIndexIsThePlaceItNames) {
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    EXPECT_EQ(indice_cloison(place_cloison(i)), i) << i;
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    const PlaceSalle p = place_salle(i);
    EXPECT_EQ(indice_salle(p.col, p.lig), i);
  }
  // The room, the horizontal and the vertical partition at column 3, row 2.
  EXPECT_EQ(indice_salle(3, 2), 23);
  EXPECT_EQ(indice_cloison({0, 3, 2}), 23);
  EXPECT_EQ(indice_cloison({1, 3, 2}), 135);
  EXPECT_EQ(place_cloison(219), (PlaceCloison{1, 10, 9}));
}

TEST(Geometrie, NeighboursShareThePartitionBetweenThem) {
  std::set<int> vues;
  int au_bord = 0;
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    for (Direction d : DIRECTIONS) {
      const Cote c = cote_salle(i, d);
      vues.insert(c.cloison);
      EXPECT_EQ(c.salle < 0, cloison_au_bord(c.cloison)) << i;
      if (c.salle < 0) {
        ++au_bord;
        continue;
      }
      const Cote retour = cote_salle(c.salle, oppose(d));
      EXPECT_EQ(retour.cloison, c.cloison);
      EXPECT_EQ(retour.salle, i);
    }
  EXPECT_EQ(vues.size(), static_cast<size_t>(NB_CLOISONS_MAX)); // every partition bounds a room
  EXPECT_EQ(au_bord, 4 * COTE);
  // nord is toward row 1, est toward column J.
  EXPECT_EQ(cote_salle(indice_salle(4, 4), Direction::nord).salle, indice_salle(4, 3));
  EXPECT_EQ(cote_salle(indice_salle(4, 4), Direction::est).salle, indice_salle(5, 4));
  EXPECT_EQ(a_droite(Direction::nord), Direction::est);
  EXPECT_EQ(a_gauche(Direction::nord), Direction::ouest);
}

TEST(Geometrie, NamesOfTheSheet) {
  EXPECT_EQ(nom_salle(2, 3), "C4");
  EXPECT_EQ(nom_salle(99), "J10");
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    const auto p = salle_nommee(nom_salle(i));
    ASSERT_TRUE(p);
    EXPECT_EQ(indice_salle(p->col, p->lig), i);
  }
  EXPECT_EQ(salle_nommee("c4"), (PlaceSalle{2, 3}));
  for (const char *faux : {"", "C", "K1", "A0", "A11", "A01", "C4x", "4C", "@1"})
    EXPECT_FALSE(salle_nommee(faux)) << faux;

  EXPECT_EQ(nom_cloison(indice_cloison_v(3, 3)), "la cloison entre C4 et D4");
  EXPECT_EQ(nom_cloison(indice_cloison_h(2, 3)), "la cloison entre C3 et C4");
  EXPECT_EQ(nom_cloison(indice_cloison_h(2, 0)), "le bord nord de C1");
  EXPECT_EQ(nom_cloison(indice_cloison_h(2, 10)), "le bord sud de C10");
  EXPECT_EQ(nom_cloison(indice_cloison_v(0, 4)), "le bord ouest de A5");
  EXPECT_EQ(nom_cloison(indice_cloison_v(10, 4)), "le bord est de J5");

  for (Direction d : DIRECTIONS)
    EXPECT_EQ(direction_nommee(nom_direction(d)), d);
  EXPECT_FALSE(direction_nommee("Nord"));
}
