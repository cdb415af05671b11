// The document's history: grid presses and the room panel's fields are steps that undo and
// redo exactly, with the grid and the panel following, and modifie follows the saved state.

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTest>

#include <gtest/gtest.h>

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
      appuie(f.vues_cloisons[static_cast<size_t>(hasard.bounded(NB_CLOISONS_MAX))], b);
    else
      appuie(f.vues_salles[static_cast<size_t>(hasard.bounded(NB_SALLES_MAX))], b);
  }
  const std::string fin = ecrit_lab(f.monde());
  QUndoStack &h = f.document().historique();
  ASSERT_NE(fin, frais);
  while (h.canUndo())
    h.undo();
  EXPECT_EQ(ecrit_lab(f.monde()), frais);
  EXPECT_FALSE(f.monde().modifie);
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    ASSERT_EQ(
        f.vues_cloisons[static_cast<size_t>(i)]->picture().cacheKey(),
        f.bitmap_cloison(f.monde().cloisons[static_cast<size_t>(i)].sens, CLOISON_MUR).cacheKey())
        << i;
  while (h.canRedo())
    h.redo();
  EXPECT_EQ(ecrit_lab(f.monde()), fin);
  EXPECT_TRUE(f.monde().modifie);
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    ASSERT_EQ(f.vues_salles[static_cast<size_t>(i)]->picture().cacheKey(),
              f.bitmap_salle(f.monde().salles[static_cast<size_t>(i)].contenu).cacheKey())
        << i;
}

TEST(Historique, PanelFieldsAreStepsTakenWhenAnotherRoomIsSelected) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  appuie(f.vues_salles[12], Qt::MiddleButton);
  f.findChild<QPlainTextEdit *>("Memo1")->setPlainText("Combien ?");
  f.findChild<QLineEdit *>("Edit3")->setText("Trois");
  f.findChild<QCheckBox *>("Check3")->setChecked(true);
  QUndoStack &h = f.document().historique();
  EXPECT_EQ(h.count(), 0); // typing is not stored yet
  appuie(f.vues_salles[13], Qt::MiddleButton);
  ASSERT_EQ(h.count(), 1); // one step for the room
  EXPECT_EQ(f.monde().salles[12].reponses[2], "Trois");
  EXPECT_TRUE(f.monde().modifie);

  h.undo();
  EXPECT_EQ(f.monde().salles[12].question, "");
  EXPECT_EQ(f.monde().salles[12].reponses[2], "");
  EXPECT_FALSE(f.monde().salles[12].bonnes[2]);
  EXPECT_FALSE(f.monde().modifie);
  h.redo();
  EXPECT_EQ(f.monde().salles[12].question, "Combien ? ");
  EXPECT_TRUE(f.monde().salles[12].bonnes[2]);
  // Back on room 12, the panel shows it; undoing now empties the panel with the room.
  appuie(f.vues_salles[12], Qt::MiddleButton);
  ASSERT_EQ(h.count(), 1);
  h.undo();
  EXPECT_EQ(f.findChild<QLineEdit *>("Edit3")->text(), "");
  EXPECT_FALSE(f.findChild<QCheckBox *>("Check3")->isChecked());
  EXPECT_TRUE(f.findChild<QPlainTextEdit *>("Memo1")->toPlainText().isEmpty());
}

TEST(Historique, SavingMarksTheCleanStateAndNewStartsAnEmptyHistory) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  QUndoStack &h = f.document().historique();
  appuie(f.vues_cloisons[3], Qt::RightButton);
  e.dialogues.fichiers << e.depart.chemin() + "/m.lab";
  f.SpeedButton3Click();
  EXPECT_FALSE(f.monde().modifie);
  appuie(f.vues_cloisons[3], Qt::RightButton);
  EXPECT_TRUE(f.monde().modifie);
  h.undo(); // back to the saved state: nothing unsaved, New asks nothing
  EXPECT_FALSE(f.monde().modifie);
  f.SpeedButton1Click();
  EXPECT_TRUE(e.dialogues.questions.isEmpty());
  EXPECT_EQ(h.count(), 0);
}

} // namespace
