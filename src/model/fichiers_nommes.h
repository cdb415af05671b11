#pragma once
// The files a labyrinth names (room pictures and media, sounds, textures), as the folder
// holding the labyrinth must have them: by the last component of each name.

#include "monde.h"

#include <string>
#include <vector>

// Every file the labyrinth names, by its last component (Windows-1252), each once, in the
// order rooms (picture, then medium), sounds, textures. Records beyond the counts are left
// out, as the file does not hold them.
std::vector<std::string> noms_fichiers(const Labyrinthe &l);

// The .lab files of `dossier` (bare names, sorted) other than `sauf` (a bare name, may be
// empty) that name the file `nom` (a last component, Windows-1252). A file that cannot be
// read names nothing.
std::vector<std::string> labyrinthes_nommant(const std::string &dossier, const std::string &nom,
                                             const std::string &sauf);
