// Presses on the grid: kinds stepping with the wrap-around, the picture following at once,
// the selection outline, modifie, kinds a file brought outside their range, double clicks.

#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

#include "cadre_marque.h"
#include "image_grille.h"
#include "outils_test.h"

namespace {

const QPoint MILIEU_CLOISON_H(20, 10);
const QPoint MILIEU_SALLE(20, 20);

void appuie(ImageGrille *vue, Qt::MouseButton bouton) {
  QTest::mousePress(vue, bouton, {}, QPoint(vue->width() / 2, vue->height() / 2));
}

// The image shows exactly the table's bitmap of the kind (a copy shares its cache key).
bool montre(const ImageGrille *vue, const QPixmap &bitmap) {
  return !bitmap.isNull() && vue->picture().cacheKey() == bitmap.cacheKey();
}

struct Sequence {
  const char *nom;
  int indice; // into cloisons
  int depart;
  std::vector<Qt::MouseButton> boutons;
  std::vector<int> attendus; // the kind after each press
};

TEST(EditionGrille, PartitionPressesStepTheKindWithWrapAroundAndSwapThePicture) {
  const Sequence sequences[] = {
      {"wall, left thrice",
       23,
       CLOISON_MUR,
       {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton},
       {0, 10, 9}},
      {"grille, right thrice",
       23,
       CLOISON_GRILLE,
       {Qt::RightButton, Qt::RightButton, Qt::RightButton},
       {0, 1, 2}},
      {"open, left", 0, CLOISON_OUVERTE, {Qt::LeftButton}, {10}},
      {"vertical wall, right then left",
       135,
       CLOISON_MUR,
       {Qt::RightButton, Qt::LeftButton},
       {2, 1}},
      {"middle keeps the kind", 219, CLOISON_SORTIE, {Qt::MiddleButton}, {9}},
      {"right thrice from 9 is 3 modulo 11",
       5,
       CLOISON_SORTIE,
       {Qt::RightButton, Qt::RightButton, Qt::RightButton},
       {10, 0, 1}},
  };
  for (const Sequence &s : sequences) {
    SCOPED_TRACE(s.nom);
    EditeurEnTest e;
    TForm1 &f = *e.fenetre;
    monde(f).cloisons[s.indice].contenu = s.depart;
    grille(f).dessine_cloison(s.indice);
    ImageGrille *vue = vue_cloison(f, s.indice);
    const int sens = s.indice < NB_CLOISONS_H ? 0 : 1;
    for (size_t i = 0; i < s.boutons.size(); ++i) {
      monde(f).modifie = false;
      appuie(vue, s.boutons[i]);
      EXPECT_EQ(monde(f).cloisons[s.indice].contenu, s.attendus[i]) << "press " << i;
      EXPECT_TRUE(montre(vue, grille(f).bitmap_cloison(sens, s.attendus[i]))) << "press " << i;
      // A press that leaves the kind is no step of the history and changes nothing.
      EXPECT_EQ(monde(f).modifie, s.boutons[i] != Qt::MiddleButton) << "press " << i;
    }
    // A partition press leaves the selection and the panel alone.
    EXPECT_EQ(f.document().salle_choisie(), -1);
    EXPECT_EQ(dans_fenetre(nomme(f, "Marque")).topLeft(), QPoint(-100, -100));
  }
}

TEST(EditionGrille, RoomPressesStepSelectAndFrameTheRoom) {
  struct Cas {
    const char *nom;
    int col, lig, depart;
    Qt::MouseButton bouton;
    int attendu, delta;
  } const cas[] = {
      {"empty, left: map", 0, 0, SALLE_VIDE, Qt::LeftButton, SALLE_PLAN, -1},
      {"map, right: empty", 9, 9, SALLE_PLAN, Qt::RightButton, SALLE_VIDE, 1},
      {"key, right", 3, 2, SALLE_CLE_BLEUE, Qt::RightButton, SALLE_CLE_ROUGE, 1},
      {"middle only selects", 4, 7, SALLE_DEPART, Qt::MiddleButton, SALLE_DEPART, 0},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(c.nom);
    EditeurEnTest e;
    TForm1 &f = *e.fenetre;
    const int i = indice_salle(c.col, c.lig);
    monde(f).salles[i].contenu = c.depart;
    grille(f).dessine_salle(i);
    appuie(vue_salle(f, i), c.bouton);
    EXPECT_EQ(monde(f).salles[i].contenu, c.attendu);
    EXPECT_TRUE(montre(vue_salle(f, i), grille(f).bitmap_salle(c.attendu)));
    EXPECT_EQ(f.document().salle_choisie(), i);
    EXPECT_EQ(grille(f).delta_clic(), c.delta);
    EXPECT_EQ(monde(f).modifie, c.attendu != c.depart);
    EXPECT_EQ(dans_fenetre(nomme(f, "Marque")), QRect(c.col * 60 + 28, c.lig * 60 + 28, 44, 44));
    EXPECT_EQ(dans_fenetre(nomme(f, "Marque")),
              dans_fenetre(vue_salle(f, i)).adjusted(-2, -2, 2, 2));
  }
}

TEST(EditionGrille, AKindFromOutsideTheRangeComesBackIntoItOnThePress) {
  // Taken as the nearer end of the range, then stepped.
  struct Cas {
    bool salle;
    int depart;
    Qt::MouseButton bouton;
    int attendu;
  } const cas[] = {
      {false, 42, Qt::LeftButton, 9},    {false, 42, Qt::RightButton, 0},
      {false, 42, Qt::MiddleButton, 10}, {false, -5, Qt::LeftButton, 10},
      {false, -5, Qt::RightButton, 1},   {false, 11, Qt::RightButton, 0},
      {true, 42, Qt::LeftButton, 8},     {true, 10, Qt::RightButton, 0},
      {true, -5, Qt::RightButton, 1},    {true, -1, Qt::MiddleButton, 0},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(testing::Message()
                 << (c.salle ? "room " : "partition ") << c.depart << " " << c.bouton);
    EditeurEnTest e;
    TForm1 &f = *e.fenetre;
    if (c.salle) {
      monde(f).salles[12].contenu = c.depart;
      grille(f).dessine_salle(12);
      appuie(vue_salle(f, 12), c.bouton);
      EXPECT_EQ(monde(f).salles[12].contenu, c.attendu);
      EXPECT_TRUE(montre(vue_salle(f, 12), grille(f).bitmap_salle(c.attendu)));
    } else {
      monde(f).cloisons[12].contenu = c.depart;
      grille(f).dessine_cloison(12);
      appuie(vue_cloison(f, 12), c.bouton);
      EXPECT_EQ(monde(f).cloisons[12].contenu, c.attendu);
      EXPECT_TRUE(montre(vue_cloison(f, 12), grille(f).bitmap_cloison(0, c.attendu)));
    }
  }
}

TEST(EditionGrille, APartitionOfUnknownOrientationKeepsItsPicture) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  monde(f).cloisons[7].sens = 4;
  const qint64 avant = vue_cloison(f, 7)->picture().cacheKey();
  appuie(vue_cloison(f, 7), Qt::RightButton);
  EXPECT_EQ(monde(f).cloisons[7].contenu, CLOISON_PORTE_DEROBEE);
  EXPECT_EQ(vue_cloison(f, 7)->picture().cacheKey(), avant);
  EXPECT_TRUE(monde(f).modifie);
}

