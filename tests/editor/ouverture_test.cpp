// Opening a file named on the command line, and the installed default textures that stand
// in for those a start folder lacks.

#include <QDir>
#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include "../maison_isolee.h"
#include "../same_lines.h"
#include "donnees_installees.h"
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

TEST(CheminTexture, TheStartFolderFirstThenTheInstalledDefaults) {
  const DonneesInstallees donnees({"sol.bmp", "plafond.bmp", "autre.bmp"});
  DossierDepart depart(false);
  QFile(QDir(depart.chemin()).filePath("plafond.bmp")).open(QIODevice::WriteOnly);
  const QString ici = QDir::currentPath() + "/";
  const QString installe = DonneesInstallees::dossier() + "/";
  const struct {
    const char *nom;
    QString attendu;
  } cas[] = {
      {"sol.bmp", installe + "sol.bmp"},           // missing here, installed
      {"plafond.bmp", ici + "plafond.bmp"},        // here wins
      {"Briques.bmp", ici + "Briques.bmp"},        // installed nowhere: named where it was sought
      {"autre.bmp", ici + "autre.bmp"},            // not a default texture
      {"SOL.BMP", ici + "SOL.BMP"},                // names are exact
      {"C:\\Jeux\\sol.bmp", installe + "sol.bmp"}, // by the last component of the name
      {"../sous/plafond.bmp", ici + "plafond.bmp"},
  };
  for (const auto &c : cas)
    EXPECT_EQ(chemin_texture(c.nom, depart.chemin()), c.attendu) << c.nom;
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
