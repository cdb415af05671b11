// What dravo-joueur plays: its command line, a folder as an adventure, a file the editor
// would refuse (the editor's message, then the open dialog), and the files a labyrinth names
// found by their bare names only.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "demarrage_joueur.h"
#include "fenetre_jeu.h"
#include "fichiers_jeu.h"
#include "labyrinthes_test.h"
#include "ligne_commande_joueur.h"
#include "sons_jeu.h"

namespace {

TEST(LigneJoueur, OneLabyrinthOrFolderAtMostAndDashDashEndsTheOptions) {
  using A = LigneJoueur::Action;
  EXPECT_EQ(lit_ligne_joueur({}).action, A::jouer);
  EXPECT_EQ(lit_ligne_joueur({}).chemin, "");
  EXPECT_EQ(lit_ligne_joueur({"jeux"}).chemin, "jeux");
  EXPECT_EQ(lit_ligne_joueur({"a.lab", "--help"}).action, A::aide);
  EXPECT_EQ(lit_ligne_joueur({"--version"}).action, A::version);
  EXPECT_EQ(lit_ligne_joueur({"a.lab", "b.lab"}).action, A::erreur);
  EXPECT_EQ(lit_ligne_joueur({"-x.lab"}).action, A::erreur);
  // The editor's Test passes "--" and the full path: a name starting with "-" is a file.
  const LigneJoueur l = lit_ligne_joueur({"--", "-x.lab"});
  EXPECT_EQ(l.action, A::jouer);
  EXPECT_EQ(l.chemin, "-x.lab");
  EXPECT_EQ(lit_ligne_joueur({"--", "--help"}).chemin, "--help");
  EXPECT_EQ(lit_ligne_joueur({""}).action, A::erreur);
}

// Dialogs that answer from a list and record the errors shown.
struct DialoguesTest : DialoguesJoueur {
  QStringList reponses; // the open dialog's answers in turn; "" (or none left) cancels
  QStringList erreurs;
  int ouvertures = 0;
  QString ouvrir() override {
    ++ouvertures;
    return reponses.isEmpty() ? QString() : reponses.takeFirst();
  }
  void erreur(const QString &message) override { erreurs << message; }
};

struct Demarrage : testing::Test {
  QTemporaryDir dossier;
  QString chemin(const QString &nom) const { return QDir(dossier.path()).filePath(nom); }
  FenetreJeu fenetre;
  DialoguesTest dialogues;
};

TEST_F(Demarrage, AFolderPlaysItsFirstLabyrinth) {
  enregistre(chateau(), chemin("monde_1.lab"));
  enregistre(cave(), chemin("monde_2.lab"));
  ASSERT_TRUE(demarre(fenetre, dossier.path(), dialogues));
  ASSERT_NE(fenetre.aventure(), nullptr);
  EXPECT_EQ(fenetre.aventure()->partie().labyrinthe().titre_lab, chateau().titre_lab);
  EXPECT_EQ(fenetre.windowTitle(), QStringLiteral("Le château – Dravo"));
  EXPECT_EQ(fenetre.ecran(), FenetreJeu::Ecran::accueil);
  EXPECT_EQ(fenetre.titre_ecran(), QStringLiteral("Le château"));
  EXPECT_EQ(fenetre.texte_ecran(), QStringLiteral("Trouvez la clé bleue\net sortez !"));
  EXPECT_EQ(dialogues.ouvertures, 0);
  EXPECT_TRUE(dialogues.erreurs.isEmpty());
}

// Everything the editor refuses is refused with its message; then the open dialog comes
// back, until a labyrinth plays or the dialog is cancelled.
TEST_F(Demarrage, WhatCannotBePlayedIsExplainedThenTheOpenDialogComesBack) {
  QDir(dossier.path()).mkdir("vide");
  QFile texte(chemin("texte.lab"));
  ASSERT_TRUE(texte.open(QIODevice::WriteOnly));
  texte.write("bonjour\r\n");
  texte.close();
  Monde sans_depart = chateau();
  sans_depart.salles[0].contenu = SALLE_VIDE;
  enregistre(sans_depart, chemin("sans_depart.lab"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(chemin("tube.lab")).constData(), 0600), 0);
  enregistre(cave(), chemin("bon.lab"));

  dialogues.reponses = {chemin("texte.lab"), chemin("vide"), chemin("sans_depart.lab"),
                        chemin("tube.lab"), chemin("bon.lab")};
  ASSERT_TRUE(demarre(fenetre, chemin("absent.lab"), dialogues));
  EXPECT_EQ(fenetre.aventure()->partie().labyrinthe().titre_lab, "La cave");
  EXPECT_EQ(dialogues.ouvertures, 5);
  ASSERT_EQ(dialogues.erreurs.size(), 5);
  // The editor's own messages for the same files.
  Monde m;
  EXPECT_EQ(dialogues.erreurs[0].toStdString(),
            charge_lab(QFile::encodeName(chemin("absent.lab")).toStdString(), m).message());
  EXPECT_EQ(dialogues.erreurs[1].toStdString(), MESSAGE_PAS_UN_LABYRINTHE);
  EXPECT_TRUE(dialogues.erreurs[2].contains("monde_1.lab")) << dialogues.erreurs[2].toStdString();
  EXPECT_TRUE(dialogues.erreurs[3].contains(QStringLiteral("départ")))
      << dialogues.erreurs[3].toStdString();
  EXPECT_EQ(dialogues.erreurs[4].toStdString(),
            charge_lab(QFile::encodeName(chemin("tube.lab")).toStdString(), m).message());
}

TEST_F(Demarrage, CancellingTheOpenDialogEndsWithoutAGame) {
  dialogues.reponses = {chemin("absent.lab")};
  EXPECT_FALSE(demarre(fenetre, QString(), dialogues));
  EXPECT_EQ(dialogues.ouvertures, 2);
  EXPECT_EQ(dialogues.erreurs.size(), 1);
  EXPECT_EQ(fenetre.aventure(), nullptr);
}

TEST_F(Demarrage, PicturesMediaAndSoundsAreFoundByTheirBareNameInTheLabyrinthFolder) {
  QDir d(dossier.path());
  d.mkdir("jeu");
  d.mkdir("jeu/images");
  for (const char *nom : {"secret.bmp", "jeu/photo.bmp", "jeu/images/photo2.bmp"}) {
    QFile f(chemin(nom));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  ASSERT_EQ(::mkfifo(QFile::encodeName(chemin("jeu/tube.wav")).constData(), 0600), 0);
  const QString jeu = chemin("jeu");
  EXPECT_EQ(fichier_du_labyrinthe("photo.bmp", jeu), chemin("jeu/photo.bmp"));
  EXPECT_EQ(fichier_du_labyrinthe("C:\\Dravo\\photo.bmp", jeu), chemin("jeu/photo.bmp"));
  EXPECT_EQ(fichier_du_labyrinthe("../secret.bmp", jeu), "");
  EXPECT_EQ(fichier_du_labyrinthe("images/photo2.bmp", jeu), "");
  EXPECT_EQ(fichier_du_labyrinthe("..", jeu), "");
  EXPECT_EQ(fichier_du_labyrinthe("images", jeu), "");
  EXPECT_EQ(fichier_du_labyrinthe("tube.wav", jeu), "");
  EXPECT_EQ(fichier_du_labyrinthe("", jeu), "");
  // A 1252 name is the file of that name in Unicode.
  {
    QFile f(chemin(QStringLiteral("jeu/été.bmp")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  }
  EXPECT_EQ(fichier_du_labyrinthe("\xE9t\xE9.bmp", jeu), chemin(QStringLiteral("jeu/été.bmp")));

  Monde m = chateau();
  m.son_ambiance = "tube.wav";
  m.son_portes = "/etc/../photo.bmp";
  SonsJeu sons;
  sons.prend(m, jeu);
  EXPECT_EQ(sons.fichier(SonsJeu::ambiance), "");
  EXPECT_EQ(sons.fichier(SonsJeu::pas), "");
  EXPECT_EQ(sons.fichier(SonsJeu::portes), chemin("jeu/photo.bmp"));
  // Silence is asked for and is silence.
  sons.joue(SonsJeu::ambiance);
  EXPECT_EQ(sons.joues(SonsJeu::ambiance), 1);
}

} // namespace
