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
// sees the new content). The temporary file is locked (flock) from its creation to its
// rename; temporary files of this target whose lock can be taken, left by saves that
// stopped halfway, are removed first. On failure the temporary file is removed and `chemin` is as
// it was (but for a direct write, which may stop halfway as any write into a file would).
Resultat ecrit_fichier_atomique(const std::string &chemin, std::string_view octets);

// Whether two folders are the same folder on disk: both are resolved (links, "..", a
// trailing separator) and compared exactly, letter case included, as this file system
// tells case apart. A folder that cannot be resolved is compared as written.
bool meme_dossier(const std::string &a, const std::string &b);

// The bare name (name and extension) of a path.
std::string nom_nu(const std::string &chemin);

// Why a system call failed, in French for the author, the system's own text in brackets:
// "Disque plein (No space left on device)", "Accès refusé (Permission denied)"...
std::string raison_systeme(int code_errno);

// Copies the regular file `source` onto `cible` through a temporary file in cible's folder,
// flushed to disk and renamed over `cible` once complete: a copy that fails (a full disk)
// leaves a file already at `cible` whole, and no temporary file behind. A source that is
// not a regular file (a pipe, a device) is refused before a byte is read. The failure's
// message is raison_systeme's (or says what the source is).
Resultat copie_fichier_atomique(const std::string &source, const std::string &cible);

// Whether two files hold the same bytes (false when either cannot be read).
bool memes_octets(const std::string &a, const std::string &b);

// A name for a file `nom` that no entry of `dossier` holds: `nom` itself when free, else
// "paris-2.jpg", "paris-3.jpg"... (the number before the extension).
std::string nom_libre(const std::string &dossier, const std::string &nom);

// Whether `chemin`, an entry of the folder `dossier`, is a symbolic link to a file outside
// that folder (and its subfolders): the labyrinth would then use a file the folder does not
// hold, which the player, given the folder alone, may never see. A dangling link is not.
bool lien_hors_du_dossier(const std::string &dossier, const std::string &chemin);

