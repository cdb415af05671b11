#include "texte_1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace {

// Code points of the bytes 0x80..0x9F; the undefined ones map to themselves.
constexpr std::array<char32_t, 32> TABLE_80_9F = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t vers_unicode(unsigned char c) {
  if (c >= 0x80 && c <= 0x9F)
    return TABLE_80_9F[c - 0x80];
  return c;
}

void ajoute_utf8(std::string &out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char depuis_unicode(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
    return static_cast<char>(cp);
  for (size_t i = 0; i < TABLE_80_9F.size(); ++i)
    if (TABLE_80_9F[i] == cp)
      return static_cast<char>(0x80 + i);
  return '?';
}

} // namespace

std::string utf8_depuis_1252(std::string_view octets) {
  std::string out;
  out.reserve(octets.size() + octets.size() / 8);
  for (char c : octets) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x80)
      out += c;
    else
      ajoute_utf8(out, vers_unicode(u));
  }
  return out;
}

namespace {

constexpr char32_t MALFORME = 0xFFFFFFFF;

// The character that starts at utf8[i], and i moved past it. A stray continuation byte, an
// invalid lead byte or a malformed sequence gives MALFORME and moves by one byte only, to
// resynchronise on the next one.
char32_t caractere_suivant(std::string_view utf8, size_t &i) {
  const size_t n = utf8.size();
  auto c = static_cast<unsigned char>(utf8[i]);
  if (c < 0x80) {
    ++i;
    return c;
  }
  int suite = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((c & 0xE0) == 0xC0) {
    suite = 1, cp = c & 0x1Fu, minimum = 0x80;
  } else if ((c & 0xF0) == 0xE0) {
    suite = 2, cp = c & 0x0Fu, minimum = 0x800;
  } else if ((c & 0xF8) == 0xF0) {
    suite = 3, cp = c & 0x07u, minimum = 0x10000;
  } else {
    ++i;
    return MALFORME;
  }
  size_t j = i + 1;
  for (int k = 0; k < suite; ++k, ++j) {
    if (j >= n || (static_cast<unsigned char>(utf8[j]) & 0xC0) != 0x80) {
      ++i;
      return MALFORME;
    }
    cp = (cp << 6) | (static_cast<unsigned char>(utf8[j]) & 0x3Fu);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++i;
    return MALFORME;
  }
  i = j;
  return cp;
}

} // namespace

std::string utf8_vers_1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  while (i < utf8.size()) {
    const char32_t cp = caractere_suivant(utf8, i);
    out += cp == MALFORME ? '?' : depuis_unicode(cp);
  }
  return out;
}

std::vector<std::string> caracteres_hors_1252(std::string_view utf8) {
  std::vector<std::string> hors;
  size_t i = 0;
  while (i < utf8.size()) {
    const size_t debut = i;
    const char32_t cp = caractere_suivant(utf8, i);
    if (cp != MALFORME && (cp == '?' || depuis_unicode(cp) != '?'))
      continue;
    // A malformed byte is named as the replacement character, which is what a reader sees.
    const std::string c =
        cp == MALFORME ? std::string("\xEF\xBF\xBD") : std::string(utf8.substr(debut, i - debut));
    if (std::find(hors.begin(), hors.end(), c) == hors.end())
      hors.push_back(c);
  }
  return hors;
}

std::string message_hors_1252(const std::vector<std::string> &caracteres) {
  if (caracteres.empty())
    return {};
  const auto cite = [](const std::string &c) { return "« " + c + " »"; };
  if (caracteres.size() == 1)
    return "Le caractère " + cite(caracteres[0]) +
           " ne peut pas être enregistré dans un labyrinthe.";
  std::string liste;
  for (size_t k = 0; k < caracteres.size(); ++k) {
    if (k > 0)
      liste += k + 1 == caracteres.size() ? " et " : ", ";
    liste += cite(caracteres[k]);
  }
  return "Les caractères " + liste + " ne peuvent pas être enregistrés dans un labyrinthe.";
}

bool tient_en_1252(std::string_view utf8) {
  return utf8_depuis_1252(utf8_vers_1252(utf8)) == utf8;
}
