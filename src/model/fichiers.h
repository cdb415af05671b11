#pragma once
// Whole-file reading and atomic writing, with the editor's file-error messages.

#include "resultat.h"

#include <string>
#include <string_view>

// Reads the whole file into `octets` (replaced). On failure `octets` is left empty.
Resultat lit_fichier(const std::string &chemin, std::string &octets);

// Writes `octets` to a temporary file in the folder of `chemin`, flushes it to disk and
// renames it over `chemin`. A link is followed, so the file it names is replaced (or
// created) and the link stays. A device or pipe is written into directly. On failure the
// temporary file is removed and `chemin` is as it was.
Resultat ecrit_fichier_atomique(const std::string &chemin, std::string_view octets);

// Whether two folders are the same folder on disk: both are resolved (links, "..", a
// trailing separator) and compared exactly, letter case included, as this file system
// tells case apart. A folder that cannot be resolved is compared as written.
bool meme_dossier(const std::string &a, const std::string &b);

// The bare name (name and extension) of a path.
std::string nom_nu(const std::string &chemin);

// Brings a file the author chose into the start folder: when `source` does not already lie
// in `rep_appli`, copies it there under its bare name, replacing a file of that name.
// Returns the bare name, which the model stores whether or not the copy succeeded (the
// author is not told of a failed copy).
std::string copie_dans_rep_appli(const std::string &source, const std::string &rep_appli);

// Finds the player program named `nom` ("Dravo.exe"): beside the editor's own program
// first, then in the current folder, then in each folder of `chemins` (the search path,
// ":"-separated). Returns its full path, or an empty string when none is an executable file.
std::string trouve_programme(const std::string &nom, const std::string &dossier_programme,
                             const std::string &dossier_courant, const std::string &chemins);
