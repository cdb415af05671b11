// The view drawn with plain-colour textures: walls red, floor green, ceiling blue, so that
// each pixel says what it shows whatever the light.
#include "../regles/labyrinthe_test.h"
#include "vue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

using D = Direction;

namespace {

constexpr uint32_t ROUGE = 0xFFFF0000u, VERT = 0xFF00FF00u, BLEU = 0xFF0000FFu;

Decor decor_uni() {
  Decor d;
  d.murs = Pixels(4, 4, ROUGE);
  d.sol = Pixels(4, 4, VERT);
  d.plafond = Pixels(4, 4, BLEU);
  return d;
}

Pixels vue(const Monde &m, const char *salle, D d, const Decor &decor = decor_uni(), int w = 320,
           int h = 240) {
  Pixels p(w, h, 0);
  dessine_vue(Plateau(m), decor, regard_salle(Plan::indice(salle), d), p);
  return p;
}

int rouge(uint32_t c) {
  return (c >> 16) & 0xFF;
}
int vert(uint32_t c) {
  return (c >> 8) & 0xFF;
}
int bleu(uint32_t c) {
  return c & 0xFF;
}
bool est_mur(uint32_t c) {
  return rouge(c) > 0 && vert(c) == 0 && bleu(c) == 0;
}

// The rows of column x that show a wall.
int hauteur_mur(const Pixels &p, int x) {
  int n = 0;
  for (int y = 0; y < p.hauteur; ++y)
    n += est_mur(p.at(x, y));
  return n;
}

} // namespace

TEST(Vue, AWallStraightAheadFillsTheMiddleColumn) {
  Plan plan;
  plan.salle("E5", SALLE_DEPART);
  const Pixels p = vue(plan, "E5", D::nord);
  EXPECT_EQ(hauteur_mur(p, p.largeur / 2), p.hauteur);
  EXPECT_EQ(p.at(p.largeur / 2, p.hauteur / 2), ROUGE); // its own colour, at full light
  for (uint32_t c : p.argb)
    EXPECT_EQ(c >> 24, 0xFFu); // every pixel written, opaque
}

TEST(Vue, TheBandShrinksWithDistanceAndTheLightNeverGoesOut) {
  int avant = 1 << 30, eclat_avant = 256;
  for (int ouvertes = 1; ouvertes <= 4; ++ouvertes) {
    Plan plan;
    plan.passage("E10", D::nord, ouvertes);
    const Pixels p = vue(plan, "E10", D::nord);
    const int h = hauteur_mur(p, p.largeur / 2);
    // A wall d rooms away is focal / d pixels high, focal being half the width over tan(33°).
    const double focale = p.largeur / 2 / std::tan(CHAMP_DE_VISION / 2);
    EXPECT_NEAR(h, focale / (ouvertes + 0.5), 2.0) << ouvertes;
    EXPECT_LT(h, avant);
    avant = h;
    const int eclat = rouge(p.at(p.largeur / 2, p.hauteur / 2));
    EXPECT_LT(eclat, eclat_avant);
    eclat_avant = eclat;
    // Below the wall the floor, above it the ceiling.
    EXPECT_GT(vert(p.at(p.largeur / 2, p.hauteur - 1)), 0);
    EXPECT_GT(bleu(p.at(p.largeur / 2, 0)), 0);
  }
  // The far end of the labyrinth is dim, not black.
  Plan long_couloir;
  long_couloir.passage("A1", D::est, 9).passage("J1", D::sud, 9);
  const Pixels loin = vue(long_couloir, "A1", D::est);
  EXPECT_GT(rouge(loin.at(loin.largeur / 2, loin.hauteur / 2)), 255 * 35 / 100);
  const Pixels diagonale = vue(long_couloir, "J10", D::nord);
  EXPECT_GT(rouge(diagonale.at(diagonale.largeur / 2, diagonale.hauteur / 2)), 255 * 35 / 100);
}

TEST(Vue, ASecretDoorIsDrawnAsAWallAndALockedDoorIsNot) {
  Plan mur, derobee, porte, sortie;
  derobee.cloison("E5", D::nord, CLOISON_PORTE_DEROBEE);
  porte.cloison("E5", D::nord, CLOISON_PORTE_BLEUE);
  sortie.cloison("E5", D::nord, CLOISON_SORTIE);
  const Pixels de_mur = vue(mur, "E5", D::nord);
  EXPECT_EQ(vue(derobee, "E5", D::nord).argb, de_mur.argb);
  const Pixels de_porte = vue(porte, "E5", D::nord);
  const uint32_t milieu = de_porte.at(de_porte.largeur / 2, de_porte.hauteur / 4);
  EXPECT_GT(bleu(milieu), 3 * rouge(milieu)) << std::hex << milieu; // a door of its colour
  // Set in the wall: seen from further, the partition's edges are brick.
  Plan plus_loin;
  plus_loin.passage("E5", D::nord, 1).cloison("E4", D::nord, CLOISON_PORTE_BLEUE);
  const Pixels loin = vue(plus_loin, "E5", D::nord);
  EXPECT_TRUE(est_mur(loin.at(loin.largeur * 100 / 320, loin.hauteur / 2)));
  EXPECT_GT(bleu(loin.at(loin.largeur / 2, loin.hauteur * 3 / 8)), 100);
  const Pixels de_sortie = vue(sortie, "E5", D::nord);
  EXPECT_NE(de_sortie.argb, de_mur.argb);
  EXPECT_NE(de_sortie.argb, de_porte.argb);
  // Even up close, where no edge of it is in view, the exit is lit green.
  for (int y : {de_sortie.hauteur / 4, de_sortie.hauteur / 2}) {
    const uint32_t c = de_sortie.at(de_sortie.largeur / 2, y);
    EXPECT_GT(vert(c), rouge(c) + 40) << std::hex << c;
  }
  // From the other side, the same partition looks the same.
  porte.passage("E4", D::nord, 0);
  const Pixels envers = vue(porte, "E4", D::sud);
  EXPECT_GT(bleu(envers.at(envers.largeur / 2, envers.hauteur / 4)), 100);
}

