#pragma once
// Whole-file reading and atomic writing, with the editor's file-error messages.

#include "resultat.h"

#include <cstdint>
#include <string>
#include <string_view>

// How a bounded reading of a file ended.
enum class FinLecture {
  lu,             // the whole file is in `octets`
  erreur_systeme, // `code_errno` says why (a folder gives EISDIR, memory running out ENOMEM)
  pas_ordinaire,  // a pipe, a device or a socket: never read, it may never end
  trop_gros,      // larger than the limit, refused before reading (or when it grew past it)
};
struct LectureBornee {
  FinLecture fin = FinLecture::lu;
  int code_errno = 0;
};

// Reads the regular file `chemin` whole into `octets` (replaced; left empty on failure). The
// file is opened without blocking and its type checked before any byte is read, so a pipe
// with no writer cannot hang the caller; a file above `taille_max` bytes is refused from its
// size, and reading stops at the limit if it grows meanwhile. Never throws.
LectureBornee lit_fichier_borne(const std::string &chemin, uint64_t taille_max,
                                std::string &octets);

// The message of a command that ran out of memory; the world it worked on is as it was.
inline constexpr const char *MESSAGE_MEMOIRE = "Mémoire insuffisante : l'opération est abandonnée";

// The last component of a file name read from a .lab file, after its last "/" or "\": every
// picture, medium, sound and texture a labyrinth names is looked up by that bare name in the
// labyrinth's folder (or the start folder), never along a path the file spells out. The model
// keeps the name as read, so saving gives it back unchanged; only the lookup uses this.
std::string_view nom_dans_dossier(std::string_view nom_lu);

// Writes `octets` to a temporary file ".NAME.tmp-PID-N" in the folder of `chemin` (NAME cut
// to its first 200 bytes), flushes it to disk and renames it over `chemin`, which keeps its
// mode and, where this process may give it, its owner. A link is followed, so the file it
// names is replaced (or created) and the link stays. A device or pipe (/dev/stdout into a
// pipe too) is written into directly, and so is a writable file in a folder where no
// temporary file may be created, and a file that has other hard links (so that every name
// sees the new content). Temporary files of this target left by processes that no
// longer run are removed first. On failure the temporary file is removed and `chemin` is as
// it was (but for a direct write, which may stop halfway as any write into a file would).
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
