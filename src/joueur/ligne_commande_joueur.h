#pragma once
// dravo-joueur's command line, read before any window or display is needed.

#include <string>
#include <vector>

struct LigneJoueur {
  enum class Action { jouer, aide, version, erreur };
  Action action = Action::jouer;
  std::string chemin; // a labyrinth or a folder of an adventure, "" for the open dialog
  std::string erreur; // what was wrong, for Action::erreur
};

// Reads the arguments after the program's name. "--" ends the options.
LigneJoueur lit_ligne_joueur(const std::vector<std::string> &args);

// The short French usage printed by --help and, on standard error, after a usage error.
extern const char *const USAGE_JOUEUR;
