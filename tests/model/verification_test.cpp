#include "../dossier_temporaire.h"
#include "lab_file.h"
#include "verification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The smallest labyrinths: a fresh world (walls everywhere, empty rooms) with only what a
// case needs. Rooms by column and row.
struct Labo {
  Monde m;
  Labo() {
    Cree_Monde(m);
    // No texture files in the grid cases: the files have their own tests.
  }
  Tsalle &salle(int c, int l) { return m.salles[static_cast<size_t>(indice_salle(c, l))]; }
  Labo &pose(int c, int l, int32_t k) {
    salle(c, l).contenu = k;
    return *this;
  }
  // The partition between two neighbouring rooms.
  Labo &entre(int c1, int l1, int c2, int l2, int32_t k) {
    const int i =
        c1 == c2 ? indice_cloison_h(c1, std::max(l1, l2)) : indice_cloison_v(std::max(c1, c2), l1);
    m.cloisons[static_cast<size_t>(i)].contenu = k;
    return *this;
  }
  Labo &haut(int c, int l, int32_t k) { // the partition above a room
    m.cloisons[static_cast<size_t>(indice_cloison_h(c, l))].contenu = k;
    return *this;
  }
  Verification verifie() const {
    Verification v;
    verifie_grille(m, v);
    return v;
  }
};

std::multiset<std::string> codes(const Verification &v) {
  std::multiset<std::string> s;
  for (const Constat &c : v.constats)
    s.insert(c.code);
  return s;
}

const Constat *premier(const Verification &v, const std::string &code) {
  for (const Constat &c : v.constats)
    if (c.code == code)
      return &c;
  return nullptr;
}

// Start at (0,0); the exit above (1,0); between them a partition of kind `k`.
Labo deux_salles(int32_t k) {
  Labo l;
  l.pose(0, 0, SALLE_DEPART).entre(0, 0, 1, 0, k).haut(1, 0, CLOISON_SORTIE);
  return l;
}

} // namespace

TEST(Verification, FreshWorldHasNoStartAndNoExit) {
  const Verification v = Labo().verifie();
  EXPECT_EQ(codes(v), (std::multiset<std::string>{"no-start", "no-exit"}));
  EXPECT_FALSE(v.terminable);
  EXPECT_TRUE(v.a_des_erreurs());
}

TEST(Verification, StartBesideAnExitIsFinishableWithoutFindings) {
  Labo l;
  l.pose(4, 4, SALLE_DEPART).haut(4, 4, CLOISON_SORTIE);
  const Verification v = l.verifie();
  EXPECT_TRUE(v.terminable);
  EXPECT_TRUE(v.constats.empty()) << v.constats.front().code;
}

TEST(Verification, WhichPartitionsLetThePlayerThrough) {
  const std::map<int32_t, bool> passe = {
      {CLOISON_OUVERTE, true},
      {CLOISON_MUR, false},
      {CLOISON_PORTE_DEROBEE, true},
      {CLOISON_PORTE_NOIRE, false},
      {CLOISON_PORTE_JAUNE, false},
      {CLOISON_GRILLE, false},
      {11, false},
      {-1, false},
  };
  for (const auto &[k, attendu] : passe) {
    const Verification v = deux_salles(k).verifie();
    EXPECT_EQ(v.terminable, attendu) << "kind " << k;
    EXPECT_EQ(premier(v, "exit-unreachable") != nullptr, !attendu) << "kind " << k;
  }
}

TEST(Verification, ExitBetweenTwoRoomsCountsFromEitherSide) {
  Labo l;
  l.pose(0, 0, SALLE_DEPART).entre(0, 0, 1, 0, CLOISON_OUVERTE).entre(1, 0, 2, 0, CLOISON_SORTIE);
  EXPECT_TRUE(l.verifie().terminable);
  Labo loin; // an exit between two rooms the player never reaches
  loin.pose(0, 0, SALLE_DEPART).entre(5, 5, 6, 5, CLOISON_SORTIE);
  const Verification v = loin.verifie();
  EXPECT_FALSE(v.terminable);
  const Constat *c = premier(v, "exit-unreachable");
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->lieu, Lieu::salle);
  EXPECT_EQ(c->col, 0);
  EXPECT_EQ(c->lig, 0);
  EXPECT_EQ(c->gravite, Gravite::erreur);
}

