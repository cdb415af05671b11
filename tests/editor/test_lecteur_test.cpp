// The test command with a stand-in player: a shell script named Dravo.exe that writes its
// working folder and each of its arguments on a line of its own, and whether it found the
// labyrinth there.

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QToolButton>

#include <gtest/gtest.h>

#include "lab_file.h"
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
  f.SpeedButton6->click();
  EXPECT_EQ(lignes(sortie()), (QStringList{jeux(), "monde 1.lab", "trouve"}));
  EXPECT_EQ(e->dialogues.genres, QList<GenreDialogue>{GenreDialogue::enregistrer});
  EXPECT_TRUE(e->dialogues.erreurs.isEmpty());
  EXPECT_EQ(visibilite.evenements, (QStringList{"cache", "montre"}));
  EXPECT_TRUE(f.isVisible());
  QFile fichier(chemin);
  ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
  EXPECT_TRUE(fichier.readAll().toStdString() == ecrit_lab(monde(f)));
}

TEST_F(TestLecteur, NoChangesStillAsksForTheFileAndWritesItAgain) {
  TForm1 &f = *e->fenetre;
  const QString chemin = jeux() + "/monde_1.lab";
  e->dialogues.fichiers << chemin;
  f.SpeedButton3->click();
  QFile::remove(chemin);
  ASSERT_FALSE(monde(f).modifie);
  e->dialogues.fichiers << chemin;
  f.SpeedButton6->click();
  EXPECT_EQ(e->dialogues.offerts.value(1), chemin);
  EXPECT_TRUE(QFile::exists(chemin));
  EXPECT_EQ(lignes(sortie()).value(1), "monde_1.lab");
}

TEST_F(TestLecteur, CancelledOrFailedSaveStartsNothing) {
  TForm1 &f = *e->fenetre;
  monde(f).modifie = true;
  f.SpeedButton6->click(); // the dialog cancelled
  EXPECT_TRUE(monde(f).modifie);
  EXPECT_TRUE(e->dialogues.erreurs.isEmpty());

  e->dialogues.fichiers << jeux() + "/pas_de_dossier/monde.lab";
  f.SpeedButton6->click();
  EXPECT_EQ(e->dialogues.erreurs, QStringList{"Invalid filename"});
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
  f.SpeedButton6->click();
  EXPECT_EQ(lignes(locale).value(1), "m.lab");
  EXPECT_FALSE(QFile::exists(sortie()));
}

TEST_F(TestLecteur, AMissingPlayerShowsNothingAndTheWindowComesBack) {
  TForm1 &f = *e->fenetre;
  QFile::remove(QDir(chemin_lecteur.path()).filePath("Dravo.exe"));
  qputenv("PATH", QFile::encodeName(chemin_lecteur.path()));
  const QString chemin = jeux() + "/m.lab";
  EXPECT_FALSE(f.lance_test(chemin));
  e->dialogues.fichiers << chemin;
  f.SpeedButton6->click();
  EXPECT_TRUE(QFile::exists(chemin));
  EXPECT_TRUE(e->dialogues.erreurs.isEmpty());
  EXPECT_EQ(visibilite.evenements, (QStringList{"cache", "montre"}));
  EXPECT_TRUE(f.isVisible());
}

} // namespace
