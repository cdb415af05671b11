// The test command with a stand-in player: a shell script named Dravo.exe that writes its
// working folder and each of its arguments on a line of its own, and whether it found the
// labyrinth there.

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QToolButton>

#include <gtest/gtest.h>

#include "../same_lines.h"
#include "lab_file.h"
#include "lanceur_joueur.h"
#include "outils_test.h"

namespace {

// Writes an executable Dravo.exe into `dossier` that records into `sortie`.
void ecrit_lecteur(const QString &dossier, const QString &sortie) {
  const QString chemin = QDir(dossier).filePath("Dravo.exe");
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("#!/bin/sh\n{ pwd -P\n  for a in \"$@\"; do printf '%s\\n' \"$a\"; done\n"
          "  if [ -f \"$1\" ]; then echo trouve; fi\n} > '" +
          QFile::encodeName(sortie) + "'\n");
  f.close();
  f.setPermissions(f.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeGroup |
                   QFileDevice::ExeOther);
}

QStringList lignes(const QString &chemin) {
  QFile f(chemin);
  if (!f.open(QIODevice::ReadOnly))
    return {"<absent>"};
  return QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
}

// Counts the window's hide and show events, the only trace of the hidden wait.
class Visibilite : public QObject {
public:
  bool eventFilter(QObject *, QEvent *event) override {
    if (event->type() == QEvent::Hide)
      evenements << "cache";
    if (event->type() == QEvent::Show)
      evenements << "montre";
    return false;
  }
  QStringList evenements;
};

// A test with the stand-in on the search path, which is given back afterwards.
struct TestLecteur : testing::Test {
  void SetUp() override {
    ancien_path = qgetenv("PATH");
    ecrit_lecteur(chemin_lecteur.path(), sortie());
    qputenv("PATH", QFile::encodeName(chemin_lecteur.path()) + ":" + ancien_path);
    e = std::make_unique<EditeurEnTest>();
    e->fenetre->show();
    e->fenetre->installEventFilter(&visibilite);
  }
  void TearDown() override {
    e.reset();
    qputenv("PATH", ancien_path);
  }
  QString sortie() const { return QDir(traces.path()).filePath("appel.txt"); }
  QString jeux() const {
    const QString d = QDir(e->depart.chemin()).filePath("jeux");
    QDir().mkpath(d);
    return QFileInfo(d).canonicalFilePath();
  }

