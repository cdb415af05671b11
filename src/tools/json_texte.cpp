#include "json_texte.h"

#include <cstdio>

size_t sequence_utf8(std::string_view s, size_t i, char32_t &cp) {
  const auto u = static_cast<unsigned char>(s[i]);
  const size_t n = u >= 0xC2 && u <= 0xDF   ? 2
                   : u >= 0xE0 && u <= 0xEF ? 3
                   : u >= 0xF0 && u <= 0xF4 ? 4
                                            : 0;
  bool bonne = n > 0 && i + n <= s.size();
  cp = n == 2 ? u & 0x1F : n == 3 ? u & 0x0F : u & 0x07;
  for (size_t k = 1; bonne && k < n; ++k) {
    const auto c = static_cast<unsigned char>(s[i + k]);
    bonne = (c & 0xC0) == 0x80;
    cp = (cp << 6) | (c & 0x3F);
  }
  bonne = bonne && !(n == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) &&
          !(n == 4 && (cp < 0x10000 || cp > 0x10FFFF));
  return bonne ? n : 0;
}

std::string chaine_json(std::string_view s) {
  std::string out = "\"";
  for (size_t i = 0; i < s.size();) {
    const auto u = static_cast<unsigned char>(s[i]);
    if (u < 0x80) {
      switch (u) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (u < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", u);
          out += buf;
        } else {
          out += static_cast<char>(u);
        }
      }
      ++i;
      continue;
    }
    char32_t cp = 0;
    if (const size_t n = sequence_utf8(s, i, cp)) {
      out.append(s.substr(i, n));
      i += n;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out + "\"";
}
