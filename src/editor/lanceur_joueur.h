#pragma once
// Finding and starting the 3D player "Dravo.exe" on a labyrinth file. Kept apart from the
// window: the window only shows the message this returns.

#include <QString>
#include <QStringList>

// Where the player is looked for, in this order, and the search path for wine.
struct LieuxJoueur {
  QString dossier_editeur; // the folder of the editor's own program
  QString dossier_courant;
  QString chemins; // the search path, ":"-separated (";" on Windows)
};

// What to start: the program, its arguments and working folder. `erreur` is empty when the
// player was found, else the French message saying what is missing and where it was sought.
struct CommandeJoueur {
  QString programme;
  QStringList arguments;
  QString dossier_travail;
  QString erreur;
};

// The player's command for `fichier` (full path of the labyrinth just saved): the player
// receives the bare name as one argument and runs in the file's folder. A Windows program
// (its first bytes "MZ") on another platform is started as
// `wine <full path of Dravo.exe> <bare name>`, wine found on the search path; it need not
// carry the executable bit, as a file copied from Windows seldom does.
CommandeJoueur commande_joueur(const QString &fichier, const LieuxJoueur &lieux);

// The places of this process: the editor's folder, the current folder, $PATH.
LieuxJoueur lieux_du_processus();

// Starts the player on `fichier` and waits, without time limit, for it to end. Returns ""
// when it ran (whatever it did), else the French message for the error box.
QString lance_joueur(const QString &fichier);
