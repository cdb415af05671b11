// dravo-editeur [--dossier-travail] [FILE.lab]: creates the editor window, then the about
// box and the title dialog (hidden), opens the file named, and runs the event loop until
// the window closes or the quit button ends it.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTranslator>

#include <cstdio>
#include <vector>

#include "apparence.h"
#include "demarrage_qt.h"
#include "donnees_installees.h"
#include "echelle_ecran.h"
#include "ligne_commande.h"
#include "ressources.h"
#include "tfap.h"
#include "tform1.h"
#include "tftitre.h"

#ifndef DRAVO_VERSION
#define DRAVO_VERSION "?"
#endif

namespace {
// The work folder ~/Dravo, made with the default textures it lacks (a texture already there
// is kept), becomes the current folder. When it cannot be made the editor stays where it
// was started.
void entre_dans_dossier_travail() {
  const QString travail = QDir::home().filePath(QStringLiteral("Dravo"));
  if (!QDir().mkpath(travail))
    return;
  const QString donnees = dossier_donnees();
  for (int rang = 0; rang < NB_TEXTURES && !donnees.isEmpty(); ++rang) {
    const QString nom = QLatin1String(texture_defaut(rang));
    const QString cible = QDir(travail).filePath(nom);
    if (!QFileInfo::exists(cible))
      QFile::copy(QDir(donnees).filePath(nom), cible);
  }
  QDir::setCurrent(travail);
}
} // namespace

int main(int argc, char *argv[]) {
  // Help, version and usage errors need no display.
  const LigneCommande ligne = lit_ligne_commande(std::vector<std::string>(argv + 1, argv + argc));
  switch (ligne.action) {
  case LigneCommande::Action::aide: std::fputs(USAGE_EDITEUR, stdout); return 0;
  case LigneCommande::Action::version: std::puts("dravo-editeur " DRAVO_VERSION); return 0;
  case LigneCommande::Action::erreur:
    std::fprintf(stderr, "dravo-editeur : %s\n%s", ligne.erreur.c_str(), USAGE_EDITEUR);
    return 2;
  case LigneCommande::Action::editer: break;
  }
  // Qt removes its own options from argv; a start again needs them all.
  std::vector<char *> arguments(argv, argv + argc + 1);

  std::thread polices = prepare_polices();
  QApplication app(argc, argv);
  // Joined before anything measures text: two threads starting fontconfig at once would each
  // do the whole work.
  if (polices.joinable())
    polices.join();
  ajuste_echelle(arguments.data());
  QApplication::setApplicationName(QStringLiteral("Dravo-Editeur"));
  QGuiApplication::setDesktopFileName(QStringLiteral("fr.dravo_ecole.Editeur"));
  QTranslator traducteur;
  installe_traductions(app, traducteur);
  prepare_apparence();

  // The file's folder is the start folder, as after Open: its pictures, sounds and
  // textures resolve there.
  const QString fichier = QFile::decodeName(ligne.fichier.c_str());
  if (!fichier.isEmpty())
    QDir::setCurrent(QFileInfo(fichier).absolutePath());
  else if (ligne.dossier_travail)
    entre_dans_dossier_travail();

  TForm1 Form1;
  TFap Fap;
  TFtitre Ftitre;
  Form1.attache_fenetres(&Fap, &Ftitre);
  // Opened once the window shows, so that a file that cannot be read leaves its error box
  // over the fresh labyrinth, and no box comes before the window.
  if (!fichier.isEmpty())
    Form1.ouvre_au_lancement(QFileInfo(fichier).absoluteFilePath());
  Form1.show();
  return QApplication::exec();
}
