// The texture box: choosing a bitmap for the walls, floor or ceiling, the copy into the
// start folder, a broken bitmap, undo and redo, New, and the defaults after an Open from
// another folder.

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>

#include "image_etiree.h"
#include "outils_test.h"

namespace {

void ecrit_bmp(const QString &chemin, int largeur, int hauteur, QColor couleur) {
  QImage image(largeur, hauteur, QImage::Format_RGB32);
  image.fill(couleur);
  ASSERT_TRUE(image.save(chemin, "BMP"));
}

QByteArray contenu(const QString &chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The colour an image shows at its corners, as drawn stretched to its box.
QColor couleur_montree(ImageEtiree *image) {
  const QImage rendu = rendu_sur(image, Qt::white);
  const QColor coin = rendu.pixelColor(0, 0);
  return coin == rendu.pixelColor(rendu.width() - 1, rendu.height() - 1) ? coin : QColor();
}

class ChoixTexture : public testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(QDir(depart()).mkdir("ailleurs"));
    ailleurs = QDir(depart()).filePath("ailleurs");
  }
  TForm1 &f() { return *e.fenetre; }
  QString depart() const { return e.depart.chemin(); }
  void choisit(const char *image, const QString &chemin) {
    e.dialogues.fichiers << chemin;
    clique(nomme<ImageEtiree>(f(), image));
  }

  EditeurEnTest e;
  QString ailleurs;
};

TEST_F(ChoixTexture, EachImageTakesTheBitmapChosenForItAndNoOther) {
  const struct {
    const char *image;
    int rang;
    QColor couleur;
  } cas[] = {{"TM", 0, Qt::green}, {"TS", 1, Qt::yellow}, {"TP", 2, Qt::cyan}};
  for (const auto &c : cas) {
    SCOPED_TRACE(c.image);
    const QString nom = QString::fromLatin1(c.image) + "_choisi.bmp";
    // A 100 x 100 bitmap is accepted whatever the box, and stretched to it.
    ecrit_bmp(ailleurs + "/" + nom, 100, 100, c.couleur);
    const QString autres[] = {"TM", "TS", "TP"};
    QList<qint64> avant;
    for (const QString &a : autres)
      avant << nomme<ImageEtiree>(f(), a.toLatin1())->picture().cacheKey();
    e.dialogues.dossiers_initiaux.clear();

    choisit(c.image, ailleurs + "/" + nom);

    EXPECT_EQ(e.dialogues.dossiers_initiaux, QStringList{QDir(depart()).absolutePath() + "/"});
    EXPECT_EQ(e.dialogues.filtres.last(), FILTRE_IMAGES);
    EXPECT_TRUE(FILTRE_IMAGES.startsWith("Toutes les images (*.bmp *.jpg *.jpeg *.gif);;"));
    EXPECT_TRUE(FILTRE_IMAGES.endsWith(";;Tous les fichiers (*)"));
    EXPECT_EQ(monde(f()).texture(c.rang), nom.toStdString());
    EXPECT_EQ(couleur_montree(nomme<ImageEtiree>(f(), c.image)).rgb(), c.couleur.rgb());
    for (int r = 0; r < 3; ++r)
      if (r != c.rang) {
        EXPECT_EQ(nomme<ImageEtiree>(f(), autres[r].toLatin1())->picture().cacheKey(), avant[r]);
      }
    EXPECT_EQ(contenu(QDir(depart()).filePath(nom)), contenu(ailleurs + "/" + nom));
    EXPECT_TRUE(monde(f()).modifie);
  }
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  EXPECT_EQ(monde(f()).texture_murs, "TM_choisi.bmp");
  EXPECT_EQ(monde(f()).texture_sol, "TS_choisi.bmp");
  EXPECT_EQ(monde(f()).texture_plafond, "TP_choisi.bmp");
}

