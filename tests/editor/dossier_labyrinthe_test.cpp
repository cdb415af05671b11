// The labyrinth's folder as an author meets it through the window: pictures and sounds
// chosen elsewhere come into it, saving into another folder brings every named file along,
// a file of the same name is never replaced unasked, and what cannot be used is refused
// before anything is copied or named. Dialogs are answered through the seam; every file is
// compared after.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "../same_lines.h"
#include "image_grille.h"
#include "lab_file.h"
#include "outils_test.h"

namespace {

QByteArray contenu(const QString &chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<absent>");
}

void ecrit(const QString &chemin, const QByteArray &octets) {
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  f.write(octets);
}

void ecrit_bmp(const QString &chemin, QColor couleur) {
  QImage image(12, 12, QImage::Format_RGB32);
  image.fill(couleur);
  ASSERT_TRUE(image.save(chemin, "BMP"));
}

void choisit_salle(TForm1 &f, int i) {
  QTest::mousePress(vue_salle(f, i), Qt::MiddleButton, {}, QPoint(20, 20));
}

// A file chosen in a dialog for the picture of room `salle`, or for sound row `son`.
void choisit_image(EditeurEnTest &e, int salle, const QString &chemin) {
  choisit_salle(*e.fenetre, salle);
  e.dialogues.fichiers << chemin;
  clique(*e.fenetre, "OpenI");
}
void choisit_son(EditeurEnTest &e, int son, const QString &chemin) {
  e.dialogues.fichiers << chemin;
  nomme<QToolButton>(*e.fenetre, "OS", son)->click();
}
void enregistre_sous(EditeurEnTest &e, const QString &chemin) {
  e.dialogues.fichiers << chemin;
  clique(*e.fenetre, "SpeedButton3");
}

QStringList fichiers(const QString &dossier) {
  return QDir(dossier).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

} // namespace

TEST(DossierLabyrinthe, AnAdventureBuiltFromFilesElsewhereKeepsEveryFileBesideItsLabyrinth) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QDir depart(e.depart.chemin());
  QTemporaryDir photos, musique, autres;
  ecrit_bmp(photos.filePath("paris.bmp"), Qt::blue);
  ecrit(musique.filePath("vent.mp3"), "ID3 vent");
  ecrit_bmp(autres.filePath("paris.bmp"), Qt::red); // the same name, another picture

  // Never saved: the labyrinth's folder is the start folder.
  QTest::mousePress(vue_cloison(f, 0), Qt::RightButton);
  choisit_image(e, 15, photos.filePath("paris.bmp"));
  choisit_son(e, 0, musique.filePath("vent.mp3"));
  ASSERT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  EXPECT_EQ(contenu(depart.filePath("paris.bmp")), contenu(photos.filePath("paris.bmp")));
  EXPECT_EQ(contenu(depart.filePath("vent.mp3")), contenu(musique.filePath("vent.mp3")));

  // Saved into a new folder of its own: every file it names comes along, defaults too.
  ASSERT_TRUE(depart.mkdir("aventure"));
  const QString aventure = depart.filePath("aventure");
  enregistre_sous(e, aventure + "/monde_1.lab");
  ASSERT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  EXPECT_EQ(fichiers(aventure), (QStringList{"Briques.bmp", "monde_1.lab", "paris.bmp",
                                             "plafond.bmp", "sol.bmp", "vent.mp3"}));
  for (const char *nom : {"Briques.bmp", "sol.bmp", "plafond.bmp", "paris.bmp", "vent.mp3"})
    EXPECT_EQ(contenu(QDir(aventure).filePath(nom)), contenu(depart.filePath(nom))) << nom;
  EXPECT_TRUE(e.dialogues.questions.isEmpty());

