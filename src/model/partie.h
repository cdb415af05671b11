#pragma once
// A game of one labyrinth: where the player stands and looks, what they hold, which riddle
// is shown, and the moves that change it. Each move returns what happened, fact by fact, so
// that a window can play the sounds and animate the step; a move that does not apply in
// the current state changes nothing and says so (ignore). Plain C++, no Qt; the only disk
// access is the adventure's, below.

#include "regles.h"
#include "resultat.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// marche: the player walks; enigme: a riddle is shown and only answers apply; sortie: the
// labyrinth was left by an exit.
enum class Etat { marche, enigme, sortie };
const char *nom_etat(Etat e); // "marche", "enigme", "sortie"

// One thing that happened during a move.
struct Fait {
  enum Genre {
    ignore,           // the move does not apply now: nothing changed
    tourne,           // a quarter turn (the new facing is the state's)
    deplace,          // a step from `depuis` to `salle`
    bute_mur,         // stopped by a wall (a secret door never stops the player)
    bute_grille,      // stopped by a grille
    bute_porte,       // stopped by a locked door of colour `couleur`, its key not held
    bute_bord,        // a passage on the outer edge leads nowhere
    porte_ouverte,    // a locked door of colour `couleur` opened with its key (then deplace)
    porte_derobee,    // passed through a secret door (then deplace)
    cle_prise,        // the key of colour `couleur` is now held
    plan_pris,        // the map is now held
    enigme_posee,     // the riddle of `salle` is shown
    bonne_reponse,    // the riddle is solved
    mauvaise_reponse, // wrong: the riddle stays shown
    enigme_passee,    // left unanswered
    teleporte,        // carried from `depuis` to `salle`
    sortie,           // the labyrinth is left through the exit `cloison`
  };
  Genre genre = ignore;
  int salle = -1;   // the room it happens in or leads to
  int depuis = -1;  // deplace and teleporte: the room left
  int couleur = -1; // bute_porte, porte_ouverte, cle_prise
  int cloison = -1; // the partition met: bute_*, porte_*, sortie
};
// "ignore", "tourne", "deplace", ... as spelt above.
const char *nom_fait(Fait::Genre g);

// What a move did, facts in the order they happened.
struct Issue {
  std::vector<Fait> faits;
  bool ignoree() const { return faits.size() == 1 && faits[0].genre == Fait::ignore; }
  bool contient(Fait::Genre g) const;
};

// A move as written on the command line: avance, recule, gauche, droite, teleporte,
// repond:SET (the ticked boxes, digits 1-5, e.g. repond:13), tape:TEXT (UTF-8), ok, passe.
struct Coup {
  enum Genre { avance, recule, gauche, droite, teleporte, repond, tape, ok, passe };
  Genre genre = avance;
  Cochees cochees = 0; // repond
  std::string texte;   // tape, UTF-8
};
// A French message for a word that is not a move.
Avec<Coup> lit_coup(std::string_view mot);
std::string ecrit_coup(const Coup &c);

class Partie {
public:
  // Starts in the start room facing nord, in the walking state: a riddle of the start room
  // is shown when the player comes back into it, not before the first move. Fails, with the check's
  // French message, when the labyrinth has no start or more than one. `graine` starts the
  // teleporters' draws.
  static Avec<Partie> commence(const Labyrinthe &lab, uint64_t graine = 1);

  // The moves. Each returns what happened; ignored when it does not apply now (a step or a
  // turn while a riddle is shown, an answer of the wrong kind, anything after the exit).
  Issue avance();
  Issue recule();
  Issue gauche();
  Issue droite();
  Issue teleporte();
  Issue repond(Cochees cochees);
  Issue tape(const std::string &texte_utf8);
  Issue ok();
  Issue passe();
  Issue joue(const Coup &c);