TEST_F(ChoixTexture, AFileOfTheFolderIsNotCopiedAndAnotherOfTheSameNameIsReplacedOrKeptBeside) {
  // From the start folder itself: the file stays as it is.
  ecrit_bmp(QDir(depart()).filePath("pierre.bmp"), 80, 400, Qt::darkGray);
  const QByteArray pierre = contenu(QDir(depart()).filePath("pierre.bmp"));
  choisit("TM", QDir(depart()).filePath("pierre.bmp"));
  EXPECT_EQ(contenu(QDir(depart()).filePath("pierre.bmp")), pierre);
  EXPECT_EQ(monde(f()).texture_murs, "pierre.bmp");
  EXPECT_EQ(QDir(depart()).entryList(QDir::Files).size(), 4);

  // "Briques.bmp" from elsewhere, other bytes: the question; Cancel leaves all as it was.
  const QByteArray defaut = contenu(QDir(depart()).filePath("Briques.bmp"));
  ecrit_bmp(ailleurs + "/Briques.bmp", 80, 400, Qt::magenta);
  choisit("TM", ailleurs + "/Briques.bmp");
  ASSERT_EQ(e.dialogues.questions.size(), 1);
  EXPECT_TRUE(e.dialogues.questions[0].contains("Briques-2.bmp"));
  EXPECT_EQ(contenu(QDir(depart()).filePath("Briques.bmp")), defaut);
  EXPECT_EQ(monde(f()).texture_murs, "pierre.bmp");

  // Keep both: copied beside under a free name, which the labyrinth names.
  e.dialogues.reponses << Reponse::non;
  choisit("TM", ailleurs + "/Briques.bmp");
  EXPECT_EQ(contenu(QDir(depart()).filePath("Briques.bmp")), defaut);
  EXPECT_EQ(contenu(QDir(depart()).filePath("Briques-2.bmp")), contenu(ailleurs + "/Briques.bmp"));
  EXPECT_EQ(monde(f()).texture_murs, "Briques-2.bmp");

  // Replace: the folder's file becomes the chosen one.
  e.dialogues.reponses << Reponse::oui;
  choisit("TM", ailleurs + "/Briques.bmp");
  EXPECT_EQ(e.dialogues.questions.size(), 3);
  EXPECT_EQ(contenu(QDir(depart()).filePath("Briques.bmp")), contenu(ailleurs + "/Briques.bmp"));
  EXPECT_EQ(monde(f()).texture_murs, "Briques.bmp");
  EXPECT_EQ(couleur_montree(nomme<ImageEtiree>(f(), "TM")).rgb(), QColor(Qt::magenta).rgb());

  // The same bytes again: nothing to ask, nothing copied.
  choisit("TM", ailleurs + "/Briques.bmp");
  EXPECT_EQ(e.dialogues.questions.size(), 3);
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
}

TEST_F(ChoixTexture, ABrokenBitmapOrACancelledDialogChangesNothing) {
  QFile casse(ailleurs + "/casse.bmp");
  ASSERT_TRUE(casse.open(QIODevice::WriteOnly));
  casse.write("BM pas une image");
  casse.close();
  const qint64 avant = nomme<ImageEtiree>(f(), "TS")->picture().cacheKey();

  choisit("TS", ailleurs + "/casse.bmp");
  ASSERT_EQ(e.dialogues.erreurs.size(), 1);
  EXPECT_EQ(e.dialogues.erreurs[0],
            QStringLiteral("La texture \u00AB casse.bmp \u00BB ne peut pas \u00EAtre lue : le "
                           "fichier est ab\u00EEm\u00E9 ou n'est pas une image BMP (Bitmap image "
                           "is not valid)."));
  EXPECT_FALSE(QFile::exists(QDir(depart()).filePath("casse.bmp")));
  clique(nomme<ImageEtiree>(f(), "TS")); // cancelled
  EXPECT_EQ(e.dialogues.genres.size(), 2);

  EXPECT_EQ(nomme<ImageEtiree>(f(), "TS")->picture().cacheKey(), avant);
  EXPECT_EQ(monde(f()).texture_sol, "sol.bmp");
  EXPECT_FALSE(monde(f()).modifie);
  EXPECT_FALSE(f().document().historique().canUndo());
}

