// The check in the editor: F7's window and its findings, choosing one on the grid, and the
// test command's question before the player starts on a labyrinth that cannot be finished.

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

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
  // A finding whose message does not say what to do is followed by the way out.
  EXPECT_TRUE(
      liste()
          ->item(rang("no-start"))
          ->text()
          .endsWith(QString::fromUtf8(
              " Que faire : choisissez « Départ » dans la légende et posez-le dans une salle.")))
      << liste()->item(rang("no-start"))->text().toStdString();

  // F7 again on the shown window checks again: one window only.
  monde(f()).salles[0].contenu = SALLE_DEPART;
  presse(f(), QKeySequence(Qt::Key_F7));
  attend();
  EXPECT_EQ(f().findChildren<FenetreVerification *>().size(), 1);
  EXPECT_EQ(rang("no-start"), -1);
}

TEST_F(Verif, TheWindowStandsBesideTheGridClosesWithFermerOrEscapeAndFollowsEdits) {
  f().show();
  presse(f(), QKeySequence(Qt::Key_F7));
  attend();
  FenetreVerification *w = fenetre();
  // Over the room panel's side, never over a room of the grid.
  const QRect grille_ecran(grille(f()).mapToGlobal(QPoint(0, 0)), grille(f()).size());
  EXPECT_GT(w->frameGeometry().left(), grille_ecran.right());
  EXPECT_FALSE(w->frameGeometry().intersects(grille_ecran));
  // An edit on the grid checks again by itself once the edits pause.
  ASSERT_GE(rang("no-start"), 0);
  f().document().pas_salle(indice_salle(0, 0), -1); // empty, back twice: the start
  f().document().pas_salle(indice_salle(0, 0), -1);
  ASSERT_EQ(monde(f()).salles[0].contenu, SALLE_DEPART);
  QSignalSpy fin(w, &FenetreVerification::verifiee);
  ASSERT_TRUE(fin.wait(10000));
  EXPECT_EQ(rang("no-start"), -1);
  EXPECT_TRUE(liste()->item(0)->text().contains(QStringLiteral("sortie")));
  // Fermer, then F7 and Escape.
  nomme<QPushButton>(*w, "Fermer")->click();
  EXPECT_FALSE(w->isVisible());
  presse(f(), QKeySequence(Qt::Key_F7));
  attend();
  ASSERT_TRUE(w->isVisible());
  w->activateWindow();
  QTest::keyClick(w, Qt::Key_Escape);
  EXPECT_FALSE(w->isVisible());
  // Hidden, it does not check at each edit.
  f().document().pas_salle(indice_salle(3, 3), 1);
  EXPECT_FALSE(fin.wait(600));
}

