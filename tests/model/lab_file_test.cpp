#include "lab_file.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <vector>

namespace {

Monde monde_frais() {
  Monde m;
  Cree_Monde(m);
  return m;
}

std::vector<std::string> lignes_crlf(const std::string &texte) {
  std::vector<std::string> v;
  size_t debut = 0;
  while (debut < texte.size()) {
    size_t fin = texte.find("\r\n", debut);
    if (fin == std::string::npos) {
      v.push_back(texte.substr(debut));
      break;
    }
    v.push_back(texte.substr(debut, fin - debut));
    debut = fin + 2;
  }
  return v;
}

// Reads `texte` as Open does: from a fresh world, counters at 0 and sounds emptied.
Monde ouvre(const std::string &texte, Monde m = monde_frais()) {
  prepare_lecture(m);
  lit_lab(texte, m);
  return m;
}

std::string piece_salle(const std::string &entete, const std::string &question = "") {
  return entete + "\r\n" + question + "\r\n\r\n\r\n\r\n\r\n\r\n00000\r\n\r\n\r\n";
}

} // namespace

TEST(EcritLab, FreshWorldGivesTheKnownFile) {
  std::string texte = ecrit_lab(monde_frais());
  auto l = lignes_crlf(texte);
  ASSERT_EQ(l.size(), 1235u);
  ASSERT_EQ(texte.substr(texte.size() - 2), "\r\n");
  const std::vector<std::string> entete = {"TITRE=",         "MISSION",    "",
                                           "/MISSION",       "MESSAGE",    "",
                                           "/MESSAGE",       "SAM=",       "SPA=",
                                           "SPO=",           "STE=",       "SCO=",
                                           "TM=Briques.bmp", "TS=sol.bmp", "TP=plafond.bmp"};
  for (size_t i = 0; i < entete.size(); ++i)
    EXPECT_EQ(l[i], entete[i]) << "line " << i + 1;
  EXPECT_EQ(l[15], "C=0,0,0,1");
  EXPECT_EQ(l[15 + 109], "C=9,10,0,1");
  EXPECT_EQ(l[15 + 110], "C=0,0,1,1");
  EXPECT_EQ(l[15 + 219], "C=10,9,1,1");
  EXPECT_EQ(l[235], "S=0,0,0");
  for (int k = 1; k <= 6; ++k)
    EXPECT_EQ(l[235 + static_cast<size_t>(k)], "");
  EXPECT_EQ(l[242], "00000");
  EXPECT_EQ(l[243], "");
  EXPECT_EQ(l[244], "");
  EXPECT_EQ(l[245], "S=1,0,0");
  EXPECT_EQ(l[1225], "S=9,9,0");
}

TEST(EcritLab, RoomRecordAndMultiLineTextsAreWrittenAsHeld) {
  Monde m = monde_frais();
  m.titre_lab = "Le tr\xE9sor du donjon";
  m.mission = "Retrouve les trois cl\xE9s\r\net ouvre la porte rouge.";
  m.son_ambiance = "vent.mp3";
  m.salles[0].contenu = SALLE_DEPART;
  Tsalle &s = m.salles[1];
  s.contenu = SALLE_CLE_ROUGE;
  s.question = "Quelle est la capitale de la France ? ";
  s.reponses = {"Paris", "Lyon", "Marseille", "", ""};
  s.bonnes = {true, false, false, false, false};
  s.image = "carte.jpg";
  m.cloisons[3].contenu = -7;
  std::string texte = ecrit_lab(m);
  EXPECT_EQ(texte.rfind("TITRE=Le tr\xE9sor du donjon\r\nMISSION\r\nRetrouve les trois cl\xE9s\r\n"
                        "et ouvre la porte rouge.\r\n/MISSION\r\nMESSAGE\r\n",
                        0),
            0u);
  EXPECT_NE(texte.find("\r\nSAM=vent.mp3\r\nSPA=\r\n"), std::string::npos);
  EXPECT_NE(texte.find("\r\nC=3,0,0,-7\r\n"), std::string::npos);
  EXPECT_NE(texte.find("\r\nS=0,0,8\r\n\r\n\r\n\r\n\r\n\r\n\r\n00000\r\n\r\n\r\nS=1,0,4\r\n"
                       "Quelle est la capitale de la France ? \r\nParis\r\nLyon\r\nMarseille\r\n"
                       "\r\n\r\n10000\r\ncarte.jpg\r\n\r\nS=2,0,0\r\n"),
            std::string::npos);
}

