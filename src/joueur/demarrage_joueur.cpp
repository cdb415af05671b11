#include "demarrage_joueur.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "boite_erreur.h"
#include "fenetre_jeu.h"

Avec<QString> labyrinthe_a_jouer(const QString &argument) {
  const QFileInfo info(argument);
  if (!info.isDir())
    return argument;
  const QString premier = QDir(argument).filePath(QStringLiteral("monde_1.lab"));
  if (!QFileInfo(premier).isFile())
    return Resultat::echec(QStringLiteral("Le dossier %1 ne contient pas de monde_1.lab : ce "
                                          "n'est pas une aventure Dravo")
                               .arg(QDir::toNativeSeparators(info.absoluteFilePath()))
                               .toStdString());
  return premier;
}

QString DialoguesEcran::ouvrir() {
  return QFileDialog::getOpenFileName(parent_, QStringLiteral("Ouvrir un labyrinthe"),
                                      QDir::currentPath(),
                                      QStringLiteral("Labyrinthes Dravo (*.lab)"));
}

void DialoguesEcran::erreur(const QString &message) {
  boite_erreur_titree(parent_, message, QStringLiteral("Dravo – Jouer"));
}

bool demarre(FenetreJeu &fenetre, const QString &argument, DialoguesJoueur &dialogues) {
  QString demande = argument;
  for (;;) {
    if (demande.isEmpty()) {
      demande = dialogues.ouvrir();
      if (demande.isEmpty())
        return false;
    }
    const Avec<QString> fichier = labyrinthe_a_jouer(demande);
    const Resultat r = fichier ? fenetre.joue(fichier.valeur()) : fichier.resultat();
    if (r)
      return true;
    dialogues.erreur(QString::fromStdString(r.message()));
    demande.clear();
  }
}
