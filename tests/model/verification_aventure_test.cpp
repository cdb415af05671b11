#include "../dossier_temporaire.h"
#include "verification_aventure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Noms = std::vector<std::string>;

// The findings with that code: the file each goes with, then the name it is about.
std::vector<std::pair<std::string, std::string>> avec_code(const VerificationAventure &a,
                                                           const std::string &code) {
  std::vector<std::pair<std::string, std::string>> trouves;
  for (const ConstatAventure &c : a.constats)
    if (c.constat.code == code)
      trouves.emplace_back(c.fichier, c.constat.nom);
  return trouves;
}

const Constat *premier(const VerificationAventure &a, const std::string &code) {
  for (const ConstatAventure &c : a.constats)
    if (c.constat.code == code)
      return &c.constat;
  return nullptr;
}

TEST(VerificationAventure, TheEditedLabyrinthCountsAsPresentOnce) {
  // Without monde_1, the first labyrinth found carries the missing start.
  const VerificationAventure seul = verifie_aventure({"monde_2.lab", "notes.txt"});
  EXPECT_EQ(seul.mondes, (Noms{"monde_2.lab"}));
  using P = std::pair<std::string, std::string>;
  EXPECT_EQ(avec_code(seul, "adventure-start"), (std::vector<P>{{"monde_2.lab", "monde_1.lab"}}));
  EXPECT_EQ(premier(seul, "adventure-start")->gravite, Gravite::erreur);

  // monde_1 being edited and not saved yet: the adventure is whole.
  const VerificationAventure edite = verifie_aventure({"monde_2.lab"}, "monde_1.lab");
  EXPECT_EQ(edite.mondes, (Noms{"monde_1.lab", "monde_2.lab"}));
  EXPECT_TRUE(edite.constats.empty());
  // Already on disk, it is not counted twice (no letter-case twin of itself).
  const VerificationAventure deja = verifie_aventure({"monde_2.lab", "monde_1.lab"}, "monde_1.lab");
  EXPECT_EQ(deja.mondes, (Noms{"monde_1.lab", "monde_2.lab"}));
  EXPECT_TRUE(deja.constats.empty());
  // An edited monde_2 alone still lacks the start.
  EXPECT_EQ(avec_code(verifie_aventure({}, "monde_2.lab"), "adventure-start"),
            (std::vector<P>{{"monde_2.lab", "monde_1.lab"}}));
}

TEST(VerificationAventure, GapsInNumericOrderNameTheLabyrinthTheyFollow) {
  // 10 follows 9 (not "1" < "10" < "9"); the gaps are after 1 and after 4.
  const Noms noms{"monde_10.lab", "monde_9.lab", "monde_1.lab", "monde_4.lab", "monde_3.lab",
                  "monde_5.lab",  "monde_8.lab", "monde_7.lab", "monde_6.lab", "MONDE_1.lab"};
  const VerificationAventure a = verifie_aventure(noms);
  using P = std::pair<std::string, std::string>;
  EXPECT_EQ(a.mondes.back(), "monde_10.lab");
  // A letter-case twin is no gap; it is a warning of its own.
  EXPECT_EQ(avec_code(a, "adventure-gap"), (std::vector<P>{{"monde_1.lab", "monde_2.lab"}}));
  EXPECT_EQ(avec_code(a, "adventure-case").size(), 1u);

  const VerificationAventure b =
      verifie_aventure({"monde_1.lab", "monde_3.lab", "monde_4.lab", "monde_7.lab"});
  EXPECT_EQ(avec_code(b, "adventure-gap"),
            (std::vector<P>{{"monde_1.lab", "monde_2.lab"}, {"monde_4.lab", "monde_5.lab"}}));
  // Checked file by file, each gap speaks of the file it is reported with...
  for (const ConstatAventure &c : b.constats)
    EXPECT_NE(c.constat.message.find("la sortie de ce labyrinthe"), std::string::npos)
        << c.constat.message;
  // ... while for the labyrinth being edited, a gap after another one names it.
  const VerificationAventure e =
      verifie_aventure({"monde_1.lab", "monde_4.lab", "monde_7.lab"}, "monde_3.lab");
  ASSERT_EQ(e.constats.size(), 2u);
  EXPECT_EQ(e.constats[0].constat.message,
            "Il manque monde_2.lab : la sortie de monde_1.lab termine l'aventure, et "
            "monde_3.lab et les suivants ne seront jamais joués.");
  EXPECT_EQ(e.constats[1].fichier, "monde_4.lab");
  EXPECT_NE(e.constats[1].constat.message.find("la sortie de monde_4.lab"), std::string::npos);
  const VerificationAventure f = verifie_aventure({"monde_1.lab", "monde_4.lab"}, "monde_2.lab");
  ASSERT_EQ(f.constats.size(), 1u);
  EXPECT_NE(f.constats[0].constat.message.find("la sortie de ce labyrinthe"), std::string::npos);
}