TEST(LitLab, KeysAndMarkers) {
  struct Cas {
    const char *nom;
    std::string fichier;
    std::string titre, mission, message, son_pas, texture_sol;
  } cas[] = {
      {"keys in any case", "titre=T\r\nsPa=pas.mp3\r\nts=herbe.bmp\r\n", "T", "", "", "pas.mp3",
       "herbe.bmp"},
      {"value holds = and ,", "TITRE=A=B,C\r\n", "A=B,C", "", "", "", "sol.bmp"},
      {"LF alone ends a line", "TITRE=x\nMISSION\na\nb\n/MISSION\n", "x", "a\r\nb", "", "",
       "sol.bmp"},
      {"last line without end", "TITRE=fin", "fin", "", "", "", "sol.bmp"},
      {"marker in another case is skipped", "mission\r\nTITRE=t\r\n/mission\r\n", "t", "", "", "",
       "sol.bmp"},
      {"marker followed by a blank is skipped", "MISSION \r\nTITRE=t\r\n", "t", "", "", "",
       "sol.bmp"},
      {"empty block", "MISSION\r\n/MISSION\r\n", "", "", "", "", "sol.bmp"},
      {"block of one empty line", "MESSAGE\r\n\r\n/MESSAGE\r\n", "", "", "", "", "sol.bmp"},
      {"block of two empty lines", "MESSAGE\r\n\r\n\r\n/MESSAGE\r\n", "", "", "\r\n", "",
       "sol.bmp"},
      {"lines joined, none after the last", "MISSION\r\nun\r\n\r\ntrois\r\n\r\n/MISSION\r\n", "",
       "un\r\n\r\ntrois\r\n", "", "", "sol.bmp"},
      {"closing marker inside the text ends the block",
       "MISSION\r\nun\r\n/MISSION\r\nTITRE=apres\r\n/MISSION\r\n", "apres", "un", "", "",
       "sol.bmp"},
      {"keys inside a block are text", "MISSION\r\nTITRE=x\r\nC=1,1,1,1\r\n/MISSION\r\n", "",
       "TITRE=x\r\nC=1,1,1,1", "", "", "sol.bmp"},
      {"end of file inside a block keeps its lines", "MESSAGE\r\nun\r\ndeux", "", "", "un\r\ndeux",
       "", "sol.bmp"},
      {"last one wins",
       "TITRE=a\r\nTITRE=b\r\nMISSION\r\n1\r\n/MISSION\r\nMISSION\r\n2\r\n/MISSION\r\n", "b", "2",
       "", "", "sol.bmp"},
      {"a CR alone stays in the line", "TITRE=a\rb\r\n", "a\rb", "", "", "", "sol.bmp"},
      {"a CR ending the file is no line end", "TITRE=a\r", "a\r", "", "", "", "sol.bmp"},
      {"key with nothing after it", "TS=\r\n", "", "", "", "", ""},
  };
  for (const auto &c : cas) {
    Monde m = ouvre(c.fichier);
    EXPECT_EQ(m.titre_lab, c.titre) << c.nom;
    EXPECT_EQ(m.mission, c.mission) << c.nom;
    EXPECT_EQ(m.message_fin, c.message) << c.nom;
    EXPECT_EQ(m.son_pas, c.son_pas) << c.nom;
    EXPECT_EQ(m.texture_sol, c.texture_sol) << c.nom;
  }
}