TEST_F(ChoixTexture, UndoAndRedoShowThePictureAgainAndNewShowsTheDefaults) {
  ecrit_bmp(ailleurs + "/dalles.bmp", 200, 200, Qt::green);
  choisit("TS", ailleurs + "/dalles.bmp");
  ASSERT_EQ(monde(f()).texture_sol, "dalles.bmp");

  f().document().historique().undo();
  EXPECT_EQ(monde(f()).texture_sol, "sol.bmp");
  EXPECT_EQ(couleur_montree(nomme<ImageEtiree>(f(), "TS")).rgb(), COULEUR_SOL.rgb());
  EXPECT_FALSE(monde(f()).modifie);
  f().document().historique().redo();
  EXPECT_EQ(monde(f()).texture_sol, "dalles.bmp");
  EXPECT_EQ(couleur_montree(nomme<ImageEtiree>(f(), "TS")).rgb(), QColor(Qt::green).rgb());
  EXPECT_TRUE(monde(f()).modifie);

  e.dialogues.reponses << Reponse::non;
  clique(f(), "SpeedButton1");
  EXPECT_EQ(e.dialogues.questions.size(), 1);
  EXPECT_EQ(monde(f()).texture_sol, "sol.bmp");
  EXPECT_EQ(couleur_montree(nomme<ImageEtiree>(f(), "TM")).rgb(), COULEUR_MURS.rgb());
  EXPECT_EQ(couleur_montree(nomme<ImageEtiree>(f(), "TS")).rgb(), COULEUR_SOL.rgb());
  EXPECT_EQ(couleur_montree(nomme<ImageEtiree>(f(), "TP")).rgb(), COULEUR_PLAFOND.rgb());
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
}

TEST_F(ChoixTexture, AfterAnOpenFromAnotherFolderTheTexturesAreFoundInTheStartFolder) {
  // A labyrinth elsewhere that names a texture chosen earlier (so copied to the start
  // folder) and none of the defaults.
  ecrit_bmp(ailleurs + "/voute.bmp", 200, 200, Qt::blue);
  choisit("TP", ailleurs + "/voute.bmp");
  QFile::remove(ailleurs + "/voute.bmp");
  QFile lab(ailleurs + "/loin.lab");
  ASSERT_TRUE(lab.open(QIODevice::WriteOnly));
  lab.write("TP=voute.bmp\r\nC=0,0,0,1\r\n");
  lab.close();
  e.dialogues.reponses << Reponse::non;
  e.dialogues.fichiers << ailleurs + "/loin.lab";
  clique(f(), "SpeedButton2");
  // Nothing moved the current folder: names are found in the folders the editor knows.
  ASSERT_EQ(QDir::currentPath(), e.depart.chemin());
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  EXPECT_EQ(couleur_montree(nomme<ImageEtiree>(f(), "TP")).rgb(), QColor(Qt::blue).rgb());

  // New loads the defaults from the start folder, with no error box.
  clique(f(), "SpeedButton1");
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  EXPECT_EQ(couleur_montree(nomme<ImageEtiree>(f(), "TM")).rgb(), COULEUR_MURS.rgb());
  EXPECT_EQ(couleur_montree(nomme<ImageEtiree>(f(), "TP")).rgb(), COULEUR_PLAFOND.rgb());
}

TEST_F(ChoixTexture, ANameReadWithFoldersIsLookedUpByItsLastComponentAndKeptAsRead) {
  // The folders a name spells out are not followed, whichever separator they use: each
  // texture is the file of that last name beside the labyrinth.
  ASSERT_TRUE(QDir(ailleurs).mkdir("sous"));
  ecrit_bmp(ailleurs + "/sous/mur.bmp", 100, 100, Qt::red);
  ecrit_bmp(ailleurs + "/mur.bmp", 100, 100, Qt::green);
  ecrit_bmp(ailleurs + "/dalle.bmp", 100, 100, Qt::yellow);
  ecrit_bmp(ailleurs + "/voute.bmp", 100, 100, Qt::cyan);
  QFile lab(ailleurs + "/dossiers.lab");
  ASSERT_TRUE(lab.open(QIODevice::WriteOnly));
  lab.write("TM=sous/mur.bmp\r\nTS=../../dalle.bmp\r\nTP=C:\\Jeux\\voute.bmp\r\n"
            "C=0,0,0,1\r\n");
  lab.close();
  e.dialogues.fichiers << ailleurs + "/dossiers.lab";
  clique(f(), "SpeedButton2");
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty()) << e.dialogues.erreurs.join('\n').toStdString();
  const struct {
    const char *image;
    std::string nom;
    QColor couleur;
  } cas[] = {
      {"TM", "sous/mur.bmp", Qt::green},
      {"TS", "../../dalle.bmp", Qt::yellow},
      {"TP", "C:\\Jeux\\voute.bmp", Qt::cyan},
  };
  for (int rang = 0; rang < 3; ++rang) {
    SCOPED_TRACE(cas[rang].image);
    EXPECT_EQ(monde(f()).texture(rang), cas[rang].nom);
    EXPECT_EQ(couleur_montree(nomme<ImageEtiree>(f(), cas[rang].image)).rgb(),
              cas[rang].couleur.rgb());
  }
}

} // namespace
