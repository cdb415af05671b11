#pragma once
// Whole-file reading and atomic writing, with the editor's file-error messages.

#include "resultat.h"

#include <string>
#include <string_view>

// Reads the whole file into `octets` (replaced). On failure `octets` is left empty.
Resultat lit_fichier(const std::string &chemin, std::string &octets);

// Writes `octets` to a temporary file in the folder of `chemin`, flushes it to disk and
// renames it over `chemin`. A link is followed, so the file it names is replaced. On
// failure the temporary file is removed and `chemin` is as it was.
Resultat ecrit_fichier_atomique(const std::string &chemin, std::string_view octets);