TEST(LitLab, FieldSplittingAndNumbers) {
  struct Cas {
    std::string ligne;
    int32_t col, lig, sens, contenu;
  } cas[] = {
      {"C=3,2,0,1", 3, 2, 0, 1},
      {"C=5", 0, 0, 0, 5},
      {"C=1,2", 1, 0, 0, 2},
      {"C=1,2,3", 1, 2, 0, 3},
      {"C=1,2,3,4,5", 1, 2, 3, 4},
      {"c= 7, -2,+1,  9x", 7, -2, 1, 9},
      {"C=a,b,c,d", 0, 0, 0, 0},
      {"C=,,,", 0, 0, 0, 0},
      {"C=1,2,0,42", 1, 2, 0, 42},
      {"C=1,2,7,3", 1, 2, 7, 3},
      {"C=99999999999,-99999999999,0,1", 2147483647, -2147483647 - 1, 0, 1},
      {"C=--1,+-2,0,1", 0, 0, 0, 1},
      {"C=\t4, 5,- 6,7", 0, 5, 0, 7},
  };
  for (const auto &c : cas) {
    Monde m = ouvre(c.ligne + "\r\n");
    ASSERT_EQ(m.nb_cloisons, 1) << c.ligne;
    const Tcloison &t = m.cloisons[0];
    EXPECT_EQ(t.col, c.col) << c.ligne;
    EXPECT_EQ(t.lig, c.lig) << c.ligne;
    EXPECT_EQ(t.sens, c.sens) << c.ligne;
    EXPECT_EQ(t.contenu, c.contenu) << c.ligne;
  }
  Monde m = ouvre("S=1,2,3,4\r\n");
  EXPECT_EQ(m.nb_salles, 1);
  EXPECT_EQ(m.salles[0].col, 1);
  EXPECT_EQ(m.salles[0].lig, 2);
  EXPECT_EQ(m.salles[0].contenu, 3);
}

TEST(LitLab, RecordsFillTheArraysInFileOrder) {
  // Coordinates are stored as read; the n-th line fills record n-1.
  Monde m = ouvre("C=9,9,1,4\r\nC=0,0,0,0\r\n" + piece_salle("S=5,5,7"));
  EXPECT_EQ(m.nb_cloisons, 2);
  EXPECT_EQ(m.nb_salles, 1);
  EXPECT_EQ(m.cloisons[0].col, 9);
  EXPECT_EQ(m.cloisons[0].contenu, 4);
  EXPECT_EQ(m.salles[0].col, 5);
  EXPECT_EQ(m.salles[0].contenu, 7);
  // Records beyond the counts keep what they held.
  EXPECT_EQ(m.cloisons[2].contenu, CLOISON_MUR);
  EXPECT_EQ(m.cloisons[2].col, 2);
}

TEST(LitLab, RoomTextLinesAreNeverTestedAsKeys) {
  std::string f =
      "S=1,0,4\r\nS=1,2,3\r\nMISSION\r\nTITRE=x\r\n\r\n/MISSION\r\n10101\r\nimg.bmp\r\nson.mp3\r\n";
  Monde m = ouvre(f);
  ASSERT_EQ(m.nb_salles, 1);
  const Tsalle &s = m.salles[0];
  EXPECT_EQ(s.question, "S=1,2,3");
  EXPECT_EQ(s.reponses[0], "MISSION");
  EXPECT_EQ(s.reponses[1], "TITRE=x");
  EXPECT_EQ(s.reponses[2], "");
  EXPECT_EQ(s.reponses[3], "/MISSION");
  EXPECT_EQ(s.reponses[4], "10101");
  EXPECT_EQ(s.bonnes, (std::array<bool, 5>{false, false, false, false, false}));
  EXPECT_EQ(s.image, "son.mp3");
  EXPECT_EQ(s.media, "");
  EXPECT_EQ(m.titre_lab, "");
  EXPECT_EQ(m.mission, "");
}

