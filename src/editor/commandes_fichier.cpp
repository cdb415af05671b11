// The file commands of the command bar: New, Open and Save, their keys, the question asked
// before anything unsaved is dropped (New, Open, quit, the window's close), the window's
// title, and what opening shows on the window. The disk work is the model's (charge_lab
// reads all or nothing, sauve_lab writes a temporary file beside the target and renames it
// over); this file adds the dialogs, the questions and the window's refresh.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QToolButton>

#include "boite_erreur.h"
#include "boite_sons.h"
#include "boite_textures.h"
#include "fichiers_editeur.h"
#include "grille.h"
#include "image_etiree.h"
#include "lab_file.h"
#include "panneau_salle.h"
#include "texte_1252.h"
#include "tform1.h"

#include <sys/stat.h>

namespace {

// Paths reach the file system in its own encoding, never through the model's 1252 text,
// so a name with characters outside 1252 is still the file the author chose.
std::string chemin_disque(const QString &chemin) {
  return QFile::encodeName(chemin).toStdString();
}

} // namespace

void TForm1::SpeedButton1Click() {
  if (demande_enregistrement())
    efface_monde();
}

void TForm1::SpeedButton2Click() {
  if (demande_enregistrement())
    Chargemonde();
}

void TForm1::SpeedButton3Click() {
  Sauvemonde();
}

bool TForm1::demande_enregistrement() {
  // What the author is typing in the room panel is a change like any other; stored first,
  // it is part of what the question asks about and of what Yes saves.
  // A text the panel refuses stops the command, so that it is not dropped.
  if (!panneau_->valide_saisie())
    return false;
  if (!monde().modifie)
    return true;
  switch (dialogues->question(QStringLiteral("Editeur"),
                              QStringLiteral("Enregistrer les modifications ?"))) {
  case Reponse::annuler: return false;
  case Reponse::non: return true;
  case Reponse::oui:
    // The author asked for a copy: backing out of the save dialog, or a file that could
    // not be written, stops the command rather than drop the only one.
    return enregistre() == Issue::ecrit;
  }
  return false;
}

Issue TForm1::Sauvemonde() {
  const QString chemin = choisit_fichier_a_ecrire();
  if (chemin.isEmpty())
    return Issue::annule;
  return ecrit_labyrinthe(chemin);
}

Issue TForm1::enregistre() {
  if (document_.fichier().isEmpty())
    return Sauvemonde();
  return ecrit_labyrinthe(document_.fichier());
}

void TForm1::enregistre_sans_dialogue() {
  enregistre();
}

namespace {
// Whether writing to chemin would replace a file other than the labyrinth being edited.
bool remplacerait_un_autre(const QString &chemin, const QString &edite) {
  const QFileInfo choisi(chemin);
  if (!choisi.exists() || choisi.isDir())
    return false;
  return edite.isEmpty() || choisi.canonicalFilePath() != QFileInfo(edite).canonicalFilePath();
}
} // namespace

QString TForm1::choisit_fichier_a_ecrire() {
  SDM.dernier_fichier = document_.fichier();
  for (;;) {
    const QString chemin = montre_dialogue(SDM, GenreDialogue::enregistrer);
    if (chemin.isEmpty() || !remplacerait_un_autre(chemin, document_.fichier()))
      return chemin;
    if (dialogues->confirme(QStringLiteral("Editeur"),
                            QStringLiteral("%1 existe d\u00E9j\u00E0. Voulez-vous le remplacer ?")
                                .arg(QFileInfo(chemin).fileName())))
      return chemin;
    // No: the dialog again, offering the name refused so that it can be changed.
  }
}

Issue TForm1::ecrit_labyrinthe(const QString &chemin) {
  panneau_->memorise_salle();
  // A pipe or a device named in the dialog would be written into, or waited on, for ever;
  // a labyrinth lives in a file.
  struct stat st {};
  if (::stat(chemin_disque(chemin).c_str(), &st) == 0 && !S_ISREG(st.st_mode) &&
      !S_ISDIR(st.st_mode)) {
    dialogues->erreur(QStringLiteral("\u00AB %1 \u00BB n'est pas un fichier ordinaire (un tube, "
                                     "un p\u00E9riph\u00E9rique) : le labyrinthe ne peut pas y "
                                     "\u00EAtre enregistr\u00E9. Choisissez un autre nom.")
                          .arg(QDir::toNativeSeparators(chemin)));
    return Issue::echec;
  }
  // The files the labyrinth names go where it goes, before it is written: a copy that
  // fails leaves the .lab as it was. A folder that does not exist is left to the writing,
  // which says so.
  const QString dossier = QFileInfo(chemin).absolutePath();
  if (QFileInfo(dossier).isDir()) {
    const Issue copies = copie_fichiers_nommes(monde(), dossier, lieux(), *dialogues);
    if (copies != Issue::ecrit)
      return copies;
  }
  const Resultat r = document_.sauve(chemin_disque(chemin));
  if (!r) {
    dialogues->erreur(message_labyrinthe(OperationLabyrinthe::enregistrement, chemin, r.message()));
    return Issue::echec;
  }
  return Issue::ecrit;
}

void TForm1::lie_commandes_fichier() {
  const struct {
    QKeySequence touches;
    void (TForm1::*commande)();
  } raccourcis[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_S), &TForm1::enregistre_sans_dialogue},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &TForm1::SpeedButton3Click},
      {QKeySequence(Qt::CTRL | Qt::Key_N), &TForm1::SpeedButton1Click},
      {QKeySequence(Qt::CTRL | Qt::Key_O), &TForm1::SpeedButton2Click},
      {QKeySequence(Qt::CTRL | Qt::Key_Q), &TForm1::quitterClick},
  };
  for (const auto &r : raccourcis)
    connect(new QShortcut(r.touches, this), &QShortcut::activated, this, r.commande);

  connect(&document_, &Document::fichier_change, this, &TForm1::actualise_titre);
  connect(&document_.historique(), &Historique::cleanChanged, this, &TForm1::actualise_titre);
  // Typing shows as unsaved at once, before it becomes a step of the history.
  connect(panneau_, &PanneauSalle::saisie_en_cours, this, &TForm1::actualise_titre);
  actualise_titre();
}

void TForm1::actualise_titre() {
  const QString &fichier = document_.fichier();
  if (fichier.isEmpty()) {
    setWindowTitle(QStringLiteral("Dravo-Editeur[*]"));
  } else {
    // "[*]" in a file name is the toolkit's mark; doubled, it shows as written.
    QString nom = QFileInfo(fichier).fileName();
    nom.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    setWindowTitle(nom + QStringLiteral("[*] \u2014 Dravo-Editeur"));
  }
  setWindowModified(monde().modifie || panneau_->saisie_en_attente());
}

void TForm1::Chargemonde() {
  const QString chemin = montre_dialogue(ODM, GenreDialogue::ouvrir);
  if (!chemin.isEmpty())
    ouvre_fichier(chemin);
}

void TForm1::montre_monde_lu(const InfoLecture &lu) {
  // The reading emptied the five sounds; a key absent from the file leaves its row reset.
  sons_->reinitialise();
  sons_->restaure();

  // Images keep their place and size: the reader takes col and lig from the file but the
  // grid does not move. The reading dropped the selection.
  grille_->montre_lue();
  panneau_->vide();

  // A labyrinth opened from a folder that lacks its textures is still opened whole and
  // keeps the names it gives, so that saving it again loses nothing; each image keeps the
  // picture it had. The textures' messages come in one box, after the opening.
  if (const Resultat r = textures_->montre_lues(lu); !r)
    signale(QString::fromStdString(r.message()));
}
