#include "dialogues_editeur.h"

#include "apercu_image.h"
#include "boite_erreur.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <QPushButton>

void DialoguesEditeurQt::erreur(const QString &message) {
  boite_erreur(fenetre_, message);
}

Reponse DialoguesEditeurQt::question(const QString &titre, const QString &texte) {
  QMessageBox boite(QMessageBox::Warning, titre, texte,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, fenetre_);
  boite.setDefaultButton(QMessageBox::Yes);
  boite.setEscapeButton(QMessageBox::Cancel);
  switch (boite.exec()) {
  case QMessageBox::Yes: return Reponse::oui;
  case QMessageBox::No: return Reponse::non;
  default: return Reponse::annuler;
  }
}

bool DialoguesEditeurQt::confirme(const QString &titre, const QString &texte) {
  QMessageBox boite(QMessageBox::Warning, titre, texte, QMessageBox::Yes | QMessageBox::No,
                    fenetre_);
  // Enter must not replace a file by reflex: the safe answer is the default one.
  boite.setDefaultButton(QMessageBox::No);
  boite.setEscapeButton(QMessageBox::No);
  return boite.exec() == QMessageBox::Yes;
}

QString DialoguesEditeurQt::choisit_fichier(GenreDialogue genre, const DialogueFichier &dialogue) {
  QFileDialog boite(fenetre_);
  boite.setNameFilter(dialogue.filtre);
  if (!dialogue.dossier_initial.isEmpty())
    boite.setDirectory(dialogue.dossier_initial);
  if (!dialogue.dernier_fichier.isEmpty()) {
    // The file last chosen in this dialog is offered again, in its own folder.
    boite.setDirectory(QFileInfo(dialogue.dernier_fichier).absolutePath());
    boite.selectFile(QFileInfo(dialogue.dernier_fichier).fileName());
  }
  if (genre == GenreDialogue::enregistrer) {
    boite.setAcceptMode(QFileDialog::AcceptSave);
    boite.setFileMode(QFileDialog::AnyFile);
    boite.setDefaultSuffix(dialogue.extension_defaut);
    // The window asks itself, and only when the file is not the labyrinth being edited.
    boite.setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    boite.setAcceptMode(QFileDialog::AcceptOpen);
    // Only a file that exists: a typed name of nothing is refused by the dialog itself.
    boite.setFileMode(QFileDialog::ExistingFile);
  }
  boite.setOption(QFileDialog::HideNameFilterDetails, dialogue.cache_motifs);
  if (genre == GenreDialogue::ouvrir_image)
    prepare_apercu(boite);
  if (boite.exec() != QDialog::Accepted || boite.selectedFiles().isEmpty())
    return {};
  return QDir::cleanPath(QFileInfo(boite.selectedFiles().first()).absoluteFilePath());
}

bool DialoguesEditeur::confirme(const QString &texte) {
  return question(QStringLiteral("Dravo-Editeur"), texte) == Reponse::oui;
}

int DialoguesEditeur::choix(const QString &texte, const QStringList &boutons) {
  const int dernier = static_cast<int>(boutons.size()) - 1;
  switch (question(QStringLiteral("Dravo-Editeur"), texte)) {
  case Reponse::oui: return 0;
  case Reponse::non: return dernier > 1 ? 1 : dernier;
  case Reponse::annuler: break;
  }
  return dernier;
}

int DialoguesEditeurQt::choix(const QString &texte, const QStringList &boutons) {
  QMessageBox boite(QMessageBox::Warning, QStringLiteral("Dravo-Editeur"), texte,
                    QMessageBox::NoButton, fenetre_);
  QList<QAbstractButton *> poses;
  for (qsizetype i = 0; i < boutons.size(); ++i)
    // Each reached by Alt and its first letter; the first letters differ.
    poses << boite.addButton(QLatin1Char('&') + boutons[i], i + 1 == boutons.size()
                                                                ? QMessageBox::RejectRole
                                                                : QMessageBox::AcceptRole);
  if (!poses.isEmpty()) {
    // Enter, like Escape, backs out: nothing is replaced by reflex.
    boite.setDefaultButton(qobject_cast<QPushButton *>(poses.last()));
    boite.setEscapeButton(poses.last());
  }
  boite.exec();
  const auto rang = poses.indexOf(boite.clickedButton());
  return rang < 0 ? static_cast<int>(boutons.size()) - 1 : static_cast<int>(rang);
}

bool DialoguesEditeur::imprime(QPrinter &) {
  return false;
}

bool DialoguesEditeurQt::confirme(const QString &texte) {
  QMessageBox boite(QMessageBox::Warning, QStringLiteral("Dravo-Editeur"), texte,
                    QMessageBox::Yes | QMessageBox::No, fenetre_);
  boite.setDefaultButton(QMessageBox::No);
  return boite.exec() == QMessageBox::Yes;
}

bool DialoguesEditeurQt::imprime(QPrinter &imprimante) {
  QPrintDialog boite(&imprimante, fenetre_);
  boite.setWindowTitle(QStringLiteral("Imprimer la feuille du labyrinthe"));
  return boite.exec() == QDialog::Accepted;
}

bool DialoguesEditeurQt::imprime(QPrinter &imprimante, ChoixFeuille &choix) {
  QPrintDialog boite(&imprimante, fenetre_);
  boite.setWindowTitle(QStringLiteral("Imprimer la feuille du labyrinthe"));
  // The dialog takes the tab over and deletes it with itself.
  auto *onglet = new QWidget;
  onglet->setWindowTitle(QStringLiteral("Feuille"));
  auto *eleve = new QCheckBox(QStringLiteral("Feuille de l'élève : sans les réponses"), onglet);
  eleve->setObjectName(QStringLiteral("FeuilleEleve"));
  eleve->setChecked(choix.eleve);
  auto *itineraire = new QCheckBox(
      QStringLiteral("Tracer l'itinéraire du départ à la sortie sur le plan"), onglet);
  itineraire->setObjectName(QStringLiteral("FeuilleItineraire"));
  itineraire->setChecked(choix.itineraire);
  auto *colonne = new QVBoxLayout(onglet);
  colonne->addWidget(eleve);
  colonne->addWidget(itineraire);
  colonne->addStretch();
  boite.setOptionTabs({onglet});
  if (boite.exec() != QDialog::Accepted)
    return false;
  choix.eleve = eleve->isChecked();
  choix.itineraire = itineraire->isChecked();
  return true;
}
