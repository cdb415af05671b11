// The game's rules, each shown on the smallest labyrinth that has it.

#include "../dossier_temporaire.h"
#include "lab_file.h"
#include "labyrinthe_test.h"
#include "partie.h"
#include "verification.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <set>

namespace fs = std::filesystem;
using D = Direction;

namespace {

Partie commence(const Monde &m, uint64_t graine = 1) {
  Avec<Partie> p = Partie::commence(m, graine);
  EXPECT_TRUE(p) << p.message();
  return std::move(p.valeur());
}

// What a move did, as its facts' names: "porte_ouverte deplace cle_prise".
std::string faits(const Issue &issue) {
  std::string s;
  for (const Fait &f : issue.faits)
    s += (s.empty() ? "" : " ") + std::string(nom_fait(f.genre));
  return s;
}

// Plays the moves written as on the command line; the facts of the last one.
std::string joue(Partie &p, std::initializer_list<const char *> coups) {
  std::string dernier;
  for (const char *mot : coups) {
    const Avec<Coup> c = lit_coup(mot);
    EXPECT_TRUE(c) << mot;
    dernier = faits(p.joue(c.valeur()));
  }
  return dernier;
}

} // namespace

TEST(Partie, StartsInTheStartRoomFacingNord) {
  Plan plan;
  plan.salle("C4", SALLE_DEPART).passage("C4", D::nord, 1);
  Partie p = commence(plan);
  EXPECT_EQ(p.nom(), "C4");
  EXPECT_EQ(p.direction(), D::nord);
  EXPECT_EQ(p.etat(), Etat::marche);
  EXPECT_TRUE(p.visitee(Plan::indice("C4")));
  EXPECT_EQ(p.nb_visitees(), 1);
  EXPECT_EQ(joue(p, {"avance"}), "deplace");
  EXPECT_EQ(p.nom(), "C3");
  EXPECT_EQ(joue(p, {"recule"}), "deplace");
  EXPECT_EQ(p.nom(), "C4");
  EXPECT_EQ(p.direction(), D::nord); // stepping back keeps the facing
  EXPECT_EQ(p.nb_visitees(), 2);
}

TEST(Partie, ALabyrinthNeedsExactlyOneStart) {
  Plan aucun;
  Avec<Partie> p = Partie::commence(aucun);
  ASSERT_FALSE(p);
  EXPECT_EQ(p.message(), "Aucune salle de départ : le joueur ne peut pas commencer.");

  Plan deux;
  deux.salle("B2", SALLE_DEPART).salle("J10", SALLE_DEPART);
  p = Partie::commence(deux);
  ASSERT_FALSE(p);
  EXPECT_NE(p.message().find("2 départs (B2, J10)"), std::string::npos) << p.message();

  // A start in a record beyond those the file gave does not count.
  Plan court;
  Monde m = court.monde();
  m.salles[50].contenu = SALLE_DEPART;
  m.nb_salles = 50;
  EXPECT_FALSE(Partie::commence(m));
}

TEST(Partie, KeyBehindItsOwnDoorIsOutOfReach) {
  Plan plan;
  plan.salle("A1", SALLE_DEPART)
      .cloison("A1", D::est, CLOISON_PORTE_ROUGE)
      .salle("B1", SALLE_CLE_ROUGE)
      .cloison("B1", D::nord, CLOISON_SORTIE);
  Partie p = commence(plan);
  EXPECT_EQ(joue(p, {"droite", "avance"}), "bute_porte");
  EXPECT_EQ(p.nom(), "A1");
  EXPECT_EQ(p.cles(), 0u);
  Verification v;
  verifie_grille(plan, v);
  EXPECT_FALSE(v.terminable); // the check and the game agree
}