TEST(Verification, KeysOpenTheirDoorsOnlyOnceReached) {
  // The red key behind the red door: stuck.
  Labo derriere = deux_salles(CLOISON_PORTE_ROUGE);
  derriere.pose(1, 0, SALLE_CLE_ROUGE);
  EXPECT_FALSE(derriere.verifie().terminable);
  // The red key in a room below the start: the door opens.
  Labo devant = deux_salles(CLOISON_PORTE_ROUGE);
  devant.pose(0, 1, SALLE_CLE_ROUGE).entre(0, 0, 0, 1, CLOISON_OUVERTE);
  EXPECT_TRUE(devant.verifie().terminable);
  // A key of another colour does not.
  Labo autre = deux_salles(CLOISON_PORTE_ROUGE);
  autre.pose(0, 1, SALLE_CLE_BLEUE).entre(0, 0, 0, 1, CLOISON_OUVERTE);
  EXPECT_FALSE(autre.verifie().terminable);
}

TEST(Verification, AKeyFoundBehindADoorOpensTheNextDoor) {
  // start -black door- (1,0) with the white key; the black key below the start;
  // (1,0) -white door- (2,0) with the exit above.
  Labo l;
  l.pose(0, 0, SALLE_DEPART)
      .pose(0, 1, SALLE_CLE_NOIRE)
      .entre(0, 0, 0, 1, CLOISON_OUVERTE)
      .entre(0, 0, 1, 0, CLOISON_PORTE_NOIRE)
      .pose(1, 0, SALLE_CLE_BLANCHE)
      .entre(1, 0, 2, 0, CLOISON_PORTE_BLANCHE)
      .haut(2, 0, CLOISON_SORTIE);
  const Verification v = l.verifie();
  EXPECT_TRUE(v.terminable);
  EXPECT_TRUE(v.constats.empty()) << v.constats.front().code;
}

TEST(Verification, AKeyBehindAnUnanswerableRiddleIsNeverObtained) {
  Labo l = deux_salles(CLOISON_PORTE_ROUGE);
  l.pose(0, 1, SALLE_CLE_ROUGE).entre(0, 0, 0, 1, CLOISON_OUVERTE);
  Tsalle &s = l.salle(0, 1);
  s.question = "Combien ? ";
  s.reponses = {"un", "deux", "", "", ""}; // two proposals, none ticked
  Verification v = l.verifie();
  EXPECT_FALSE(v.terminable);
  EXPECT_EQ(codes(v), (std::multiset<std::string>{"riddle-unanswerable", "exit-unreachable"}));
  const Constat *c = premier(v, "riddle-unanswerable");
  EXPECT_EQ(c->col, 0);
  EXPECT_EQ(c->lig, 1);
  s.bonnes[1] = true; // now it can be answered
  v = l.verifie();
  EXPECT_TRUE(v.terminable);
  EXPECT_TRUE(v.constats.empty());
}

