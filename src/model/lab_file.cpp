#include "lab_file.h"

#include "erreurs_fichier.h"
#include "fichiers.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

namespace {

constexpr std::string_view FIN_LIGNE = "\r\n";

void ligne(std::string &out, std::string_view texte) {
  out.append(texte);
  out.append(FIN_LIGNE);
}

void ligne_cle(std::string &out, std::string_view cle, const std::string &valeur) {
  out.append(cle);
  ligne(out, valeur);
}

void entier(std::string &out, int32_t v) {
  char tampon[16];
  auto [fin, ec] = std::to_chars(tampon, tampon + sizeof tampon, v);
  (void)ec; // 16 bytes always hold an int32
  out.append(tampon, fin);
}

// A multi-line text is written as held, its CR LF pairs becoming lines of the file, then
// ended with CR LF of its own; an empty text gives one empty line.
void bloc(std::string &out, std::string_view ouverture, const std::string &texte,
          std::string_view fermeture) {
  ligne(out, ouverture);
  ligne(out, texte);
  ligne(out, fermeture);
}

} // namespace

void ecrit_lab(const Monde &m, std::string &out) {
  out.reserve(out.size() + 8192 + m.mission.size() + m.message_fin.size());
  ligne_cle(out, "TITRE=", m.titre_lab);
  bloc(out, "MISSION", m.mission, "/MISSION");
  bloc(out, "MESSAGE", m.message_fin, "/MESSAGE");
  ligne_cle(out, "SAM=", m.son_ambiance);
  ligne_cle(out, "SPA=", m.son_pas);
  ligne_cle(out, "SPO=", m.son_portes);
  ligne_cle(out, "STE=", m.son_teleporteurs);
  ligne_cle(out, "SCO=", m.son_coffres);
  ligne_cle(out, "TM=", m.texture_murs);
  ligne_cle(out, "TS=", m.texture_sol);
  ligne_cle(out, "TP=", m.texture_plafond);
  const int nc = std::min<int32_t>(std::max<int32_t>(m.nb_cloisons, 0), NB_CLOISONS_MAX);
  for (int i = 0; i < nc; ++i) {
    const Tcloison &c = m.cloisons[static_cast<size_t>(i)];
    out.append("C=");
    entier(out, c.col);
    out += ',';
    entier(out, c.lig);
    out += ',';
    entier(out, c.sens);
    out += ',';
    entier(out, c.contenu);
    out.append(FIN_LIGNE);
  }
  const int ns = std::min<int32_t>(std::max<int32_t>(m.nb_salles, 0), NB_SALLES_MAX);
  for (int i = 0; i < ns; ++i) {
    const Tsalle &s = m.salles[static_cast<size_t>(i)];
    out.append("S=");
    entier(out, s.col);
    out += ',';
    entier(out, s.lig);
    out += ',';
    entier(out, s.contenu);
    out.append(FIN_LIGNE);
    ligne(out, s.question);
    for (const std::string &r : s.reponses)
      ligne(out, r);
    char bonnes[NB_REPONSES];
    for (int k = 0; k < NB_REPONSES; ++k)
      bonnes[k] = s.bonnes[static_cast<size_t>(k)] ? '1' : '0';
    ligne(out, std::string_view(bonnes, NB_REPONSES));
    ligne(out, s.image);
    ligne(out, s.media);
  }
}

std::string ecrit_lab(const Monde &m) {
  std::string out;
  ecrit_lab(m, out);
  return out;
}

namespace {

// Lines end with LF, a CR just before it belonging to the line end; the last line may
// lack its end.
class Lignes {
public:
  explicit Lignes(std::string_view texte) : reste_(texte) {}

  bool suivante(std::string_view &ligne) {
    if (reste_.empty())
      return false;
    const void *lf = std::memchr(reste_.data(), '\n', reste_.size());
    size_t n =
        lf ? static_cast<size_t>(static_cast<const char *>(lf) - reste_.data()) : reste_.size();
    ligne = reste_.substr(0, n);
    reste_.remove_prefix(lf ? n + 1 : n);
    if (lf && !ligne.empty() && ligne.back() == '\r')
      ligne.remove_suffix(1);
    return true;
  }

private:
  std::string_view reste_;
};

constexpr std::string_view FIN_MISSION = "/MISSION";
constexpr std::string_view FIN_MESSAGE = "/MESSAGE";

} // namespace

