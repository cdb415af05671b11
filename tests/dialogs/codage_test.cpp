// The about box's scrambling: the edge cases of the running key, a round trip over every
// byte, and the texts the box actually carries.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "codage.h"
#include "credits.h"

using namespace std::string_literals;

namespace {

TEST(Codage, DecodeTable) {
  struct Cas {
    const char *nom;
    std::string cle, donnees, attendu;
  };
  const Cas cas[] = {
      {"empty data, any key", "abc", "", ""},
      {"empty data, empty key", "", "", ""},
      {"empty key leaves the data", "", "x\xffz\0"s, "x\xffz\0"s},
      {"key as long as the data", "\x01\x02\x03", "\x0a\x0a\x0a", "\x09\x08\x07"},
      {"short key starts again from its first byte", "\x01\x02", "\x0a\x0a\x0a\x0a\x0a",
       "\x09\x08\x09\x08\x09"},
      {"long key used only up to the data's length", "\x01\x02\x03\x04", "\x0a\x0a", "\x09\x08"},
      {"a difference below zero wraps", "\x02", "\x01", "\xff"},
      {"bytes above 127 count as unsigned", "\xf0", "\x10", "\x20"},
      {"a zero byte is data like any other", "a", "a\0"s, "\0\x9f"s},
      {"letters", "minotaure", "\xda\xca\xd7\xdb", "mail"},
  };
  for (const Cas &c : cas) {
    SCOPED_TRACE(c.nom);
    EXPECT_EQ(decode(c.cle, c.donnees), c.attendu);
  }
}

TEST(Codage, RoundTripOverEveryByte) {
  std::string tous(256, '\0');
  for (int i = 0; i < 256; ++i)
    tous[static_cast<std::size_t>(i)] = static_cast<char>(i);
  for (const std::string &cle : {"minotaure"s, "z"s, "\xff\x80\x01"s, std::string(300, 'q')}) {
    SCOPED_TRACE(cle.substr(0, 9));
    const std::string code_ = code(cle, tous);
    EXPECT_EQ(code_.size(), tous.size());
    EXPECT_NE(code_, tous);
    EXPECT_EQ(decode(cle, code_), tous);
  }
  EXPECT_EQ(code("", tous), tous);
  EXPECT_EQ(code("abc", ""), "");
}

// A wrong key, a byte lost or a line out of place would show as control characters or
// garbage in the box.
TEST(Codage, StoredTextsDecodeToReadableLines) {
  EXPECT_EQ(CLE_CREDITS.size(), 9u);
  EXPECT_TRUE(std::all_of(CLE_CREDITS.begin(), CLE_CREDITS.end(),
                          [](char c) { return c >= 'a' && c <= 'z'; }));
  // The texts are written with printable ASCII and accented letters only.
  const auto lisible = [](const std::string &t) {
    return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) {
      const auto o = static_cast<unsigned char>(c);
      return o >= 0x20 && o != 0x7f && (o < 0x80 || o >= 0xc0);
    });
  };
  for (std::string_view ligne : CREDITS_CODES) {
    const std::string clair = decode(CLE_CREDITS, ligne);
    SCOPED_TRACE(clair);
    EXPECT_TRUE(lisible(clair));
    EXPECT_NE(clair, std::string(ligne));
  }
  EXPECT_EQ(decode(CLE_CREDITS, CREDITS_CODES.front()).rfind("Dravo-Editeur", 0), 0u);
  const std::string lien = decode(CLE_CREDITS, CONTACT_CODE);
  EXPECT_TRUE(lisible(lien));
  EXPECT_EQ(lien.rfind("mailto:", 0), 0u) << lien;
  EXPECT_NE(lien.find('@'), std::string::npos) << lien;
}

} // namespace
