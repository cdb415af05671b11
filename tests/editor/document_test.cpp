// The document's history: grid presses and the room panel's fields are steps that undo and
// redo exactly, with the grid and the panel following, and modifie follows the saved state.

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTest>

#include <gtest/gtest.h>

#include "../same_lines.h"
#include "image_grille.h"
#include "lab_file.h"
#include "outils_test.h"

namespace {

void appuie(ImageGrille *vue, Qt::MouseButton bouton) {
  QTest::mousePress(vue, bouton, {}, QPoint(vue->width() / 2, vue->height() / 2));
}

TEST(Historique, RandomPressesUndoneToTheStartAndRedoneToTheEnd) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const std::string frais = ecrit_lab(f.monde());
  QRandomGenerator hasard(9);
  const Qt::MouseButton boutons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
  for (int n = 0; n < 300; ++n) {
    const Qt::MouseButton b = boutons[hasard.bounded(3)];
    if (hasard.bounded(2))
      appuie(vue_cloison(f, static_cast<int>(hasard.bounded(NB_CLOISONS_MAX))), b);
    else
      appuie(vue_salle(f, static_cast<int>(hasard.bounded(NB_SALLES_MAX))), b);
  }
  const std::string fin = ecrit_lab(f.monde());
  QUndoStack &h = f.document().historique();
  ASSERT_NE(fin, frais);
  while (h.canUndo())
    h.undo();
  EXPECT_TRUE(same_lines(ecrit_lab(f.monde()), frais));
  EXPECT_FALSE(f.monde().modifie);
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    ASSERT_EQ(vue_cloison(f, i)->picture().cacheKey(),
              grille(f)
                  .bitmap_cloison(f.monde().cloisons[static_cast<size_t>(i)].sens, CLOISON_MUR)
                  .cacheKey())
        << i;
  while (h.canRedo())
    h.redo();
  EXPECT_TRUE(same_lines(ecrit_lab(f.monde()), fin));
  EXPECT_TRUE(f.monde().modifie);
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    ASSERT_EQ(vue_salle(f, i)->picture().cacheKey(),
              grille(f).bitmap_salle(f.monde().salles[static_cast<size_t>(i)].contenu).cacheKey())
        << i;
}

TEST(Historique, PanelFieldsAreStepsTakenWhenAnotherRoomIsSelected) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  appuie(vue_salle(f, 12), Qt::MiddleButton);
  f.findChild<QPlainTextEdit *>("Memo1")->setPlainText("Combien ?");
  f.findChild<QLineEdit *>("Edit3")->setText("Trois");
  f.findChild<QCheckBox *>("Check3")->setChecked(true);
  QUndoStack &h = f.document().historique();
  EXPECT_EQ(h.count(), 0); // typing is not stored yet
  appuie(vue_salle(f, 13), Qt::MiddleButton);
  ASSERT_EQ(h.count(), 3); // one step per field edited
  EXPECT_EQ(f.monde().salles[12].reponses[2], "Trois");
  EXPECT_TRUE(f.monde().modifie);

  while (h.canUndo())
    h.undo();
  EXPECT_EQ(f.monde().salles[12].question, "");
  EXPECT_EQ(f.monde().salles[12].reponses[2], "");
  EXPECT_FALSE(f.monde().salles[12].bonnes[2]);
  EXPECT_FALSE(f.monde().modifie);
  // The undo selected the room it concerned and shows it.
  EXPECT_EQ(f.document().salle_choisie(), 12);
  EXPECT_EQ(f.findChild<QLineEdit *>("Edit3")->text(), "");
  EXPECT_FALSE(f.findChild<QCheckBox *>("Check3")->isChecked());
  EXPECT_TRUE(f.findChild<QPlainTextEdit *>("Memo1")->toPlainText().isEmpty());
  while (h.canRedo())
    h.redo();
  EXPECT_EQ(f.monde().salles[12].question, "Combien ? ");
  EXPECT_TRUE(f.monde().salles[12].bonnes[2]);
  EXPECT_EQ(f.findChild<QPlainTextEdit *>("Memo1")->toPlainText(), "Combien ?");
  EXPECT_EQ(f.findChild<QLineEdit *>("Edit3")->text(), "Trois");
}