TEST(Verification, RiddlesAreAnsweredByATickATypedAnswerOrNone) {
  struct Cas {
    const char *question;
    std::array<std::string, NB_REPONSES> reponses;
    std::array<bool, NB_REPONSES> bonnes;
    bool resoluble;
  };
  const Cas cas[] = {
      {"", {"a", "b", "", "", ""}, {}, true},              // no riddle at all
      {"Q", {}, {}, true},                                 // a plain message
      {"Q", {}, {true, false, false, false, false}, true}, // still a message, the tick is moot
      {"Q", {"Paris", "", "", "", ""}, {}, true},          // typed answer
      {"Q", {"", "Paris", "", "", ""}, {}, false},         // typed, not in 1
      {"Q", {"a", "b", "", "", ""}, {}, false},            // nothing ticked
      {"Q", {"a", "b", "", "", ""}, {false, true, false, false, false}, true},
      {"Q", {"a", "", "", "", "e"}, {false, false, false, false, true}, true},
      {"Q", {"a", "b", "", "", ""}, {false, false, true, false, false}, false}, // ticks ""
      {"Q", {"a", "", "", "", ""}, {false, true, false, false, false}, false}, // 1 alone, "" ticked
  };
  for (const Cas &c : cas) {
    Tsalle s;
    s.question = c.question;
    s.reponses = c.reponses;
    s.bonnes = c.bonnes;
    EXPECT_EQ(enigme_resoluble(s), c.resoluble)
        << c.question << " / " << c.reponses[0] << "," << c.reponses[1];
  }
}

TEST(Verification, RiddlesDoNotBlockTheWay) {
  Labo l = deux_salles(CLOISON_OUVERTE);
  l.salle(1, 0).question = "Impossible ? ";
  l.salle(1, 0).reponses = {"a", "b", "", "", ""};
  const Verification v = l.verifie();
  EXPECT_TRUE(v.terminable);
  EXPECT_EQ(codes(v), (std::multiset<std::string>{"riddle-unanswerable"}));
}

TEST(Verification, TeleportersLinkWhenThereAreTwoOrMore) {
  // Start (0,0) open to a teleporter (1,0); the exit above a walled-in far room.
  for (int nb : {1, 2, 3}) {
    Labo l;
    l.pose(0, 0, SALLE_DEPART).entre(0, 0, 1, 0, CLOISON_OUVERTE).pose(1, 0, SALLE_TELEPORTEUR);
    l.pose(9, 9, SALLE_TELEPORTEUR).haut(9, 9, CLOISON_SORTIE);
    if (nb == 1)
      l.pose(9, 9, SALLE_VIDE);
    if (nb == 3)
      l.pose(5, 5, SALLE_TELEPORTEUR);
    const Verification v = l.verifie();
    EXPECT_EQ(v.terminable, nb >= 2) << nb;
    EXPECT_EQ(codes(v).count("lonely-teleporter"), nb == 1 ? 1u : 0u) << nb;
  }
  // A teleporter the player never reaches links nothing.
  Labo hors;
  hors.pose(0, 0, SALLE_DEPART).pose(5, 5, SALLE_TELEPORTEUR).pose(9, 9, SALLE_TELEPORTEUR);
  hors.haut(9, 9, CLOISON_SORTIE);
  EXPECT_FALSE(hors.verifie().terminable);
}

TEST(Verification, SeveralStartsMustEachReachAnExit) {
  Labo l;
  l.pose(0, 0, SALLE_DEPART).haut(0, 0, CLOISON_SORTIE).pose(5, 5, SALLE_DEPART);
  Verification v = l.verifie();
  EXPECT_FALSE(v.terminable);
  EXPECT_EQ(codes(v),
            (std::multiset<std::string>{"several-starts", "several-starts", "exit-unreachable"}));
  EXPECT_EQ(premier(v, "exit-unreachable")->col, 5);
  l.haut(5, 5, CLOISON_SORTIE);
  v = l.verifie();
  EXPECT_TRUE(v.terminable);
  EXPECT_EQ(codes(v).count("several-starts"), 2u);
}

TEST(Verification, KeysAndDoorsWithoutTheirPartner) {
  Labo l;
  l.pose(0, 0, SALLE_DEPART).haut(0, 0, CLOISON_SORTIE);
  l.entre(0, 0, 1, 0, CLOISON_PORTE_JAUNE).pose(1, 0, SALLE_CLE_VERTE);
  const Verification v = l.verifie();
  EXPECT_EQ(codes(v),
            (std::multiset<std::string>{"door-without-key", "key-without-door", "unreachable"}));
  const Constat *porte = premier(v, "door-without-key");
  EXPECT_EQ(porte->lieu, Lieu::cloison);
  EXPECT_EQ(porte->sens, 1);
  EXPECT_EQ(porte->col, 1);
  EXPECT_EQ(porte->lig, 0);
  EXPECT_NE(porte->message.find("jaune"), std::string::npos);
  EXPECT_EQ(premier(v, "key-without-door")->gravite, Gravite::avertissement);
}

