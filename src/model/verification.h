#pragma once
// Can this labyrinth be finished? The check simulates what a player can reach from the start
// room (open passages, secret doors, locked doors once their key is held, linked
// teleporters) and lists, for the author, every reason a pupil could get stuck: each
// finding with a code, a severity, a French message and the room, partition or file name it
// is about.
//
// Plain C++, no disk access but in verifie_fichiers; the picture test is passed in (the
// model does not know the picture loader), so the editor and dravo-lab wire it to theirs.

#include "monde.h"
#include "regles.h"
#include "resultat.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

enum class Gravite { erreur, avertissement };

// What a finding points at: nothing, a room (col, lig), a partition (sens, col, lig) or a
// file name.
enum class Lieu { aucun, salle, cloison, fichier };

struct Constat {
  const char *code = ""; // "no-start", "missing-file", ...: stable, for scripts
  Gravite gravite = Gravite::erreur;
  std::string message;     // French, UTF-8, ready for a widget or a terminal
  Lieu lieu = Lieu::aucun; // which of the fields below apply
  int32_t sens = 0;        // partition: 0 horizontal, 1 vertical
  int32_t col = 0;         // room or partition column
  int32_t lig = 0;         // room or partition row
  std::string nom;         // Lieu::fichier, and a room's picture or medium: Windows-1252,
                           // as the world holds it
};

struct Verification {
  std::vector<Constat> constats;
  // A start room exists and, from each start room, the player can reach an exit.
  bool terminable = false;
  bool a_des_erreurs() const;
};

// Puts `c` among the findings of `v` as the check orders them: an error after the errors,
// a warning last.
void ajoute_constat(Verification &v, Constat c);

// Whether the picture or texture at `chemin` (a path on disk) loads; when it does not, the
// failure carries the loader's message. The editor and dravo-lab pass their picture loader;
// an empty function skips the test.
using ControleImage = std::function<Resultat(const std::string &chemin)>;

// What the check learns of folders, kept between the checks of labyrinths that share one
// (an adventure): each folder is listed once. A file added or removed meanwhile is not seen.
class ContenuDossier;
class MemoireDossiers {
public:
  MemoireDossiers();
  ~MemoireDossiers();
  ContenuDossier &contenu(const std::string &dossier);

private:
  std::map<std::string, std::unique_ptr<ContenuDossier>> dossiers_;
};

// The whole check of a labyrinth as it stands: the rules of the grid, then the files it names,
// looked for in `dossier` (the labyrinth's folder, a path on disk; "" for the current folder).
// Errors come first, then warnings; within each, the grid's findings (rooms, then
// partitions, in index order) before the files'.
Verification verifie_labyrinthe(const Monde &m, const std::string &dossier,
                                const ControleImage &image_valide = {},
                                MemoireDossiers *memoire = nullptr);

// The rules of the grid alone (no disk): starts, exits, keys and doors, teleporters,
// riddles, borders, records. Appends to `v` and sets v.terminable.
void verifie_grille(const Monde &m, Verification &v);

// The files alone: every picture, medium, sound and texture named, present in `dossier`
// (or only under another letter case), and every picture and texture loadable.
void verifie_fichiers(const Monde &m, const std::string &dossier, const ControleImage &image_valide,
                      Verification &v, MemoireDossiers *memoire = nullptr);

// Reads the .lab file at `chemin` as the editor's Open does (from a fresh world) and checks
// it against its own folder. A file that cannot be read gives the single error "unreadable".
Verification verifie_fichier_lab(const std::string &chemin, const ControleImage &image_valide = {},
                                 MemoireDossiers *memoire = nullptr);