TEST(Historique, SavingMarksTheCleanStateAndNewStartsAnEmptyHistory) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  QUndoStack &h = f.document().historique();
  appuie(vue_cloison(f, 3), Qt::RightButton);
  e.dialogues.fichiers << e.depart.chemin() + "/m.lab";
  clique(f, "SpeedButton3");
  EXPECT_FALSE(f.monde().modifie);
  appuie(vue_cloison(f, 3), Qt::RightButton);
  EXPECT_TRUE(f.monde().modifie);
  h.undo(); // back to the saved state: nothing unsaved, New asks nothing
  EXPECT_FALSE(f.monde().modifie);
  clique(f, "SpeedButton1");
  EXPECT_TRUE(e.dialogues.questions.isEmpty());
  EXPECT_EQ(h.count(), 0);
}

// The window shown and active, so that its keyboard shortcuts are live.
void active(TForm1 &f) {
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
}

TEST(Historique, CtrlZUndoesAndCtrlYOrCtrlShiftZRedoesWhereverTheFocusIsButInATextField) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  active(f);
  QUndoStack &h = f.document().historique();
  const auto kind = [&f] { return f.monde().cloisons[3].contenu; };
  appuie(vue_cloison(f, 3), Qt::RightButton);
  ASSERT_EQ(kind(), CLOISON_MUR + 1);

  struct Touche {
    Qt::KeyboardModifiers modificateurs;
    Qt::Key touche;
    int attendu;
  };
  const Touche touches[] = {
      {Qt::ControlModifier, Qt::Key_Z, CLOISON_MUR},
      {Qt::ControlModifier, Qt::Key_Y, CLOISON_MUR + 1},
      {Qt::ControlModifier, Qt::Key_Z, CLOISON_MUR},
      {Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z, CLOISON_MUR + 1},
  };
  for (const Touche &t : touches) {
    QTest::keyClick(&f, t.touche, t.modificateurs);
    EXPECT_EQ(kind(), t.attendu);
    EXPECT_EQ(vue_cloison(f, 3)->picture().cacheKey(),
              grille(f).bitmap_cloison(0, t.attendu).cacheKey());
  }

  // In a text field the keys act on the field's own text, never on the history.
  appuie(vue_salle(f, 12), Qt::MiddleButton);
  auto *champ = nomme<QLineEdit>(f, "Edit", 0);
  champ->setFocus();
  QTest::keyClicks(champ, "abc");
  const int index = h.index();
  QTest::keyClick(champ, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_NE(champ->text(), "abc");
  for (const Qt::KeyboardModifiers redo :
       {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier}) {
    QTest::keyClick(champ, redo & Qt::ShiftModifier ? Qt::Key_Z : Qt::Key_Y, redo);
    EXPECT_EQ(champ->text(), "abc");
    QTest::keyClick(champ, Qt::Key_Z, Qt::ControlModifier);
  }
  EXPECT_EQ(h.index(), index);
  EXPECT_EQ(kind(), CLOISON_MUR + 1);
}

TEST(Historique, EachStepUndoneOrRedoneSelectsTheRoomItConcerns) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  active(f);
  QUndoStack &h = f.document().historique();
  QWidget *marque = nomme(f, "Marque");
  auto *memo = nomme<QPlainTextEdit>(f, "Memo1");
  const auto selection = [&](int salle) {
    EXPECT_EQ(f.document().salle_choisie(), salle);
    EXPECT_EQ(dans_fenetre(marque), dans_fenetre(vue_salle(f, salle)).adjusted(-2, -2, 2, 2));
  };
  appuie(vue_salle(f, 12), Qt::RightButton);
  appuie(vue_salle(f, 40), Qt::MiddleButton);
  memo->setPlainText("Qui ?"); // typed, not stored yet
  ASSERT_EQ(h.count(), 1);

  // The typing becomes the step undone first, then the press on room 12.
  QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(h.count(), 2);
  EXPECT_EQ(f.monde().salles[40].question, "");
  EXPECT_TRUE(memo->toPlainText().isEmpty());
  selection(40);
  QTest::keyClick(&f, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(f.monde().salles[12].contenu, SALLE_VIDE);
  selection(12);
  EXPECT_EQ(h.index(), 0);
  EXPECT_FALSE(f.monde().modifie);

  QTest::keyClick(&f, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(f.monde().salles[12].contenu, SALLE_VIDE + 1); // stepped once, not twice
  selection(12);
  QTest::keyClick(&f, Qt::Key_Y, Qt::ControlModifier);
  selection(40);
  EXPECT_EQ(memo->toPlainText(), "Qui ?");
  EXPECT_EQ(h.count(), 2); // selecting is no step
  EXPECT_FALSE(h.canRedo());
}

} // namespace
