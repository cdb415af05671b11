// The brush from the legend, the keyboard on the grid and the marks of a room: arming and
// disarming, the colour choices, strokes that cross elements as one step, the right button
// still stepping, Ctrl+press selecting, the arrows, and the corridor drawn in a few presses.

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include "image_grille.h"
#include "outils_test.h"

namespace {

// Window points of the grid's elements.
QPoint salle(int col, int lig) {
  return {col * 60 + 50, lig * 60 + 50};
}
QPoint cloison_v(int col, int lig) { // the partition at the left of room (col, lig)
  return {col * 60 + 20, lig * 60 + 50};
}
QPoint cloison_h(int col, int lig) { // the partition above room (col, lig)
  return {col * 60 + 50, lig * 60 + 20};
}

// The window shown and active, so that presses and keys go where a person's would.
struct Fenetre {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  int appuis = 0;
  Fenetre() {
    f.show();
    QApplication::setActiveWindow(&f);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&f));
    // Tests that press a widget directly leave QTest's buttons held: let them go, off the
    // controls, so that a drag here carries the left button alone.
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
      QTest::mouseRelease(f.windowHandle(), b, {}, QPoint(1018, 762));
  }
  // A completed press as the platform delivers it (the pressed widget keeps the moves).
  void clic(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers t = {}) {
    ++appuis;
    QTest::mousePress(f.windowHandle(), b, t, p);
    QTest::mouseRelease(f.windowHandle(), b, t, p);
  }
  void legende(const char *nom) { clic(dans_fenetre(nomme(f, nom)).center()); }
  // One press, the pointer dragged through the points, then released.
  void trait(std::initializer_list<QPoint> points) {
    ++appuis;
    QPoint dernier = *points.begin();
    QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, dernier);
    for (QPoint p : points) {
      QTest::mouseMove(f.windowHandle(), p);
      dernier = p;
    }
    QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, dernier);
  }
  // A colour of a choice beside the key or the door: a press on the choice, one on the colour.
  void couleur(const char *nom, int rang) {
    appuis += 2;
    auto *menu = nomme<QMenu>(f, QString::fromLatin1(nom) + "Menu");
    menu->actions().at(rang)->trigger();
  }
  void touche(Qt::Key k, Qt::KeyboardModifiers t = {}) { QTest::keyClick(&grille(f), k, t); }
  int32_t cloison(int i) const { return f.monde().cloisons[i].contenu; }
  int32_t contenu_salle(int i) const { return f.monde().salles[i].contenu; }
  QString aide() const { return nomme<QLabel>(f, "Laide")->text(); }
};

TEST(Pinceau, ALegendPressArmsItsKindFramedASecondPressOrEscapeDisarms) {
  Fenetre w;
  auto *sortie = nomme<ImageGrille>(w.f, "LegendeSortie");
  auto *depart = nomme<ImageGrille>(w.f, "LegendeDepart");
  w.legende("LegendeSortie");
  ASSERT_TRUE(grille(w.f).pinceau().has_value());
  EXPECT_EQ(*grille(w.f).pinceau(), (Pinceau{true, CLOISON_SORTIE}));
  EXPECT_TRUE(sortie->cadre());
  EXPECT_TRUE(w.aide().contains(QString::fromUtf8("Pinceau « Sortie »"))) << w.aide().toStdString();
  EXPECT_TRUE(w.aide().contains(QString::fromUtf8("Échap")));
  // Another picture takes the brush over; the first loses its frame.
  w.legende("LegendeDepart");
  EXPECT_EQ(*grille(w.f).pinceau(), (Pinceau{false, SALLE_DEPART}));
  EXPECT_FALSE(sortie->cadre());
  EXPECT_TRUE(depart->cadre());
  w.legende("LegendeDepart");
  EXPECT_FALSE(grille(w.f).pinceau().has_value());
  EXPECT_FALSE(depart->cadre());
  EXPECT_FALSE(w.aide().contains(QStringLiteral("Pinceau")));
  // Escape, wherever the focus is in the window.
  w.legende("LegendeVide");
  EXPECT_EQ(*grille(w.f).pinceau(), (Pinceau{false, SALLE_VIDE}));
  QTest::keyClick(&w.f, Qt::Key_Escape);
  EXPECT_FALSE(grille(w.f).pinceau().has_value());
  EXPECT_FALSE(nomme<ImageGrille>(w.f, "LegendeVide")->cadre());
  // A press on the grid with no brush steps as ever.
  w.clic(cloison_v(3, 3));
  EXPECT_EQ(w.cloison(indice_cloison_v(3, 3)), CLOISON_OUVERTE);
}

