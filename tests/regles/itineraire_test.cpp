// The route from the start to the exit: each found route is played move by move in the game
// itself, so a route the rules would not allow fails here, whatever its length.

#include "itineraire.h"
#include "labyrinthe_test.h"
#include "partie.h"
#include "texte_1252.h"

#include <gtest/gtest.h>

#include <string>

using D = Direction;

namespace {

// Answers the riddle shown as its author ticked it, until none is shown.
void repond_juste(Partie &p) {
  for (int essais = 0; p.etat() == Etat::enigme && essais < 3; ++essais) {
    const Tsalle &s = p.labyrinthe().salles[static_cast<size_t>(p.salle())];
    switch (p.genre_enigme_montree()) {
    case GenreEnigme::choix: {
      Cochees c = 0;
      for (size_t i = 0; i < NB_REPONSES; ++i)
        if (s.bonnes[i] && !s.reponses[i].empty())
          c |= 1u << i;
      p.repond(c);
      break;
    }
    case GenreEnigme::saisie: p.tape(utf8_depuis_1252(s.reponses[0])); break;
    case GenreEnigme::message: p.ok(); break;
    default: p.passe(); break;
    }
  }
}

// Plays the route in the game, turning on the spot before each step; true when every step
// leaves from where the game stands and the last one leaves by the route's exit.
bool rejoue(const Monde &m, const Itineraire &route, uint64_t graine = 1) {
  Avec<Partie> debut = Partie::commence(m, graine);
  if (!debut)
    return false;
  Partie &p = debut.valeur();
  repond_juste(p);
  for (const Etape &e : route.etapes) {
    if (p.salle() != e.depuis || p.etat() != Etat::marche) {
      ADD_FAILURE() << "the game stands in " << p.nom() << ", the route leaves from "
                    << nom_salle(e.depuis);
      return false;
    }
    if (e.genre == Etape::teleporte) {
      // Among more than two teleporters the draw is repeated until it lands there.
      for (int essai = 0; essai < 200 && p.salle() != e.salle; ++essai) {
        if (p.teleporte().ignoree())
          return false;
        repond_juste(p);
      }
      continue;
    }
    for (Direction d : DIRECTIONS)
      if (cote_salle(e.depuis, d).cloison == e.cloison)
        while (p.direction() != d)
          p.droite();
    p.avance();
    repond_juste(p);
  }
  return p.etat() == Etat::sortie && p.cloison_sortie() == route.etapes.back().cloison;
}

Itineraire trouve(const Monde &m) {
  const Avec<Itineraire> r = itineraire(Plateau(m));
  EXPECT_TRUE(r) << r.message();
  if (!r)
    return {};
  EXPECT_TRUE(rejoue(m, r.valeur()));
  return r.valeur();
}

// The rooms of the route as the sheet names them: "A1 B1 C1".
std::string salles(const Itineraire &r) {
  std::string s;
  for (int i : r.salles())
    s += (s.empty() ? "" : " ") + nom_salle(i);
  return s;
}

const int ROUGE = couleur_porte(CLOISON_PORTE_ROUGE);
const int BLEU = couleur_porte(CLOISON_PORTE_BLEUE);

} // namespace

TEST(Itineraire, TheStraightWayOutAndTheExitAsLastStep) {
  Plan plan;
  plan.salle("A1", SALLE_DEPART).passage("A1", D::est, 3).cloison("D1", D::est, CLOISON_SORTIE);
  // A longer way round to the same exit.
  plan.passage("A1", D::sud, 1).passage("A2", D::est, 3).passage("D2", D::nord, 1);
  const Itineraire r = trouve(plan);
  EXPECT_EQ(salles(r), "A1 B1 C1 D1");
  ASSERT_EQ(r.etapes.size(), 4u);
  EXPECT_EQ(r.etapes.back().genre, Etape::sortie);
  EXPECT_EQ(r.etapes.back().cloison, cote_salle(Plan::indice("D1"), D::est).cloison);
  EXPECT_EQ(r.etapes.back().salle, -1);

  // An exit on the start room's own side is one step; a secret door lets through, a
  // grille does not.
  Plan court;
  court.salle("C3", SALLE_DEPART).cloison("C3", D::sud, CLOISON_SORTIE);
  EXPECT_EQ(trouve(court).etapes.size(), 1u);
  Plan derobee;
  derobee.salle("A1", SALLE_DEPART).cloison("A1", D::est, CLOISON_PORTE_DEROBEE);
  derobee.cloison("B1", D::nord, CLOISON_SORTIE);
  EXPECT_EQ(salles(trouve(derobee)), "A1 B1");
  derobee.cloison("A1", D::est, CLOISON_GRILLE);
  EXPECT_FALSE(itineraire(Plateau(derobee.monde())));
}

