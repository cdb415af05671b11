// The file commands of the command bar: New, Open and Save, and what opening shows on the
// window. The disk work is the model's (charge_lab reads all or nothing, sauve_lab writes a
// temporary file beside the target and renames it over); this file adds the dialogs, the
// question about unsaved changes and the window's refresh.

#include <QFile>
#include <QToolButton>

#include "boite_erreur.h"
#include "grille.h"
#include "image_etiree.h"
#include "lab_file.h"
#include "panneau_salle.h"
#include "texte_1252.h"
#include "tform1.h"

namespace {

// Paths reach the file system in its own encoding, never through the model's 1252 text,
// so a name with characters outside 1252 is still the file the author chose.
std::string chemin_disque(const QString &chemin) {
  return QFile::encodeName(chemin).toStdString();
}

} // namespace

void TForm1::SpeedButton1Click() {
  if (monde().modifie) {
    switch (dialogues->question(QStringLiteral("Editeur"),
                                QStringLiteral("Enregistrer les modifications ?"))) {
    case Reponse::annuler: return;
    case Reponse::oui:
      // A cancelled save dialog still clears; a file that could not be written does not,
      // or the labyrinth would be lost with its only copy.
      if (!Sauvemonde())
        return;
      break;
    case Reponse::non: break;
    }
  }
  efface_monde();
}

void TForm1::SpeedButton2Click() {
  Chargemonde();
}

void TForm1::SpeedButton3Click() {
  Sauvemonde();
}

bool TForm1::Sauvemonde() {
  document_.debut_enregistrement();
  const QString chemin = montre_dialogue(SDM, GenreDialogue::enregistrer);
  if (chemin.isEmpty())
    return true;
  document_.fichier_choisi();
  panneau_->memorise_salle();
  const Resultat r = document_.sauve(chemin_disque(chemin), utf8_vers_1252(chemin.toStdString()));
  if (!r) {
    dialogues->erreur(QString::fromStdString(r.message()));
    return false;
  }
  return true;
}

void TForm1::Chargemonde() {
  const QString chemin = montre_dialogue(ODM, GenreDialogue::ouvrir);
  if (!chemin.isEmpty())
    ouvre_fichier(chemin);
}

void TForm1::montre_monde_lu(const InfoLecture &lu) {
  // The reading emptied the five sounds; a key absent from the file leaves its row reset.
  reinitialise_sons();
  for (int k = 0; k < NB_SONS; ++k) {
    const bool present = !monde().son(k).empty();
    P[k]->setEnabled(present);
    E[k]->setEnabled(present);
  }

  // Images keep their place and size: the reader takes col and lig from the file but the
  // grid does not move. The reading dropped the selection.
  grille_->montre_lue();

  // A labyrinth opened from a folder that lacks its textures is still opened whole and
  // keeps the names it gives, so that saving it again loses nothing; each image keeps the
  // picture it had. The loader's messages come in one box, after the opening; the box ends
  // its text with the error rule, and each message gets it too, so that every line of the
  // one box reads as a message of its own would.
  QStringList lignes;
  ImageEtiree *const images[NB_TEXTURES] = {TM, TS, TP};
  for (int rang = 0; rang < NB_TEXTURES; ++rang)
    if (lu.textures_lues[static_cast<size_t>(rang)])
      if (const Resultat r = charge_texture(images[rang], monde().texture(rang)); !r)
        lignes << QString::fromStdString(texte_boite_erreur(r.message()));
  if (!lignes.isEmpty())
    dialogues->erreur(lignes.join(QLatin1Char('\n')));
}