TEST(Verification, PassablePartitionsOnTheBorderLeadNowhere) {
  struct Cas {
    int index;
    int32_t k;
    bool averti;
  };
  const Cas cas[] = {
      {indice_cloison_h(3, 0), CLOISON_OUVERTE, true},
      {indice_cloison_h(3, 10), CLOISON_PORTE_DEROBEE, true},
      {indice_cloison_v(0, 4), CLOISON_PORTE_BLEUE, true},
      {indice_cloison_v(10, 4), CLOISON_OUVERTE, true},
      {indice_cloison_v(10, 4), CLOISON_GRILLE, false},
      {indice_cloison_h(3, 5), CLOISON_OUVERTE, false}, // inside
      {indice_cloison_v(5, 4), CLOISON_OUVERTE, false},
  };
  for (const Cas &c : cas) {
    Labo l;
    l.pose(0, 0, SALLE_DEPART).haut(0, 0, CLOISON_SORTIE); // a border exit is no warning
    l.m.cloisons[static_cast<size_t>(c.index)].contenu = c.k;
    const Verification v = l.verifie();
    EXPECT_EQ(codes(v).count("open-border"), c.averti ? 1u : 0u) << c.index;
  }
}

TEST(Verification, UnreachableRoomsThatHoldSomething) {
  struct Cas {
    int32_t k;
    bool question;
    bool averti;
  };
  const Cas cas[] = {{SALLE_VIDE, false, false},       {SALLE_VIDE, true, true},
                     {SALLE_CLE_NOIRE, false, true},   {SALLE_PLAN, false, true},
                     {SALLE_TELEPORTEUR, false, true}, {SALLE_DEPART, false, false}};
  for (const Cas &c : cas) {
    Labo l;
    l.pose(0, 0, SALLE_DEPART).haut(0, 0, CLOISON_SORTIE).pose(7, 7, c.k);
    if (c.question)
      l.salle(7, 7).question = "Q";
    const Verification v = l.verifie();
    EXPECT_EQ(codes(v).count("unreachable"), c.averti ? 1u : 0u) << c.k;
  }
  // The same map room, reached: no warning.
  Labo l = deux_salles(CLOISON_OUVERTE);
  l.pose(1, 0, SALLE_PLAN);
  EXPECT_TRUE(l.verifie().constats.empty());
}

TEST(Verification, TickedBoxWithoutAnAnswer) {
  Labo l = deux_salles(CLOISON_OUVERTE);
  Tsalle &s = l.salle(1, 0);
  s.question = "Q";
  s.reponses = {"a", "", "c", "", ""};
  s.bonnes = {true, true, false, false, true};
  const Verification v = l.verifie();
  EXPECT_EQ(codes(v), (std::multiset<std::string>{"ticked-empty-answer"}));
  EXPECT_NE(premier(v, "ticked-empty-answer")->message.find("(2, 5)"), std::string::npos);
}

TEST(Verification, RecordsAFileDoesNotHoldAreFresh) {
  // The exit and the start lie beyond the records a file gave.
  Labo l;
  l.pose(0, 0, SALLE_DEPART).pose(5, 5, SALLE_DEPART).haut(0, 0, CLOISON_SORTIE);
  l.m.cloisons[200].contenu = CLOISON_SORTIE;
  l.m.nb_salles = 1;
  l.m.nb_cloisons = 0;
  EXPECT_EQ(codes(l.verifie()), (std::multiset<std::string>{"no-exit"}));
  l.m.nb_salles = 0;
  EXPECT_EQ(codes(l.verifie()), (std::multiset<std::string>{"no-start", "no-exit"}));
}

