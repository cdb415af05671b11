// The file commands: New, Open and Save, their keys, the question asked before anything
// unsaved is dropped, Open's reading and the window's title.

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "commandes_fichier.h"
#include "document.h"
#include "fichiers_editeur.h"
#include "lab_file.h"

#include <sys/stat.h>

namespace {

// Paths reach the file system in its own encoding, never through the model's 1252 text,
// so a name with characters outside 1252 is still the file the author chose.
std::string chemin_disque(const QString &chemin) {
  return QFile::encodeName(chemin).toStdString();
}

} // namespace

CommandesFichier::CommandesFichier(FaceFichiers &face) : face_(face) {
  ODM.filtre = QStringLiteral("Fichiers labyrinthes (*.lab)");
  SDM.filtre = ODM.filtre;
  SDM.extension_defaut = QStringLiteral("lab");

  QWidget &fenetre = face_.fenetre();
  const struct {
    QKeySequence touches;
    void (CommandesFichier::*commande)();
  } raccourcis[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_S), &CommandesFichier::enregistre_sans_dialogue},
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &CommandesFichier::SpeedButton3Click},
      {QKeySequence(Qt::CTRL | Qt::Key_N), &CommandesFichier::SpeedButton1Click},
      {QKeySequence(Qt::CTRL | Qt::Key_O), &CommandesFichier::SpeedButton2Click},
      {QKeySequence(Qt::CTRL | Qt::Key_Q), &CommandesFichier::quitterClick},
  };
  for (const auto &r : raccourcis)
    connect(new QShortcut(r.touches, &fenetre), &QShortcut::activated, this, r.commande);

  Document &document = face_.document();
  connect(&document, &Document::fichier_change, this, &CommandesFichier::actualise_titre);
  connect(&document.historique(), &Historique::cleanChanged, this,
          &CommandesFichier::actualise_titre);
  actualise_titre();
}

void CommandesFichier::pose_dossier_initial(const QString &dossier) {
  ODM.dossier_initial = dossier;
  SDM.dossier_initial = dossier;
}

void CommandesFichier::SpeedButton1Click() {
  if (demande_enregistrement())
    face_.efface_monde();
}

void CommandesFichier::SpeedButton2Click() {
  if (demande_enregistrement())
    Chargemonde();
}

void CommandesFichier::SpeedButton3Click() {
  Sauvemonde();
}

bool CommandesFichier::demande_enregistrement() {
  // What the author is typing in the room panel is a change like any other; stored first,
  // it is part of what the question asks about and of what Yes saves.
  // A text the panel refuses stops the command, so that it is not dropped.
  if (!face_.valide_saisie())
    return false;
  if (!face_.monde().modifie)
    return true;
  switch (face_.boites().question(QStringLiteral("Editeur"),
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

Issue CommandesFichier::Sauvemonde() {
  const QString chemin = choisit_fichier_a_ecrire();
  if (chemin.isEmpty())
    return Issue::annule;
  return ecrit_labyrinthe(chemin);
}

Issue CommandesFichier::enregistre() {
  if (face_.document().fichier().isEmpty())
    return Sauvemonde();
  return ecrit_labyrinthe(face_.document().fichier());
}

void CommandesFichier::enregistre_sans_dialogue() {
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

QString CommandesFichier::choisit_fichier_a_ecrire() {
  SDM.dernier_fichier = face_.document().fichier();
  for (;;) {
    const QString chemin = face_.choisit_fichier(SDM, GenreDialogue::enregistrer);
    if (chemin.isEmpty() || !remplacerait_un_autre(chemin, face_.document().fichier()))
      return chemin;
    if (face_.boites().confirme(
            QStringLiteral("Editeur"),
            QStringLiteral("%1 existe d\u00E9j\u00E0. Voulez-vous le remplacer ?")
                .arg(QFileInfo(chemin).fileName())))
      return chemin;
    // No: the dialog again, offering the name refused so that it can be changed.
  }
}

Issue CommandesFichier::ecrit_labyrinthe(const QString &chemin) {
  face_.stocke_panneau();
  // A pipe or a device named in the dialog would be written into, or waited on, for ever;
  // a labyrinth lives in a file.
  struct stat st {};
  if (::stat(chemin_disque(chemin).c_str(), &st) == 0 && !S_ISREG(st.st_mode) &&
      !S_ISDIR(st.st_mode)) {
    face_.boites().erreur(
        QStringLiteral("\u00AB %1 \u00BB n'est pas un fichier ordinaire (un tube, "
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
    const Issue copies =
        copie_fichiers_nommes(face_.monde(), dossier, face_.lieux(), face_.boites());
    if (copies != Issue::ecrit)
      return copies;
  }
  const Resultat r = face_.document().sauve(chemin_disque(chemin));
  if (!r) {
    face_.boites().erreur(
        message_labyrinthe(OperationLabyrinthe::enregistrement, chemin, r.message()));
    return Issue::echec;
  }
  return Issue::ecrit;
}

void CommandesFichier::actualise_titre() {
  const QString &fichier = face_.document().fichier();
  if (fichier.isEmpty()) {
    face_.fenetre().setWindowTitle(QStringLiteral("Dravo-Editeur[*]"));
  } else {
    // "[*]" in a file name is the toolkit's mark; doubled, it shows as written.
    QString nom = QFileInfo(fichier).fileName();
    nom.replace(QLatin1String("[*]"), QLatin1String("[*][*]"));
    face_.fenetre().setWindowTitle(nom + QStringLiteral("[*] \u2014 Dravo-Editeur"));
  }
  face_.fenetre().setWindowModified(face_.monde().modifie || face_.saisie_en_attente());
}

void CommandesFichier::Chargemonde() {
  const QString chemin = face_.choisit_fichier(ODM, GenreDialogue::ouvrir);
  if (!chemin.isEmpty())
    ouvre_fichier(chemin);
}

bool CommandesFichier::ouvre_fichier(const QString &chemin) {
  InfoLecture lu;
  const Resultat r = face_.document().charge(chemin_disque(chemin), &lu);
  if (!r) {
    // The world is untouched, so the window, which shows it, is left as it is too.
    face_.boites().erreur(message_labyrinthe(OperationLabyrinthe::ouverture, chemin, r.message()));
    return false;
  }
  face_.montre_monde_lu(lu);
  return true;
}

void CommandesFichier::quitterClick() {
  if (demande_enregistrement())
    QCoreApplication::exit(0);
}
