#include "codage.h"

namespace {
// sens is +1 to scramble, -1 to unscramble; unsigned char arithmetic wraps modulo 256.
std::string decale(std::string_view cle, std::string_view donnees, int sens) {
  if (cle.empty())
    return std::string(donnees);
  std::string resultat(donnees.size(), '\0');
  for (std::size_t i = 0; i < donnees.size(); ++i) {
    const auto octet = static_cast<unsigned char>(donnees[i]);
    const auto decalage = static_cast<unsigned char>(cle[i % cle.size()]);
    resultat[i] = static_cast<char>(static_cast<unsigned char>(octet + sens * decalage));
  }
  return resultat;
}
} // namespace

std::string decode(std::string_view cle, std::string_view donnees) {
  return decale(cle, donnees, -1);
}

std::string code(std::string_view cle, std::string_view texte) {
  return decale(cle, texte, +1);
}
