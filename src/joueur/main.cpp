// dravo-joueur [monde_N.lab | FOLDER]: shows the game window at once, then plays the
// labyrinth named, or the one chosen in the open dialog, until the window closes.

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTranslator>

#include <cstdio>
#include <thread>
#include <vector>

#include "demarrage_joueur.h"
#include "demarrage_qt.h"
#include "fenetre_jeu.h"
#include "ligne_commande_joueur.h"

#ifndef DRAVO_VERSION
#define DRAVO_VERSION "?"
#endif

int main(int argc, char *argv[]) {
  // Help, version and usage errors need no display.
  const LigneJoueur ligne = lit_ligne_joueur(std::vector<std::string>(argv + 1, argv + argc));
  switch (ligne.action) {
  case LigneJoueur::Action::aide: std::fputs(USAGE_JOUEUR, stdout); return 0;
  case LigneJoueur::Action::version: std::puts("dravo-joueur " DRAVO_VERSION); return 0;
  case LigneJoueur::Action::erreur:
    std::fprintf(stderr, "dravo-joueur : %s\n%s", ligne.erreur.c_str(), USAGE_JOUEUR);
    return 2;
  case LigneJoueur::Action::jouer: break;
  }

  std::thread polices = prepare_polices();
  QApplication app(argc, argv);
  if (polices.joinable())
    polices.join();
  QApplication::setApplicationName(QStringLiteral("Dravo-Joueur"));
  QGuiApplication::setDesktopFileName(QStringLiteral("fr.dravo_ecole.Joueur"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/joueur/dravo-joueur.png")));
  QTranslator traducteur;
  installe_traductions(app, traducteur);

  FenetreJeu fenetre;
  fenetre.show();
  DialoguesEcran dialogues(&fenetre);
  if (!demarre(fenetre, QFile::decodeName(ligne.chemin.c_str()), dialogues))
    return 0;
  return QApplication::exec();
}
