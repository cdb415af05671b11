// Dravo.exe is a Windows program first: on Linux it runs through wine, which the author may
// not have; our own player dravo-joueur stands in then. Every way the start can fail gets a
// message, never silence.

#include "lanceur_joueur.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#ifndef DRAVO_DOSSIER_PROGRAMMES
#define DRAVO_DOSSIER_PROGRAMMES ""
#endif

namespace {

const QString NOM_JOUEUR = QStringLiteral("Dravo.exe");
const QString NOM_NOTRE_JOUEUR = QStringLiteral("dravo-joueur");

bool programme_windows(const QString &chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) && f.read(2) == "MZ";
}

QStringList dossiers_du_chemin(const QString &chemins) {
  return chemins.split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

// The first candidate that is a file the platform can start: an executable, or a Windows
// program (which wine starts without the executable bit) when `windows_accepte`.
QString cherche(const QString &nom, const QStringList &dossiers, bool windows_accepte) {
  for (const QString &dossier : dossiers) {
    if (dossier.isEmpty())
      continue;
    const QFileInfo candidat(QDir(dossier), nom);
    if (!candidat.isFile())
      continue;
    if (candidat.isExecutable() || (windows_accepte && programme_windows(candidat.filePath())))
      return candidat.absoluteFilePath();
  }
  return {};
}

bool wine_necessaire(const QString &programme) {
#ifdef Q_OS_WIN
  Q_UNUSED(programme);
  return false;
#else
  return programme_windows(programme);
#endif
}

QString natif(const QString &chemin) {
  return QDir::toNativeSeparators(chemin);
}

} // namespace

LieuxJoueur lieux_du_processus() {
  return {QCoreApplication::applicationDirPath(), QDir::currentPath(), qEnvironmentVariable("PATH"),
          QStringLiteral(DRAVO_DOSSIER_PROGRAMMES)};
}

Avec<CommandeJoueur> commande_joueur(const QString &fichier, const LieuxJoueur &lieux) {
  const QFileInfo info(fichier);
  CommandeJoueur c;
  c.dossier_travail = info.absolutePath();
  const QString joueur = cherche(NOM_JOUEUR,
                                 QStringList{lieux.dossier_editeur, lieux.dossier_courant} +
                                     dossiers_du_chemin(lieux.chemins),
                                 true);
  QString wine;
  if (!joueur.isEmpty() && wine_necessaire(joueur))
    wine = cherche(QStringLiteral("wine"), dossiers_du_chemin(lieux.chemins), false);
  if (!joueur.isEmpty() && !wine_necessaire(joueur)) {
    c.programme = joueur;
    c.arguments = {info.fileName()};
    return c;
  }
  if (!wine.isEmpty()) {
    c.programme = wine;
    c.arguments = {joueur, info.fileName()};
    return c;
  }

  // Our own player takes the full path after "--", so that no name is read as an option.
  const QString notre =
      cherche(NOM_NOTRE_JOUEUR, {lieux.dossier_editeur, lieux.dossier_installe}, false);
  if (!notre.isEmpty()) {
    c.programme = notre;
    c.arguments = {QStringLiteral("--"), info.absoluteFilePath()};
    return c;
  }
  const QString ou_notre = QStringLiteral("dravo-joueur est introuvable aussi (cherché à côté "
                                          "de l'éditeur et dans %1)")
                               .arg(natif(lieux.dossier_installe));
  if (joueur.isEmpty())
    return Resultat::echec(
        QStringLiteral("Le lecteur %1 est introuvable. Il a été cherché à côté de l'éditeur "
                       "(%2), dans le dossier courant (%3) et dans les dossiers du chemin de "
                       "recherche (PATH) ; %4. Installez dravo-joueur, ou placez %1 dans l'un "
                       "de ces dossiers (un lecteur Windows se lance par wine).")
            .arg(NOM_JOUEUR, natif(lieux.dossier_editeur), natif(lieux.dossier_courant), ou_notre)
            .toStdString());
  return Resultat::echec(
      QStringLiteral("Le lecteur %1 est un programme Windows : il se lance par wine, "
                     "introuvable dans les dossiers du chemin de recherche (PATH) ; %2. "
                     "Installez wine ou dravo-joueur pour tester le labyrinthe.")
          .arg(natif(joueur), ou_notre)
          .toStdString());
}

Resultat lance_joueur(const QString &fichier) {
  // The labyrinth's folder stands for the current folder: the editor no longer moves the
  // current folder to follow the dialogs, and the player beside the labyrinth is the one
  // meant for it.
  LieuxJoueur lieux = lieux_du_processus();
  lieux.dossier_courant = QFileInfo(fichier).absolutePath();
  const Avec<CommandeJoueur> commande = commande_joueur(fichier, lieux);
  if (!commande)
    return commande.resultat();
  const CommandeJoueur &c = commande.valeur();
  QProcess joueur;
  joueur.setProgram(c.programme);
  // The player finds the labyrinth by its bare name in its working folder; the name goes
  // as one argument, blanks and all.
  joueur.setArguments(c.arguments);
  joueur.setWorkingDirectory(c.dossier_travail);
  // The player shares the editor's terminal rather than filling pipes nobody reads.
  joueur.setProcessChannelMode(QProcess::ForwardedChannels);
  joueur.setInputChannelMode(QProcess::ForwardedInputChannel);
  joueur.start();
  if (!joueur.waitForStarted(-1))
    return Resultat::echec(QStringLiteral("Le lecteur n'a pas pu être lancé (%1 dans %2).")
                               .arg(natif(c.programme), natif(c.dossier_travail))
                               .toStdString());
  joueur.waitForFinished(-1);
  return Resultat::succes();
}
