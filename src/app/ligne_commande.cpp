#include "ligne_commande.h"

const char *const USAGE_EDITEUR =
    "usage : dravo-editeur [--dossier-travail] [FICHIER.lab]\n"
    "        dravo-editeur --help | --version\n"
    "\n"
    "Editeur de labyrinthes pour le jeu Dravo. Avec un fichier, l'éditeur démarre dans le\n"
    "dossier du fichier et l'ouvre ; sans fichier, dans le dossier courant.\n"
    "\n"
    "  --dossier-travail  sans fichier, démarre dans le dossier de travail ~/Dravo, créé\n"
    "                     avec les textures par défaut (ainsi le lance le menu du bureau)\n"
    "  --help             affiche cette aide\n"
    "  --version          affiche la version\n";

LigneCommande lit_ligne_commande(const std::vector<std::string> &args) {
  LigneCommande l;
  bool options = true;
  for (const std::string &a : args) {
    if (options && a == "--") {
      options = false;
    } else if (options && (a == "--help" || a == "-h")) {
      l.action = LigneCommande::Action::aide;
      return l;
    } else if (options && a == "--version") {
      l.action = LigneCommande::Action::version;
      return l;
    } else if (options && a == "--dossier-travail") {
      l.dossier_travail = true;
    } else if (options && a.size() > 1 && a[0] == '-') {
      l.action = LigneCommande::Action::erreur;
      l.erreur = "option inconnue : " + a;
      return l;
    } else if (!l.fichier.empty()) {
      l.action = LigneCommande::Action::erreur;
      l.erreur = "un seul fichier à la fois";
      return l;
    } else {
      l.fichier = a;
    }
  }
  return l;
}