TEST(Pinceau, TheColourChoicesOfferEveryKeyAndDoorAndArmThem) {
  Fenetre w;
  auto *porte = nomme<ImageGrille>(w.f, "LegendePorteFermee");
  auto *cle = nomme<ImageGrille>(w.f, "LegendeCle");
  for (int rang = 0; rang < 6; ++rang) {
    SCOPED_TRACE(rang);
    w.couleur("CouleurPorte", rang);
    EXPECT_EQ(*grille(w.f).pinceau(), (Pinceau{true, porte_de_cle(SALLE_CLE_NOIRE + rang)}));
    EXPECT_EQ(porte->picture().toImage(),
              grille(w.f).bitmap_cloison(0, CLOISON_PORTE_NOIRE + rang).toImage());
    EXPECT_TRUE(porte->cadre());
    w.couleur("CouleurCle", rang);
    EXPECT_EQ(*grille(w.f).pinceau(), (Pinceau{false, SALLE_CLE_NOIRE + rang}));
    EXPECT_EQ(cle->picture().toImage(), grille(w.f).bitmap_salle(SALLE_CLE_NOIRE + rang).toImage());
    EXPECT_FALSE(porte->cadre());
  }
  // The door keeps its colour: a press on its picture arms that door again, not yellow.
  w.legende("LegendePorteFermee");
  EXPECT_EQ(*grille(w.f).pinceau(), (Pinceau{true, CLOISON_PORTE_JAUNE}));
  w.couleur("CouleurPorte", 3);
  w.legende("LegendeMur");
  w.legende("LegendePorteFermee");
  EXPECT_EQ(*grille(w.f).pinceau(), (Pinceau{true, CLOISON_PORTE_ROUGE}));
  EXPECT_EQ(nomme<QMenu>(w.f, "CouleurCleMenu")->actions().at(3)->text(),
            QString::fromUtf8("Clé rouge"));
}

TEST(Pinceau, AStrokeLaysTheKindOnEveryElementItCrossesAsOneStep) {
  Fenetre w;
  Historique &h = w.f.document().historique();
  w.legende("LegendePassage");
  // Along the top row, from the partition between A1 and B1 to the one between I1 and J1,
  // through the rooms in between.
  w.trait({cloison_v(1, 0), salle(4, 0), cloison_v(9, 0)});
  for (int col = 0; col <= 10; ++col)
    EXPECT_EQ(w.cloison(indice_cloison_v(col, 0)),
              col >= 1 && col <= 9 ? CLOISON_OUVERTE : CLOISON_MUR)
        << col;
  // Nothing off the path: the horizontal partitions above and below the row.
  for (int col = 0; col < 10; ++col) {
    EXPECT_EQ(w.cloison(indice_cloison_h(col, 0)), CLOISON_MUR);
    EXPECT_EQ(w.cloison(indice_cloison_h(col, 1)), CLOISON_MUR);
  }
  EXPECT_EQ(h.count(), 1);
  EXPECT_TRUE(w.f.monde().modifie);
  h.undo();
  for (int col = 0; col <= 10; ++col)
    EXPECT_EQ(w.cloison(indice_cloison_v(col, 0)), CLOISON_MUR) << col;
  EXPECT_FALSE(w.f.monde().modifie);
  h.redo();
  EXPECT_EQ(w.cloison(indice_cloison_v(5, 0)), CLOISON_OUVERTE);
  // The same stroke again changes nothing and leaves no empty step behind.
  w.trait({cloison_v(1, 0), cloison_v(9, 0)});
  EXPECT_EQ(h.count(), 1);
  // A stroke down a column of rooms with a room brush, one step again; the room pressed
  // first is selected.
  w.legende("LegendePlan");
  w.trait({salle(2, 2), salle(2, 6)});
  for (int lig = 0; lig < 10; ++lig)
    EXPECT_EQ(w.contenu_salle(indice_salle(2, lig)), lig >= 2 && lig <= 6 ? SALLE_PLAN : SALLE_VIDE)
        << lig;
  EXPECT_EQ(w.f.document().salle_choisie(), indice_salle(2, 2));
  EXPECT_EQ(h.count(), 2);
  h.undo();
  EXPECT_EQ(w.contenu_salle(indice_salle(2, 4)), SALLE_VIDE);
}