TEST(Partie, AKeyOpensTheDoorsOfItsColourAndIsKept) {
  Plan plan;
  plan.salle("A1", SALLE_DEPART)
      .cloison("A1", D::est, CLOISON_PORTE_ROUGE)
      .passage("A1", D::sud, 1)
      .salle("A2", SALLE_CLE_ROUGE)
      .cloison("A2", D::est, CLOISON_PORTE_BLEUE)
      .cloison("B1", D::est, CLOISON_PORTE_ROUGE)
      .cloison("C1", D::nord, CLOISON_SORTIE);
  Partie p = commence(plan);
  p.droite();
  const Issue bute = p.avance();
  ASSERT_EQ(faits(bute), "bute_porte");
  EXPECT_EQ(bute.faits[0].couleur, couleur_porte(CLOISON_PORTE_ROUGE));
  EXPECT_EQ(bute.faits[0].cloison, cote_salle(0, D::est).cloison);

  EXPECT_EQ(joue(p, {"droite", "avance"}), "deplace cle_prise");
  EXPECT_TRUE(p.tient_cle(couleur_cle(SALLE_CLE_ROUGE)));
  EXPECT_EQ(joue(p, {"gauche", "avance"}), "bute_porte"); // a red key opens no blue door
  EXPECT_EQ(joue(p, {"gauche", "avance"}), "deplace");    // back to A1
  EXPECT_EQ(joue(p, {"droite", "avance"}), "porte_ouverte deplace");
  EXPECT_EQ(joue(p, {"avance"}), "porte_ouverte deplace"); // the key opens the second door too
  EXPECT_EQ(p.nom(), "C1");
  EXPECT_EQ(joue(p, {"recule", "recule", "droite", "avance"}), "deplace");
  EXPECT_EQ(p.nom(), "A2");
  EXPECT_EQ(joue(p, {"recule"}), "deplace"); // nothing taken twice
  EXPECT_EQ(joue(p, {"avance"}), "deplace");
}

TEST(Partie, KeyBehindARiddleAnsweredWrongThenRight) {
  Plan plan;
  plan.salle("A1", SALLE_DEPART)
      .passage("A1", D::nord, 0)
      .passage("A1", D::est, 1)
      .salle("B1", SALLE_CLE_JAUNE)
      .enigme("B1", "Quelle ville ? ", {"Lyon", "Paris", "Brest"}, "01100");
  Partie p = commence(plan);
  EXPECT_EQ(joue(p, {"droite", "avance"}), "deplace enigme_posee");
  EXPECT_EQ(p.etat(), Etat::enigme);
  EXPECT_EQ(p.salle_enigme(), Plan::indice("B1"));
  EXPECT_EQ(p.genre_enigme_montree(), GenreEnigme::choix);
  ASSERT_NE(p.enigme_montree(), nullptr);
  EXPECT_EQ(p.enigme_montree()->reponses[1], "Paris");
  // While the riddle is shown, walking and the other kinds of answer are ignored.
  for (const char *coup : {"avance", "recule", "gauche", "teleporte", "ok", "tape:Paris"})
    EXPECT_EQ(joue(p, {coup}), "ignore") << coup;
  EXPECT_EQ(joue(p, {"repond:2"}), "mauvaise_reponse"); // part of the right set is not enough
  EXPECT_EQ(joue(p, {"repond:123"}), "mauvaise_reponse");
  EXPECT_EQ(p.cles(), 0u);
  EXPECT_EQ(joue(p, {"repond:32"}), "bonne_reponse cle_prise");
  EXPECT_EQ(p.etat(), Etat::marche);
  EXPECT_EQ(p.enigme_montree(), nullptr);
  EXPECT_TRUE(p.tient_cle(couleur_cle(SALLE_CLE_JAUNE)));
  EXPECT_EQ(p.enigmes_resolues(), 1);
  EXPECT_EQ(p.resolues_du_premier_coup(), 0);
  // Solved once, never shown again.
  EXPECT_EQ(joue(p, {"recule", "avance"}), "deplace");
}

TEST(Partie, APassedRiddleKeepsItsKeyAndComesBack) {
  Plan plan;
  plan.salle("A1", SALLE_DEPART)
      .passage("A1", D::sud, 1)
      .salle("A2", SALLE_CLE_NOIRE)
      .enigme("A2", "Combien ?", {"Trois", "Deux"}, "10000");
  Partie p = commence(plan);
  EXPECT_EQ(joue(p, {"recule"}), "deplace enigme_posee");
  EXPECT_EQ(joue(p, {"passe"}), "enigme_passee");
  EXPECT_EQ(p.cles(), 0u);
  EXPECT_EQ(joue(p, {"passe"}), "ignore");
  EXPECT_EQ(joue(p, {"avance", "recule"}), "deplace enigme_posee");
  EXPECT_EQ(joue(p, {"repond:1"}), "bonne_reponse cle_prise");
  EXPECT_EQ(p.resolues_du_premier_coup(), 1); // the first answer given was right
}

