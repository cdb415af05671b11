// The file commands driven through their face alone, with no editor window: what they ask
// of the window and in which order.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QWidget>

#include "commandes_fichier.h"
#include "document.h"
#include "edition.h"
#include "lab_file.h"
#include "outils_test.h"

namespace {

// A window reduced to what the commands ask of it; it records the calls.
class FaceEnregistree : public FaceFichiers {
public:
  FaceEnregistree() { document_.cree(); }
  Document &document() override { return document_; }
  const Monde &monde() const override { return document_.monde(); }
  DialoguesEditeur &boites() const override { return dialogues; }
  QString choisit_fichier(DialogueFichier &d, GenreDialogue g) override {
    return dialogues.choisit_fichier(g, d);
  }
  LieuxFichiers lieux() const override {
    return {QDir::currentPath() + "/", QDir::currentPath() + "/"};
  }
  bool valide_saisie() override {
    appels << "valide";
    return panneau_accepte;
  }
  // The panel's text stored as the labyrinth's title, so that a write shows whether it
  // came before or after.
  void stocke_panneau() override {
    appels << "stocke";
    document_.pose({Champ::titre_lab, 0, 0}, std::string("Titre du panneau"));
  }
  bool saisie_en_attente() const override { return en_attente; }
  void efface_monde() override { appels << "efface"; }
  void montre_monde_lu(const InfoLecture &) override { appels << "lu"; }
  QWidget &fenetre() override { return fenetre_; }

  mutable DialoguesEnregistres dialogues;
  QStringList appels;
  bool panneau_accepte = true;
  bool en_attente = false;

private:
  Document document_;
  QWidget fenetre_;
};

} // namespace

TEST(CommandesSeules, APanelThatRefusesItsTextStopsTheCommandBeforeTheQuestion) {
  FaceEnregistree face;
  CommandesFichier commandes(face);
  face.document().pose({Champ::titre_lab, 0, 0}, std::string("change"));
  face.panneau_accepte = false;
  face.dialogues.reponses = {Reponse::non, Reponse::non};

  commandes.SpeedButton1Click();
  EXPECT_FALSE(commandes.demande_enregistrement());
  EXPECT_EQ(face.appels, (QStringList{"valide", "valide"}));
  EXPECT_TRUE(face.dialogues.questions.isEmpty());

  // Accepted, the question comes and No lets New clear the labyrinth.
  face.panneau_accepte = true;
  commandes.SpeedButton1Click();
  EXPECT_EQ(face.appels, (QStringList{"valide", "valide", "valide", "efface"}));
  EXPECT_EQ(face.dialogues.questions.size(), 1);
}

TEST(CommandesSeules, SaveStoresThePanelBeforeWritingAndTheTitleFollows) {
  DossierDepart depart(false);
  FaceEnregistree face;
  CommandesFichier commandes(face);
  commandes.pose_dossier_initial(depart.chemin() + "/");
  const QString chemin = QDir(depart.chemin()).filePath("essai.lab");
  face.dialogues.fichiers << chemin;

  EXPECT_EQ(commandes.Sauvemonde(), Issue::ecrit);
  EXPECT_EQ(face.appels, QStringList{"stocke"});
  EXPECT_EQ(face.dialogues.dossiers_initiaux, QStringList{depart.chemin() + "/"});
  QFile f(chemin);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_TRUE(f.readAll().contains("Titre du panneau"));
  EXPECT_EQ(face.fenetre().windowTitle(), "essai.lab[*] \u2014 Dravo-Editeur");
  EXPECT_FALSE(face.fenetre().isWindowModified());

  // Text waiting in the panel shows as unsaved once the window asks for its title again.
  face.en_attente = true;
  commandes.actualise_titre();
  EXPECT_TRUE(face.fenetre().isWindowModified());

  // Ctrl+S's path writes onto the same file with no dialog.
  EXPECT_EQ(commandes.enregistre(), Issue::ecrit);
  EXPECT_EQ(face.dialogues.genres.size(), 1);
}

TEST(CommandesSeules, OnlyASuccessfulReadingIsShownByTheWindow) {
  DossierDepart depart(false);
  FaceEnregistree face;
  CommandesFichier commandes(face);
  const QString chemin = QDir(depart.chemin()).filePath("lu.lab");

  EXPECT_FALSE(commandes.ouvre_fichier(chemin));
  EXPECT_TRUE(face.appels.isEmpty());
  EXPECT_EQ(face.dialogues.erreurs.size(), 1);

  ASSERT_EQ(commandes.Sauvemonde(), Issue::annule); // no file chosen: nothing written
  face.dialogues.fichiers << chemin;
  ASSERT_EQ(commandes.Sauvemonde(), Issue::ecrit);
  face.appels.clear();
  EXPECT_TRUE(commandes.ouvre_fichier(chemin));
  EXPECT_EQ(face.appels, QStringList{"lu"});
  EXPECT_EQ(face.document().fichier(), chemin);
}