TEST(Itineraire, FetchesTheKeyBeforeItsDoorAndComesBack) {
  // A1 - B1 - C1 |red door| D1 exit; the red key down at A3.
  Plan plan;
  plan.salle("A1", SALLE_DEPART).passage("A1", D::est, 2).passage("A1", D::sud, 2);
  plan.salle("A3", SALLE_CLE_ROUGE);
  plan.cloison("C1", D::est, CLOISON_PORTE_ROUGE).cloison("D1", D::nord, CLOISON_SORTIE);
  const Itineraire r = trouve(plan);
  EXPECT_EQ(salles(r), "A1 A2 A3 A2 A1 B1 C1 D1");
  ASSERT_EQ(r.etapes.size(), 8u);
  EXPECT_EQ(r.etapes[1].cle, ROUGE); // on entering A3
  EXPECT_EQ(r.etapes[6].porte, ROUGE);
  for (size_t i = 0; i < r.etapes.size(); ++i) {
    if (i != 1) {
      EXPECT_EQ(r.etapes[i].cle, -1) << i;
    }
  }

  // A blue key nearer by does not open the red door: the route still goes for the red one.
  plan.salle("B1", SALLE_CLE_BLEUE);
  EXPECT_EQ(salles(trouve(plan)), "A1 A2 A3 A2 A1 B1 C1 D1");
}

TEST(Itineraire, TakesTheShorterOfAKeyAndAnOpenDetour) {
  // The red door is right there, its key six steps away and back; an open way round past
  // the door is shorter, so the route leaves the key.
  Plan plan;
  plan.salle("A1", SALLE_DEPART).cloison("A1", D::est, CLOISON_PORTE_ROUGE);
  plan.cloison("B1", D::nord, CLOISON_SORTIE);
  plan.passage("A1", D::sud, 6).salle("A7", SALLE_CLE_ROUGE);
  plan.passage("A2", D::est, 1).passage("B2", D::nord, 1);
  Itineraire r = trouve(plan);
  EXPECT_EQ(salles(r), "A1 A2 B2 B1");
  // Without the way round, the key is fetched.
  plan.cloison("A2", D::est, CLOISON_MUR);
  r = trouve(plan);
  EXPECT_EQ(r.etapes.size(), 6u + 6u + 2u);
  EXPECT_EQ(r.salles()[6], Plan::indice("A7"));
}

TEST(Itineraire, AKeyBehindARiddleNobodyCanAnswerIsNeverHeld) {
  Plan plan;
  plan.salle("A1", SALLE_DEPART).passage("A1", D::sud, 1).salle("A2", SALLE_CLE_ROUGE);
  plan.cloison("A1", D::est, CLOISON_PORTE_ROUGE).cloison("B1", D::nord, CLOISON_SORTIE);
  // Proposals with no tick beyond the first one: nothing can be answered.
  plan.enigme("A2", "Question ?", {"un", "deux"}, "00000");
  const Avec<Itineraire> aucun = itineraire(Plateau(plan.monde()));
  ASSERT_FALSE(aucun);
  EXPECT_EQ(aucun.message(), "Pas d'itinéraire : aucun chemin ne mène du départ à une sortie.");
  // A riddle that can be answered gives the key, and the route's riddles are answered in
  // the replay: the choice, then a typed answer.
  plan.enigme("A2", "Question ?", {"un", "deux"}, "01000");
  EXPECT_EQ(salles(trouve(plan)), "A1 A2 A1 B1");
  plan.enigme("A2", "Capitale ?", {"Paris"}, "00000");
  EXPECT_EQ(salles(trouve(plan)), "A1 A2 A1 B1");
}