  QByteArray ancien_path;
  QTemporaryDir chemin_lecteur;
  QTemporaryDir traces;
  std::unique_ptr<EditeurEnTest> e;
  Visibilite visibilite;
};

TEST_F(TestLecteur, BlanksInTheNameMakeOneArgumentAndTheFileFolderIsTheWorkingFolder) {
  TForm1 &f = *e->fenetre;
  const QString chemin = jeux() + "/monde 1.lab";
  e->dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton6")->click();
  EXPECT_EQ(lignes(sortie()), (QStringList{jeux(), "monde 1.lab", "trouve"}));
  EXPECT_EQ(e->dialogues.genres, QList<GenreDialogue>{GenreDialogue::enregistrer});
  EXPECT_TRUE(e->dialogues.erreurs.isEmpty());
  EXPECT_EQ(visibilite.evenements, (QStringList{"cache", "montre"}));
  EXPECT_TRUE(f.isVisible());
  QFile fichier(chemin);
  ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
  EXPECT_TRUE(same_lines(fichier.readAll().toStdString(), ecrit_lab(monde(f))));
}

// Test saves as Ctrl+S does: onto the labyrinth's own file, without a dialog, changes or
// none.
TEST_F(TestLecteur, ALabyrinthWithItsFileIsWrittenAgainWithoutADialog) {
  TForm1 &f = *e->fenetre;
  const QString chemin = jeux() + "/monde_1.lab";
  e->dialogues.fichiers << chemin;
  nomme<QToolButton>(f, "SpeedButton3")->click();
  QFile::remove(chemin);
  ASSERT_FALSE(monde(f).modifie);
  nomme<QToolButton>(f, "SpeedButton6")->click();
  EXPECT_EQ(e->dialogues.genres.size(), 1);
  EXPECT_TRUE(QFile::exists(chemin));
  EXPECT_EQ(lignes(sortie()).value(1), "monde_1.lab");
}

TEST_F(TestLecteur, CancelledOrFailedSaveStartsNothing) {
  TForm1 &f = *e->fenetre;
  monde(f).modifie = true;
  nomme<QToolButton>(f, "SpeedButton6")->click(); // the dialog cancelled
  EXPECT_TRUE(monde(f).modifie);
  EXPECT_TRUE(e->dialogues.erreurs.isEmpty());

  e->dialogues.fichiers << jeux() + "/pas_de_dossier/monde.lab";
  nomme<QToolButton>(f, "SpeedButton6")->click();
  ASSERT_EQ(e->dialogues.erreurs.size(), 1);
  EXPECT_TRUE(e->dialogues.erreurs[0].endsWith(" (Invalid filename)."));
  EXPECT_TRUE(monde(f).modifie);

  EXPECT_FALSE(QFile::exists(sortie()));
  EXPECT_TRUE(visibilite.evenements.isEmpty());
  EXPECT_EQ(e->dialogues.genres.size(), 2);
}

TEST_F(TestLecteur, ThePlayerBesideTheLabyrinthComesBeforeTheSearchPath) {
  TForm1 &f = *e->fenetre;
  const QString locale = QDir(traces.path()).filePath("local.txt");
  ecrit_lecteur(jeux(), locale);
  e->dialogues.fichiers << jeux() + "/m.lab";
  nomme<QToolButton>(f, "SpeedButton6")->click();
  EXPECT_EQ(lignes(locale).value(1), "m.lab");
  EXPECT_FALSE(QFile::exists(sortie()));
}

// A Windows player as it comes from Windows: "MZ" first, no executable bit.
void ecrit_joueur_windows(const QString &dossier) {
  QFile f(QDir(dossier).filePath("Dravo.exe"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("MZ\x90\0\3\0\0\0", 8);
}

// A stand-in wine that records its working folder and arguments, one a line.
void ecrit_wine(const QString &dossier, const QString &sortie) {
  QFile f(QDir(dossier).filePath("wine"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("#!/bin/sh\n{ pwd -P; for a in \"$@\"; do printf '%s\\n' \"$a\"; done; } > '" +
          QFile::encodeName(sortie) + "'\n");
  f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
}

TEST_F(TestLecteur, AWindowsPlayerRunsThroughWineWithTheSameNameAndFolder) {
  TForm1 &f = *e->fenetre;
  QTemporaryDir windows, outils;
  ecrit_joueur_windows(windows.path());
  ecrit_wine(outils.path(), sortie());
  qputenv("PATH", QFile::encodeName(windows.path() + ":" + outils.path()));
  e->dialogues.fichiers << jeux() + "/monde 1.lab";
  nomme<QToolButton>(f, "SpeedButton6")->click();
  const QString joueur = QFileInfo(QDir(windows.path()).filePath("Dravo.exe")).absoluteFilePath();
  EXPECT_EQ(lignes(sortie()), (QStringList{jeux(), joueur, "monde 1.lab"}));
  EXPECT_TRUE(e->dialogues.erreurs.isEmpty());
  EXPECT_EQ(visibilite.evenements, (QStringList{"cache", "montre"}));
}

// Every way the player cannot start: the file stays saved, the window comes back, and the
// box says what is missing.
TEST_F(TestLecteur, APlayerThatCannotStartIsExplainedAndTheWindowComesBack) {
  struct Cas {
    const char *nom;
    bool joueur_windows;  // an "MZ" Dravo.exe on the path
    bool joueur_texte;    // a Dravo.exe that is neither executable nor Windows
    QStringList attendus; // words of the message
  };
  const Cas cas[] = {
      {"nowhere",
       false,
       false,
       {"Dravo.exe est introuvable", "PATH", "wine", "dossier courant", "dravo-joueur"}},
      {"not a program", false, true, {"Dravo.exe est introuvable", "dravo-joueur"}},
      {"no wine", true, false, {"programme Windows", "Installez wine ou dravo-joueur"}},
  };
  TForm1 &f = *e->fenetre;
  for (const Cas &c : cas) {
    SCOPED_TRACE(c.nom);
    QTemporaryDir vide;
    if (c.joueur_windows)
      ecrit_joueur_windows(vide.path());
    if (c.joueur_texte) {
      QFile t(QDir(vide.path()).filePath("Dravo.exe"));
      ASSERT_TRUE(t.open(QIODevice::WriteOnly));
      t.write("pas un programme\n");
    }
    qputenv("PATH", QFile::encodeName(vide.path()));
    const QString chemin = jeux() + "/m.lab";
    QFile::remove(chemin);
    e->dialogues.erreurs.clear();
    visibilite.evenements.clear();
    e->dialogues.fichiers << chemin;
    nomme<QToolButton>(f, "SpeedButton6")->click();
    EXPECT_TRUE(QFile::exists(chemin));
    ASSERT_EQ(e->dialogues.erreurs.size(), 1);
    for (const QString &mot : c.attendus)
      EXPECT_TRUE(e->dialogues.erreurs[0].contains(mot)) << e->dialogues.erreurs[0].toStdString();
    EXPECT_EQ(visibilite.evenements.value(0), "cache");
    EXPECT_TRUE(f.isVisible());
    EXPECT_FALSE(QFile::exists(sortie()));
  }
}

TEST(CommandeJoueur, TheEditorFolderComesFirstThenTheCurrentFolderThenThePath) {
  QTemporaryDir editeur, courant, chemin;
  for (const QTemporaryDir *d : {&editeur, &courant, &chemin})
    ecrit_joueur_windows(d->path());
  ecrit_wine(chemin.path(), "/dev/null");
  const QString fichier = "/x/y/monde_2.lab";
  struct Cas {
    QString dossier_editeur, dossier_courant, attendu;
  };
  const Cas cas[] = {{editeur.path(), courant.path(), editeur.path()},
                     {"/nulle/part", courant.path(), courant.path()},
                     {"", "", chemin.path()}};
  for (const Cas &c : cas) {
    const Avec<CommandeJoueur> cmd =
        commande_joueur(fichier, {c.dossier_editeur, c.dossier_courant, chemin.path(), {}});
    ASSERT_TRUE(cmd) << cmd.message();
    EXPECT_EQ(cmd.valeur().programme, QDir(chemin.path()).filePath("wine"));
    EXPECT_EQ(cmd.valeur().arguments,
              (QStringList{QDir(c.attendu).filePath("Dravo.exe"), "monde_2.lab"}));
    EXPECT_EQ(cmd.valeur().dossier_travail, "/x/y");
  }
}

// An executable named `nom` in `dossier` (its content never runs).
void ecrit_executable(const QString &dossier, const QString &nom, bool executable = true) {
  QFile f(QDir(dossier).filePath(nom));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("#!/bin/sh\nexit 0\n");
  f.setPermissions(executable ? f.permissions() | QFileDevice::ExeOwner
                              : QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

// Without a Dravo.exe that can start, Test plays in our own player: beside the editor
// first, then in the installed programs folder, never on the search path or in the
// current folder (which hold what the author put there, not what was installed).
TEST(CommandeJoueur, WithoutDravoExeOurOwnPlayerBesideTheEditorThenInstalledPlays) {
  QTemporaryDir editeur, installe, chemin, courant;
  ecrit_executable(installe.path(), "dravo-joueur");
  ecrit_executable(chemin.path(), "dravo-joueur");
  ecrit_executable(courant.path(), "dravo-joueur");
  const QString fichier = "/x/y/monde 1.lab";
  const LieuxJoueur lieux{editeur.path(), courant.path(), chemin.path(), installe.path()};
  Avec<CommandeJoueur> cmd = commande_joueur(fichier, lieux);
  ASSERT_TRUE(cmd) << cmd.message();
  EXPECT_EQ(cmd.valeur().programme, QDir(installe.path()).filePath("dravo-joueur"));
  // The full path after "--": a name like "-x.lab" is never an option.
  EXPECT_EQ(cmd.valeur().arguments, (QStringList{"--", "/x/y/monde 1.lab"}));
  EXPECT_EQ(cmd.valeur().dossier_travail, "/x/y");

  ecrit_executable(editeur.path(), "dravo-joueur");
  cmd = commande_joueur(fichier, lieux);
  ASSERT_TRUE(cmd);
  EXPECT_EQ(cmd.valeur().programme, QDir(editeur.path()).filePath("dravo-joueur"));

  // A Dravo.exe that starts comes first.
  ecrit_executable(chemin.path(), "Dravo.exe");
  cmd = commande_joueur(fichier, lieux);
  ASSERT_TRUE(cmd);
  EXPECT_EQ(cmd.valeur().programme, QDir(chemin.path()).filePath("Dravo.exe"));
  EXPECT_EQ(cmd.valeur().arguments, QStringList{"monde 1.lab"});
}

// A Windows Dravo.exe needs wine; a wine that is not executable is no wine, and our own
// player takes over. A player that is not executable is not started either.
TEST(CommandeJoueur, ANonExecutableWineOrPlayerIsNotUsed) {
  QTemporaryDir editeur, chemin;
  ecrit_joueur_windows(chemin.path());
  ecrit_executable(chemin.path(), "wine", false);
  ecrit_executable(editeur.path(), "dravo-joueur", false);
  const LieuxJoueur lieux{editeur.path(), "", chemin.path(), ""};
  Avec<CommandeJoueur> cmd = commande_joueur("/x/m.lab", lieux);
  ASSERT_FALSE(cmd);
  EXPECT_TRUE(QString::fromStdString(cmd.message()).contains("Installez wine ou dravo-joueur"))
      << cmd.message();

  ecrit_executable(editeur.path(), "dravo-joueur");
  cmd = commande_joueur("/x/m.lab", lieux);
  ASSERT_TRUE(cmd) << cmd.message();
  EXPECT_EQ(cmd.valeur().programme, QDir(editeur.path()).filePath("dravo-joueur"));

  ecrit_executable(chemin.path(), "wine");
  cmd = commande_joueur("/x/m.lab", lieux);
  ASSERT_TRUE(cmd) << cmd.message();
  EXPECT_EQ(cmd.valeur().programme, QDir(chemin.path()).filePath("wine"));
}

} // namespace
