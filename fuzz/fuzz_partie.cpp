// Feeds any bytes to the game: all but the last bytes are a .lab read as Open does, the last
// ones are moves. Whatever they hold, the state stays inside the grid, a game that left by
// an exit is one the check calls finishable, and the view draws every frame of it.
#include "monde_lu.h"
#include "partie.h"
#include "verification.h"
#include "vue.h"

#include <cstdint>
#include <cstdlib>

namespace {

constexpr size_t NB_COUPS = 48;

void verifie_etat(const Partie &p) {
  if (p.salle() < 0 || p.salle() >= NB_SALLES_MAX || !p.visitee(p.salle()))
    std::abort();
  if ((p.etat() == Etat::enigme) != (p.enigme_montree() != nullptr))
    std::abort();
  if ((p.cles() & ~TOUTES_LES_CLES) != 0 || p.resolues_du_premier_coup() > p.enigmes_resolues())
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const size_t nb_coups = size < NB_COUPS ? size / 2 : NB_COUPS;
  const Monde m = monde_lu(data, size - nb_coups);
  Avec<Partie> debut = Partie::commence(m, size);
  if (!debut)
    return 0;
  Partie &p = debut.valeur();
  verifie_etat(p);
  Pixels image(24, 16);
  for (size_t i = size - nb_coups; i < size; ++i) {
    const uint8_t b = data[i];
    Coup c;
    c.genre = static_cast<Coup::Genre>(b % 9);
    c.cochees = b >> 4;
    c.texte = std::string(reinterpret_cast<const char *>(data), b % 4);
    const Regard avant = regard_partie(p);
    const Issue issue = p.joue(c);
    if (issue.faits.empty())
      std::abort();
    verifie_etat(p);
    dessine_vue(p.plateau(), Decor{}, entre(avant, regard_partie(p), 0.5), image, &p.objets_pris());
  }
  if (p.etat() == Etat::sortie) {
    Verification v;
    verifie_grille(m, v);
    if (!v.terminable)
      std::abort();
  }
  return 0;
}