  // Another labyrinth of the folder names paris.bmp: choosing another paris.bmp asks, and
  // says so. Keep both: copied as paris-2.bmp, the first one untouched.
  ASSERT_TRUE(QFile::copy(aventure + "/monde_1.lab", aventure + "/monde_2.lab"));
  const QByteArray paris = contenu(aventure + "/paris.bmp");
  e.dialogues.reponses << Reponse::non; // "Garder les deux"
  choisit_image(e, 16, autres.filePath("paris.bmp"));
  ASSERT_EQ(e.dialogues.questions.size(), 1);
  EXPECT_TRUE(e.dialogues.questions[0].contains(QStringLiteral("\u00AB monde_2.lab \u00BB")))
      << e.dialogues.questions[0].toStdString();
  EXPECT_FALSE(e.dialogues.questions[0].contains("monde_1.lab")); // the one being edited
  EXPECT_TRUE(e.dialogues.questions[0].contains("paris-2.bmp"));
  EXPECT_EQ(contenu(aventure + "/paris.bmp"), paris);
  EXPECT_EQ(contenu(aventure + "/paris-2.bmp"), contenu(autres.filePath("paris.bmp")));
  EXPECT_EQ(monde(f).salles[16].image, "paris-2.bmp");
  EXPECT_EQ(monde(f).salles[15].image, "paris.bmp");

  // Cancel: nothing copied, nothing named.
  choisit_image(e, 17, autres.filePath("paris.bmp"));
  EXPECT_EQ(e.dialogues.questions.size(), 2);
  EXPECT_TRUE(monde(f).salles[17].image.empty());
  EXPECT_FALSE(QFile::exists(aventure + "/paris-3.bmp"));

  // Ctrl+S onto its own file.
  f.show();
  f.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
  QTest::keyClick(&f, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(same_lines(contenu(aventure + "/monde_1.lab").toStdString(), ecrit_lab(monde(f))));

  // Save as into a folder holding another vent.mp3: one question naming it. Cancel writes
  // nothing; keeping the folder's file writes the labyrinth beside it and copies the rest.
  ASSERT_TRUE(depart.mkdir("copie"));
  const QString copie = depart.filePath("copie");
  ecrit(copie + "/vent.mp3", "ID3 autre vent");
  enregistre_sous(e, copie + "/monde_1.lab");
  ASSERT_EQ(e.dialogues.questions.size(), 3);
  EXPECT_TRUE(e.dialogues.questions[2].contains(QStringLiteral("\u00AB vent.mp3 \u00BB")));
  EXPECT_FALSE(e.dialogues.questions[2].contains("paris"));
  EXPECT_EQ(fichiers(copie), QStringList{"vent.mp3"});
  EXPECT_EQ(f.document().fichier(), aventure + "/monde_1.lab");
  e.dialogues.reponses << Reponse::oui; // "Garder ceux du dossier"
  enregistre_sous(e, copie + "/monde_1.lab");
  EXPECT_EQ(fichiers(copie), (QStringList{"Briques.bmp", "monde_1.lab", "paris-2.bmp", "paris.bmp",
                                          "plafond.bmp", "sol.bmp", "vent.mp3"}));
  EXPECT_EQ(contenu(copie + "/vent.mp3"), "ID3 autre vent");
  EXPECT_EQ(contenu(copie + "/paris-2.bmp"), contenu(autres.filePath("paris.bmp")));
  EXPECT_EQ(f.document().fichier(), copie + "/monde_1.lab");

  // A copy that fails stops the save: the message names the file, the .lab is not written.
  ASSERT_TRUE(depart.mkdir("bloque"));
  ASSERT_TRUE(QDir(depart.filePath("bloque")).mkdir("paris.bmp")); // a folder in the way
  e.dialogues.reponses << Reponse::non;                            // "Remplacer"
  enregistre_sous(e, depart.filePath("bloque/monde_1.lab"));
  ASSERT_EQ(e.dialogues.erreurs.size(), 1);
  EXPECT_TRUE(
      e.dialogues.erreurs[0].startsWith(QStringLiteral("Le labyrinthe n'est pas enregistr")))
      << e.dialogues.erreurs[0].toStdString();
  EXPECT_TRUE(e.dialogues.erreurs[0].contains(QStringLiteral("\u00AB paris.bmp \u00BB")));
  EXPECT_FALSE(QFile::exists(depart.filePath("bloque/monde_1.lab")));
  EXPECT_EQ(f.document().fichier(), copie + "/monde_1.lab");
}

TEST(DossierLabyrinthe, WhatCannotBeUsedIsRefusedBeforeAnythingIsCopiedOrNamed) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  QTemporaryDir ailleurs;
  const QDir depart(e.depart.chemin());
  const std::string avant = ecrit_lab(monde(f));
  // A pipe: the media player would wait on it for ever.
  ASSERT_EQ(::mkfifo(QFile::encodeName(ailleurs.filePath("tube.mp3")).constData(), 0600), 0);
  choisit_son(e, 0, ailleurs.filePath("tube.mp3"));
  // A name with a line break would break the file's line in two.
  ecrit(ailleurs.filePath("deux\nlignes.mp3"), "ID3");
  choisit_son(e, 1, ailleurs.filePath("deux\nlignes.mp3"));
  // A picture the loader refuses.
  ecrit(ailleurs.filePath("abimee.jpg"), "pas une image");
  choisit_image(e, 3, ailleurs.filePath("abimee.jpg"));
  // A link in the labyrinth's folder to a file outside it.
  ecrit_bmp(ailleurs.filePath("loin.bmp"), Qt::green);
  ASSERT_TRUE(QFile::link(ailleurs.filePath("loin.bmp"), depart.filePath("lien.bmp")));
  choisit_image(e, 4, depart.filePath("lien.bmp"));
  // A name typed in a dialog for no file.
  choisit_son(e, 2, ailleurs.filePath("absent.mp3"));

