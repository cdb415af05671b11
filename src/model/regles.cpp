#include "regles.h"

#include "texte_1252.h"

#include <algorithm>

const char *nom_couleur(int couleur) {
  static constexpr const char *NOMS[NB_COULEURS] = {"noir",  "blanc", "bleu",
                                                    "rouge", "vert",  "jaune"};
  return couleur >= 0 && couleur < NB_COULEURS ? NOMS[couleur] : "?";
}

bool laisse_passer(int32_t type_cloison, Cles cles) {
  if (type_cloison == CLOISON_OUVERTE || type_cloison == CLOISON_PORTE_DEROBEE)
    return true;
  return est_porte(type_cloison) && ((cles >> couleur_porte(type_cloison)) & 1u) != 0;
}

Plateau::Plateau(const Labyrinthe &m)
    : nb_salles(std::clamp<int32_t>(m.nb_salles, 0, NB_SALLES_MAX)),
      nb_cloisons(std::clamp<int32_t>(m.nb_cloisons, 0, NB_CLOISONS_MAX)) {
  cloison.fill(CLOISON_MUR);
  salle.fill(SALLE_VIDE);
  enigme.fill(GenreEnigme::aucune);
  for (int i = 0; i < nb_salles; ++i) {
    const Tsalle &s = m.salles[static_cast<size_t>(i)];
    salle[static_cast<size_t>(i)] = type_salle_valide(s.contenu) ? s.contenu : SALLE_VIDE;
    enigme[static_cast<size_t>(i)] = genre_enigme(s);
  }
  for (int i = 0; i < nb_cloisons; ++i) {
    const int32_t k = m.cloisons[static_cast<size_t>(i)].contenu;
    cloison[static_cast<size_t>(i)] = type_cloison_valide(k) ? k : CLOISON_MUR;
  }
}

namespace {

std::vector<int> salles_du_type(const Plateau &p, int32_t type) {
  std::vector<int> v;
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    if (p.salle[static_cast<size_t>(i)] == type)
      v.push_back(i);
  return v;
}

} // namespace

std::vector<int> Plateau::teleporteurs() const {
  return salles_du_type(*this, SALLE_TELEPORTEUR);
}

std::vector<int> Plateau::departs() const {
  return salles_du_type(*this, SALLE_DEPART);
}

GenreEnigme genre_enigme(const Tsalle &s) {
  if (s.question.empty())
    return GenreEnigme::aucune;
  bool une_proposition = false, seule_la_premiere = true, aucune_cochee = true;
  for (size_t i = 0; i < NB_REPONSES; ++i) {
    const bool proposee = !s.reponses[i].empty();
    if (s.bonnes[i] && proposee)
      return GenreEnigme::choix;
    une_proposition |= proposee;
    if (i > 0 && proposee)
      seule_la_premiere = false;
    if (s.bonnes[i])
      aucune_cochee = false;
  }
  if (!une_proposition)
    return GenreEnigme::message;
  return aucune_cochee && seule_la_premiere ? GenreEnigme::saisie : GenreEnigme::insoluble;
}

bool bon_choix(const Tsalle &s, Cochees cochees) {
  Cochees justes = 0;
  for (size_t i = 0; i < NB_REPONSES; ++i)
    if (s.bonnes[i] && !s.reponses[i].empty())
      justes |= 1u << i;
  return justes != 0 && cochees == justes;
}

namespace {

bool blanc(unsigned char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == 0xA0;
}

// The letters of Windows-1252 without their accent, in lower case ("" for a byte kept as
// it is).
const char *sans_accent(unsigned char c) {
  if (c >= 'A' && c <= 'Z')
    return nullptr;
  switch (c) {
  case 0x8A:
  case 0x9A: return "s";
  case 0x8C:
  case 0x9C: return "oe";
  case 0x8E:
  case 0x9E: return "z";
  case 0x9F:
  case 0xDD:
  case 0xFD:
  case 0xFF: return "y";
  case 0xC6:
  case 0xE6: return "ae";
  case 0xC7:
  case 0xE7: return "c";
  case 0xD0:
  case 0xF0: return "d";
  case 0xD1:
  case 0xF1: return "n";
  case 0xD8:
  case 0xF8: return "o";
  case 0xDF: return "ss";
  default: break;
  }
  const unsigned char m = c >= 0xE0 ? static_cast<unsigned char>(c - 0x20) : c;
  if (m >= 0xC0 && m <= 0xC5)
    return "a";
  if (m >= 0xC8 && m <= 0xCB)
    return "e";
  if (m >= 0xCC && m <= 0xCF)
    return "i";
  if (m >= 0xD2 && m <= 0xD6)
    return "o";
  if (m >= 0xD9 && m <= 0xDC)
    return "u";
  return "";
}

} // namespace

std::string forme_comparable_1252(const std::string &texte_1252) {
  size_t debut = 0, fin = texte_1252.size();
  while (debut < fin && blanc(static_cast<unsigned char>(texte_1252[debut])))
    ++debut;
  while (fin > debut && blanc(static_cast<unsigned char>(texte_1252[fin - 1])))
    --fin;
  std::string forme;
  forme.reserve(fin - debut);
  for (size_t i = debut; i < fin; ++i) {
    const auto c = static_cast<unsigned char>(texte_1252[i]);
    const char *lettres = sans_accent(c);
    if (!lettres)
      forme += static_cast<char>(c - 'A' + 'a');
    else if (*lettres)
      forme += lettres;
    else
      forme += static_cast<char>(c);
  }
  return forme;
}

bool bonne_saisie(const Tsalle &s, const std::string &tape_utf8) {
  return forme_comparable_1252(utf8_vers_1252(tape_utf8)) == forme_comparable_1252(s.reponses[0]);
}

uint32_t Hasard::tire(uint32_t n) {
  // splitmix64: the same numbers on every machine, unlike the standard distributions.
  etat_ += 0x9E3779B97F4A7C15ull;
  uint64_t z = etat_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<uint32_t>(((z >> 32) * n) >> 32);
}

std::vector<int> destinations_teleporteur(const Plateau &p, int depuis) {
  if (depuis < 0 || depuis >= NB_SALLES_MAX ||
      p.salle[static_cast<size_t>(depuis)] != SALLE_TELEPORTEUR)
    return {};
  std::vector<int> autres = p.teleporteurs();
  autres.erase(std::find(autres.begin(), autres.end(), depuis));
  return autres;
}

int destination_teleporteur(const Plateau &p, int depuis, Hasard &hasard) {
  const std::vector<int> autres = destinations_teleporteur(p, depuis);
  if (autres.empty())
    return -1;
  if (autres.size() == 1)
    return autres[0];
  return autres[hasard.tire(static_cast<uint32_t>(autres.size()))];
}
