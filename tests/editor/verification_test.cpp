// The check in the editor: F7's window and its findings, choosing one on the grid, and the
// test command's question before the player starts on a labyrinth that cannot be finished.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "cadre_marque.h"
#include "fenetre_verification.h"
#include "image_grille.h"
#include "outils_test.h"

namespace {

// The shortcut bound to `touches` on the window, activated as the key would.
void presse(TForm1 &f, const QKeySequence &touches) {
  for (QShortcut *s : f.findChildren<QShortcut *>())
    if (s->key() == touches) {
      emit s->activated();
      return;
    }
  ADD_FAILURE() << "no shortcut " << touches.toString().toStdString();
}

struct Verif : testing::Test {
  TForm1 &f() { return *e.fenetre; }
  FenetreVerification *fenetre() { return f().findChild<FenetreVerification *>(); }
  QListWidget *liste() { return fenetre()->findChild<QListWidget *>(QStringLiteral("Constats")); }
  // The rank of the first finding with that code, -1 when none.
  int rang(const char *code) {
    const auto &c = fenetre()->verification().constats;
    for (size_t i = 0; i < c.size(); ++i)
      if (std::string(c[i].code) == code)
        return static_cast<int>(i);
    return -1;
  }
  // The check runs off the window's thread: its findings arrive through the event loop.
  void attend() {
    ASSERT_NE(fenetre(), nullptr);
    QSignalSpy fin(fenetre(), &FenetreVerification::verifiee);
    if (fenetre()->en_cours()) {
      ASSERT_TRUE(fin.wait(10000));
    }
    EXPECT_FALSE(fenetre()->en_cours());
  }
  void selectionne(int indice) {
    ImageGrille *vue = vue_salle(f(), indice);
    QTest::mousePress(vue, Qt::MiddleButton, {}, vue->rect().center());
  }

