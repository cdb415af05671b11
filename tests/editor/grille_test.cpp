// The kind bitmaps as the grid keys them, the 320 grid images, clearing the world, and the default
// textures.

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "cadre_marque.h"
#include "image_etiree.h"
#include "image_grille.h"
#include "ms_media_player.h"
#include "outils_test.h"
#include "proprietes.h"

namespace {

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

TEST(Grille, KindBitmapsAreKeyedOnce) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  for (int k = 0; k < NB_TYPES_CLOISON; ++k) {
    EXPECT_EQ(grille(f).bitmap_cloison(0, k).size(), QSize(40, 20)) << k;
    EXPECT_EQ(grille(f).bitmap_cloison(1, k).size(), QSize(20, 40)) << k;
    EXPECT_EQ(grille(f).bitmap_cloison(0, k).toImage().pixelColor(0, 19).alpha(), 0) << k;
  }
  for (int k = 0; k < NB_TYPES_SALLE; ++k)
    EXPECT_EQ(grille(f).bitmap_salle(k).size(), QSize(40, 40)) << k;
  // Kind 0 draws nothing; a wall does draw.
  const QImage vide = grille(f).bitmap_salle(0).toImage();
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(vide.pixelColor(x, y).alpha(), 0);
  EXPECT_EQ(grille(f).bitmap_cloison(0, 0).toImage().pixelColor(20, 10).alpha(), 0);
  const QImage mur = grille(f).bitmap_cloison(0, CLOISON_MUR).toImage();
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
  EXPECT_EQ(f.document().salle_choisie(), -1);
  EXPECT_FALSE(monde(f).modifie);
  EXPECT_EQ(dans_fenetre(nomme(f, "Marque")).topLeft(), QPoint(-100, -100));

  std::set<ImageGrille *> distinctes;
  for (int i = 0; i < NB_CLOISONS_MAX; ++i) {
    SCOPED_TRACE(i);
    ImageGrille *v = vue_cloison(f, i);
    ASSERT_NE(v, nullptr);
    distinctes.insert(v);
    EXPECT_EQ(v->parentWidget(), &grille(f));
    EXPECT_EQ(v->Tag, i);
    EXPECT_EQ(v->property("Tag").toInt(), i);
    EXPECT_EQ(dans_fenetre(v), place_cloison(i));
    EXPECT_TRUE(v->isVisibleTo(&f));
    EXPECT_EQ(v->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(aide(v), "Clic droit ou gauche sur une cloison pour la modifier.");
    attend_dessin(v, i < 110 ? grille(f).bitmap_cloison(0, CLOISON_MUR)
                             : grille(f).bitmap_cloison(1, CLOISON_MUR));
  }
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    SCOPED_TRACE(i);
    ImageGrille *v = vue_salle(f, i);
    ASSERT_NE(v, nullptr);
    distinctes.insert(v);
    EXPECT_EQ(v->Tag, i);
    EXPECT_EQ(dans_fenetre(v), place_salle(i));
    EXPECT_TRUE(v->isVisibleTo(&f));
    EXPECT_EQ(v->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(aide(v), QString::fromUtf8("- Clic droit ou gauche sur une salle pour la "
                                         "modifier.\n- Clic milieu pour sélectionner une "
                                         "salle sans la modifier."));
    attend_dessin(v, grille(f).bitmap_salle(SALLE_VIDE));
  }
  EXPECT_EQ(distinctes.size(), 320u);
  // The worked example of the indexing: column 3, row 2.
  EXPECT_EQ(dans_fenetre(vue_salle(f, 23)).topLeft(), QPoint(210, 150));
  EXPECT_EQ(dans_fenetre(vue_cloison(f, 23)).topLeft(), QPoint(210, 130));
  EXPECT_EQ(dans_fenetre(vue_cloison(f, 135)).topLeft(), QPoint(190, 150));
}

TEST(Grille, TransparentImagesStillTakePresses) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  f.show();
  ImageGrille *salle = vue_salle(f, 55); // an empty room: nothing drawn
  ImageGrille *cloison = vue_cloison(f, 0);
  cloison->pose_picture(grille(f).bitmap_cloison(0, CLOISON_OUVERTE));
  QSignalSpy appuis_salle(salle, &ImageGrille::appui);
  QSignalSpy appuis_cloison(cloison, &ImageGrille::appui);
  QWidget *sous_salle = f.childAt(dans_fenetre(salle).center());
  QWidget *sous_cloison = f.childAt(dans_fenetre(cloison).center());
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
  const auto images = [&f] {
    std::vector<const ImageGrille *> v;
    for (int i = 0; i < NB_CLOISONS_MAX; ++i)
      v.push_back(vue_cloison(f, i));
    for (int i = 0; i < NB_SALLES_MAX; ++i)
      v.push_back(vue_salle(f, i));
    return v;
  };
  const auto avant = images();
  const auto nb_images = f.findChildren<ImageGrille *>().size();