TEST_F(Verif, FindingsOfOneKindOnSeveralRoomsAreOneLineNamingThem) {
  Monde &m = monde(f());
  for (int col : {1, 2, 4})
    m.salles[static_cast<size_t>(indice_salle(col, 3))].contenu = SALLE_DEPART;
  f().show();
  presse(f(), QKeySequence(Qt::Key_F7));
  attend();
  QStringList lignes;
  for (int i = 0; i < liste()->count(); ++i)
    lignes << liste()->item(i)->text();
  EXPECT_TRUE(lignes.contains(
      QString::fromUtf8("Erreur : 3 salles de départ : B4, C4, E4 ; gardez-en une seule.")))
      << lignes.join('\n').toStdString();
  EXPECT_EQ(lignes.filter(QString::fromUtf8("départs")).size(), 0);
  EXPECT_EQ(liste()->count(), static_cast<int>(fenetre()->verification().constats.size()) - 2);
  // The group's row shows its first room; the rows after it their own findings.
  const auto ligne_avec = [&lignes](const QString &texte) {
    for (int i = 0; i < lignes.size(); ++i)
      if (lignes[i].contains(texte))
        return i;
    return -1;
  };
  liste()->setCurrentRow(ligne_avec(QStringLiteral("3 salles")));
  EXPECT_EQ(f().document().salle_choisie(), indice_salle(1, 3));
  const int sortie = ligne_avec(QStringLiteral("Aucune sortie"));
  ASSERT_GE(sortie, 0);
  liste()->setCurrentRow(sortie);
  EXPECT_EQ(f().document().salle_choisie(), indice_salle(1, 3));
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
  ASSERT_GE(rang("missing-file"), 0);
  EXPECT_TRUE(liste()
                  ->item(rang("missing-file"))
                  ->text()
                  .endsWith(QStringLiteral(
                      "Que faire : copiez absente0.gif dans le dossier du labyrinthe.")))
      << liste()->item(rang("missing-file"))->text().toStdString();
  // One row per finding, the 39 rooms out of reach on one.
  const auto &constats = fenetre()->verification().constats;
  const auto hors = std::count_if(constats.begin(), constats.end(), [](const Constat &c) {
    return std::string(c.code) == "unreachable";
  });
  EXPECT_EQ(hors, 39);
  EXPECT_EQ(liste()->count(), static_cast<int>(constats.size()) - 39 + 1);
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

TEST_F(TestVerifie, TheQuestionListsFiveErrorsByTheSheetsNamesThenHowManyMore) {
  Monde &m = monde(f());
  for (int col = 0; col < 8; ++col) // eight starts, no exit: nine errors
    m.salles[static_cast<size_t>(indice_salle(col, 1))].contenu = SALLE_DEPART;
  teste(false);
  ASSERT_EQ(e.dialogues.confirmations.size(), 1);
  const QString q = e.dialogues.confirmations[0];
  EXPECT_EQ(q.count(QStringLiteral("\n- ")), 5) << q.toStdString();
  EXPECT_TRUE(q.contains(QString::fromUtf8("\u2026 et 4 autres"))) << q.toStdString();
  EXPECT_TRUE(q.contains(QStringLiteral("La salle A2 est l'un des 8"))) << q.toStdString();
  EXPECT_FALSE(q.contains(QStringLiteral("colonne")));
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

// A labyrinth saved as monde_N.lab: the window adds what its folder's names tell of the
// adventure, the labyrinth being edited counted in whatever is on disk.
struct VerifAventure : Verif {
  void SetUp() override { f().show(); }
  void pose(const char *nom) {
    QFile lab(aventure.filePath(QString::fromUtf8(nom)));
    ASSERT_TRUE(lab.open(QIODevice::WriteOnly));
    lab.write("C=0,0,0,9\r\nS=0,0,8\r\n");
  }
  void ouvre(const char *nom) { ASSERT_TRUE(f().ouvre_fichier(aventure.filePath(nom))); }
  void verifie() {
    presse(f(), QKeySequence(Qt::Key_F7));
    attend();
  }
  QString texte(const char *code) {
    const int r = rang(code);
    return r < 0 ? QString() : liste()->item(r)->text();
  }
  QTemporaryDir aventure;
};

TEST_F(VerifAventure, AnEditedMonde2WithoutMonde1LacksTheStart) {
  pose("monde_2.lab");
  ouvre("monde_2.lab");
  // An edit not saved: the labyrinth's own findings are of the edit, the adventure's beside.
  for (Tsalle &salle : monde(f()).salles)
    if (salle.contenu == SALLE_DEPART)
      salle.contenu = SALLE_VIDE;
  verifie();
  EXPECT_GE(rang("no-start"), 0);
  EXPECT_TRUE(texte("adventure-start")
                  .startsWith(QString::fromUtf8("Erreur : Il manque monde_1.lab : le joueur "
                                                "commence l'aventure par lui, et monde_2.lab")))
      << texte("adventure-start").toStdString();
  EXPECT_TRUE(texte("adventure-start").contains(QStringLiteral("Que faire : ")));
  // The adventure's findings come after the labyrinth's errors, before its warnings.
  EXPECT_GT(rang("adventure-start"), rang("no-start"));
  // Choosing it selects nothing on the grid.
  liste()->setCurrentRow(rang("adventure-start"));
  EXPECT_EQ(f().document().salle_choisie(), -1);
}

TEST_F(VerifAventure, Monde1BesideMonde3ShowsTheGapAndCountsItselfEvenUnsaved) {
  pose("monde_1.lab");
  pose("monde_3.lab");
  ouvre("monde_1.lab");
  verifie();
  const int r = rang("adventure-gap");
  ASSERT_GE(r, 0);
  EXPECT_EQ(fenetre()->verification().constats[static_cast<size_t>(r)].nom, "monde_2.lab");
  EXPECT_TRUE(texte("adventure-gap").contains(QStringLiteral("la sortie de ce labyrinthe")));
  EXPECT_TRUE(texte("adventure-gap")
                  .endsWith(QStringLiteral(
                      "Que faire : enregistrez le labyrinthe suivant sous le nom monde_2.lab.")))
      << texte("adventure-gap").toStdString();
  // The labyrinth being edited is part of the adventure even when its file has gone.
  ASSERT_TRUE(QFile::remove(aventure.filePath("monde_1.lab")));
  pose("monde_2.lab");
  verifie();
  EXPECT_EQ(rang("adventure-gap"), -1);
  EXPECT_EQ(rang("adventure-start"), -1);
}

TEST_F(VerifAventure, OnlyALabyrinthSavedAsMondeNHasAnAdventure) {
  // Never saved: the start folder's labyrinths are no adventure of it.
  QFile(QDir(e.depart.chemin()).filePath("monde_3.lab")).open(QIODevice::WriteOnly);
  verifie();
  EXPECT_EQ(rang("adventure-start"), -1);
  // Named otherwise, beside an adventure without its start.
  pose("monde_2.lab");
  pose("autre.lab");
  ouvre("autre.lab");
  verifie();
  EXPECT_EQ(rang("adventure-start"), -1);
  // The check the opening asked for, once the edits pause, comes and goes first.
  QTest::qWait(600);
  attend();
  // Saved under a monde_N name while shown: checked again, the adventure now its own.
  QSignalSpy fin(fenetre(), &FenetreVerification::verifiee);
  ASSERT_TRUE(f().document().sauve(
      QFile::encodeName(aventure.filePath(QStringLiteral("monde_3.lab"))).toStdString()));
  ASSERT_TRUE(fin.wait(10000));
  EXPECT_GE(rang("adventure-start"), 0);
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