  ASSERT_EQ(e.dialogues.erreurs.size(), 5) << e.dialogues.erreurs.join('\n').toStdString();
  EXPECT_TRUE(e.dialogues.erreurs[0].contains("n'est pas un fichier ordinaire"));
  EXPECT_TRUE(e.dialogues.erreurs[1].contains(QStringLiteral("saut de ligne")));
  EXPECT_TRUE(e.dialogues.erreurs[2].startsWith(
      QStringLiteral("L'image \u00AB abimee.jpg \u00BB ne peut pas \u00EAtre lue : le fichier est "
                     "ab\u00EEm\u00E9 ou n'est pas une image JPEG (JPEG error")))
      << e.dialogues.erreurs[2].toStdString();
  EXPECT_TRUE(e.dialogues.erreurs[3].contains("hors du dossier du labyrinthe"));
  EXPECT_TRUE(e.dialogues.erreurs[4].contains("n'existe pas"));
  EXPECT_EQ(fichiers(depart.path()),
            (QStringList{"Briques.bmp", "lien.bmp", "plafond.bmp", "sol.bmp"}));
  choisit_salle(f, 5);
  EXPECT_EQ(ecrit_lab(monde(f)), avant);
  EXPECT_FALSE(monde(f).modifie);

  // Saving onto a pipe named in the save dialog is refused instead of hanging.
  QTest::mousePress(vue_cloison(f, 0), Qt::RightButton);
  ASSERT_EQ(::mkfifo(QFile::encodeName(depart.filePath("tube.lab")).constData(), 0600), 0);
  e.dialogues.reponses << Reponse::oui; // replace "tube.lab"
  enregistre_sous(e, depart.filePath("tube.lab"));
  ASSERT_EQ(e.dialogues.erreurs.size(), 6);
  EXPECT_TRUE(e.dialogues.erreurs[5].contains("n'est pas un fichier ordinaire"));
  EXPECT_TRUE(monde(f).modifie);
  EXPECT_TRUE(f.document().fichier().isEmpty());
}

// Test and the Yes of the unsaved-changes question save as Ctrl+S does: onto the file the
// labyrinth has, the dialog only for one never saved.
TEST(DossierLabyrinthe, YesToTheQuestionSavesOntoTheLabyrinthsOwnFile) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const QString chemin = QDir(e.depart.chemin()).filePath("monde_1.lab");
  QTest::mousePress(vue_cloison(f, 0), Qt::RightButton);
  e.dialogues.reponses << Reponse::oui;
  e.dialogues.fichiers << chemin;
  clique(f, "SpeedButton1"); // New: never saved, so the dialog
  EXPECT_EQ(e.dialogues.genres.size(), 1);
  ASSERT_TRUE(QFile::exists(chemin));

  e.dialogues.fichiers << chemin;
  clique(f, "SpeedButton2"); // Open it again, then change it
  QTest::mousePress(vue_cloison(f, 7), Qt::RightButton);
  const std::string attendu = ecrit_lab(monde(f));
  e.dialogues.reponses << Reponse::oui;
  clique(f, "SpeedButton1");
  EXPECT_EQ(e.dialogues.genres.size(), 2); // no save dialog this time
  EXPECT_TRUE(same_lines(contenu(chemin).toStdString(), attendu));
}