TEST(Itineraire, TwoKeysOneAfterTheOtherBehindTheirDoors) {
  // The blue key lies behind the red door: the route takes red, then blue.
  Plan plan;
  plan.salle("A1", SALLE_DEPART).passage("A1", D::sud, 1).salle("A2", SALLE_CLE_ROUGE);
  plan.cloison("A1", D::est, CLOISON_PORTE_ROUGE).salle("B1", SALLE_CLE_BLEUE);
  plan.cloison("B1", D::est, CLOISON_PORTE_BLEUE).cloison("C1", D::nord, CLOISON_SORTIE);
  const Itineraire r = trouve(plan);
  EXPECT_EQ(salles(r), "A1 A2 A1 B1 C1");
  EXPECT_EQ(r.etapes[0].cle, ROUGE);
  EXPECT_EQ(r.etapes[2].porte, ROUGE);
  EXPECT_EQ(r.etapes[2].cle, BLEU);
  EXPECT_EQ(r.etapes[3].porte, BLEU);
}

TEST(Itineraire, TeleportersCarryThroughWallsAsOneMove) {
  Plan plan;
  plan.salle("A1", SALLE_DEPART).passage("A1", D::est, 1).salle("B1", SALLE_TELEPORTEUR);
  plan.salle("H8", SALLE_TELEPORTEUR)
      .passage("H8", D::sud, 1)
      .cloison("H9", D::est, CLOISON_SORTIE);
  Itineraire r = trouve(plan);
  EXPECT_EQ(salles(r), "A1 B1 H8 H9");
  ASSERT_EQ(r.etapes.size(), 4u);
  EXPECT_EQ(r.etapes[1].genre, Etape::teleporte);
  EXPECT_EQ(r.etapes[1].cloison, -1);
  EXPECT_FALSE(r.etapes[1].au_hasard);
  // A teleport is one move: a walk of the same rooms' distance would be longer.
  plan.passage("B1", D::sud, 7).passage("B8", D::est, 6);
  EXPECT_EQ(salles(trouve(plan)), "A1 B1 H8 H9");

  // A third teleporter makes the landing a draw; the route still leads there, marked.
  plan.salle("E5", SALLE_TELEPORTEUR);
  r = trouve(plan);
  EXPECT_EQ(salles(r), "A1 B1 H8 H9");
  EXPECT_TRUE(r.etapes[1].au_hasard);
  for (uint64_t graine : {2u, 3u, 7u})
    EXPECT_TRUE(rejoue(plan, r, graine)) << graine;

  // A lone teleporter leads nowhere.
  Plan seul;
  seul.salle("A1", SALLE_TELEPORTEUR);
  seul.salle("B2", SALLE_DEPART).passage("B2", D::nord, 1).passage("B1", D::ouest, 1);
  seul.salle("J10", SALLE_TELEPORTEUR);
  seul.cloison("J10", D::sud, CLOISON_SORTIE);
  EXPECT_EQ(salles(trouve(seul)), "B2 B1 A1 J10");
  seul.salle("J10", SALLE_VIDE);
  EXPECT_FALSE(itineraire(Plateau(seul.monde())));
  EXPECT_TRUE(destinations_teleporteur(Plateau(seul.monde()), Plan::indice("A1")).empty());
}

TEST(Itineraire, NeedsExactlyOneStartAndAnExitWithinReach) {
  Plan plan;
  plan.cloison("A1", D::nord, CLOISON_SORTIE);
  Avec<Itineraire> r = itineraire(Plateau(plan.monde()));
  ASSERT_FALSE(r);
  EXPECT_EQ(r.message(), "Pas d'itinéraire : le labyrinthe n'a aucune salle de départ.");
  plan.salle("A1", SALLE_DEPART).salle("J10", SALLE_DEPART);
  r = itineraire(Plateau(plan.monde()));
  ASSERT_FALSE(r);
  EXPECT_EQ(r.message(), "Pas d'itinéraire : le labyrinthe a 2 salles de départ.");
  // Walled in, away from the exit.
  plan.salle("A1", SALLE_VIDE)
      .cloison("A1", D::nord, CLOISON_MUR)
      .cloison("C3", D::est, CLOISON_SORTIE);
  EXPECT_FALSE(itineraire(Plateau(plan.monde())));
}