TEST(Partie, TypedAnswersIgnoreCaseAccentsAndSurroundingBlanks) {
  Plan plan;
  // "Élève" and "Cœur" in Windows-1252, as the model holds them.
  plan.salle("A1", SALLE_DEPART)
      .passage("A1", D::nord, 0)
      .passage("A1", D::est, 2)
      .enigme("B1", "Qui apprend ? ", {"\xC9l\xE8ve "})
      .enigme("C1", "Organe ?", {"C\x9Cur"});
  Partie p = commence(plan);
  EXPECT_EQ(joue(p, {"droite", "avance"}), "deplace enigme_posee");
  EXPECT_EQ(p.genre_enigme_montree(), GenreEnigme::saisie);
  EXPECT_EQ(joue(p, {"repond:1"}), "ignore");
  EXPECT_EQ(joue(p, {"tape:elev"}), "mauvaise_reponse");
  EXPECT_EQ(joue(p, {"tape:eleves"}), "mauvaise_reponse");
  EXPECT_EQ(joue(p, {"tape:  ÉLÈVE\t"}), "bonne_reponse");
  EXPECT_EQ(joue(p, {"avance"}), "deplace enigme_posee");
  EXPECT_EQ(joue(p, {"tape:COEUR"}), "bonne_reponse");
  EXPECT_EQ(p.enigmes_resolues(), 2);
  EXPECT_EQ(p.resolues_du_premier_coup(), 1);

  EXPECT_EQ(forme_comparable_1252(" \xC0 la Pl\xE2tre\xA0"), "a la platre");
}

TEST(Partie, APlainMessageIsReadWithOk) {
  Plan plan;
  plan.salle("A1", SALLE_DEPART).passage("A1", D::est, 1).enigme("A1", "Bienvenue !");
  Partie p = commence(plan); // the start room's riddle waits for the player's return
  EXPECT_EQ(p.etat(), Etat::marche);
  EXPECT_EQ(joue(p, {"ok"}), "ignore");
  EXPECT_EQ(joue(p, {"droite", "avance", "recule"}), "deplace enigme_posee");
  EXPECT_EQ(p.genre_enigme_montree(), GenreEnigme::message);
  EXPECT_EQ(joue(p, {"repond:1", "tape:x"}), "ignore");
  EXPECT_EQ(joue(p, {"ok"}), "bonne_reponse");
  EXPECT_EQ(joue(p, {"ok"}), "ignore");
  EXPECT_EQ(p.enigmes_resolues(), 1);
}

TEST(Partie, SecretDoorLetsThroughGrilleAndWallDoNot) {
  Plan plan;
  plan.salle("B2", SALLE_DEPART)
      .cloison("B2", D::nord, CLOISON_PORTE_DEROBEE)
      .cloison("B2", D::est, CLOISON_GRILLE)
      .cloison("B2", D::ouest, CLOISON_MUR);
  Partie p = commence(plan);
  EXPECT_EQ(joue(p, {"droite", "avance"}), "bute_grille");
  EXPECT_EQ(joue(p, {"droite", "droite", "avance"}), "bute_mur");
  EXPECT_EQ(p.nom(), "B2");
  EXPECT_EQ(joue(p, {"droite", "avance"}), "porte_derobee deplace");
  EXPECT_EQ(p.nom(), "B1");
  // A passage on the outer edge leads nowhere.
  plan.passage("B1", D::nord, 1);
  Partie q = commence(plan);
  EXPECT_EQ(joue(q, {"avance", "avance"}), "bute_bord");
  EXPECT_EQ(q.nom(), "B1");
}

TEST(Partie, TheMapIsTakenEvenWhenItsRiddleIsPassed) {
  Plan plan;
  plan.salle("A1", SALLE_DEPART).passage("A1", D::sud, 1).salle("A2", SALLE_PLAN);
  plan.enigme("A2", "?", {"oui", "non"}, "10000");
  Partie p = commence(plan);
  EXPECT_EQ(joue(p, {"recule"}), "deplace enigme_posee");
  EXPECT_FALSE(p.carte());
  EXPECT_EQ(joue(p, {"passe"}), "enigme_passee plan_pris");
  EXPECT_TRUE(p.carte());
  EXPECT_TRUE(p.objet_pris(Plan::indice("A2")));
}

