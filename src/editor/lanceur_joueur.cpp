// The player is a Windows program first: on Linux it runs through wine, which the author may
// not have; every way the start can fail gets a message, never silence.

#include "lanceur_joueur.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace {

const QString NOM_JOUEUR = QStringLiteral("Dravo.exe");

bool programme_windows(const QString &chemin) {
  QFile f(chemin);
  return f.open(QIODevice::ReadOnly) && f.read(2) == "MZ";
}

QStringList dossiers_du_chemin(const QString &chemins) {
  return chemins.split(QDir::listSeparator(), Qt::SkipEmptyParts);
}

// The first candidate that is a file the platform can start: an executable, or a Windows
// program (which wine starts without the executable bit).
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

} // namespace

LieuxJoueur lieux_du_processus() {
  return {QCoreApplication::applicationDirPath(), QDir::currentPath(),
          qEnvironmentVariable("PATH")};
}

CommandeJoueur commande_joueur(const QString &fichier, const LieuxJoueur &lieux) {
  const QFileInfo info(fichier);
  CommandeJoueur c;
  c.dossier_travail = info.absolutePath();
  const QString joueur = cherche(NOM_JOUEUR,
                                 QStringList{lieux.dossier_editeur, lieux.dossier_courant} +
                                     dossiers_du_chemin(lieux.chemins),
                                 true);
  if (joueur.isEmpty()) {
    c.erreur = QStringLiteral("Le lecteur %1 est introuvable. Il a été cherché à côté de "
                              "l'éditeur (%2), dans le dossier courant (%3) et dans les "
                              "dossiers du chemin de recherche (PATH). Placez %1 dans l'un "
                              "d'eux ; un lecteur Windows se lance par wine.")
                   .arg(NOM_JOUEUR, QDir::toNativeSeparators(lieux.dossier_editeur),
                        QDir::toNativeSeparators(lieux.dossier_courant));
    return c;
  }
  if (!wine_necessaire(joueur)) {
    c.programme = joueur;
    c.arguments = {info.fileName()};
    return c;
  }
  const QString wine = cherche(QStringLiteral("wine"), dossiers_du_chemin(lieux.chemins), false);
  if (wine.isEmpty()) {
    c.erreur = QStringLiteral("Le lecteur %1 est un programme Windows : il se lance par wine, "
                              "introuvable dans les dossiers du chemin de recherche (PATH). "
                              "Installez wine pour tester le labyrinthe.")
                   .arg(QDir::toNativeSeparators(joueur));
    return c;
  }
  c.programme = wine;
  c.arguments = {joueur, info.fileName()};
  return c;
}

QString lance_joueur(const QString &fichier) {
  // The labyrinth's folder stands for the current folder: the editor no longer moves the
  // current folder to follow the dialogs, and the player beside the labyrinth is the one
  // meant for it.
  LieuxJoueur lieux = lieux_du_processus();
  lieux.dossier_courant = QFileInfo(fichier).absolutePath();
  const CommandeJoueur c = commande_joueur(fichier, lieux);
  if (!c.erreur.isEmpty())
    return c.erreur;
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
    return QStringLiteral("Le lecteur n'a pas pu être lancé (%1 dans %2).")
        .arg(QDir::toNativeSeparators(c.programme), QDir::toNativeSeparators(c.dossier_travail));
  joueur.waitForFinished(-1);
  return {};
}
