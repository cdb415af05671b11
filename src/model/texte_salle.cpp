#include "texte_salle.h"

std::string question_depuis_lignes(const std::vector<std::string> &lignes) {
  std::string question;
  for (const std::string &l : lignes) {
    question += sur_une_ligne(l);
    question += ' ';
  }
  return question;
}

std::string sur_une_ligne(std::string_view texte) {
  std::string out;
  out.reserve(texte.size());
  for (size_t i = 0; i < texte.size(); ++i) {
    char c = texte[i];
    if (c == '\r') {
      if (i + 1 < texte.size() && texte[i + 1] == '\n')
        ++i;
      out += ' ';
    } else if (c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}
