// The document's history: grid presses and the room panel's fields are steps that undo and
// redo exactly, with the grid and the panel following, and modifie follows the saved state.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTest>

#include <gtest/gtest.h>

#include <tuple>

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
  Historique &h = f.document().historique();
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
  Historique &h = f.document().historique();
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
  Historique &h = f.document().historique();
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
  Historique &h = f.document().historique();
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
  Historique &h = f.document().historique();
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

// A step that says it holds `octets` bytes and counts its redo and undo.
struct PasPese : PasHistorique {
  PasPese(size_t n, int &etat) : octets(n), etat_(etat) {}
  void redo() override { ++etat_; }
  void undo() override { --etat_; }
  size_t octets_propres() const override { return octets; }
  size_t octets;
  int &etat_;
};

TEST(Historique, TheOldestStepsGoWhenTheHistoryOutgrowsItsLimit) {
  Historique h;
  h.pose_limite(1000);
  int etat = 0;
  QList<bool> propres;
  QObject::connect(&h, &Historique::cleanChanged, [&](bool p) { propres << p; });
  for (int i = 0; i < 10; ++i)
    h.push(new PasPese(300, etat));
  EXPECT_EQ(etat, 10);
  EXPECT_LE(h.octets(), 1000u);
  EXPECT_GE(h.count(), 2);
  EXPECT_LT(h.count(), 4);
  EXPECT_EQ(h.index(), h.count());
  while (h.canUndo())
    h.undo();
  EXPECT_EQ(etat, 10 - h.count()) << "the dropped steps are no longer undone";
  // The clean state (before the first step) was dropped: never clean again.
  EXPECT_FALSE(h.isClean());
  EXPECT_EQ(propres, QList<bool>{false});
  while (h.canRedo())
    h.redo();
  EXPECT_EQ(etat, 10);

  // A step heavier than the limit alone is kept, the older ones dropped; clear starts clean.
  h.push(new PasPese(5000, etat));
  EXPECT_EQ(h.count(), 1);
  h.undo();
  EXPECT_EQ(etat, 10);
  h.clear();
  EXPECT_TRUE(h.isClean());
  EXPECT_EQ(h.octets(), 0u);

  // Undone steps are dropped by the next push, with a clean state among them.
  h.push(new PasPese(10, etat));
  h.push(new PasPese(10, etat));
  h.setClean();
  h.undo();
  h.push(new PasPese(10, etat));
  EXPECT_EQ(h.count(), 2);
  h.undo();
  EXPECT_FALSE(h.isClean());
}

TEST(Historique, AFiveMegabyteQuestionEditedAHundredTimesKeepsTheHistorySmall) {
  // The document alone: a window would lay the text out again at every undo.
  Document d;
  d.cree();
  const auto &f = d;
  std::string texte(5u << 20, 'q');
  const std::string premier = texte;
  d.pose(cible_question(8), texte);
  for (int i = 0; i < 100; ++i) {
    texte[static_cast<size_t>(i) * 40000] = 'r'; // one letter typed somewhere in the middle
    d.pose(cible_question(8), texte);
  }
  EXPECT_EQ(d.historique().count(), 101);
  // The first step holds the whole text once (the room had none); the others a letter each.
  EXPECT_LT(d.historique().octets(), size_t{7} << 20);
  for (int i = 0; i < 100; ++i)
    d.historique().undo();
  EXPECT_EQ(f.monde().salles[8].question, premier);
  d.historique().undo();
  EXPECT_TRUE(f.monde().salles[8].question.empty());
  while (d.historique().canRedo())
    d.historique().redo();
  EXPECT_EQ(f.monde().salles[8].question, texte);

  // Replaced whole each time, the text still fits in the history's limit.
  for (char c = 'a'; c < 'a' + 20; ++c)
    d.pose(cible_question(8), std::string(5u << 20, c));
  EXPECT_LE(d.historique().octets(), Historique::LIMITE_DEFAUT + (size_t{6} << 20));
  EXPECT_EQ(f.monde().salles[8].question, std::string(5u << 20, 'a' + 19));
}