  EditeurEnTest e;
};

TEST_F(Verif, F7ShowsTheFindingsOfTheLabyrinthAsItStandsPanelIncluded) {
  f().show();
  // A riddle typed in the panel and not stored yet: two proposals, none ticked.
  selectionne(indice_salle(5, 0));
  nomme<QPlainTextEdit>(f(), "Memo1")->setPlainText(QStringLiteral("Quelle couleur ?"));
  nomme<QLineEdit>(f(), "Edit", 0)->setText(QStringLiteral("rouge"));
  nomme<QLineEdit>(f(), "Edit", 1)->setText(QStringLiteral("bleu"));

  presse(f(), QKeySequence(Qt::Key_F7));
  ASSERT_NE(fenetre(), nullptr);
  attend();
  EXPECT_TRUE(fenetre()->isVisible());
  EXPECT_FALSE(fenetre()->isModal());
  EXPECT_EQ(fenetre()->windowTitle(), QString::fromUtf8("Vérification du labyrinthe"));

  const auto &constats = fenetre()->verification().constats;
  ASSERT_EQ(liste()->count(), static_cast<int>(constats.size()));
  EXPECT_TRUE(liste()->item(0)->text().startsWith(QStringLiteral("Erreur : ")));
  EXPECT_GE(rang("no-start"), 0);
  const int enigme = rang("riddle-unanswerable");
  ASSERT_GE(enigme, 0);
  EXPECT_EQ(constats[static_cast<size_t>(enigme)].col, 5);
  EXPECT_EQ(constats[static_cast<size_t>(enigme)].lig, 0);
  EXPECT_EQ(liste()->item(enigme)->text(),
            QStringLiteral("Erreur : ") +
                QString::fromStdString(constats[static_cast<size_t>(enigme)].message));

  // F7 again on the shown window checks again: one window only.
  monde(f()).salles[0].contenu = SALLE_DEPART;
  presse(f(), QKeySequence(Qt::Key_F7));
  attend();
  EXPECT_EQ(f().findChildren<FenetreVerification *>().size(), 1);
  EXPECT_EQ(rang("no-start"), -1);
}

TEST_F(Verif, ChoosingARoomFindingSelectsItWithoutAnEdit) {
  Monde &m = monde(f());
  const int i = indice_salle(4, 3);
  m.salles[static_cast<size_t>(i)].contenu = SALLE_TELEPORTEUR; // a lonely teleporter
  m.salles[static_cast<size_t>(i)].question = "Combien ?";
  m.salles[static_cast<size_t>(i)].reponses[0] = "un";
  m.salles[static_cast<size_t>(i)].reponses[1] = "deux";
  f().show();
  presse(f(), QKeySequence(Qt::Key_F7));
  attend();
  const int r = rang("riddle-unanswerable");
  ASSERT_GE(r, 0);
  const bool modifie = m.modifie;

  liste()->setCurrentRow(r);
  EXPECT_EQ(f().document().salle_choisie(), i);
  const int bord = CadreMarque::EPAISSEUR;
  EXPECT_EQ(dans_fenetre(nomme(f(), "Marque")),
            dans_fenetre(vue_salle(f(), i)).adjusted(-bord, -bord, bord, bord));
  EXPECT_EQ(nomme<QPlainTextEdit>(f(), "Memo1")->toPlainText(), QStringLiteral("Combien ?"));
  EXPECT_EQ(nomme<QLineEdit>(f(), "Edit", 1)->text(), QStringLiteral("deux"));
  EXPECT_EQ(m.salles[static_cast<size_t>(i)].contenu, SALLE_TELEPORTEUR);
  EXPECT_EQ(m.modifie, modifie);
}

TEST_F(Verif, ChoosingAPartitionFindingOutlinesItAndShowingAgainChecksAgain) {
  Monde &m = monde(f());
  const int i = indice_cloison_h(2, 0); // on the top border
  m.cloisons[static_cast<size_t>(i)].contenu = CLOISON_OUVERTE;
  f().show();
  presse(f(), QKeySequence(Qt::Key_F7));
  attend();
  const int r = rang("open-border");
  ASSERT_GE(r, 0);
  liste()->setCurrentRow(r);
  auto *cadre = f().findChild<CadreMarque *>(QStringLiteral("MarqueCloison"));
  ASSERT_NE(cadre, nullptr);
  EXPECT_TRUE(cadre->isVisible());
  const int bord = CadreMarque::EPAISSEUR;
  EXPECT_EQ(dans_fenetre(cadre),
            dans_fenetre(vue_cloison(f(), i)).adjusted(-bord, -bord, bord, bord));
  EXPECT_EQ(f().document().salle_choisie(), -1);

  // Hidden, the outline goes; the wall put back is seen when the window shows again.
  fenetre()->hide();
  EXPECT_FALSE(cadre->isVisible());
  m.cloisons[static_cast<size_t>(i)].contenu = CLOISON_MUR;
  fenetre()->show();
  attend();
  EXPECT_EQ(rang("open-border"), -1);
}

// F7 returns at once: the check runs on its own thread, the list says so meanwhile. Pressed
// again before the findings came, the first check is dropped: only the findings of the
// labyrinth as it stood at the second press are shown, once.
TEST_F(Verif, TheCheckRunsAsideAndACheckStartedAgainReplacesTheFirst) {
  Monde &m = monde(f());
  for (int i = 0; i < 40; ++i) {
    m.salles[static_cast<size_t>(i)].question = "Vu ?";
    m.salles[static_cast<size_t>(i)].reponses[0] = "oui";
    m.salles[static_cast<size_t>(i)].image = "absente" + std::to_string(i) + ".gif";
  }
  f().show();
  presse(f(), QKeySequence(Qt::Key_F7));
  ASSERT_NE(fenetre(), nullptr);
  EXPECT_TRUE(fenetre()->en_cours());
  EXPECT_TRUE(fenetre()->verification().constats.empty());
  ASSERT_EQ(liste()->count(), 1);
  EXPECT_EQ(liste()->item(0)->text(), QString::fromUtf8("Vérification en cours…"));

  QSignalSpy fin(fenetre(), &FenetreVerification::verifiee);
  m.salles[0].contenu = SALLE_DEPART;
  presse(f(), QKeySequence(Qt::Key_F7));
  ASSERT_TRUE(fin.wait(10000));
  QTest::qWait(50); // a late delivery of the first check would come by now
  EXPECT_EQ(fin.count(), 1);
  EXPECT_FALSE(fenetre()->en_cours());
  EXPECT_EQ(rang("no-start"), -1);
  EXPECT_GE(rang("missing-file"), 0);
  EXPECT_EQ(liste()->count(), static_cast<int>(fenetre()->verification().constats.size()));
}

// The test command with a stand-in player that leaves a file "lance" in its working folder.
struct TestVerifie : Verif {
  void SetUp() override {
    QFile script(QDir(e.depart.chemin()).filePath(QStringLiteral("Dravo.exe")));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write("#!/bin/sh\ntouch lance\n");
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    fichier = QDir(e.depart.chemin()).filePath(QStringLiteral("monde_1.lab"));
    f().show();
  }
  bool lance() const { return QFile::exists(QDir(e.depart.chemin()).filePath("lance")); }
  void teste(bool oui) {
    e.dialogues.fichiers << fichier;
    e.dialogues.oui_confirme = oui;
    clique(f(), "SpeedButton6");
  }
  QString fichier;
};

TEST_F(TestVerifie, AnErrorAsksAndNoReturnsWithTheFileSaved) {
  teste(false);
  ASSERT_EQ(e.dialogues.confirmations.size(), 1);
  const QString q = e.dialogues.confirmations[0];
  EXPECT_TRUE(q.startsWith(QString::fromUtf8("Ce labyrinthe ne peut pas être terminé :")))
      << q.toStdString();
  EXPECT_TRUE(q.contains(QStringLiteral("- ")));
  EXPECT_TRUE(q.endsWith(QString::fromUtf8("Tester quand même ?")));
  EXPECT_TRUE(QFile::exists(fichier));
  EXPECT_FALSE(monde(f()).modifie);
  EXPECT_FALSE(lance());
  EXPECT_TRUE(f().isVisible());
}

TEST_F(TestVerifie, YesStartsThePlayerAnyway) {
  teste(true);
  EXPECT_EQ(e.dialogues.confirmations.size(), 1);
  EXPECT_TRUE(lance());
}

TEST_F(TestVerifie, AFinishableLabyrinthStartsWithoutAQuestion) {
  Monde &m = monde(f());
  m.salles[0].contenu = SALLE_DEPART;
  m.cloisons[static_cast<size_t>(indice_cloison_h(0, 0))].contenu = CLOISON_SORTIE;
  teste(false);
  EXPECT_TRUE(e.dialogues.confirmations.isEmpty())
      << e.dialogues.confirmations.join("\n").toStdString();
  EXPECT_TRUE(lance());
}

// F7 looks where the player will: the labyrinth's folder, wherever the current folder is.
TEST(VerifDossier, TheFilesAreSoughtInTheLabyrinthsFolderNotTheCurrentOne) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  QTemporaryDir aventure, ailleurs;
  for (const char *nom : {"Briques.bmp", "sol.bmp", "plafond.bmp"})
    QFile::copy(QDir(e.depart.chemin()).filePath(nom), aventure.filePath(nom));
  QFile(aventure.filePath("vent.mp3")).open(QIODevice::WriteOnly);
  QFile(ailleurs.filePath("pas.mp3")).open(QIODevice::WriteOnly);
  QFile lab(aventure.filePath("monde_1.lab"));
  ASSERT_TRUE(lab.open(QIODevice::WriteOnly));
  lab.write("SAM=vent.mp3\r\nSPA=../ailleurs/pas.mp3\r\nC=0,0,0,9\r\n");
  lab.close();
  ASSERT_TRUE(f.ouvre_fichier(aventure.filePath("monde_1.lab")));
  ASSERT_TRUE(QDir::setCurrent(ailleurs.path()));
  const Verification v = verifie_edition(f);
  QDir::setCurrent(e.depart.chemin());
  std::vector<std::string> manquants;
  for (const Constat &c : v.constats)
    if (std::string(c.code) == "missing-file")
      manquants.push_back(c.nom);
  EXPECT_EQ(manquants, std::vector<std::string>{"../ailleurs/pas.mp3"});
}

} // namespace
