// The check and the game must never disagree: on random labyrinths, the check calls a
// labyrinth finishable exactly when some sequence of moves of the game leaves it by an exit.

#include "partie.h"
#include "texte_1252.h"
#include "verification.h"

#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <vector>

namespace {

// A random labyrinth with one start, a few keys, doors, riddles of every kind, secret doors,
// grilles, no teleporter or two, and one or two exits.
Monde au_hasard(std::mt19937 &r) {
  Monde m;
  Cree_Monde(m);
  auto de = [&r](int n) { return static_cast<int>(r() % static_cast<unsigned>(n)); };
  for (Tcloison &c : m.cloisons) {
    const int t = de(100);
    c.contenu = t < 48   ? CLOISON_OUVERTE
                : t < 80 ? CLOISON_MUR
                : t < 85 ? CLOISON_PORTE_DEROBEE
                : t < 95 ? CLOISON_PORTE_NOIRE + de(3)
                         : CLOISON_GRILLE;
  }
  for (int n = 1 + de(2); n > 0; --n)
    m.cloisons[static_cast<size_t>(de(NB_CLOISONS_MAX))].contenu = CLOISON_SORTIE;
  auto salle = [&]() -> Tsalle & { return m.salles[static_cast<size_t>(de(NB_SALLES_MAX))]; };
  for (int n = de(5); n > 0; --n)
    salle().contenu = SALLE_CLE_NOIRE + de(3);
  if (de(2))
    for (int n = 0; n < 2; ++n)
      salle().contenu = SALLE_TELEPORTEUR;
  if (de(2))
    salle().contenu = SALLE_PLAN;
  for (int n = de(8); n > 0; --n) {
    Tsalle &s = salle();
    s.question = "Question ";
    switch (de(4)) {
    case 0: s.reponses = {"un", "deux", "trois"}, s.bonnes = {false, true, true}; break;
    case 1: s.reponses = {"\xC9t\xE9"}; break;   // typed: "Été"
    case 2: break;                               // a plain message
    default: s.reponses = {"un", "deux"}; break; // nothing ticked: cannot be answered
    }
  }
  salle().contenu = SALLE_DEPART;
  return m;
}

// Answers the riddle shown as a pupil who knows the answer would, or leaves it.
void repond_juste(Partie &p) {
  if (p.etat() != Etat::enigme)
    return;
  const Tsalle &s = p.labyrinthe().salles[static_cast<size_t>(p.salle())];
  switch (p.genre_enigme_montree()) {
  case GenreEnigme::choix: {
    Cochees c = 0;
    for (size_t i = 0; i < NB_REPONSES; ++i)
      if (s.bonnes[i] && !s.reponses[i].empty())
        c |= 1u << i;
    EXPECT_TRUE(p.repond(c).contient(Fait::bonne_reponse));
    break;
  }
  case GenreEnigme::saisie:
    EXPECT_TRUE(p.tape(utf8_depuis_1252(s.reponses[0])).contient(Fait::bonne_reponse));
    break;
  case GenreEnigme::message: EXPECT_TRUE(p.ok().contient(Fait::bonne_reponse)); break;
  default: EXPECT_TRUE(p.passe().contient(Fait::enigme_passee)); break;
  }
}

// Whether some sequence of moves reaches an exit: a walk over (room, facing, keys held).
bool sortie_possible(Partie depart) {
  repond_juste(depart);
  std::vector<bool> vus(NB_SALLES_MAX * 4 * 64);
  auto cle = [](const Partie &p) {
    return (static_cast<size_t>(p.salle()) * 4 + static_cast<size_t>(p.direction())) * 64 +
           p.cles();
  };
  std::deque<Partie> a_voir{depart};
  vus[cle(depart)] = true;
  while (!a_voir.empty()) {
    const Partie p = a_voir.front();
    a_voir.pop_front();
    for (Coup::Genre g : {Coup::avance, Coup::gauche, Coup::droite, Coup::teleporte}) {
      Partie suite = p;
      suite.joue(Coup{g, 0, {}});
      repond_juste(suite);
      if (suite.etat() == Etat::sortie)
        return true;
      if (!vus[cle(suite)]) {
        vus[cle(suite)] = true;
        a_voir.push_back(suite);
      }
    }
  }
  return false;
}

} // namespace

TEST(Accord, TheCheckCallsFinishableWhatTheGameCanFinish) {
  std::mt19937 r(20261208);
  int terminables = 0;
  for (int n = 0; n < 300; ++n) {
    const Monde m = au_hasard(r);
    Verification v;
    verifie_grille(m, v);
    Avec<Partie> p = Partie::commence(m);
    ASSERT_TRUE(p) << n;
    EXPECT_EQ(sortie_possible(p.valeur()), v.terminable) << "labyrinth " << n;
    terminables += v.terminable;
  }
  // Both answers occur often enough for the comparison to mean something.
  EXPECT_GT(terminables, 60);
  EXPECT_LT(terminables, 240);
}