  // An edited labyrinth, as loading a short file and some editing would leave it.
  monde(f).nb_cloisons = 12;
  monde(f).nb_salles = 7;
  monde(f).cloisons[3].contenu = CLOISON_SORTIE;
  monde(f).cloisons[150].contenu = CLOISON_OUVERTE;
  monde(f).salles[23].contenu = SALLE_DEPART;
  monde(f).salles[23].question = "Quelle est la capitale ? ";
  monde(f).salles[23].image = "photo.jpg";
  grille(f).dessine_cloison(3);
  grille(f).dessine_cloison(150);
  grille(f).dessine_salle(23);
  monde(f).titre_lab = "Mon labyrinthe";
  monde(f).son_pas = "pas.mp3";
  monde(f).texture_sol = "autre.bmp";
  f.document().choisit_salle(23);
  monde(f).modifie = true;
  deplace(nomme(f, "Marque"), QPoint(3 * 60 + 28, 2 * 60 + 28));
  nomme<QToolButton>(f, "P", 1)->setEnabled(true);
  nomme<QToolButton>(f, "E", 1)->setEnabled(true);
  pose_tag(nomme<QToolButton>(f, "P", 1), 1);
  nomme<QPlainTextEdit>(f, "Memo1")->setPlainText(QStringLiteral("Quelle est la capitale ?"));
  nomme<QLineEdit>(f, "Edit", 2)->setText(QStringLiteral("Paris"));
  nomme<QCheckBox>(f, "Check", 2)->setChecked(true);
  nomme<ImageEtiree>(f, "Image_epreuve")->show();

  e.dialogues.reponses << Reponse::non; // the unsaved changes are let go
  clique(f, "SpeedButton1");

  EXPECT_EQ(images(), avant);
  EXPECT_EQ(f.findChildren<ImageGrille *>().size(), nb_images);
  EXPECT_EQ(monde(f).nb_cloisons, 220);
  EXPECT_EQ(monde(f).nb_salles, 100);
  EXPECT_EQ(monde(f).cloisons[3].contenu, CLOISON_MUR);
  EXPECT_EQ(monde(f).salles[23].contenu, SALLE_VIDE);
  EXPECT_TRUE(monde(f).salles[23].question.empty());
  EXPECT_TRUE(monde(f).salles[23].image.empty());
  attend_dessin(vue_cloison(f, 3), grille(f).bitmap_cloison(0, CLOISON_MUR));
  attend_dessin(vue_cloison(f, 150), grille(f).bitmap_cloison(1, CLOISON_MUR));
  attend_dessin(vue_salle(f, 23), grille(f).bitmap_salle(SALLE_VIDE));
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    ASSERT_EQ(dans_fenetre(vue_cloison(f, i)), place_cloison(i)) << i;
  EXPECT_EQ(monde(f).titre_lab, "Mon labyrinthe");
  EXPECT_TRUE(monde(f).son_pas.empty());
  EXPECT_EQ(monde(f).texture_sol, "sol.bmp");
  EXPECT_EQ(f.document().salle_choisie(), -1);
  EXPECT_FALSE(monde(f).modifie);
  EXPECT_EQ(dans_fenetre(nomme(f, "Marque")).topLeft(), QPoint(-100, -100));
  for (int k = 0; k < NB_SONS; ++k) {
    EXPECT_FALSE(nomme<QToolButton>(f, "P", k)->isEnabled()) << k;
    EXPECT_FALSE(nomme<QToolButton>(f, "E", k)->isEnabled()) << k;
    EXPECT_EQ(tag(nomme<QToolButton>(f, "P", k)), 0) << k;
  }
  EXPECT_TRUE(nomme<QPlainTextEdit>(f, "Memo1")->toPlainText().isEmpty());
  EXPECT_TRUE(nomme<QLineEdit>(f, "Edit", 2)->text().isEmpty());
  EXPECT_FALSE(nomme<QCheckBox>(f, "Check", 2)->isChecked());
  EXPECT_FALSE(nomme<ImageEtiree>(f, "Image_epreuve")->isVisibleTo(&f));
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty());
}

