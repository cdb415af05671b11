// The view's pictures as dravo-lab and the player's window find them: textures beside the
// labyrinth under any letter case, the default ones from the installed data, the kind
// pictures from the resources; and the pixels as a QImage.
#include "decor_qt.h"
#include "maison_isolee.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <cstdint>
#include <vector>

namespace {

void ecrit_texture(const QString &chemin, QRgb couleur) {
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(couleur);
  ASSERT_TRUE(QDir().mkpath(QFileInfo(chemin).absolutePath()));
  ASSERT_TRUE(image.save(chemin, "BMP")) << chemin.toStdString();
}

// A GIF of 35 bytes whose screen announces 16384 x 4096 pixels (256 MB decoded whole),
// holding one black pixel at its top left on a black ground.
void ecrit_bombe(const QString &chemin) {
  const std::vector<uint8_t> b = {
      'G',  'I', 'F', '8',  '9',  'a', 0x00, 0x40, 0x00, 0x10,
      0x80, 0,   0,   0,    0,    0,   0xFF, 0xFF, 0xFF, // black and white
      0x2C, 0,   0,   0,    0,    1,   0,    1,    0,    // a 1 x 1 frame at 0, 0
      0,    2,   2,   0x44, 0x01, 0,   0x3B};
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(reinterpret_cast<const char *>(b.data()), static_cast<qint64>(b.size()));
}

long pic_memoire_ko() {
  rusage r{};
  getrusage(RUSAGE_SELF, &r);
  return r.ru_maxrss;
}

} // namespace

TEST(DecorQt, ABombTextureIsDecodedReducedNeverWhole) {
  QTemporaryDir dossier;
  ecrit_bombe(dossier.filePath("bombe.gif"));
  Monde m;
  Cree_Monde(m);
  m.texture_murs = m.texture_sol = m.texture_plafond = "bombe.gif";
  const long avant = pic_memoire_ko();
  const Decor d = charge_decor(m, dossier.path());
  const long apres = pic_memoire_ko();
  for (const Pixels *t : {&d.murs, &d.sol, &d.plafond}) {
    ASSERT_FALSE(t->vide());
    EXPECT_LT(t->largeur, 1024);
    EXPECT_LT(t->hauteur, 1024);
    // The view samples by fraction across: each side is reduced on its own, the ground
    // keeps its colour.
    EXPECT_EQ(t->at(t->largeur - 1, t->hauteur - 1), 0xFF000000u);
  }
  EXPECT_LT(apres - avant, 64 * 1024) << "peak grew by " << (apres - avant) << " KB";
}

TEST(DecorQt, TexturesBesideTheLabyrinthThenInstalledDefaults) {
  QTemporaryDir dossier;
  ecrit_texture(dossier.filePath("Pierre.BMP"), qRgb(200, 10, 10));
  ecrit_texture(dossier.filePath("sol.bmp"), qRgb(10, 200, 10));
  // The installed plafond.bmp stands in for the one the folder lacks; only a default
  // texture's name is looked for there.
  const QString donnees = QDir(donnees_systeme_de_test()).filePath("dravo-editeur");
  ecrit_texture(QDir(donnees).filePath("plafond.bmp"), qRgb(10, 10, 200));
  ecrit_texture(QDir(donnees).filePath("Briques.bmp"), qRgb(90, 90, 90));

  Monde m;
  Cree_Monde(m);
  m.texture_murs = "..\\textures\\pierre.bmp"; // the last component, any letter case
  const Decor d = charge_decor(m, dossier.path());
  ASSERT_FALSE(d.murs.vide());
  EXPECT_EQ(d.murs.at(3, 3), 0xFFC80A0Au);
  ASSERT_FALSE(d.sol.vide());
  EXPECT_EQ(d.sol.at(0, 0), 0xFF0AC80Au);
  ASSERT_FALSE(d.plafond.vide());
  EXPECT_EQ(d.plafond.at(7, 7), 0xFF0A0AC8u);
  // The player's system reads names in any letter case, the installed ones too.
  EXPECT_EQ(fichier_texture("C:\\PLAFOND.BMP", dossier.path()),
            QDir(donnees).filePath("plafond.bmp"));

  // Missing, unreadable or unnamed: left empty, drawn in a plain colour.
  m.texture_murs = "absente.bmp";
  m.texture_sol = "";
  ecrit_texture(dossier.filePath("x.bmp"), qRgb(1, 2, 3));
  QFile::resize(dossier.filePath("x.bmp"), 10);
  m.texture_plafond = "x.bmp";
  const Decor vide = charge_decor(m, dossier.path());
  EXPECT_TRUE(vide.murs.vide());
  EXPECT_TRUE(vide.sol.vide());
  EXPECT_TRUE(vide.plafond.vide());
  EXPECT_TRUE(fichier_texture("absente.bmp", dossier.path()).isEmpty());
}

TEST(DecorQt, KindPicturesAndPixelsAsAPicture) {
  Monde m;
  Cree_Monde(m);
  const Decor d = charge_decor(m, QString());
  const Pixels &cle = d.salles[SALLE_CLE_ROUGE];
  ASSERT_EQ(cle.largeur, TAILLE_SALLE);
  // The ground of a kind picture is the editor's pure green, in its bottom-left pixel.
  EXPECT_EQ(cle.at(0, cle.hauteur - 1), 0xFF00FF00u);
  EXPECT_EQ(d.cloisons[CLOISON_PORTE_ROUGE].largeur, LONGUEUR_CLOISON);
  EXPECT_EQ(d.cloisons[CLOISON_PORTE_ROUGE].hauteur, EPAISSEUR_CLOISON);

  Pixels p(3, 2, 0xFF000000u);
  p.argb[5] = 0xFF123456u;
  const QImage image = image_de(p);
  EXPECT_EQ(image.size(), QSize(3, 2));
  EXPECT_EQ(image.pixel(2, 1), 0xFF123456u);
  EXPECT_EQ(pixels_de(image).argb, p.argb);
}

int main(int argc, char **argv) {
  isole_maison();
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
