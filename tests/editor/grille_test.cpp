// The kind bitmaps, the 320 grid images, clearing the world, and the default textures.

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>

#include "cadre_marque.h"
#include "image_etiree.h"
#include "image_grille.h"
#include "ms_media_player.h"
#include "outils_test.h"
#include "proprietes.h"
#include "ressources.h"

namespace {

const QColor VERT(0, 255, 0);

// Where a grid image must stand, from its record's index alone.
QRect place_cloison(int i) {
  if (i < 110)
    return {(i % 10) * 60 + 30, (i / 10) * 60 + 10, 40, 20};
  const int j = i - 110;
  return {(j % 11) * 60 + 10, (j / 11) * 60 + 30, 20, 40};
}
QRect place_salle(int i) {
  return {(i % 10) * 60 + 30, (i / 10) * 60 + 30, 40, 40};
}

// The image as drawn over a magenta ground shows the bitmap where it is opaque and the
// ground where it is transparent.
void attend_dessin(ImageGrille *vue, const QPixmap &bitmap) {
  const QColor magenta(255, 0, 255);
  const QImage rendu = rendu_sur(vue, magenta);
  const QImage attendu = bitmap.toImage().convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(rendu.size(), attendu.size());
  for (int y = 0; y < attendu.height(); ++y)
    for (int x = 0; x < attendu.width(); ++x) {
      const QColor a = attendu.pixelColor(x, y);
      const QColor vu = rendu.pixelColor(x, y);
      if (a.alpha() == 0) {
        ASSERT_EQ(vu, magenta) << x << "," << y;
      } else {
        ASSERT_EQ(vu.rgb(), a.rgb()) << x << "," << y;
      }
    }
}

TEST(BitmapsDeGenre, SizesAndGreenBackgroundBeforeKeying) {
  const struct {
    char lettre;
    int nombre;
    QSize taille;
  } familles[] = {{'H', 11, {40, 20}}, {'V', 11, {20, 40}}, {'C', 10, {40, 40}}};
  for (const auto &f : familles)
    for (int k = 0; k < f.nombre; ++k) {
      const QString nom = QChar::fromLatin1(f.lettre) + QString::number(k);
      SCOPED_TRACE(nom.toStdString());
      const QImage image = ressource_bitmap(nom);
      ASSERT_FALSE(image.isNull());
      EXPECT_EQ(image.size(), f.taille);
      EXPECT_EQ(image.pixelColor(0, image.height() - 1), VERT);
      if (k == 0) {
        for (int y = 0; y < image.height(); ++y)
          for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), VERT);
      }
    }
  for (const char *glyphe : {"B1", "B2"})
    EXPECT_EQ(ressource_bitmap(QString::fromLatin1(glyphe)).size(), QSize(18, 17));
}

TEST(Grille, KindBitmapsAreKeyedOnce) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  for (int k = 0; k < NB_TYPES_CLOISON; ++k) {
    EXPECT_EQ(f.bmp_h[k].size(), QSize(40, 20)) << k;
    EXPECT_EQ(f.bmp_v[k].size(), QSize(20, 40)) << k;
    EXPECT_EQ(f.bmp_h[k].toImage().pixelColor(0, 19).alpha(), 0) << k;
  }
  for (int k = 0; k < NB_TYPES_SALLE; ++k)
    EXPECT_EQ(f.bmp_c[k].size(), QSize(40, 40)) << k;
  // Kind 0 draws nothing; a wall does draw.
  const QImage vide = f.bmp_c[0].toImage();
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(vide.pixelColor(x, y).alpha(), 0);
  EXPECT_EQ(f.bmp_h[0].toImage().pixelColor(20, 10).alpha(), 0);
  const QImage mur = f.bmp_h[CLOISON_MUR].toImage();
  bool opaque = false;
  for (int y = 0; y < 20 && !opaque; ++y)
    for (int x = 0; x < 40 && !opaque; ++x)
      opaque = mur.pixelColor(x, y).alpha() == 255;
  EXPECT_TRUE(opaque);
}

