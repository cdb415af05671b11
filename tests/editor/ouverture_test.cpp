// Opening a file named on the command line, and the installed default textures that stand
// in for those a start folder lacks.

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "../maison_isolee.h"
#include "../same_lines.h"
#include "donnees_installees.h"
#include "fichiers_editeur.h"
#include "lab_file.h"
#include "outils_test.h"

namespace {

TEST(OuvreFichier, ReadsAllOrNothingWithTheErrorOverTheFreshLabyrinth) {
  EditeurEnTest source;
  TForm1 &s = *source.fenetre;
  monde(s).cloisons[3].contenu = 2;
  monde(s).titre_lab = "Les caves";
  const QString chemin = QDir(source.depart.chemin()).filePath("monde 1.lab");
  ASSERT_TRUE(sauve_lab(QFile::encodeName(chemin).toStdString(), monde(s)));

  EditeurEnTest e;
  TForm1 &f = *e.fenetre;
  const std::string neuf = ecrit_lab(monde(f));
  EXPECT_FALSE(f.ouvre_fichier(chemin + ".absent"));
  EXPECT_EQ(e.dialogues.erreurs.size(), 1);
  EXPECT_TRUE(same_lines(ecrit_lab(monde(f)), neuf));

  EXPECT_TRUE(f.ouvre_fichier(chemin));
  EXPECT_EQ(e.dialogues.erreurs.size(), 1);
  EXPECT_EQ(monde(f).cloisons[3].contenu, 2);
  EXPECT_EQ(monde(f).titre_lab, "Les caves");
  EXPECT_FALSE(monde(f).modifie);
  EXPECT_TRUE(e.dialogues.genres.isEmpty()); // no dialog shown
}

// The data folder of an installed editor holding `noms`, for the test's life.
struct DonneesInstallees {
  explicit DonneesInstallees(const QStringList &noms) {
    QDir().mkpath(dossier());
    for (const QString &nom : noms) {
      QImage image(8, 8, QImage::Format_RGB32);
      image.fill(Qt::darkGreen);
      image.save(QDir(dossier()).filePath(nom), "BMP");
    }
  }
  ~DonneesInstallees() { QDir(dossier()).removeRecursively(); }
  static QString dossier() { return QDir(donnees_systeme_de_test()).filePath("dravo-editeur"); }
};

// The labyrinth's folder, then the start folder, then the installed defaults; never the
// current folder, never a pipe, never a link out of its folder.
TEST(CheminTexture, TheLabyrinthsFolderThenTheStartFolderThenTheInstalledDefaults) {
  const DonneesInstallees donnees({"sol.bmp", "plafond.bmp", "autre.bmp"});
  DossierDepart depart(false);
  QTemporaryDir labyrinthe, courant;
  auto cree = [](const QString &dossier, const QString &nom) {
    QFile(QDir(dossier).filePath(nom)).open(QIODevice::WriteOnly);
  };
  cree(depart.chemin(), "plafond.bmp");
  cree(depart.chemin(), "photo.jpg");
  cree(labyrinthe.path(), "photo.jpg");
  cree(courant.path(), "ici.jpg");
  ASSERT_EQ(::mkfifo(QFile::encodeName(labyrinthe.filePath("tube.mp3")).constData(), 0600), 0);
  QFile::link(courant.filePath("ici.jpg"), labyrinthe.filePath("lien.jpg"));
  QDir::setCurrent(courant.path());
  const LieuxFichiers lieux{labyrinthe.path(), depart.chemin() + "/"};
  const QString lab = labyrinthe.path() + "/", ici = depart.chemin() + "/";
  const QString installe = DonneesInstallees::dossier() + "/";
  const struct {
    const char *nom;
    QString attendu;
  } cas[] = {
      {"photo.jpg", lab + "photo.jpg"},            // the labyrinth's folder wins
      {"plafond.bmp", ici + "plafond.bmp"},        // then the start folder
      {"sol.bmp", installe + "sol.bmp"},           // then the installed default
      {"Briques.bmp", ""},                         // installed nowhere
      {"autre.bmp", ""},                           // not a default texture
      {"SOL.BMP", ""},                             // names are exact
      {"C:\\Jeux\\sol.bmp", installe + "sol.bmp"}, // by the last component of the name
      {"../sous/photo.jpg", lab + "photo.jpg"},
      {"ici.jpg", ""},  // the current folder is not looked in
      {"tube.mp3", ""}, // a pipe would hold its reader for ever
      {"lien.jpg", ""}, // a link out of the labyrinth's folder
      {"..", ""},
  };
  for (const auto &c : cas)
    EXPECT_EQ(fichier_du_nom(c.nom, lieux), c.attendu) << c.nom;
  QDir::setCurrent(depart.chemin());
}

TEST(CheminTexture, AnEditorStartedWhereNoTextureIsShowsTheInstalledOnesWithoutError) {
  {
    EditeurEnTest sans(false);
    EXPECT_EQ(sans.dialogues.erreurs.size(), 3);
  }
  const DonneesInstallees donnees({"Briques.bmp", "sol.bmp", "plafond.bmp"});
  EditeurEnTest e(false);
  EXPECT_TRUE(e.dialogues.erreurs.isEmpty());
  EXPECT_FALSE(QFile::exists(QDir(e.depart.chemin()).filePath("sol.bmp")));
}

} // namespace