  // The state.
  const Labyrinthe &labyrinthe() const { return *lab_; }
  const Plateau &plateau() const { return plateau_; }
  int salle() const { return salle_; }
  PlaceSalle place() const { return place_salle(salle_); }
  std::string nom() const { return nom_salle(salle_); } // "C4"
  Direction direction() const { return direction_; }
  Etat etat() const { return etat_; }
  Cles cles() const { return cles_; }
  bool tient_cle(int couleur) const { return ((cles_ >> couleur) & 1u) != 0; }
  bool carte() const { return carte_; }
  bool visitee(int salle) const { return visitees_[static_cast<size_t>(salle)]; }
  bool resolue(int salle) const { return resolues_[static_cast<size_t>(salle)]; }
  int nb_visitees() const;
  int enigmes_resolues() const { return nb_resolues_; }
  int resolues_du_premier_coup() const { return nb_premier_coup_; }
  // The riddle shown (etat() == enigme): its room, and what it expects.
  int salle_enigme() const { return etat_ == Etat::enigme ? salle_ : -1; }
  GenreEnigme genre_enigme_montree() const;
  // The room whose riddle is shown (its question, Windows-1252, and its proposals); null
  // when none is.
  const Tsalle *enigme_montree() const {
    return etat_ == Etat::enigme ? &lab_->salles[static_cast<size_t>(salle_)] : nullptr;
  }
  // Whether what room `salle` holds (a key, the map) was taken: the view leaves it out.
  bool objet_pris(int salle) const { return pris_[static_cast<size_t>(salle)]; }
  const std::array<bool, NB_SALLES_MAX> &objets_pris() const { return pris_; }
  // The exit that ended the labyrinth (etat() == sortie), -1 before.
  int cloison_sortie() const { return sortie_; }

private:
  Partie(const Labyrinthe &lab, int depart, uint64_t graine);
  Issue pas(Direction vers);
  void entre(int salle, Issue &issue);
  void recoit(Issue &issue);
  void resout(Issue &issue);

  std::shared_ptr<const Labyrinthe> lab_; // shared by copies: a copy of a game is cheap
  Plateau plateau_;
  Hasard hasard_;
  int salle_ = 0;
  Direction direction_ = Direction::nord;
  Etat etat_ = Etat::marche;
  Cles cles_ = 0;
  bool carte_ = false;
  std::array<bool, NB_SALLES_MAX> visitees_{}, resolues_{}, pris_{};
  int nb_resolues_ = 0, nb_premier_coup_ = 0;
  int essais_ = 0; // wrong answers to the riddle shown
  int sortie_ = -1;
};

// The adventure: the labyrinths monde_1.lab, monde_2.lab ... of one folder, played in turn.
// A labyrinth named otherwise is an adventure of one.

// The digits N of a file name "monde_N.lab" (letters in any case, as the player's system
// ignores it; N one digit or more, whatever they are); nullopt for any other name.
std::optional<std::string_view> chiffres_monde(std::string_view nom);

// N of a file name "monde_N.lab" that the player follows: N of at most nine digits, without
// leading zero; -1 for any other name.
long numero_monde(std::string_view nom);

// The file that follows `chemin` (a path ending in monde_N.lab): the file of the same
// folder named monde_N+1.lab (in any letter case, the exact name first); nullopt otherwise.
std::optional<std::string> labyrinthe_suivant(const std::string &chemin);

class Aventure {
public:
  // Reads the .lab file at `chemin` as the editor's Open does and starts its game; the
  // failure is the reader's message or the one of Partie::commence.
  static Avec<Aventure> ouvre(const std::string &chemin, uint64_t graine = 1);

  Partie &partie() { return partie_; }
  const Partie &partie() const { return partie_; }
  const std::string &fichier() const { return fichier_; }
  int numero() const { return numero_; } // 1 for the first labyrinth played

  // After the exit: whether another labyrinth follows, and going on to it (the failure of
  // reading or starting it; nothing changes then). Without one, the adventure is over and
  // the end message of the last labyrinth is shown.
  bool a_une_suite() const;
  Resultat passe_au_suivant();
  bool terminee() const { return partie_.etat() == Etat::sortie && !a_une_suite(); }
  const std::string &message_fin() const { return partie_.labyrinthe().message_fin; }

private:
  Aventure(std::string fichier, Partie partie, uint64_t graine)
      : fichier_(std::move(fichier)), partie_(std::move(partie)), graine_(graine) {}
  std::string fichier_;
  Partie partie_;
  uint64_t graine_;
  int numero_ = 1;
};