TEST(Grille, FreshWorldHas220WallsAnd100EmptyRoomsOnTheirImages) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  EXPECT_EQ(monde(f).nb_cloisons, 220);
  EXPECT_EQ(monde(f).nb_salles, 100);
  EXPECT_EQ(monde(f).salle_choisie, -1);
  EXPECT_FALSE(monde(f).modifie);
  EXPECT_EQ(f.Marque->pos(), QPoint(-100, -100));

  std::set<ImageGrille *> distinctes;
  for (int i = 0; i < NB_CLOISONS_MAX; ++i) {
    SCOPED_TRACE(i);
    ImageGrille *v = f.vues_cloisons[i];
    ASSERT_NE(v, nullptr);
    distinctes.insert(v);
    EXPECT_EQ(v->parentWidget(), &f);
    EXPECT_EQ(v->Tag, i);
    EXPECT_EQ(v->property("Tag").toInt(), i);
    EXPECT_EQ(v->geometry(), place_cloison(i));
    EXPECT_TRUE(v->isVisibleTo(&f));
    EXPECT_EQ(v->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(aide(v), "Clic droit ou gauche sur une cloison pour la modifier.");
    attend_dessin(v, i < 110 ? f.bmp_h[CLOISON_MUR] : f.bmp_v[CLOISON_MUR]);
  }
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    SCOPED_TRACE(i);
    ImageGrille *v = f.vues_salles[i];
    ASSERT_NE(v, nullptr);
    distinctes.insert(v);
    EXPECT_EQ(v->Tag, i);
    EXPECT_EQ(v->geometry(), place_salle(i));
    EXPECT_TRUE(v->isVisibleTo(&f));
    EXPECT_EQ(v->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(aide(v), QString::fromUtf8("- Clic droit ou gauche sur une salle pour la "
                                         "modifier.\n- Clic milieu pour sélectionner une "
                                         "salle sans la modifier."));
    attend_dessin(v, f.bmp_c[SALLE_VIDE]);
  }
  EXPECT_EQ(distinctes.size(), 320u);
  // The worked example of the indexing: column 3, row 2.
  EXPECT_EQ(f.vues_salles[23]->pos(), QPoint(210, 150));
  EXPECT_EQ(f.vues_cloisons[23]->pos(), QPoint(210, 130));
  EXPECT_EQ(f.vues_cloisons[135]->pos(), QPoint(190, 150));
}

TEST(Grille, TransparentImagesStillTakePresses) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  f.show();
  ImageGrille *salle = f.vues_salles[55]; // an empty room: nothing drawn
  ImageGrille *cloison = f.vues_cloisons[0];
  cloison->pose_picture(f.bmp_h[CLOISON_OUVERTE]);
  QSignalSpy appuis_salle(salle, &ImageGrille::appui);
  QSignalSpy appuis_cloison(cloison, &ImageGrille::appui);
  QWidget *sous_salle = f.childAt(salle->geometry().center());
  QWidget *sous_cloison = f.childAt(cloison->geometry().center());
  EXPECT_EQ(sous_salle, salle);
  EXPECT_EQ(sous_cloison, cloison);
  QTest::mousePress(salle, Qt::MiddleButton, {}, QPoint(20, 20));
  QTest::mousePress(cloison, Qt::RightButton, {}, QPoint(20, 10));
  ASSERT_EQ(appuis_salle.count(), 1);
  EXPECT_EQ(appuis_salle[0][1].value<Qt::MouseButton>(), Qt::MiddleButton);
  ASSERT_EQ(appuis_cloison.count(), 1);
  EXPECT_EQ(appuis_cloison[0][1].value<Qt::MouseButton>(), Qt::RightButton);
}

TEST(Grille, ClearingReusesTheImagesAndBringsEverythingBack) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const auto cloisons = f.vues_cloisons;
  const auto salles = f.vues_salles;
  const auto nb_images = f.findChildren<ImageGrille *>().size();

  // An edited labyrinth, as loading a short file and some editing would leave it.
  monde(f).nb_cloisons = 12;
  monde(f).nb_salles = 7;
  monde(f).cloisons[3].contenu = CLOISON_SORTIE;
  monde(f).cloisons[150].contenu = CLOISON_OUVERTE;
  monde(f).salles[23].contenu = SALLE_DEPART;
  monde(f).salles[23].question = "Quelle est la capitale ? ";
  monde(f).salles[23].image = "photo.jpg";
  f.dessine_cloison(3);
  f.dessine_cloison(150);
  f.dessine_salle(23);
  monde(f).titre_lab = "Mon labyrinthe";
  monde(f).son_pas = "pas.mp3";
  monde(f).texture_sol = "autre.bmp";
  monde(f).salle_choisie = 23;
  monde(f).modifie = true;
  f.Marque->move(3 * 60 + 28, 2 * 60 + 28);
  f.P[1]->setEnabled(true);
  f.E[1]->setEnabled(true);
  pose_tag(f.P[1], 1);
  f.Memo1->setPlainText(QStringLiteral("Quelle est la capitale ?"));
  f.Edit[2]->setText(QStringLiteral("Paris"));
  f.Check[2]->setChecked(true);
  f.Image_epreuve->show();

  f.efface_monde();

  EXPECT_EQ(f.vues_cloisons, cloisons);
  EXPECT_EQ(f.vues_salles, salles);
  EXPECT_EQ(f.findChildren<ImageGrille *>().size(), nb_images);
  EXPECT_EQ(monde(f).nb_cloisons, 220);
  EXPECT_EQ(monde(f).nb_salles, 100);
  EXPECT_EQ(monde(f).cloisons[3].contenu, CLOISON_MUR);
  EXPECT_EQ(monde(f).salles[23].contenu, SALLE_VIDE);
  EXPECT_TRUE(monde(f).salles[23].question.empty());
  EXPECT_TRUE(monde(f).salles[23].image.empty());
  attend_dessin(f.vues_cloisons[3], f.bmp_h[CLOISON_MUR]);
  attend_dessin(f.vues_cloisons[150], f.bmp_v[CLOISON_MUR]);
  attend_dessin(f.vues_salles[23], f.bmp_c[SALLE_VIDE]);
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    ASSERT_EQ(f.vues_cloisons[i]->geometry(), place_cloison(i)) << i;
  EXPECT_EQ(monde(f).titre_lab, "Mon labyrinthe");
  EXPECT_TRUE(monde(f).son_pas.empty());
  EXPECT_EQ(monde(f).texture_sol, "sol.bmp");
  EXPECT_EQ(monde(f).salle_choisie, -1);
  EXPECT_FALSE(monde(f).modifie);
  EXPECT_EQ(f.Marque->pos(), QPoint(-100, -100));
  for (int k = 0; k < NB_SONS; ++k) {
    EXPECT_FALSE(f.P[k]->isEnabled()) << k;
    EXPECT_FALSE(f.E[k]->isEnabled()) << k;
    EXPECT_EQ(tag(f.P[k]), 0) << k;
  }
  EXPECT_TRUE(f.Memo1->toPlainText().isEmpty());
  EXPECT_TRUE(f.Edit[2]->text().isEmpty());
  EXPECT_FALSE(f.Check[2]->isChecked());
  EXPECT_FALSE(f.Image_epreuve->isVisibleTo(&f));
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty());
}