TEST(Partie, ThreeTeleportersDrawTheirDestinationFromTheGraine) {
  Plan plan;
  plan.salle("A1", SALLE_DEPART)
      .passage("A1", D::est, 1)
      .salle("B1", SALLE_TELEPORTEUR)
      .salle("E5", SALLE_TELEPORTEUR)
      .salle("J10", SALLE_TELEPORTEUR);
  Partie ailleurs = commence(plan);
  EXPECT_EQ(joue(ailleurs, {"teleporte"}), "ignore"); // not on a teleporter
  std::set<std::string> arrivees;
  for (uint64_t graine = 1; graine <= 40; ++graine) {
    Partie p = commence(plan, graine);
    const std::string vu = joue(p, {"droite", "avance", "teleporte"});
    EXPECT_EQ(vu, "teleporte") << graine; // arriving does not teleport again
    EXPECT_NE(p.nom(), "B1");
    arrivees.insert(p.nom());
    Partie encore = commence(plan, graine);
    joue(encore, {"droite", "avance", "teleporte"});
    EXPECT_EQ(encore.nom(), p.nom()) << "the same graine draws the same room";
  }
  EXPECT_EQ(arrivees, (std::set<std::string>{"E5", "J10"}));
}

TEST(Partie, TwoTeleportersLeadToEachOtherAndOneLeadsNowhere) {
  Plan plan;
  plan.salle("A1", SALLE_DEPART).passage("A1", D::est, 1).salle("B1", SALLE_TELEPORTEUR);
  Partie seul = commence(plan);
  EXPECT_EQ(joue(seul, {"droite", "avance", "teleporte"}), "ignore");
  plan.salle("H8", SALLE_TELEPORTEUR).salle("H7", SALLE_CLE_VERTE).passage("H8", D::nord, 1);
  Partie p = commence(plan);
  EXPECT_EQ(joue(p, {"droite", "avance", "teleporte"}), "teleporte");
  EXPECT_EQ(p.nom(), "H8");
  EXPECT_EQ(p.direction(), D::est);
  EXPECT_EQ(joue(p, {"gauche", "avance"}), "deplace cle_prise");
  EXPECT_EQ(joue(p, {"recule", "teleporte"}), "teleporte");
  EXPECT_EQ(p.nom(), "B1");
}

TEST(Partie, AnExitBetweenTwoRoomsEndsTheLabyrinthFromEitherSide) {
  Plan plan;
  plan.salle("E5", SALLE_DEPART).cloison("E5", D::est, CLOISON_SORTIE);
  plan.passage("E5", D::sud, 1).passage("E6", D::est, 1).passage("F6", D::nord, 1);
  Partie p = commence(plan);
  p.droite();
  const Issue sortie = p.avance();
  ASSERT_EQ(faits(sortie), "sortie");
  EXPECT_EQ(p.etat(), Etat::sortie);
  EXPECT_EQ(p.cloison_sortie(), cote_salle(Plan::indice("E5"), D::est).cloison);
  for (const char *coup : {"avance", "gauche", "recule", "teleporte", "ok", "passe"})
    EXPECT_EQ(joue(p, {coup}), "ignore") << coup;
  Partie q = commence(plan);
  EXPECT_EQ(joue(q, {"recule", "droite", "avance", "gauche", "avance", "gauche", "avance"}),
            "sortie");
  EXPECT_EQ(q.nom(), "F5");
}

TEST(Partie, MovesAsWritten) {
  const Avec<Coup> r = lit_coup("repond:31");
  ASSERT_TRUE(r);
  EXPECT_EQ(r.valeur().genre, Coup::repond);
  EXPECT_EQ(r.valeur().cochees, 0b101u);
  EXPECT_EQ(ecrit_coup(r.valeur()), "repond:13");
  EXPECT_EQ(lit_coup("tape:a:b c").valeur().texte, "a:b c");
  for (const char *faux : {"repond:6", "repond:0", "Avance", "tape", "", "saute"})
    EXPECT_FALSE(lit_coup(faux)) << faux;
}

