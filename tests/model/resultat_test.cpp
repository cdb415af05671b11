// The one result type of the model, the loader and the Qt adapter, and the test helper that
// says where two .lab texts part.

#include "resultat.h"

#include "../same_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Avec<std::vector<int>> lit_nombres(bool reussit) {
  if (!reussit)
    return Resultat::echec("Fichier illisible");
  return std::vector<int>{1, 2, 3};
}

TEST(Avec, CarriesTheValueOrTheFailuresMessage) {
  Avec<std::vector<int>> bon = lit_nombres(true);
  ASSERT_TRUE(bon.ok());
  EXPECT_TRUE(static_cast<bool>(bon));
  EXPECT_EQ(bon.message(), "");
  EXPECT_EQ(bon.valeur(), (std::vector<int>{1, 2, 3}));
  EXPECT_TRUE(bon.resultat().ok());

  const Avec<std::vector<int>> mauvais = lit_nombres(false);
  EXPECT_FALSE(mauvais.ok());
  EXPECT_EQ(mauvais.message(), "Fichier illisible");
  const Resultat passe = mauvais.resultat();
  EXPECT_FALSE(passe.ok());
  EXPECT_EQ(passe.message(), "Fichier illisible");

  // A success without a value is a programming slip; it must not read as a success.
  const Avec<int> vide = Resultat::succes();
  EXPECT_FALSE(vide.ok());
  EXPECT_FALSE(vide.message().empty());
}

TEST(SameLines, NamesTheFirstLineThatDiffers) {
  const struct {
    std::string got, expected, says;
  } cases[] = {
      {"[a]\r\nx=1\r\ny=2\r\n", "[a]\r\nx=1\r\ny=3\r\n",
       "line 3 (15 bytes against 15)\n  got:      \"y=2\"\n  expected: \"y=3\""},
      {"[a]\r\n", "[a]\r\nx=1\r\n",
       "line 2 (5 bytes against 10)\n  got:      (end of text)\n  expected: \"x=1\""},
      {"b", "a", "line 1 (1 bytes against 1)\n  got:      \"b\"\n  expected: \"a\""},
  };
  for (const auto &c : cases) {
    const testing::AssertionResult r = same_lines(c.got, c.expected);
    EXPECT_FALSE(r);
    EXPECT_EQ(std::string(r.message()), "texts differ from " + c.says);
  }
  EXPECT_TRUE(same_lines("x\ny", "x\ny"));
}

} // namespace