TEST(Verification, UnknownKindsCountAsWallsAndEmptyRooms) {
  Labo l = deux_salles(CLOISON_OUVERTE);
  l.pose(0, 1, 12); // an unknown room kind holds nothing
  l.entre(1, 0, 2, 0, 42);
  l.pose(2, 0, SALLE_DEPART); // a wall: this start is stuck
  const Verification v = l.verifie();
  EXPECT_EQ(codes(v).count("unknown-kind"), 2u);
  EXPECT_EQ(codes(v).count("unreachable"), 0u);
  EXPECT_EQ(codes(v).count("exit-unreachable"), 1u);
}

TEST(Verification, RecordsAtAnotherPlaceThanTheirCoordinates) {
  Labo l;
  l.pose(0, 0, SALLE_DEPART).haut(0, 0, CLOISON_SORTIE);
  l.salle(3, 2).col = 4;
  l.m.cloisons[static_cast<size_t>(indice_cloison_v(2, 2))].sens = 0;
  const Verification v = l.verifie();
  ASSERT_EQ(codes(v), (std::multiset<std::string>{"misplaced-record", "misplaced-record"}));
  EXPECT_EQ(v.constats[0].lieu, Lieu::salle);
  EXPECT_EQ(v.constats[1].lieu, Lieu::cloison);
}

TEST(Verification, MessagesNameThePlaceCountedFromOne) {
  Labo l;
  l.pose(0, 0, SALLE_DEPART).haut(0, 0, CLOISON_SORTIE).pose(3, 2, SALLE_PLAN);
  l.m.cloisons[static_cast<size_t>(indice_cloison_h(3, 10))].contenu = CLOISON_OUVERTE;
  const Verification v = l.verifie();
  EXPECT_EQ(premier(v, "unreachable")->message,
            "La salle colonne 4, ligne 3 tient le plan mais le joueur ne peut jamais "
            "l'atteindre.");
  EXPECT_EQ(premier(v, "open-border")->message,
            "La cloison au-dessous de la salle colonne 4, ligne 10 est sur le bord du "
            "labyrinthe et porte un passage ouvert : il ne mène nulle part.");
}

// --- Files -------------------------------------------------------------------------------

namespace {

class VerificationFichiers : public DossierTemporaire {
protected:
  void SetUp() override {
    DossierTemporaire::SetUp();
    Cree_Monde(m);
    for (const char *t : {"Briques.bmp", "sol.bmp", "plafond.bmp"})
      cree(t);
  }
  void cree(const std::string &nom_disque, const std::string &texte = "x") {
    std::ofstream(dossier / nom_disque, std::ios::binary) << texte;
  }
  Verification fichiers(const ControleImage &controle = {}) {
    Verification v;
    verifie_fichiers(m, dossier.string(), controle, v);
    return v;
  }
  Monde m;
};

} // namespace

TEST_F(VerificationFichiers, DefaultTexturesPresentGiveNothing) {
  EXPECT_TRUE(fichiers().constats.empty());
}

TEST_F(VerificationFichiers, MissingFilesPointAtTheirRoomOrName) {
  m.salles[23].image = "carte.jpg";
  m.salles[23].media = "voix.mp3";
  m.son_pas = "pas.wav";
  m.texture_sol = "dalles.bmp";
  fs::create_directory(dossier / "pas.wav"); // a folder is not the file
  const Verification v = fichiers();
  ASSERT_EQ(v.constats.size(), 4u);
  for (const Constat &c : v.constats) {
    EXPECT_STREQ(c.code, "missing-file");
    EXPECT_EQ(c.gravite, Gravite::erreur);
  }
  EXPECT_EQ(v.constats[0].lieu, Lieu::salle);
  EXPECT_EQ(v.constats[0].col, 3);
  EXPECT_EQ(v.constats[0].lig, 2);
  EXPECT_EQ(v.constats[0].nom, "carte.jpg");
  EXPECT_EQ(v.constats[1].nom, "voix.mp3");
  EXPECT_EQ(v.constats[2].lieu, Lieu::fichier);
  EXPECT_EQ(v.constats[2].nom, "pas.wav");
  EXPECT_EQ(v.constats[3].message,
            "Le fichier « dalles.bmp » (la texture du sol) est absent du dossier du labyrinthe.");
}