TEST(LitLab, CorrectAnswersLine) {
  struct Cas {
    std::string ligne;
    std::array<bool, 5> bonnes;
  } cas[] = {
      {"10100", {true, false, true, false, false}}, {"11111", {true, true, true, true, true}},
      {"1", {true, false, false, false, false}},    {"", {false, false, false, false, false}},
      {"01x1a", {false, true, false, true, false}}, {"1111111", {true, true, true, true, true}},
      {"2 1", {false, false, true, false, false}},
  };
  for (const auto &c : cas) {
    Monde m = ouvre("S=0,0,0\r\nq\r\n1\r\n2\r\n3\r\n4\r\n5\r\n" + c.ligne + "\r\ni\r\nm\r\n");
    EXPECT_EQ(m.salles[0].bonnes, c.bonnes) << '"' << c.ligne << '"';
  }
}

TEST(LitLab, EndOfFileInsideARoomRecord) {
  Monde avant = monde_frais();
  avant.salles[0].image = "ancienne.jpg";
  avant.salles[0].bonnes = {true, true, true, true, true};
  Monde m = ouvre("S=2,3,9\r\nQuestion\r\nR1", avant);
  ASSERT_EQ(m.nb_salles, 1);
  const Tsalle &s = m.salles[0];
  EXPECT_EQ(s.contenu, 9);
  EXPECT_EQ(s.question, "Question");
  EXPECT_EQ(s.reponses[0], "R1");
  EXPECT_EQ(s.reponses[1], "");
  EXPECT_EQ(s.bonnes, (std::array<bool, 5>{}));
  EXPECT_EQ(s.image, "");
  EXPECT_EQ(s.media, "");
}

TEST(LitLab, SurplusRecordsAreIgnoredAndSurplusRoomsConsumeTheirLines) {
  std::string f;
  for (int i = 0; i < 230; ++i)
    f += "C=" + std::to_string(i) + ",0,0,2\r\n";
  for (int i = 0; i < 101; ++i)
    f += piece_salle("S=" + std::to_string(i) + ",0,1");
  // The surplus room's nine lines look like keys; they must not be read as such.
  f += "S=0,0,0\r\nTITRE=piege\r\nC=1,1,1,1\r\nSAM=x\r\nTM=y\r\nMISSION\r\n\r\n00000\r\n\r\n\r\n";
  f += "TITRE=vrai\r\n";
  Monde m = ouvre(f);
  EXPECT_EQ(m.nb_cloisons, 220);
  EXPECT_EQ(m.nb_salles, 100);
  EXPECT_EQ(m.cloisons[219].col, 219);
  EXPECT_EQ(m.salles[99].col, 99);
  EXPECT_EQ(m.titre_lab, "vrai");
  EXPECT_EQ(m.son_ambiance, "");
  EXPECT_EQ(m.texture_murs, "Briques.bmp");
  EXPECT_EQ(m.mission, "");
}

TEST(LitLab, WhatTheFileLacksKeepsItsValue) {
  Monde avant = monde_frais();
  avant.titre_lab = "T";
  avant.mission = "M\r\n";
  avant.message_fin = "F\r\n";
  avant.texture_murs = "pierre.bmp";
  avant.son_coffres = "coffre.mp3";
  InfoLecture info;
  Monde m = avant;
  prepare_lecture(m);
  info = lit_lab("C=0,0,0,0\r\n" + piece_salle("S=0,0,8"), m);
  EXPECT_EQ(m.titre_lab, "T");
  EXPECT_EQ(m.mission, "M\r\n");
  EXPECT_EQ(m.message_fin, "F\r\n");
  EXPECT_EQ(m.texture_murs, "pierre.bmp");
  EXPECT_EQ(m.son_coffres, ""); // opening resets the sounds
  for (bool lu : info.sons_lus)
    EXPECT_FALSE(lu);
  for (bool lu : info.textures_lues)
    EXPECT_FALSE(lu);

  // An empty file: only the counters and the sounds change.
  Monde vide = ouvre("", avant);
  EXPECT_EQ(vide.nb_cloisons, 0);
  EXPECT_EQ(vide.nb_salles, 0);
  EXPECT_EQ(vide.titre_lab, "T");
  EXPECT_EQ(ecrit_lab(vide).find("\r\nC="), std::string::npos);
  EXPECT_EQ(ecrit_lab(vide).find("\r\nS="), std::string::npos);

  Monde lus = avant;
  prepare_lecture(lus);
  info = lit_lab("SPO=\r\nSTE=tele.wav\r\nTP=ciel.bmp\r\n", lus);
  EXPECT_TRUE(info.sons_lus[2]);
  EXPECT_TRUE(info.sons_lus[3]);
  EXPECT_FALSE(info.sons_lus[0]);
  EXPECT_TRUE(info.textures_lues[2]);
  EXPECT_FALSE(info.textures_lues[0]);
  EXPECT_EQ(lus.son_teleporteurs, "tele.wav");
}

