// The chosen files named where the author sees them: under the room panel's picture and
// player, in each sound row, and in the help box when the name is too long to be shown.

#include <QDir>
#include <QImage>
#include <QToolButton>

#include <gtest/gtest.h>

#include "../commun/ecrit_wav.h"
#include "construction.h"
#include "outils_test.h"
#include "proprietes.h"

namespace {

NomFichier *nom_montre(const TForm1 &f, const char *nom) {
  return nomme<NomFichier>(f, QString::fromLatin1(nom));
}

TEST(NomsFichiers, ThePanelNamesTheRoomsPictureAndMediumAndForgetsThemInAnEmptyRoom) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  QImage(16, 16, QImage::Format_RGB32).save(QDir::current().filePath("paris.bmp"), "BMP");
  monde(f).salles[12].image = "paris.bmp";
  monde(f).salles[12].media = "chant.wav";
  f.montre_salle(12);
  EXPECT_TRUE(nom_montre(f, "NomImage")->isVisibleTo(&f));
  EXPECT_EQ(nom_montre(f, "NomImage")->nom(), "paris.bmp");
  EXPECT_EQ(aide(nom_montre(f, "NomImage")), "Image : paris.bmp");
  EXPECT_EQ(nom_montre(f, "NomMedia")->nom(), "chant.wav");
  EXPECT_EQ(aide(nom_montre(f, "NomMedia")), QString::fromUtf8("Média : chant.wav"));
  // Another room without either: nothing of the first stays on show.
  f.montre_salle(13);
  EXPECT_FALSE(nom_montre(f, "NomImage")->isVisibleTo(&f));
  EXPECT_FALSE(nom_montre(f, "NomMedia")->isVisibleTo(&f));
  EXPECT_TRUE(nom_montre(f, "NomMedia")->nom().isEmpty());
  // A name the model holds in Windows-1252 is shown as the author typed it, and a picture
  // that cannot be read is still named, so that the author knows which file is missing.
  monde(f).salles[14].image = "\xE9t\xE9.jpg";
  f.montre_salle(14);
  EXPECT_EQ(nom_montre(f, "NomImage")->nom(), QString::fromUtf8("été.jpg"));
  EXPECT_TRUE(nom_montre(f, "NomImage")->isVisibleTo(&f));
}

TEST(NomsFichiers, ALongNameIsElidedInItsPlaceAndWholeInTheHelp) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const std::string long_nom(200, 'a');
  monde(f).salles[3].media = long_nom + ".wav";
  f.montre_salle(3);
  NomFichier *n = nom_montre(f, "NomMedia");
  EXPECT_EQ(n->nom().size(), 204);
  EXPECT_TRUE(aide(n).endsWith(QString::fromStdString(long_nom) + ".wav"));
  // Drawn in its place, though far wider than it.
  QImage rendu(n->size(), QImage::Format_ARGB32);
  rendu.fill(Qt::white);
  n->render(&rendu);
  EXPECT_NE(rendu, [&] {
    QImage vide(n->size(), QImage::Format_ARGB32);
    vide.fill(Qt::white);
    return vide;
  }());
  EXPECT_GE(n->fontMetrics().horizontalAdvance(n->nom()), n->width() * 4);
}

TEST(NomsFichiers, EachSoundRowNamesItsSoundBesideItsButtonsThroughClearUndoAndReset) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  ASSERT_TRUE(QDir(e.depart.chemin()).mkdir("bruits"));
  const QString bruits = QDir(e.depart.chemin()).filePath("bruits");
  ecrit_wav(bruits + "/pluie.wav", 300);
  e.dialogues.fichiers << bruits + "/pluie.wav";
  nomme<QToolButton>(f, "OS", 3)->click();
  NomFichier *n = nom_montre(f, "NomSon4");
  ASSERT_NE(n, nullptr);
  EXPECT_TRUE(n->isVisibleTo(&f));
  EXPECT_EQ(n->nom(), "pluie.wav");
  EXPECT_EQ(aide(n), QString::fromUtf8("Téléporteurs : pluie.wav"));
  // In its row, left of the caption's text and clear of the buttons.
  const QRect ici = dans_fenetre(n);
  EXPECT_LT(ici.right(), dans_fenetre(nomme(f, "P", 3)).left());
  EXPECT_EQ(ici.center().y(), dans_fenetre(nomme(f, "P", 3)).center().y());
  for (int k = 0; k < NB_SONS; ++k) {
    if (k == 3)
      continue;
    EXPECT_FALSE(nom_montre(f, qPrintable(QStringLiteral("NomSon%1").arg(k + 1)))->isVisibleTo(&f))
        << k;
  }
  nomme<QToolButton>(f, "E", 3)->click();
  EXPECT_FALSE(n->isVisibleTo(&f));
  f.document().historique().undo();
  EXPECT_EQ(n->nom(), "pluie.wav");
  EXPECT_TRUE(n->isVisibleTo(&f));
  // A new labyrinth has no sounds.
  e.dialogues.reponses << Reponse::non;
  clique(f, "SpeedButton1");
  EXPECT_FALSE(n->isVisibleTo(&f));
}

} // namespace