TEST(Pinceau, WithABrushTheRightButtonStepsAndTheOtherSortStepsToo) {
  Fenetre w;
  w.legende("LegendeTeleporteur");
  w.clic(salle(5, 5), Qt::RightButton); // empty -> black key, as without a brush
  EXPECT_EQ(w.contenu_salle(indice_salle(5, 5)), SALLE_CLE_NOIRE);
  w.clic(cloison_h(5, 5)); // a room brush over a partition: the left press steps back
  EXPECT_EQ(w.cloison(indice_cloison_h(5, 5)), CLOISON_OUVERTE);
  w.clic(salle(5, 5));
  EXPECT_EQ(w.contenu_salle(indice_salle(5, 5)), SALLE_TELEPORTEUR);
  EXPECT_EQ(w.f.document().salle_choisie(), indice_salle(5, 5));
  // Ctrl+press selects without changing, brush or not.
  w.clic(salle(6, 5), Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(w.contenu_salle(indice_salle(6, 5)), SALLE_VIDE);
  EXPECT_EQ(w.f.document().salle_choisie(), indice_salle(6, 5));
  w.legende("LegendeTeleporteur");
  w.clic(salle(7, 5), Qt::LeftButton, Qt::ControlModifier);
  EXPECT_EQ(w.contenu_salle(indice_salle(7, 5)), SALLE_VIDE);
  EXPECT_EQ(w.f.document().salle_choisie(), indice_salle(7, 5));
  w.clic(cloison_h(7, 5), Qt::RightButton, Qt::ControlModifier);
  EXPECT_EQ(w.cloison(indice_cloison_h(7, 5)), CLOISON_MUR);
}

TEST(Clavier, ArrowsSelectShiftAndCtrlArrowsStepThatSideEnterGoesToTheQuestion) {
  Fenetre w;
  grille(w.f).setFocus();
  // No room selected: the first arrow selects the first room.
  w.touche(Qt::Key_Right);
  EXPECT_EQ(w.f.document().salle_choisie(), 0);
  w.touche(Qt::Key_Right);
  w.touche(Qt::Key_Down);
  w.touche(Qt::Key_Down);
  EXPECT_EQ(w.f.document().salle_choisie(), indice_salle(1, 2));
  EXPECT_EQ(dans_fenetre(nomme(w.f, "Marque")).topLeft(), QPoint(60 + 28, 120 + 28));
  // The edge stops the selection.
  w.touche(Qt::Key_Left);
  w.touche(Qt::Key_Left);
  EXPECT_EQ(w.f.document().salle_choisie(), indice_salle(0, 2));
  w.touche(Qt::Key_Right);
  // Each side's partition: forward with Shift, back with Ctrl; the room keeps its kind.
  const struct {
    Qt::Key k;
    int cloison;
  } cotes[] = {
      {Qt::Key_Up, indice_cloison_h(1, 2)},
      {Qt::Key_Down, indice_cloison_h(1, 3)},
      {Qt::Key_Left, indice_cloison_v(1, 2)},
      {Qt::Key_Right, indice_cloison_v(2, 2)},
  };
  for (const auto &c : cotes) {
    w.touche(c.k, Qt::ShiftModifier);
    EXPECT_EQ(w.cloison(c.cloison), CLOISON_PORTE_DEROBEE) << c.k;
    w.touche(c.k, Qt::ControlModifier);
    w.touche(c.k, Qt::ControlModifier);
    EXPECT_EQ(w.cloison(c.cloison), CLOISON_OUVERTE) << c.k;
  }
  EXPECT_EQ(w.f.document().salle_choisie(), indice_salle(1, 2));
  EXPECT_EQ(w.contenu_salle(indice_salle(1, 2)), SALLE_VIDE);
  // The outer edge has its partitions too: the left side of a room of the first column.
  w.touche(Qt::Key_Left);
  w.touche(Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(w.cloison(indice_cloison_v(0, 2)), CLOISON_OUVERTE);
  // Entrée: the panel's question, ready to be typed.
  w.touche(Qt::Key_Return);
  auto *memo = nomme<QPlainTextEdit>(w.f, "Memo1");
  EXPECT_TRUE(memo->hasFocus());
  EXPECT_EQ(nomme<QTabWidget>(w.f, "PC")->currentWidget()->objectName(), "TabQuestion");
  QTest::keyClicks(memo, "Qui ?");
  // Back on the grid, the question typed went into the room it was typed for.
  w.clic(salle(5, 5), Qt::MiddleButton);
  EXPECT_EQ(w.f.monde().salles[indice_salle(0, 2)].question, "Qui ? "); // stored as ever
  EXPECT_TRUE(grille(w.f).hasFocus());
}

TEST(Marques, ARoomShowsItsRiddlePictureAndMediumMarksFollowingUndo) {
  Fenetre w;
  Document &d = w.f.document();
  ImageGrille *vue = vue_salle(w.f, 23);
  EXPECT_EQ(vue->marques(), (ImageGrille::Marques{}));
  d.pose(cible_question(23), std::string("Combien ?"));
  d.pose(cible_image(23), std::string("paris.jpg"));
  EXPECT_EQ(vue->marques(), (ImageGrille::Marques{true, true, false}));
  d.pose(cible_media(23), std::string("chant.wav"));
  EXPECT_EQ(vue->marques(), (ImageGrille::Marques{true, true, true}));
  d.historique().undo();
  d.historique().undo();
  EXPECT_EQ(vue->marques(), (ImageGrille::Marques{true, false, false}));
  // Drawn in a corner: the key's picture keeps its middle.
  monde(w.f).salles[23].contenu = SALLE_CLE_ROUGE;
  grille(w.f).dessine_salle(23);
  const QImage avec = rendu_sur(vue, Qt::white);
  vue->pose_marques({});
  const QImage sans = rendu_sur(vue, Qt::white);
  EXPECT_EQ(avec.pixelColor(20, 20), sans.pixelColor(20, 20));
  EXPECT_NE(avec.pixelColor(35, 5), sans.pixelColor(35, 5));
  // A new labyrinth drops them.
  w.e.dialogues.reponses << Reponse::non;
  clique(w.f, "SpeedButton1");
  EXPECT_TRUE(w.f.monde().salles[23].question.empty());
  EXPECT_EQ(vue_salle(w.f, 23)->marques(), (ImageGrille::Marques{}));
}

// The corridor: start in A1, a red key in C1, the partitions along the top row open, a red
// door between F1 and G1, the exit on the east side of J1.
TEST(Pinceau, TheCorridorIsDrawnInTwelvePressesAtMost) {
  Fenetre w;
  w.legende("LegendeDepart");
  w.clic(salle(0, 0));
  w.couleur("CouleurCle", 3);
  w.clic(salle(2, 0));
  w.legende("LegendePassage");
  w.trait({cloison_v(1, 0), cloison_v(9, 0)});
  w.couleur("CouleurPorte", 3);
  w.clic(cloison_v(6, 0));
  w.legende("LegendeSortie");
  w.clic(cloison_v(10, 0));
  EXPECT_LE(w.appuis, 12);
  Monde attendu;
  Cree_Monde(attendu);
  attendu.salles[indice_salle(0, 0)].contenu = SALLE_DEPART;
  attendu.salles[indice_salle(2, 0)].contenu = SALLE_CLE_ROUGE;
  for (int col = 1; col <= 9; ++col)
    attendu.cloisons[indice_cloison_v(col, 0)].contenu = CLOISON_OUVERTE;
  attendu.cloisons[indice_cloison_v(6, 0)].contenu = CLOISON_PORTE_ROUGE;
  attendu.cloisons[indice_cloison_v(10, 0)].contenu = CLOISON_SORTIE;
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    EXPECT_EQ(w.contenu_salle(i), attendu.salles[i].contenu) << "room " << i;
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    EXPECT_EQ(w.cloison(i), attendu.cloisons[i].contenu) << "partition " << i;
}

} // namespace