TEST_F(VerificationFichiers, AnotherLetterCaseIsOnlyAWarning) {
  cree("Carte.JPG");
  cree("\xC3\xA9t\xC3\xA9.wav"); // "été.wav" on disk
  m.salles[0].image = "carte.jpg";
  m.son_ambiance = "\xC9T\xC9.WAV"; // "ÉTÉ.WAV", Windows-1252
  m.son_pas = "cart\xE9.jpg";       // no file under any case
  const Verification v = fichiers();
  ASSERT_EQ(v.constats.size(), 3u);
  EXPECT_STREQ(v.constats[0].code, "file-case");
  EXPECT_EQ(v.constats[0].gravite, Gravite::avertissement);
  EXPECT_NE(v.constats[0].message.find("« Carte.JPG »"), std::string::npos);
  EXPECT_STREQ(v.constats[1].code, "file-case");
  EXPECT_EQ(v.constats[1].nom, "\xC9T\xC9.WAV");
  EXPECT_STREQ(v.constats[2].code, "missing-file");
}

TEST_F(VerificationFichiers, TimesAndDivideAreNoLetters) {
  // × (0xD7) and ÷ (0xF7) stand 0x20 apart like a capital and its small letter, but are
  // none: a name with one is not found under the other. Þ and þ, around them, are.
  cree("a\xC3\xB7.bmp"); // "a÷.bmp" on disk
  cree("b\xC3\x97.bmp"); // "b×.bmp"
  cree("c\xC3\xBE.bmp"); // "cþ.bmp"
  m.texture_murs = "A\xD7.bmp";
  m.texture_sol = "B\xF7.bmp";
  m.texture_plafond = "C\xDE.bmp";
  const Verification v = fichiers();
  ASSERT_EQ(v.constats.size(), 3u);
  EXPECT_STREQ(v.constats[0].code, "missing-file");
  EXPECT_STREQ(v.constats[1].code, "missing-file");
  EXPECT_STREQ(v.constats[2].code, "file-case");
}

TEST_F(VerificationFichiers, PicturesAndTexturesGoThroughTheLoader) {
  cree("bonne.bmp");
  cree("mauvaise.jpg");
  cree("Mauvaise.gif");
  cree("voix.mp3");
  m.salles[1].image = "bonne.bmp";
  m.salles[2].image = "mauvaise.jpg";
  m.salles[3].image = "mauvaise.gif"; // found under another case, then refused
  m.salles[4].media = "voix.mp3";     // a medium is not a picture
  m.texture_plafond = "mauvaise.jpg";
  std::vector<std::string> vus;
  const ControleImage controle = [&](const std::string &chemin) {
    vus.push_back(fs::path(chemin).filename().string());
    return fs::path(chemin).filename().string().find("auvaise") == std::string::npos
               ? Resultat::succes()
               : Resultat::echec("JPEG error #53");
  };
  const Verification v = fichiers(controle);
  EXPECT_EQ(codes(v), (std::multiset<std::string>{"invalid-picture", "invalid-picture",
                                                  "invalid-picture", "file-case"}));
  EXPECT_EQ(std::count(vus.begin(), vus.end(), "voix.mp3"), 0);
  EXPECT_EQ(std::count(vus.begin(), vus.end(), "Mauvaise.gif"), 1);
  EXPECT_NE(premier(v, "invalid-picture")->message.find(" : JPEG error #53"), std::string::npos);
}

