#include "itineraire.h"

#include <algorithm>
#include <array>
#include <bit>
#include <string>

namespace {

size_t at(int i) {
  return static_cast<size_t>(i);
}

// A search state: the room stood in and the keys held.
constexpr int NB_ETATS = NB_SALLES_MAX << NB_COULEURS;
constexpr int etat(int salle, Cles cles) {
  return (salle << NB_COULEURS) | static_cast<int>(cles);
}
constexpr int salle_de(int e) {
  return e >> NB_COULEURS;
}
constexpr Cles cles_de(int e) {
  return static_cast<Cles>(e) & TOUTES_LES_CLES;
}

// The keys held on entering `salle` with `cles`: its key joins them when the riddle that
// guards it can be answered.
Cles en_entrant(const Plateau &p, int salle, Cles cles) {
  const int32_t k = p.salle[at(salle)];
  if (est_cle(k) && p.enigme[at(salle)] != GenreEnigme::insoluble)
    cles |= 1u << couleur_cle(k);
  return cles;
}

struct Arrivee {
  int precedent = -1; // the state the move left, -1 for the start and the unreached
  Etape etape;
};

} // namespace

std::vector<int> Itineraire::salles() const {
  std::vector<int> v;
  if (depart >= 0)
    v.push_back(depart);
  for (const Etape &e : etapes)
    if (e.salle >= 0)
      v.push_back(e.salle);
  return v;
}

Avec<Itineraire> itineraire(const Plateau &p) {
  const std::vector<int> departs = p.departs();
  if (departs.empty())
    return Resultat::echec("Pas d'itinéraire : le labyrinthe n'a aucune salle de départ.");
  if (departs.size() > 1)
    return Resultat::echec("Pas d'itinéraire : le labyrinthe a " + std::to_string(departs.size()) +
                           " salles de départ.");
  const bool au_hasard = p.teleporteurs().size() > 2;

  // Breadth first over (room, keys held): the first state met that stands beside an exit
  // ends the shortest route, since every move counts one.
  std::vector<Arrivee> arrivees(at(NB_ETATS));
  std::vector<bool> vu(at(NB_ETATS), false);
  std::vector<int> file;
  file.reserve(at(NB_ETATS));
  const int debut = etat(departs[0], en_entrant(p, departs[0], 0));
  vu[at(debut)] = true;
  file.push_back(debut);
  for (size_t tete = 0; tete < file.size(); ++tete) {
    const int e = file[tete];
    const int salle = salle_de(e);
    const Cles cles = cles_de(e);
    const auto arrive = [&](Etape etape) {
      const Cles apres = en_entrant(p, etape.salle, cles);
      const int suivant = etat(etape.salle, apres);
      if (vu[at(suivant)])
        return;
      if (apres != cles)
        etape.cle = std::countr_zero(apres & ~cles);
      vu[at(suivant)] = true;
      arrivees[at(suivant)] = {e, etape};
      file.push_back(suivant);
    };
    for (Direction d : DIRECTIONS) {
      const Cote c = cote_salle(salle, d);
      if (p.cloison[at(c.cloison)] != CLOISON_SORTIE)
        continue;
      Itineraire route;
      route.depart = departs[0];
      Etape fin;
      fin.genre = Etape::sortie;
      fin.depuis = salle;
      fin.cloison = c.cloison;
      route.etapes.push_back(fin);
      for (int s = e; arrivees[at(s)].precedent >= 0; s = arrivees[at(s)].precedent)
        route.etapes.push_back(arrivees[at(s)].etape);
      std::reverse(route.etapes.begin(), route.etapes.end());
      return route;
    }
    for (Direction d : DIRECTIONS) {
      const Cote c = cote_salle(salle, d);
      const int32_t k = p.cloison[at(c.cloison)];
      if (c.salle < 0 || !laisse_passer(k, cles))
        continue;
      Etape etape;
      etape.depuis = salle;
      etape.salle = c.salle;
      etape.cloison = c.cloison;
      etape.porte = est_porte(k) ? couleur_porte(k) : -1;
      arrive(etape);
    }
    for (int vers : destinations_teleporteur(p, salle)) {
      Etape etape;
      etape.genre = Etape::teleporte;
      etape.depuis = salle;
      etape.salle = vers;
      etape.au_hasard = au_hasard;
      arrive(etape);
    }
  }
  return Resultat::echec("Pas d'itinéraire : aucun chemin ne mène du départ à une sortie.");
}