// Three partitions and two rooms, as another program may write.
const char *const FICHIER_COURT = "TITRE=Court\r\nC=0,0,0,9\r\nC=1,0,0,2\r\nC=2,0,0,3\r\n"
                                  "S=0,0,8\r\n\r\n\r\n\r\n\r\n\r\n\r\n00000\r\n\r\n\r\n"
                                  "S=1,0,1\r\n\r\n\r\n\r\n\r\n\r\n\r\n00000\r\n\r\n\r\n";

TEST(Historique, AShortFileShowsFreshRecordsAndTheFirstEditOfOneMakesItWhole) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  appuie(vue_cloison(f, 150), Qt::LeftButton); // the labyrinth before holds other kinds
  appuie(vue_salle(f, 60), Qt::LeftButton);
  const QString court = QDir(e.depart.chemin()).filePath("court.lab");
  {
    QFile fichier(court);
    ASSERT_TRUE(fichier.open(QIODevice::WriteOnly));
    fichier.write(FICHIER_COURT);
  }
  e.dialogues.reponses << Reponse::non;
  e.dialogues.fichiers << court;
  clique(f, "SpeedButton2");
  ASSERT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  EXPECT_EQ(vue_cloison(f, 150)->picture().cacheKey(),
            grille(f).bitmap_cloison(1, CLOISON_MUR).cacheKey());
  EXPECT_EQ(vue_salle(f, 60)->picture().cacheKey(), grille(f).bitmap_salle(SALLE_VIDE).cacheKey());
  EXPECT_EQ(vue_cloison(f, 1)->picture().cacheKey(),
            grille(f).bitmap_cloison(0, CLOISON_PORTE_DEROBEE).cacheKey());

  // Saved as it was opened, the file keeps its counts.
  const QString copie = QDir(e.depart.chemin()).filePath("copie.lab");
  e.dialogues.fichiers << copie;
  clique(f, "SpeedButton3");
  QFile lu(copie);
  ASSERT_TRUE(lu.open(QIODevice::ReadOnly));
  EXPECT_EQ(lu.readAll().count("\r\nC="), 3);

  // An edit of a partition the file lacks is saved, with every record in index order.
  appuie(vue_cloison(f, 150), Qt::LeftButton);
  EXPECT_EQ(f.monde().nb_cloisons, NB_CLOISONS_MAX);
  EXPECT_EQ(f.monde().nb_salles, NB_SALLES_MAX);
  e.dialogues.fichiers << copie;
  clique(f, "SpeedButton3");
  Monde relu;
  Cree_Monde(relu);
  ASSERT_TRUE(charge_lab(QFile::encodeName(copie).toStdString(), relu));
  EXPECT_EQ(relu.nb_cloisons, NB_CLOISONS_MAX);
  EXPECT_EQ(relu.nb_salles, NB_SALLES_MAX);
  EXPECT_EQ(relu.cloisons[150].contenu, CLOISON_MUR - 1); // a left press steps back
  EXPECT_EQ(relu.cloisons[1].contenu, CLOISON_PORTE_DEROBEE);
  EXPECT_EQ(relu.salles[1].contenu, SALLE_CLE_NOIRE);
  Monde frais;
  Cree_Monde(frais);
  for (size_t i = 3; i < NB_CLOISONS_MAX; ++i) {
    if (i == 150)
      continue;
    ASSERT_EQ(std::tie(relu.cloisons[i].col, relu.cloisons[i].lig, relu.cloisons[i].sens,
                       relu.cloisons[i].contenu),
              std::tie(frais.cloisons[i].col, frais.cloisons[i].lig, frais.cloisons[i].sens,
                       frais.cloisons[i].contenu))
        << i;
  }

  // Undone, the labyrinth is the short one it was.
  f.document().historique().undo();
  EXPECT_EQ(f.monde().nb_cloisons, 3);
  EXPECT_EQ(f.monde().nb_salles, 2);
}

} // namespace