TEST_F(VerificationFichiers, AFileOnDiskIsCheckedAgainstItsOwnFolder) {
  m.salles[0].contenu = SALLE_DEPART;
  m.cloisons[0].contenu = CLOISON_SORTIE;
  m.salles[0].image = "absente.bmp";
  const std::string chemin = (dossier / "monde_1.lab").string();
  ASSERT_TRUE(sauve_lab(chemin, m));
  Verification v = verifie_fichier_lab(chemin);
  EXPECT_TRUE(v.terminable);
  EXPECT_EQ(codes(v), (std::multiset<std::string>{"missing-file"}));
  cree("absente.bmp");
  EXPECT_TRUE(verifie_fichier_lab(chemin).constats.empty());

  v = verifie_fichier_lab((dossier / "nulle_part.lab").string());
  EXPECT_EQ(codes(v), (std::multiset<std::string>{"unreadable"}));
  EXPECT_FALSE(v.terminable);
  EXPECT_EQ(v.constats[0].message, "Le fichier ne peut pas être lu : File not found.");
}

TEST_F(VerificationFichiers, TheWholeCheckListsErrorsFirst) {
  m.salles[0].contenu = SALLE_DEPART;
  m.cloisons[0].contenu = CLOISON_SORTIE;
  m.cloisons[1].contenu = CLOISON_OUVERTE; // open-border, a warning
  m.salles[0].image = "absente.bmp";       // missing-file, an error found later
  const Verification v = verifie_labyrinthe(m, dossier.string());
  ASSERT_EQ(v.constats.size(), 2u);
  EXPECT_STREQ(v.constats[0].code, "missing-file");
  EXPECT_STREQ(v.constats[1].code, "open-border");
}

TEST_F(VerificationFichiers, AMemoryListsEachFolderOnceForAWholeAdventure) {
  m.salles[5].image = "tard.bmp";
  MemoireDossiers memoire;
  Verification v;
  verifie_fichiers(m, dossier.string(), {}, v, &memoire);
  EXPECT_EQ(codes(v), (std::multiset<std::string>{"missing-file"}));
  cree("tard.bmp"); // added after the folder was listed: this memory does not see it
  v = {};
  verifie_fichiers(m, dossier.string(), {}, v, &memoire);
  EXPECT_EQ(codes(v), (std::multiset<std::string>{"missing-file"}));
  EXPECT_TRUE(fichiers().constats.empty()); // a fresh look does
}

// The player looks in the labyrinth's folder only: a name spelling folders is its last
// component there, never a file elsewhere; a link out of the folder is an error.
TEST_F(VerificationFichiers, NamesAreLookedUpByTheirLastComponentInTheFolderOnly) {
  fs::create_directories(dossier / "sous");
  std::ofstream(dossier / "sous" / "cle.jpg") << "hors";
  cree("voix.mp3");
  cree("dehors.wav");
  const fs::path ailleurs = dossier.string() + "-ailleurs.wav";
  std::ofstream(ailleurs) << "ailleurs";
  fs::create_symlink(ailleurs, dossier / "lien.wav");
  m.salles[0].image = "sous/cle.jpg";            // not in the folder itself
  m.salles[1].media = "..\\..\\autre\\voix.mp3"; // the folder's voix.mp3
  m.son_ambiance = "/etc/passwd";                // "passwd" of the folder: absent
  m.son_pas = "lien.wav";
  std::vector<std::string> vus;
  const ControleImage controle = [&](const std::string &chemin) {
    vus.push_back(chemin);
    return Resultat::succes();
  };
  const Verification v = fichiers(controle);
  fs::remove(ailleurs);
  ASSERT_EQ(v.constats.size(), 3u);
  EXPECT_STREQ(v.constats[0].code, "missing-file");
  EXPECT_EQ(v.constats[0].nom, "sous/cle.jpg");
  EXPECT_STREQ(v.constats[1].code, "missing-file");
  EXPECT_EQ(v.constats[1].nom, "/etc/passwd");
  EXPECT_STREQ(v.constats[2].code, "link-outside");
  EXPECT_EQ(v.constats[2].nom, "lien.wav");
  for (const std::string &chemin : vus)
    EXPECT_EQ(fs::path(chemin).parent_path(), dossier) << chemin;
}