namespace {

std::string texte_au_hasard(std::mt19937 &rng, bool plusieurs_lignes) {
  std::uniform_int_distribution<int> longueur(0, 12);
  std::uniform_int_distribution<int> octet(0, 255);
  std::string s;
  int n = longueur(rng);
  for (int i = 0; i < n; ++i) {
    char c = static_cast<char>(octet(rng));
    if (c == '\n' || c == '\r')
      c = 'x';
    s += c;
  }
  if (plusieurs_lignes && n % 3 == 0)
    s += "\r\n" + s;
  if (plusieurs_lignes && n % 4 == 1)
    s += "\r\n"; // a text may end with an empty line of its own
  // A multi-line text cannot hold its own closing marker as a line.
  return s;
}

} // namespace

TEST(LitLab, WritingThenReadingGivesTheWorldBack) {
  std::mt19937 rng(20261208);
  std::uniform_int_distribution<int32_t> kind(-3, 14);
  std::uniform_int_distribution<int> bit(0, 1);
  for (int essai = 0; essai < 60; ++essai) {
    Monde m = monde_frais();
    m.titre_lab = texte_au_hasard(rng, false);
    m.mission = texte_au_hasard(rng, true);
    m.message_fin = texte_au_hasard(rng, true);
    for (int k = 0; k < NB_SONS; ++k)
      m.son(k) = texte_au_hasard(rng, false);
    for (int k = 0; k < NB_TEXTURES; ++k)
      m.texture(k) = texte_au_hasard(rng, false);
    for (Tcloison &c : m.cloisons) {
      c.contenu = kind(rng);
      c.sens = kind(rng);
    }
    for (Tsalle &s : m.salles) {
      s.contenu = kind(rng);
      s.question = texte_au_hasard(rng, false);
      for (auto &r : s.reponses)
        r = texte_au_hasard(rng, false);
      for (auto &b : s.bonnes)
        b = bit(rng) == 1;
      s.image = texte_au_hasard(rng, false);
      s.media = texte_au_hasard(rng, false);
    }
    m.nb_cloisons = std::uniform_int_distribution<int32_t>(0, 220)(rng);
    m.nb_salles = std::uniform_int_distribution<int32_t>(0, 100)(rng);

    std::string premier = ecrit_lab(m);
    Monde relu = ouvre(premier);
    ASSERT_EQ(relu.nb_cloisons, m.nb_cloisons);
    ASSERT_EQ(relu.nb_salles, m.nb_salles);
    EXPECT_EQ(relu.titre_lab, m.titre_lab);
    EXPECT_EQ(relu.mission, m.mission);
    EXPECT_EQ(relu.message_fin, m.message_fin);
    for (int k = 0; k < NB_SONS; ++k)
      EXPECT_EQ(relu.son(k), m.son(k));
    for (int k = 0; k < NB_TEXTURES; ++k)
      EXPECT_EQ(relu.texture(k), m.texture(k));
    for (int i = 0; i < m.nb_cloisons; ++i) {
      const Tcloison &a = m.cloisons[static_cast<size_t>(i)];
      const Tcloison &b = relu.cloisons[static_cast<size_t>(i)];
      EXPECT_EQ(std::tie(a.col, a.lig, a.sens, a.contenu),
                std::tie(b.col, b.lig, b.sens, b.contenu));
    }
    for (int i = 0; i < m.nb_salles; ++i) {
      const Tsalle &a = m.salles[static_cast<size_t>(i)];
      const Tsalle &b = relu.salles[static_cast<size_t>(i)];
      EXPECT_EQ(
          std::tie(a.col, a.lig, a.contenu, a.question, a.reponses, a.bonnes, a.image, a.media),
          std::tie(b.col, b.lig, b.contenu, b.question, b.reponses, b.bonnes, b.image, b.media));
    }
    // Written again, the file is the same bytes.
    EXPECT_EQ(ecrit_lab(relu), premier);
  }
}

