// Checks the embedded pictures the editor looks up by name: present, of the size the window
// lays out, and keyed on the colour the transparent drawing expects.

#include "ressources.h"

#include <gtest/gtest.h>

#include <QString>

#include <vector>

struct Attendu {
  QString nom;
  int largeur;
  int hauteur;
  QRgb cle;
};

static std::vector<Attendu> attendus() {
  const QRgb vert = qRgb(0, 255, 0);
  std::vector<Attendu> a;
  for (int k = 0; k <= 10; ++k) {
    a.push_back({QString("H%1").arg(k), 40, 20, vert});
    a.push_back({QString("V%1").arg(k), 20, 40, vert});
  }
  for (int k = 0; k <= 9; ++k)
    a.push_back({QString("C%1").arg(k), 40, 40, vert});
  a.push_back({"B1", 18, 17, vert});
  a.push_back({"B2", 18, 17, vert});
  for (const char *nom :
       {"SpeedButton1", "SpeedButton2", "SpeedButton3", "SpeedButton4", "SpeedButton6"})
    a.push_back({nom, 32, 32, vert});
  a.push_back({"OS", 18, 17, qRgb(255, 0, 0)});
  return a;
}

static int pixels_de_couleur(const QImage &image, QRgb couleur) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      n += (image.pixel(x, y) & 0xffffffu) == (couleur & 0xffffffu) ? 1 : 0;
  return n;
}

TEST(Ressources, ChaqueImageASaTailleEtSaCouleurCle) {
  for (const Attendu &a : attendus()) {
    SCOPED_TRACE(a.nom.toStdString());
    const QImage image = ressource_bitmap(a.nom);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), a.largeur);
    EXPECT_EQ(image.height(), a.hauteur);
    EXPECT_FALSE(image.hasAlphaChannel());
    EXPECT_EQ(image.pixel(0, image.height() - 1) & 0xffffffu, a.cle & 0xffffffu);
  }
}

// Kind 0 is the open passage and the empty room: nothing may show on the grid.
TEST(Ressources, LeGenreZeroEstToutVert) {
  for (const char *nom : {"H0", "V0", "C0"}) {
    SCOPED_TRACE(nom);
    const QImage image = ressource_bitmap(nom);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(pixels_de_couleur(image, qRgb(0, 255, 0)), image.width() * image.height());
  }
}

// Every other kind must show something once the green is keyed out, and must keep some
// ground: a motif that covered the bottom-left pixel would make its own colour transparent.
TEST(Ressources, LesAutresGenresOntUnMotifEtUnFond) {
  for (const Attendu &a : attendus()) {
    if (a.nom == "H0" || a.nom == "V0" || a.nom == "C0")
      continue;
    SCOPED_TRACE(a.nom.toStdString());
    const QImage image = ressource_bitmap(a.nom);
    const int fond = pixels_de_couleur(image, a.cle);
    EXPECT_GT(fond, 0);
    EXPECT_GT(image.width() * image.height() - fond, image.width() * image.height() / 10);
  }
}

TEST(Ressources, GlyphesParticuliers) {
  const QImage arret = ressource_bitmap("B2");
  EXPECT_EQ(arret.pixel(9, 8) & 0xffffffu, qRgb(255, 64, 64) & 0xffffffu);

  const QImage titre = ressource_bitmap("titre");
  ASSERT_FALSE(titre.isNull());
  EXPECT_EQ(titre.size(), QSize(180, 40));
  EXPECT_TRUE(titre.hasAlphaChannel());
  EXPECT_EQ(qAlpha(titre.pixel(0, 0)), 0);

  const QImage quitter = ressource_bitmap("quitter");
  ASSERT_FALSE(quitter.isNull());
  EXPECT_GE(quitter.width(), 32);
  EXPECT_LE(quitter.width(), 41);
  EXPECT_FALSE(ressource_bitmap("OpenI").isNull());
}

TEST(Ressources, NomInconnuDonneUneImageNulle) {
  EXPECT_TRUE(ressource_bitmap("H11").isNull());
  EXPECT_TRUE(ressource_bitmap("").isNull());
  EXPECT_TRUE(ressource_bitmap("H0.bmp").isNull());
}

TEST(Ressources, TransparenceParLaCouleurDuCoinBasGauche) {
  const QImage cle = avec_transparence(ressource_bitmap("C3"));
  ASSERT_TRUE(cle.hasAlphaChannel());
  EXPECT_EQ(qAlpha(cle.pixel(0, 39)), 0);
  EXPECT_EQ(qAlpha(cle.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(cle.pixel(20, 20)), 255);

  const QImage charge = avec_transparence(ressource_bitmap("OS"));
  EXPECT_EQ(qAlpha(charge.pixel(0, 16)), 0);
  // The whole red ground goes, not only the corner.
  EXPECT_EQ(pixels_de_couleur(charge, qRgb(255, 0, 0)), 0);

  const QImage titre = ressource_bitmap("titre");
  EXPECT_EQ(avec_transparence(titre), titre);
  EXPECT_TRUE(avec_transparence(QImage()).isNull());
}