TEST(Grille, KindOutsideTheTablesShowsNothing) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  monde(f).cloisons[0].contenu = 11;
  monde(f).salles[0].contenu = -1;
  grille(f).dessine_cloison(0);
  grille(f).dessine_salle(0);
  EXPECT_TRUE(vue_cloison(f, 0)->picture().isNull());
  EXPECT_TRUE(vue_salle(f, 0)->picture().isNull());
  EXPECT_EQ(dans_fenetre(vue_cloison(f, 0)), place_cloison(0));
}

TEST(Textures, DefaultTexturesAreShownStretched) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  const std::tuple<ImageEtiree *, QColor, QSize> textures[] = {
      {nomme<ImageEtiree>(f, "TM"), COULEUR_MURS, {80, 400}},
      {nomme<ImageEtiree>(f, "TS"), COULEUR_SOL, {200, 200}},
      {nomme<ImageEtiree>(f, "TP"), COULEUR_PLAFOND, {200, 200}},
  };
  for (const auto &[image, couleur, taille] : textures) {
    SCOPED_TRACE(image->objectName().toStdString());
    // The 80 x 400 and 200 x 200 files are kept at the size they are shown: each side divided
    // by the largest whole factor that keeps it at least the label's.
    const QSize montree = image->size();
    EXPECT_EQ(image->picture().width(), taille.width() / (taille.width() / montree.width()));
    EXPECT_EQ(image->picture().height(), taille.height() / (taille.height() / montree.height()));
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
    // The message names the file and the folder it was sought in.
    EXPECT_TRUE(
        e.dialogues.erreurs[rang].contains(QStringLiteral("\u00AB %1 \u00BB").arg(noms[rang])))
        << e.dialogues.erreurs[rang].toStdString();
    EXPECT_TRUE(e.dialogues.erreurs[rang].contains(e.depart.chemin()))
        << e.dialogues.erreurs[rang].toStdString();
  }
  EXPECT_TRUE(nomme<ImageEtiree>(f, "TM")->picture().isNull());
  EXPECT_EQ(monde(f).texture_murs, "Briques.bmp");
  EXPECT_EQ(monde(f).nb_cloisons, 220);
  EXPECT_EQ(monde(f).nb_salles, 100);
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    ASSERT_NE(vue_salle(f, i), nullptr);
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    ASSERT_NE(vue_cloison(f, i), nullptr);

  // Clearing loads them again, and reports them again.
  clique(f, "SpeedButton1");
  EXPECT_EQ(e.dialogues.erreurs.size(), 6);
}

TEST(Textures, AFailedDefaultLeavesTheBoxEmptyRatherThanAnOldPicture) {
  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  ASSERT_FALSE(nomme<ImageEtiree>(f, "TS")->picture().isNull());
  QFile::remove(QStringLiteral("sol.bmp"));
  clique(f, "SpeedButton1");
  ASSERT_EQ(e.dialogues.erreurs.size(), 1);
  EXPECT_TRUE(nomme<ImageEtiree>(f, "TS")->picture().isNull());
  EXPECT_FALSE(nomme<ImageEtiree>(f, "TM")->picture().isNull());
}

} // namespace