TEST(LitLab, AnyFileResavedTwiceIsTheFileResavedOnce) {
  // Files of lines picked from what a hand-made or damaged file may hold: markers out of
  // place, keys, records cut short, lone CR or LF line ends, a last line without its end.
  const std::vector<std::string> morceaux = {
      "MISSION",   "/MISSION", "MESSAGE",   "/MESSAGE", "",   "texte",   "TITRE=t",
      "C=1,2,0,3", "S=0,0,8",  "SAM=a.mp3", "TS=b.bmp", "\r", "ligne\r", "10101",
  };
  const std::vector<std::string> fins = {"\r\n", "\n", "\r\n", "\r\n\r\n"};
  std::mt19937 rng(21);
  std::uniform_int_distribution<size_t> morceau(0, morceaux.size() - 1);
  std::uniform_int_distribution<size_t> fin(0, fins.size() - 1);
  std::uniform_int_distribution<int> longueur(0, 40);
  for (int essai = 0; essai < 400; ++essai) {
    std::string fichier;
    const int n = longueur(rng);
    for (int i = 0; i < n; ++i)
      fichier += morceaux[morceau(rng)] + (i + 1 < n || essai % 2 ? fins[fin(rng)] : "");
    const std::string une_fois = ecrit_lab(ouvre(fichier));
    EXPECT_EQ(ecrit_lab(ouvre(une_fois)), une_fois) << "file: " << testing::PrintToString(fichier);
  }
}

TEST(LitLab, TextsEndingInEmptyLinesKeepThemAndNothingMore) {
  Monde m = monde_frais();
  m.mission = "Cherche.\r\n\r\n";
  m.message_fin = "\r\n";
  const std::string fichier = ecrit_lab(m);
  const Monde relu = ouvre(fichier);
  EXPECT_EQ(relu.mission, m.mission);
  EXPECT_EQ(relu.message_fin, m.message_fin);
  std::string encore = fichier;
  for (int fois = 0; fois < 6; ++fois)
    encore = ecrit_lab(ouvre(encore));
  EXPECT_EQ(encore, fichier);
}

TEST(LitLab, ALineThatWouldEndItsBlockIsFoundWhereverItStands) {
  EXPECT_EQ(ligne_de_fin_de_bloc("un\r\n/MISSION\r\ndeux"), "/MISSION");
  EXPECT_EQ(ligne_de_fin_de_bloc("/MESSAGE"), "/MESSAGE");
  EXPECT_EQ(ligne_de_fin_de_bloc("un\n/MESSAGE\n"), "/MESSAGE"); // a lone LF ends a line too
  for (const char *sain : {"", "/MISSION ", " /MISSION", "/mission", "MISSION", "a /MESSAGE b",
                           "/MISSIONS\r\n/MESSAGES"})
    EXPECT_EQ(ligne_de_fin_de_bloc(sain), "") << sain;
  // What it finds is what the reader stops at: a text without one comes back whole.
  Monde m = monde_frais();
  m.mission = "un\r\n/MISSION\r\nC=0,0,0,9";
  EXPECT_NE(ouvre(ecrit_lab(m)).mission, m.mission);
}
