#include "resultat.h"
#include "texte_1252.h"

#include <gtest/gtest.h>

#include <iconv.h>

TEST(Texte1252, EveryByteGoesToUtf8AndBack) {
  std::string tous;
  for (int b = 1; b < 256; ++b)
    tous += static_cast<char>(b);
  EXPECT_EQ(utf8_vers_1252(utf8_depuis_1252(tous)), tous);
}

TEST(Texte1252, KnownCharacters) {
  struct Cas {
    std::string octets;
    std::string utf8;
  } cas[] = {
      {"Le tr\xE9sor", "Le trésor"},
      {"\x80", "€"},
      {"\x9C\x8C", "œŒ"},
      {"\x92", "’"},
      {"\xFF", "ÿ"},
      {"", ""},
  };
  for (const auto &c : cas) {
    EXPECT_EQ(utf8_depuis_1252(c.octets), c.utf8);
    EXPECT_EQ(utf8_vers_1252(c.utf8), c.octets);
  }
}

namespace {

// The system's own Windows-1252 decoder, one byte at a time; "" for a byte it leaves
// undefined.
std::string iconv_depuis_1252(char octet) {
  const iconv_t cd = iconv_open("UTF-8", "WINDOWS-1252");
  if (cd == reinterpret_cast<iconv_t>(-1))
    return "no iconv";
  char entree[1] = {octet};
  char sortie[8];
  char *e = entree, *s = sortie;
  size_t reste_e = 1, reste_s = sizeof sortie;
  const bool lu = iconv(cd, &e, &reste_e, &s, &reste_s) != static_cast<size_t>(-1);
  iconv_close(cd);
  return lu ? std::string(sortie, s) : std::string();
}

} // namespace

TEST(Texte1252, TheBytes80To9FAreTheSystemDecodersAndTheFiveUndefinedStayControls) {
  int definis = 0;
  for (int b = 0x80; b <= 0x9F; ++b) {
    const std::string octet(1, static_cast<char>(b));
    const std::string attendu = iconv_depuis_1252(octet[0]);
    ASSERT_NE(attendu, "no iconv");
    if (attendu.empty()) { // the C1 control of the same number, two bytes in UTF-8
      EXPECT_EQ(utf8_depuis_1252(octet), std::string({'\xC2', static_cast<char>(b)})) << b;
    } else {
      ++definis;
      EXPECT_EQ(utf8_depuis_1252(octet), attendu) << b;
      EXPECT_EQ(utf8_vers_1252(attendu), octet) << b;
    }
  }
  EXPECT_EQ(definis, 27);
}

TEST(Texte1252, WhatCannotBeHeldBecomesAQuestionMark) {
  EXPECT_EQ(utf8_vers_1252("日本"), "??");
  EXPECT_EQ(utf8_vers_1252("a😀b"), "a?b");
  // Malformed UTF-8: a lone continuation byte, a truncated sequence, an overlong form.
  EXPECT_EQ(utf8_vers_1252("a\x80z"), "a?z");
  EXPECT_EQ(utf8_vers_1252("a\xC3"), "a?");
  EXPECT_EQ(utf8_vers_1252("\xC0\xAF"), "??");
}

TEST(BoiteErreur, AppendsAPointAfterCharactersThatSortAfterIt) {
  EXPECT_EQ(texte_boite_erreur("File not found"), "File not found.");
  EXPECT_EQ(texte_boite_erreur("I/O error 5"), "I/O error 5.");
  EXPECT_EQ(texte_boite_erreur("Unknown picture file extension (.xyz)"),
            "Unknown picture file extension (.xyz)");
  EXPECT_EQ(texte_boite_erreur("Fin."), "Fin.");
  EXPECT_EQ(texte_boite_erreur("Fin-"), "Fin-");
  EXPECT_EQ(texte_boite_erreur("D\xE9j\xE0"), "D\xE9j\xE0.");
  EXPECT_EQ(texte_boite_erreur(""), "");
}

#include "texte_salle.h"

TEST(TexteSalle, TheQuestionIsOneLineWithABlankAfterEachMemoLine) {
  EXPECT_EQ(question_depuis_lignes({"Quelle est", "la capitale ?"}), "Quelle est la capitale ? ");
  EXPECT_EQ(question_depuis_lignes({"Seule"}), "Seule ");
  EXPECT_EQ(question_depuis_lignes({"", ""}), "  ");
  EXPECT_EQ(question_depuis_lignes({}), "");
  // A stray break inside a line cannot reach the file.
  EXPECT_EQ(question_depuis_lignes({"a\nb"}), "a b ");
}

TEST(TexteSalle, LineBreaksBecomeBlanksInOneLineFields) {
  EXPECT_EQ(sur_une_ligne("Paris\r\nLyon"), "Paris Lyon");
  EXPECT_EQ(sur_une_ligne("a\nb\rc"), "a b c");
  EXPECT_EQ(sur_une_ligne("\r\n\r\n"), "  ");
  EXPECT_EQ(sur_une_ligne("sans saut"), "sans saut");
}

TEST(Texte1252, WhatFitsIn1252) {
  EXPECT_TRUE(tient_en_1252("monde été €.lab"));
  EXPECT_TRUE(tient_en_1252("pourquoi ?.jpg"));
  EXPECT_FALSE(tient_en_1252("coché ✓.jpg"));
  EXPECT_FALSE(tient_en_1252("a\x80.jpg"));
}

TEST(Texte1252, TheCharactersThatCannotBeHeldAreNamedOnceEachInOrder) {
  EXPECT_TRUE(caracteres_hors_1252("Où est la clé ? Œuvre à 5 € « ici »").empty());
  EXPECT_TRUE(message_hors_1252({}).empty());
  using V = std::vector<std::string>;
  EXPECT_EQ(caracteres_hors_1252("a → b 😀 c → 中"), (V{"→", "😀", "中"}));
  EXPECT_EQ(caracteres_hors_1252("x\x80y"), V{"\xEF\xBF\xBD"}); // a malformed byte
  // Each answer agrees with the conversion: nothing named is what comes back unchanged.
  for (const char *t : {"é", "→", "✓", "ŸŽž", "\u0081", "?"})
    EXPECT_EQ(caracteres_hors_1252(t).empty(), tient_en_1252(t)) << t;

  EXPECT_EQ(message_hors_1252({"→", "😀"}),
            "Les caractères « → » et « 😀 » ne peuvent pas être enregistrés dans un "
            "labyrinthe.");
  EXPECT_EQ(message_hors_1252({"→"}),
            "Le caractère « → » ne peut pas être enregistré dans un labyrinthe.");
  EXPECT_EQ(message_hors_1252({"→", "😀", "中"}),
            "Les caractères « → », « 😀 » et « 中 » ne peuvent pas être enregistrés dans un "
            "labyrinthe.");
}