TEST(EditionGrille, EachPressOfADoubleClickActsOnce) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  f.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
  // Through the window, as the platform delivers it: press, release, double click, release.
  ImageGrille *cloison = vue_cloison(f, indice_cloison_v(4, 4));
  QTest::mouseDClick(f.windowHandle(), Qt::RightButton, {}, dans_fenetre(cloison).center());
  EXPECT_EQ(monde(f).cloisons[cloison->Tag].contenu, CLOISON_MUR + 2);
  ImageGrille *salle = vue_salle(f, indice_salle(4, 4));
  QTest::mouseDClick(f.windowHandle(), Qt::LeftButton, {}, dans_fenetre(salle).center());
  EXPECT_EQ(monde(f).salles[salle->Tag].contenu, 8);
  EXPECT_EQ(f.document().salle_choisie(), salle->Tag);
}

TEST(EditionGrille, TheOutlineIsDrawnAroundTheSelectedRoom) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  ImageGrille *salle = vue_salle(f, indice_salle(2, 5));
  appuie(salle, Qt::RightButton); // a black key: opaque pixels in the middle
  const QImage rendu = rendu_sur(&f, Qt::white);
  const QRect cadre = dans_fenetre(nomme(f, "Marque"));
  EXPECT_EQ(rendu.pixelColor(cadre.left(), cadre.center().y()), QColor(Qt::red));
  EXPECT_EQ(rendu.pixelColor(cadre.right(), cadre.top()), QColor(Qt::red));
  EXPECT_EQ(rendu.pixelColor(cadre.right() - 1, cadre.bottom() - 1), QColor(Qt::red));
  // Inside the ring the room's own picture is drawn over the outline's rectangle.
  EXPECT_NE(rendu.pixelColor(cadre.center()), QColor(Qt::red));
  // Pressing another room moves the one outline there.
  appuie(vue_salle(f, indice_salle(9, 0)), Qt::MiddleButton);
  EXPECT_EQ(dans_fenetre(nomme(f, "Marque")).topLeft(), QPoint(9 * 60 + 28, 28));
}

} // namespace