TEST(Grille, KindOutsideTheTablesShowsNothing) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  monde(f).cloisons[0].contenu = 11;
  monde(f).salles[0].contenu = -1;
  f.dessine_cloison(0);
  f.dessine_salle(0);
  EXPECT_TRUE(f.vues_cloisons[0]->picture().isNull());
  EXPECT_TRUE(f.vues_salles[0]->picture().isNull());
  EXPECT_EQ(f.vues_cloisons[0]->geometry(), place_cloison(0));
}

TEST(Textures, DefaultTexturesAreShownStretched) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  const std::tuple<ImageEtiree *, QColor, QSize> textures[] = {
      {f.TM, COULEUR_MURS, {80, 400}},
      {f.TS, COULEUR_SOL, {200, 200}},
      {f.TP, COULEUR_PLAFOND, {200, 200}},
  };
  for (const auto &[image, couleur, taille] : textures) {
    SCOPED_TRACE(image->objectName().toStdString());
    EXPECT_EQ(image->picture().size(), taille);
    const QImage rendu = rendu_sur(image, Qt::white);
    EXPECT_EQ(rendu.size(), image->size());
    EXPECT_EQ(rendu.pixelColor(0, 0).rgb(), couleur.rgb());
    EXPECT_EQ(rendu.pixelColor(rendu.width() - 1, rendu.height() - 1).rgb(), couleur.rgb());
  }
}

TEST(Textures, EachMissingDefaultIsReportedOnceAndTheGridIsBuiltAllTheSame) {
  EditeurEnTest e(false);
  TForm1 &f = *e.fenetre;
  ASSERT_EQ(e.dialogues.erreurs.size(), 3) << e.dialogues.erreurs.join('\n').toStdString();
  const char *noms[] = {"Briques.bmp", "sol.bmp", "plafond.bmp"};
  for (int rang = 0; rang < 3; ++rang) {
    // The loader's message names the file's full path.
    EXPECT_TRUE(e.dialogues.erreurs[rang].contains(e.depart.chemin() + '/' + noms[rang]))
        << e.dialogues.erreurs[rang].toStdString();
  }
  EXPECT_TRUE(f.TM->picture().isNull());
  EXPECT_EQ(monde(f).texture_murs, "Briques.bmp");
  EXPECT_EQ(monde(f).nb_cloisons, 220);
  EXPECT_EQ(monde(f).nb_salles, 100);
  for (ImageGrille *v : f.vues_salles)
    ASSERT_NE(v, nullptr);
  for (ImageGrille *v : f.vues_cloisons)
    ASSERT_NE(v, nullptr);

  // Clearing loads them again, and reports them again.
  f.efface_monde();
  EXPECT_EQ(e.dialogues.erreurs.size(), 6);
}

TEST(Textures, AFailedDefaultLeavesTheBoxEmptyRatherThanAnOldPicture) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  ASSERT_FALSE(f.TS->picture().isNull());
  QFile::remove(QStringLiteral("sol.bmp"));
  f.efface_monde();
  ASSERT_EQ(e.dialogues.erreurs.size(), 1);
  EXPECT_TRUE(f.TS->picture().isNull());
  EXPECT_FALSE(f.TM->picture().isNull());
}

} // namespace
