#pragma once
// The shortest route from the start to an exit as the game's rules allow it: a step through
// a partition that lets the player pass with the keys held, or a teleport from a teleporter
// to another; a key is picked up on entering its room unless its riddle cannot be answered.
// The route is the one with the fewest moves (steps and teleports; turning on the spot is
// not counted), searched over the rooms and the keys held, so that it goes for a key only
// when a door needs it. The teacher's sheet draws it on the map. Plain C++, no Qt.

#include "regles.h"
#include "resultat.h"

#include <vector>

struct Etape {
  enum Genre {
    pas,       // a step from `depuis` through `cloison` into `salle`
    teleporte, // carried from the teleporter `depuis` to the teleporter `salle`
    sortie,    // out through the exit `cloison` of `depuis`; the route's last step
  };
  Genre genre = pas;
  int depuis = -1;
  int salle = -1;   // -1 for the exit
  int cloison = -1; // -1 for a teleport
  int cle = -1;     // the colour of the key picked up on entering `salle`, -1 none
  int porte = -1;   // the colour of the locked door opened by this step, -1 none
  // A teleport among more than two teleporters: the draw may land elsewhere first, and the
  // player teleports again until it lands here.
  bool au_hasard = false;
};

struct Itineraire {
  int depart = -1;
  std::vector<Etape> etapes; // the last one is the exit
  // The rooms in the order they are met, the start first (a room met twice appears twice).
  std::vector<int> salles() const;
};

// The route of the labyrinth; fails, with a French sentence for the sheet, when there is not
// exactly one start or when no route leads to an exit.
Avec<Itineraire> itineraire(const Plateau &p);