class Aventures : public DossierTemporaire {
protected:
  std::string ecrit_lab(const std::string &nom, const Monde &m) {
    EXPECT_TRUE(sauve_lab(chemin(nom), m));
    return chemin(nom);
  }
};

TEST_F(Aventures, TheExitLeadsToTheNextFileThenTheEnd) {
  Plan un, deux;
  un.salle("A1", SALLE_DEPART).cloison("A1", D::nord, CLOISON_SORTIE).salle("B1", SALLE_CLE_NOIRE);
  deux.salle("J10", SALLE_DEPART).cloison("J10", D::est, CLOISON_SORTIE);
  Monde m2 = deux.monde();
  m2.message_fin = "Fin de l'aventure";
  const std::string premier = ecrit_lab("monde_1.lab", un);
  ecrit_lab("Monde_2.LAB", m2);
  ecrit_lab("monde_4.lab", un); // after a gap: never played

  Avec<Aventure> a = Aventure::ouvre(premier);
  ASSERT_TRUE(a) << a.message();
  Aventure &aventure = a.valeur();
  EXPECT_FALSE(aventure.a_une_suite()); // not before the exit
  EXPECT_FALSE(aventure.passe_au_suivant());
  aventure.partie().avance();
  ASSERT_EQ(aventure.partie().etat(), Etat::sortie);
  EXPECT_TRUE(aventure.a_une_suite());
  EXPECT_FALSE(aventure.terminee());
  ASSERT_TRUE(aventure.passe_au_suivant());
  EXPECT_EQ(aventure.numero(), 2);
  EXPECT_EQ(fs::path(aventure.fichier()).filename(), "Monde_2.LAB");
  EXPECT_EQ(aventure.partie().nom(), "J10");
  EXPECT_EQ(aventure.partie().etat(), Etat::marche);
  aventure.partie().droite();
  aventure.partie().avance();
  EXPECT_TRUE(aventure.terminee());
  EXPECT_EQ(aventure.message_fin().rfind("Fin de l'aventure", 0), 0u);
  EXPECT_FALSE(aventure.passe_au_suivant());
}

TEST_F(Aventures, NamesOfAnAdventure) {
  EXPECT_EQ(numero_monde("monde_12.lab"), 12);
  EXPECT_EQ(numero_monde("MONDE_3.Lab"), 3);
  for (const char *autre : {"monde_.lab", "monde_01.lab", "monde_1.lab.bak", "mondes_1.lab",
                            "monde_-1.lab", "monde_1x.lab"})
    EXPECT_EQ(numero_monde(autre), -1) << autre;
  // The digits of any name of the pattern, those the player will not follow too.
  EXPECT_EQ(chiffres_monde("MONDE_007.LAB"), "007");
  EXPECT_EQ(chiffres_monde("monde_1000000000.lab"), "1000000000");
  EXPECT_EQ(numero_monde("monde_1000000000.lab"), -1);
  EXPECT_EQ(numero_monde("monde_999999999.lab"), 999999999);
  EXPECT_EQ(numero_monde("monde_0.lab"), 0);
  for (const char *autre : {"monde_.lab", "monde_1x.lab", "monde_-1.lab", "xmonde_1.lab"})
    EXPECT_FALSE(chiffres_monde(autre)) << autre;
  Plan un;
  un.salle("A1", SALLE_DEPART);
  const std::string seul = ecrit_lab("labyrinthe.lab", un);
  EXPECT_FALSE(labyrinthe_suivant(seul));
  const std::string un_lab = ecrit_lab("monde_1.lab", un);
  fs::create_directory(dossier / "monde_2.lab"); // a folder is no labyrinth
  EXPECT_FALSE(labyrinthe_suivant(un_lab));

  // A file that cannot be read, or played, says why.
  EXPECT_FALSE(Aventure::ouvre((dossier / "absent.lab").string()));
  Plan sans_depart;
  const Avec<Aventure> a = Aventure::ouvre(ecrit_lab("vide.lab", sans_depart));
  ASSERT_FALSE(a);
  EXPECT_EQ(a.message(), "Aucune salle de départ : le joueur ne peut pas commencer.");
}