std::string_view ligne_de_fin_de_bloc(std::string_view texte) {
  Lignes lignes(texte);
  std::string_view l;
  while (lignes.suivante(l))
    if (l == FIN_MISSION || l == FIN_MESSAGE)
      return l;
  return {};
}

namespace {

// Only the letters a to z are folded, as the keys are plain ASCII.
bool commence_par_cle(std::string_view ligne, std::string_view cle) {
  if (ligne.size() < cle.size())
    return false;
  for (size_t i = 0; i < cle.size(); ++i) {
    char c = ligne[i];
    if (c >= 'a' && c <= 'z')
      c = static_cast<char>(c - 'a' + 'A');
    if (c != cle[i])
      return false;
  }
  return true;
}

// Leading blanks and one sign, then digits as far as they go; no digit gives 0. A value
// beyond 32 bits stops at the nearest bound rather than wrapping into another kind.
int32_t lit_entier(std::string_view champ) {
  size_t i = 0;
  while (i < champ.size() && champ[i] == ' ')
    ++i;
  bool negatif = false;
  if (i < champ.size() && (champ[i] == '+' || champ[i] == '-')) {
    negatif = champ[i] == '-';
    ++i;
  }
  int64_t v = 0;
  constexpr int64_t borne = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
  for (; i < champ.size() && champ[i] >= '0' && champ[i] <= '9'; ++i) {
    v = v * 10 + (champ[i] - '0');
    if (v > borne)
      v = borne;
  }
  if (negatif)
    v = -v;
  if (v > std::numeric_limits<int32_t>::max())
    v = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

// Splits the text after "C=" or "S=": each field but the last is the text before the next
// ","; when no "," remains it is empty and the text stays whole for the next field. The
// last field is all that remains.
template <size_t N> std::array<int32_t, N> champs(std::string_view texte) {
  std::array<int32_t, N> v{};
  for (size_t k = 0; k + 1 < N; ++k) {
    size_t virgule = texte.find(',');
    if (virgule == std::string_view::npos) {
      v[k] = 0;
      continue;
    }
    v[k] = lit_entier(texte.substr(0, virgule));
    texte.remove_prefix(virgule + 1);
  }
  v[N - 1] = lit_entier(texte);
  return v;
}

// Reads a MISSION or MESSAGE block up to its closing line: its lines joined by CR LF, with
// none after the last, so that the text comes back as the writer was given it (the writer
// ends the text with a line end of its own) and a file saved again keeps its size. The end
// of the file also ends the block, with what was read.
void lit_bloc(Lignes &lignes, std::string_view fermeture, std::string &texte) {
  texte.clear();
  std::string_view l;
  bool premiere = true;
  while (lignes.suivante(l)) {
    if (l == fermeture)
      return;
    if (!premiere)
      texte.append(FIN_LIGNE);
    texte.append(l);
    premiere = false;
  }
}

struct CleSon {
  std::string_view cle;
  int slot;
};
constexpr CleSon CLES_SONS[] = {{"SAM=", 0}, {"SPA=", 1}, {"SPO=", 2}, {"STE=", 3}, {"SCO=", 4}};
constexpr std::string_view CLES_TEXTURES[] = {"TM=", "TS=", "TP="};

void lit_salle(Lignes &lignes, std::string_view entete, Tsalle *s) {
  // The nine lines after a room line are taken as they are, never tested as keys; the end
  // of the file gives empty ones. A surplus room (s null) still consumes them.
  std::string_view texte[9];
  for (auto &t : texte)
    if (!lignes.suivante(t))
      t = {};
  if (!s)
    return;
  auto v = champs<3>(entete.substr(2));
  s->col = v[0];
  s->lig = v[1];
  s->contenu = v[2];
  s->question.assign(texte[0]);
  for (size_t k = 0; k < NB_REPONSES; ++k)
    s->reponses[k].assign(texte[1 + k]);
  // A short correct-answers line: the missing characters count as "0".
  for (size_t k = 0; k < NB_REPONSES; ++k)
    s->bonnes[k] = k < texte[6].size() && texte[6][k] == '1';
  s->image.assign(texte[7]);
  s->media.assign(texte[8]);
}

} // namespace

InfoLecture lit_lab(std::string_view octets, Monde &m) {
  InfoLecture info;
  Lignes lignes(octets);
  std::string_view l;
  while (lignes.suivante(l)) {
    if (commence_par_cle(l, "TITRE=")) {
      m.titre_lab.assign(l.substr(6));
      continue;
    }
    if (l == "MISSION") {
      lit_bloc(lignes, FIN_MISSION, m.mission);
      continue;
    }
    if (l == "MESSAGE") {
      lit_bloc(lignes, FIN_MESSAGE, m.message_fin);
      continue;
    }
    bool trouve = false;
    for (const CleSon &c : CLES_SONS)
      if (commence_par_cle(l, c.cle)) {
        m.son(c.slot).assign(l.substr(4));
        info.sons_lus[static_cast<size_t>(c.slot)] = true;
        trouve = true;
        break;
      }
    if (trouve)
      continue;
    for (int rang = 0; rang < NB_TEXTURES && !trouve; ++rang)
      if (commence_par_cle(l, CLES_TEXTURES[rang])) {
        m.texture(rang).assign(l.substr(3));
        info.textures_lues[static_cast<size_t>(rang)] = true;
        trouve = true;
      }
    if (trouve)
      continue;
    if (commence_par_cle(l, "C=")) {
      // Partition lines fill the array in file order, whatever coordinates they carry;
      // lines past the 220th have no record and are ignored.
      if (m.nb_cloisons >= 0 && m.nb_cloisons < NB_CLOISONS_MAX) {
        Tcloison &c = m.cloisons[static_cast<size_t>(m.nb_cloisons)];
        auto v = champs<4>(l.substr(2));
        c.col = v[0];
        c.lig = v[1];
        c.sens = v[2];
        c.contenu = v[3];
        ++m.nb_cloisons;
      }
      continue;
    }
    if (commence_par_cle(l, "S=")) {
      Tsalle *s = nullptr;
      if (m.nb_salles >= 0 && m.nb_salles < NB_SALLES_MAX)
        s = &m.salles[static_cast<size_t>(m.nb_salles)];
      lit_salle(lignes, l, s);
      if (s)
        ++m.nb_salles;
    }
    // Anything else, an empty line included, is skipped.
  }
  return info;
}

namespace {

Resultat echec_lecture(const LectureBornee &l, const std::string &chemin) {
  switch (l.fin) {
  case FinLecture::lu: break;
  case FinLecture::erreur_systeme:
    if (l.code_errno == ENOMEM)
      return Resultat::echec(MESSAGE_MEMOIRE);
    return Resultat::echec(message_erreur_fichier(l.code_errno, chemin, OperationFichier::lecture));
  case FinLecture::pas_ordinaire:
    return Resultat::echec(
        "Ce n'est pas un fichier ordinaire (un tube, un périphérique) : il n'est "
        "pas lu");
  case FinLecture::trop_gros:
    return Resultat::echec("Ce fichier dépasse " + std::to_string(TAILLE_MAX_LAB >> 20) +
                           " Mo : ce n'est pas un labyrinthe");
  }
  return Resultat::succes();
}

} // namespace

Resultat charge_lab(const std::string &chemin, Monde &m, InfoLecture *info) {
  try {
    std::string octets;
    if (LectureBornee l = lit_fichier_borne(chemin, TAILLE_MAX_LAB, octets);
        l.fin != FinLecture::lu)
      return echec_lecture(l, chemin);
    Monde copie = m;
    prepare_lecture(copie);
    InfoLecture lu = lit_lab(octets, copie);
    // Without a single partition or room the file is something else (a text, a picture
    // renamed): taking it would blank the grid and the next save would write an empty
    // labyrinth over the author's work.
    if (copie.nb_cloisons == 0 && copie.nb_salles == 0)
      return Resultat::echec(MESSAGE_PAS_UN_LABYRINTHE);
    // The records the file does not hold are a fresh labyrinth's, not the previous one's.
    frais_au_dela_des_compteurs(copie);
    m = std::move(copie);
    if (info)
      *info = lu;
    return Resultat::succes();
  } catch (const std::bad_alloc &) {
    return Resultat::echec(MESSAGE_MEMOIRE);
  } catch (const std::length_error &) {
    return Resultat::echec(MESSAGE_MEMOIRE);
  }
}

Resultat sauve_lab(const std::string &chemin, const Monde &m) {
  try {
    return ecrit_fichier_atomique(chemin, ecrit_lab(m));
  } catch (const std::bad_alloc &) {
    return Resultat::echec(MESSAGE_MEMOIRE);
  } catch (const std::length_error &) {
    return Resultat::echec(MESSAGE_MEMOIRE);
  }
}
