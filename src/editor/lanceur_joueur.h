#pragma once
// Finding and starting a player on a labyrinth file: the Windows player "Dravo.exe" when
// the author has it (through wine on other platforms), else our own player dravo-joueur.
// Kept apart from the window: the window only shows the message a failure carries.

#include <QString>
#include <QStringList>

#include "resultat.h"

// Where the players are looked for, and the search path for wine.
struct LieuxJoueur {
  QString dossier_editeur; // the folder of the editor's own program
  QString dossier_courant;
  QString chemins;          // the search path, ":"-separated (";" on Windows)
  QString dossier_installe; // the installed programs folder (bin under the install prefix)
};

// What to start: the program, its arguments and working folder.
struct CommandeJoueur {
  QString programme;
  QStringList arguments;
  QString dossier_travail;
};

// The player's command for `fichier` (full path of the labyrinth just saved), always run in
// the file's folder:
// - Dravo.exe, looked for beside the editor, in the current folder, then on the search path,
//   receives the bare name as one argument. A Windows program (its first bytes "MZ") on
//   another platform is started as `wine <full path of Dravo.exe> <bare name>`, wine an
//   executable file on the search path; the player itself need not carry the executable
//   bit, as a file copied from Windows seldom does.
// - Without Dravo.exe, or without wine for it, dravo-joueur beside the editor, then in the
//   installed programs folder, receives `--` and the full path of the file.
// Fails with the French message saying what was sought where when neither can start.
Avec<CommandeJoueur> commande_joueur(const QString &fichier, const LieuxJoueur &lieux);

// The places of this process: the editor's folder, the current folder, $PATH and the
// programs folder this build installs into.
LieuxJoueur lieux_du_processus();

// Starts the player on `fichier` and waits, without time limit, for it to end. Succeeds
// when the player ran (whatever it did); else the French message for the error box.
Resultat lance_joueur(const QString &fichier);
