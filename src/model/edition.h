#pragma once
// The edits of a labyrinth. Every change the editor makes to a Labyrinthe goes through
// here, and each one says what it changed: the field (Cible) with its value before and
// after. Applying `avant` to the same field undoes the edit; nothing else is needed.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "monde.h"

// The fields an edit can change. `indice` names the record (partition or room), `rang` the
// answer (0..4), the texture (0..2) or the sound slot (0..4).
enum class Champ {
  contenu_cloison,
  contenu_salle,
  question,
  reponse,
  bonne,
  image,
  media,
  texture,
  son,
  titre_lab,
  mission,
  message_fin,
};

struct Cible {
  Champ champ = Champ::contenu_cloison;
  int indice = 0;
  int rang = 0;
  bool operator==(const Cible &) const = default;
};

// A kind is an int32_t, a tick a bool, every other field a string.
using Valeur = std::variant<int32_t, bool, std::string>;

struct Changement {
  Cible cible;
  Valeur avant;
  Valeur apres;
  // Set when the edit reached a record beyond the counters (a file held fewer) and so made
  // the labyrinth whole: the counters it found, nb_cloisons then nb_salles.
  std::optional<std::array<int32_t, 2>> compteurs_avant;
};

// A change kept small for the history: the value the field does not hold now, so that
// applying it swaps the field between its two values. One value is kept, not two, and of
// a text only the part that differs: `debut` and `fin` count the bytes both texts share at
// their start and at their end. Counters an edit changed are swapped with the field.
struct Echange {
  Cible cible;
  Valeur autre;
  size_t debut = 0;
  size_t fin = 0;
  std::optional<std::array<int32_t, 2>> compteurs;
};
// The change just made, as an exchange: the field holds `apres`.
Echange echange_de(Changement c);
// Swaps the field between its two values (and the counters with it). The labyrinth must
// hold one of the two states of the change the exchange came from.
void applique(Labyrinthe &l, Echange &e);
// The bytes the exchange keeps, itself included.
size_t octets(const Echange &e);

// Whether the field exists (record and rank in range).
bool cible_valide(const Cible &c);
// The field's value; nullopt when the field does not exist.
std::optional<Valeur> valeur(const Labyrinthe &l, const Cible &c);

// Sets the field. Nothing is changed and nullopt returned when the field does not exist or
// the value is not of the field's type; a value equal to the field's gives a Changement
// whose avant equals apres (the caller decides whether that is a step). A new value for a
// record beyond the counters makes the labyrinth whole first (220 partitions, 100 rooms,
// the records a file lacked being fresh ones), so that the edit is saved.
std::optional<Changement> pose(Labyrinthe &l, const Cible &c, Valeur v);

// Steps a kind by delta (-1, 0, +1), wrapping around. A kind outside the range (only a file
// brings one) is first taken as the nearer end of the range, so the step lands on a kind
// that has a picture.
int32_t pas_de_type(int32_t contenu, int delta, int32_t nombre);
std::optional<Changement> pas_cloison(Labyrinthe &l, int indice, int delta);
std::optional<Changement> pas_salle(Labyrinthe &l, int indice, int delta);

// The fields by name.
inline Cible cible_question(int salle) {
  return {Champ::question, salle, 0};
}
inline Cible cible_reponse(int salle, int i) {
  return {Champ::reponse, salle, i};
}
inline Cible cible_bonne(int salle, int i) {
  return {Champ::bonne, salle, i};
}
inline Cible cible_image(int salle) {
  return {Champ::image, salle, 0};
}
inline Cible cible_media(int salle) {
  return {Champ::media, salle, 0};
}
inline Cible cible_texture(int rang) {
  return {Champ::texture, 0, rang};
}
inline Cible cible_son(int slot) {
  return {Champ::son, 0, slot};
}