TEST(VerificationAventure, NamesThePlayerNeverFollowsGoWithTheFirstLabyrinth) {
  const VerificationAventure a =
      verifie_aventure({"monde_01.lab", "monde_1000000000.lab", "monde_1.lab", "autre.lab"});
  using P = std::pair<std::string, std::string>;
  EXPECT_EQ(a.mondes, (Noms{"monde_1.lab"}));
  EXPECT_EQ(
      avec_code(a, "adventure-name"),
      (std::vector<P>{{"monde_1.lab", "monde_01.lab"}, {"monde_1.lab", "monde_1000000000.lab"}}));
  EXPECT_EQ(premier(a, "adventure-name")->gravite, Gravite::avertissement);
  // An edited monde_01 alone: no labyrinth followed, the warning goes with the folder.
  const VerificationAventure z = verifie_aventure({}, "monde_01.lab");
  EXPECT_TRUE(z.mondes.empty());
  EXPECT_EQ(avec_code(z, "adventure-name"), (std::vector<P>{{"", "monde_01.lab"}}));
  EXPECT_TRUE(nom_d_aventure("MONDE_007.LAB"));
  EXPECT_FALSE(nom_d_aventure("monde_.lab"));
  EXPECT_FALSE(nom_d_aventure("monde_1.lab.bak"));
}

TEST(VerificationAventure, FindingsJoinACheckAfterItsErrors) {
  Verification v;
  Constat erreur, averti, nouvelle, derniere;
  erreur.code = "a";
  averti.code = "b";
  averti.gravite = derniere.gravite = Gravite::avertissement;
  nouvelle.code = "c";
  derniere.code = "d";
  v.constats = {erreur, averti};
  ajoute_constat(v, nouvelle);
  ajoute_constat(v, derniere);
  std::string ordre;
  for (const Constat &c : v.constats)
    ordre += c.code;
  EXPECT_EQ(ordre, "acbd");
}

class AventureDossier : public DossierTemporaire {};

TEST_F(AventureDossier, OnlyTheNamesAreReadAndAnEmptyFolderSaysSo) {
  EXPECT_EQ(verifie_aventure_dossier(dossier.string(), "monde_1.lab").constats.size(), 0u);
  const VerificationAventure vide = verifie_aventure_dossier(dossier.string());
  ASSERT_EQ(vide.constats.size(), 1u);
  EXPECT_EQ(vide.constats[0].fichier, "");
  EXPECT_STREQ(vide.constats[0].constat.code, "no-labyrinth");
  EXPECT_EQ(vide.constats[0].constat.nom, dossier.string());

  // Not a labyrinth at all: the names alone count, so nothing is said of its content.
  ecrit(chemin("monde_2.lab"), "pas un labyrinthe");
  const VerificationAventure a = verifie_aventure_dossier(dossier.string(), "monde_1.lab");
  EXPECT_EQ(a.mondes, (Noms{"monde_1.lab", "monde_2.lab"}));
  EXPECT_TRUE(a.constats.empty());
  ecrit(chemin("monde_4.lab"), "");
  const VerificationAventure b = verifie_aventure_dossier(dossier.string(), "monde_1.lab");
  ASSERT_EQ(b.constats.size(), 1u);
  EXPECT_STREQ(b.constats[0].constat.code, "adventure-gap");

  const VerificationAventure absent = verifie_aventure_dossier(chemin("absent"));
  ASSERT_EQ(absent.constats.size(), 1u);
  EXPECT_STREQ(absent.constats[0].constat.code, "unreadable");
}

} // namespace
