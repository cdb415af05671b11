#pragma once
// What a folder's file names tell of the adventure it holds: the player starts at
// monde_1.lab and, at each exit, goes on to the file numbered one more, so a folder whose
// numbers do not start at 1 or skip one is never played whole. Names alone: no labyrinth is
// read, so the check of a labyrinth being edited can count it as present before it is saved.

#include "verification.h"

#include <string>
#include <vector>

// A finding about the adventure and the labyrinth it is reported with (its file name): the
// one before a missing number; the adventure's first for what concerns the folder as a whole
// (no monde_1.lab, names the player never follows or cannot tell apart). "" when the folder
// holds no labyrinth the player follows.
struct ConstatAventure {
  std::string fichier;
  Constat constat;
};

struct VerificationAventure {
  // The file names the player follows (monde_N.lab), in the order it plays them.
  std::vector<std::string> mondes;
  // Each labyrinth's findings in the order they are reported, the adventure's first
  // labyrinth first, then the findings of those that follow, in the order played.
  std::vector<ConstatAventure> constats;
};

// The adventure told by `noms`, the file names of a folder in any order (names that are not
// labyrinths of an adventure are ignored but for their letter case). `edite`, when not
// empty, is the file name of the labyrinth being edited in that folder: present whether or
// not its file exists yet, and the missing number after it is said to end "ce labyrinthe"
// while the one after another labyrinth names that labyrinth. With `edite` empty, every
// finding speaks of the labyrinth it is reported with.
VerificationAventure verifie_aventure(std::vector<std::string> noms, const std::string &edite = {});

// The same for the folder `dossier` (a path on disk, "" for the current folder), listed once.
// A folder without any labyrinth the player follows gets the error "no-labyrinth", or
// "unreadable" when it cannot be listed, reported with "" and naming the folder.
VerificationAventure verifie_aventure_dossier(const std::string &dossier,
                                              const std::string &edite = {});

// Whether `nom` looks like a labyrinth of an adventure, monde_N.lab in any letter case and
// with any digits: the names the adventure's findings are about.
bool nom_d_aventure(const std::string &nom);
