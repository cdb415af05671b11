#include "ligne_commande_joueur.h"

const char *const USAGE_JOUEUR =
    "usage : dravo-joueur [monde_N.lab | DOSSIER]\n"
    "        dravo-joueur --help | --version\n"
    "\n"
    "Joue un labyrinthe Dravo. Un dossier se joue depuis son monde_1.lab ; à la sortie\n"
    "d'un monde_N.lab, l'aventure continue dans monde_N+1.lab s'il existe. Sans argument,\n"
    "une fenêtre demande le labyrinthe à ouvrir.\n"
    "\n"
    "Touches : flèches, ZQSD ou WASD pour avancer, reculer et tourner ; Espace ou E pour\n"
    "se téléporter ; M pour le plan ; F11 pour le plein écran ; Échap pour la pause.\n"
    "\n"
    "  --help     affiche cette aide\n"
    "  --version  affiche la version\n";

LigneJoueur lit_ligne_joueur(const std::vector<std::string> &args) {
  LigneJoueur l;
  bool options = true;
  for (const std::string &a : args) {
    if (options && a == "--") {
      options = false;
    } else if (options && (a == "--help" || a == "-h")) {
      l.action = LigneJoueur::Action::aide;
      return l;
    } else if (options && a == "--version") {
      l.action = LigneJoueur::Action::version;
      return l;
    } else if (options && a.size() > 1 && a[0] == '-') {
      l.action = LigneJoueur::Action::erreur;
      l.erreur = "option inconnue : " + a;
      return l;
    } else if (!l.chemin.empty() || a.empty()) {
      l.action = LigneJoueur::Action::erreur;
      l.erreur = a.empty() ? "nom de fichier vide" : "un seul labyrinthe à la fois";
      return l;
    } else {
      l.chemin = a;
    }
  }
  return l;
}