TEST(Vue, AGrilleShowsWhatLiesBehindIt) {
  Plan plan;
  plan.cloison("E5", D::nord, CLOISON_GRILLE);
  const Pixels p = vue(plan, "E5", D::nord);
  int barreaux = 0, a_travers = 0;
  const int y = p.hauteur / 2;
  for (int x = 0; x < p.largeur; ++x) {
    const uint32_t c = p.at(x, y);
    if (est_mur(c))
      ++a_travers;
    else
      ++barreaux;
  }
  EXPECT_GT(barreaux, p.largeur / 10);
  EXPECT_GT(a_travers, p.largeur / 3);
  // Between the middle bars, the wall of the room behind the grille, one room further.
  const double focale = p.largeur / 2 / std::tan(CHAMP_DE_VISION / 2);
  EXPECT_NEAR(hauteur_mur(p, p.largeur / 2), focale / 1.5, 2.0);
}

TEST(Vue, SpritesStandInTheirRoomsAndHideBehindWalls) {
  Decor decor = decor_uni();
  // A key picture: white on the kinds' green ground.
  Pixels cle(8, 8, 0xFF00FF00u);
  for (int y = 2; y < 8; ++y)
    for (int x = 2; x < 6; ++x)
      cle.argb[static_cast<size_t>(y * 8 + x)] = 0xFFFFFFFFu;
  decor.salles[SALLE_CLE_BLANCHE] = cle;
  auto blancs = [](const Pixels &p) {
    int n = 0;
    for (uint32_t c : p.argb)
      n += rouge(c) > 0 && rouge(c) == vert(c) && vert(c) == bleu(c);
    return n;
  };
  Plan ouvert;
  ouvert.passage("E5", D::nord, 2).salle("E3", SALLE_CLE_BLANCHE);
  EXPECT_GT(blancs(vue(ouvert, "E5", D::nord, decor)), 50);
  EXPECT_EQ(blancs(vue(ouvert, "E5", D::sud, decor)), 0); // behind the eye

  Plan ferme = ouvert;
  ferme.cloison("E4", D::nord, CLOISON_MUR);
  EXPECT_EQ(blancs(vue(ferme, "E5", D::nord, decor)), 0);

  // A key taken is no longer drawn.
  std::array<bool, NB_SALLES_MAX> pris{};
  pris[static_cast<size_t>(Plan::indice("E3"))] = true;
  Pixels p(320, 240);
  dessine_vue(Plateau(ouvert.monde()), decor, regard_salle(Plan::indice("E5"), D::nord), p, &pris);
  EXPECT_EQ(blancs(p), 0);
}

TEST(Vue, MissingTexturesAreDrawnInPlainColoursAndAnySizeWorks) {
  Plan plan;
  Decor vide;
  for (auto [w, h] : {std::pair{1, 1}, {3, 700}, {641, 2}}) {
    Pixels p(w, h, 0);
    dessine_vue(Plateau(plan.monde()), vide, regard_salle(44, D::ouest), p);
    for (uint32_t c : p.argb)
      EXPECT_EQ(c >> 24, 0xFFu);
  }
  Pixels rien;
  dessine_vue(Plateau(plan.monde()), vide, regard_salle(44, D::ouest), rien); // nothing to do
  // A point between rooms and any angle: the animation's frames.
  Pixels p(64, 48, 0);
  dessine_vue(Plateau(plan.monde()), vide, Regard{4.5, 4.99, 0.3}, p);
  EXPECT_NE(p.at(32, 24), 0u);
}

TEST(Vue, FramesOfAStepAndOfATurn) {
  const Regard c5 = regard_salle(Plan::indice("C5"), D::nord);
  const Regard c4 = regard_salle(Plan::indice("C4"), D::nord);
  const Regard moitie = entre(c5, c4, 0.5);
  EXPECT_DOUBLE_EQ(moitie.x, 2.5);
  EXPECT_DOUBLE_EQ(moitie.y, 4.0);
  // From nord to ouest is a quarter turn to the left, not three to the right.
  const Regard ouest = regard_salle(Plan::indice("C5"), D::ouest);
  const double quart = entre(c5, ouest, 0.5).angle - c5.angle;
  EXPECT_NEAR(quart, -std::numbers::pi / 4, 1e-9);
  EXPECT_NEAR(std::remainder(entre(c5, ouest, 1).angle - ouest.angle, 2 * std::numbers::pi), 0,
              1e-9);
  // Every facing looks toward its neighbour: a wall ahead when it is closed, the far wall
  // of the next room when open.
  for (Direction d : DIRECTIONS) {
    Plan plan;
    plan.passage("E5", d, 1);
    const Pixels p = vue(plan, "E5", d);
    const double focale = p.largeur / 2 / std::tan(CHAMP_DE_VISION / 2);
    EXPECT_NEAR(hauteur_mur(p, p.largeur / 2), focale / 1.5, 2.0) << nom_direction(d);
  }
}
