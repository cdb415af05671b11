#pragma once
// dravo-editeur's command line, read before any window or display is needed.

#include <string>
#include <vector>

struct LigneCommande {
  enum class Action { editer, aide, version, erreur };
  Action action = Action::editer;
  std::string fichier;          // the labyrinth to open, "" for none
  bool dossier_travail = false; // without a file, start in ~/Dravo (the desktop menu's way)
  std::string erreur;           // what was wrong, for Action::erreur
};

// Reads the arguments after the program's name. "--" ends the options.
LigneCommande lit_ligne_commande(const std::vector<std::string> &args);

// The short French usage printed by --help and, on standard error, after a usage error.
extern const char *const USAGE_EDITEUR;
