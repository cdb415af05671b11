// dravo-lab check [--json] FILE.lab|FOLDER...: can each labyrinth be finished, and is every
// file it names there? A folder is an adventure: its monde_N.lab files in numeric order.

#include "json_texte.h"
#include "partie.h"
#include "texte_1252.h"
#include "verification.h"

#include "picture.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Rapport {
  std::string fichier; // as the command line names it, or the folder's path joined
  Verification v;
};

int usage_check(const char *pourquoi) {
  std::fprintf(stderr, "dravo-lab check: %s\nusage: dravo-lab check [--json] FILE.lab|FOLDER...\n",
               pourquoi);
  return 2;
}

// The loader refuses or accepts a file the same way each time it is named: an adventure
// shares its textures, so each is read once per run, as the editor's check reads it: its
// header, then the smallest scale within a budget of pixels.
ControleImage controle_image() {
  auto vus = std::make_shared<std::map<std::string, Resultat>>();
  return [vus](const std::string &chemin) {
    auto it = vus->find(chemin);
    if (it == vus->end())
      it = vus->emplace(chemin, load_picture(chemin, Reduction::to_check()).resultat()).first;
    return it->second;
  };
}

// What the player makes of a file name of the folder (numero_monde, the player's own rule):
// a name it follows, or one that looks like a labyrinth of the adventure but never will be
// played, its number written with a leading zero or too long for the player.
struct NomMonde {
  enum Genre { autre, suivi, zero_devant, trop_grand } genre = autre;
  long numero = 0; // for `suivi`
};

NomMonde nom_monde(const std::string &nom) {
  if (const long n = numero_monde(nom); n >= 0)
    return {NomMonde::suivi, n};
  const std::optional<std::string_view> chiffres = chiffres_monde(nom);
  if (!chiffres)
    return {};
  return {chiffres->size() > 1 && (*chiffres)[0] == '0' ? NomMonde::zero_devant
                                                        : NomMonde::trop_grand,
          0};
}

Constat constat_dossier(const char *code, std::string message, std::string nom,
                        Gravite gravite = Gravite::erreur) {
  Constat c;
  c.code = code;
  c.gravite = gravite;
  c.message = std::move(message);
  c.lieu = Lieu::fichier;
  c.nom = utf8_vers_1252(nom);
  return c;
}

std::string en_minuscules(std::string s) {
  for (char &c : s)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c + 32);
  return s;
}

// What the folder's names tell of the adventure, before any labyrinth is read: names the
// player never follows, and names it cannot tell apart.
std::vector<Constat> constats_noms(const std::vector<std::string> &noms) {
  std::vector<Constat> constats;
  std::map<std::string, std::string> vus; // lower case -> first name met
  for (const std::string &nom : noms) {
    const NomMonde m = nom_monde(nom);
    if (m.genre == NomMonde::autre)
      continue;
    if (m.genre == NomMonde::zero_devant) {
      std::string numero = nom.substr(6, nom.size() - 10);
      numero.erase(0, std::min(numero.find_first_not_of('0'), numero.size() - 1));
      constats.push_back(constat_dossier("adventure-name",
                                         nom + " ne sera jamais joué : le joueur cherche monde_" +
                                             numero + ".lab, sans zéro devant le numéro.",
                                         nom, Gravite::avertissement));
    } else if (m.genre == NomMonde::trop_grand) {
      constats.push_back(
          constat_dossier("adventure-name",
                          nom + " ne sera jamais joué : son numéro est trop grand pour le joueur.",
                          nom, Gravite::avertissement));
    }
    const auto [it, nouveau] = vus.emplace(en_minuscules(nom), nom);
    if (!nouveau)
      constats.push_back(constat_dossier(
          "adventure-case",
          it->second + " et " + nom +
              " ne diffèrent que par la casse des lettres : le joueur, qui ne la distingue pas, "
              "n'en lira qu'un.",
          nom, Gravite::avertissement));
  }
  return constats;
}

// Puts `c` among the findings of `v`, errors before warnings.
void ajoute(Verification &v, Constat c) {
  if (c.gravite == Gravite::erreur)
    v.constats.insert(std::find_if(v.constats.begin(), v.constats.end(),
                                   [](const Constat &k) { return k.gravite != Gravite::erreur; }),
                      std::move(c));
  else
    v.constats.push_back(std::move(c));
}

void verifie_aventure(const std::string &dossier, const ControleImage &controle,
                      MemoireDossiers &memoire, std::vector<Rapport> &rapports) {
  std::vector<std::pair<long, std::string>> mondes;
  std::vector<std::string> noms;
  std::error_code ec;
  for (fs::directory_iterator it(dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
    const std::string nom = it->path().filename().string();
    noms.push_back(nom);
    const NomMonde m = nom_monde(nom);
    if (m.genre == NomMonde::suivi)
      mondes.emplace_back(m.numero, nom);
  }
  std::sort(mondes.begin(), mondes.end());
  std::sort(noms.begin(), noms.end());
  std::vector<Constat> sur_les_noms = constats_noms(noms);
  if (mondes.empty()) {
    Rapport r{dossier, {}};
    r.v.constats.push_back(
        ec ? constat_dossier("unreadable", "Le dossier ne peut pas être lu : " + ec.message() + ".",
                             dossier)
           : constat_dossier("no-labyrinth", "Le dossier ne contient aucun labyrinthe monde_N.lab.",
                             dossier));
    for (Constat &c : sur_les_noms)
      ajoute(r.v, std::move(c));
    rapports.push_back(std::move(r));
    return;
  }
  for (size_t i = 0; i < mondes.size(); ++i) {
    Rapport r{(fs::path(dossier) / mondes[i].second).string(), {}};
    r.v = verifie_fichier_lab(r.fichier, controle, &memoire);
    // The player starts at monde_1: without it, nothing of the folder is played. What the
    // names tell goes with the adventure's first labyrinth.
    if (i == 0) {
      if (mondes[0].first != 1)
        ajoute(r.v,
               constat_dossier("adventure-start",
                               "Il manque monde_1.lab : le joueur commence l'aventure par "
                               "lui, et " +
                                   mondes[0].second + " et les suivants ne seront jamais joués.",
                               "monde_1.lab"));
      for (Constat &c : sur_les_noms)
        ajoute(r.v, std::move(c));
    }
    // The exit before a missing number ends the adventure: what follows is never played.
    if (i + 1 < mondes.size() && mondes[i + 1].first > mondes[i].first + 1) {
      const std::string manque = "monde_" + std::to_string(mondes[i].first + 1) + ".lab";
      ajoute(r.v,
             constat_dossier("adventure-gap",
                             "Il manque " + manque +
                                 " : la sortie de ce labyrinthe termine l'aventure, et " +
                                 mondes[i + 1].second + " et les suivants ne seront jamais joués.",
                             manque));
    }
    rapports.push_back(std::move(r));
  }
}

// A text for one line of the terminal: a file name may hold a line break, a terminal's
// control sequences or bytes of no encoding, which would print as lines or commands of
// their own. Controls (C0, DEL, C1) and ill-formed bytes become visible escapes ("\n",
// "\x1b", "\u009b"); a backslash is doubled so that an escape cannot be faked.
std::string lisible(const std::string &s) {
  std::string out;
  char buf[12];
  for (size_t i = 0; i < s.size();) {
    const auto u = static_cast<unsigned char>(s[i]);
    if (u < 0x80) {
      if (u == '\\')
        out += "\\\\";
      else if (u == '\n')
        out += "\\n";
      else if (u == '\r')
        out += "\\r";
      else if (u == '\t')
        out += "\\t";
      else if (u < 0x20 || u == 0x7F) {
        std::snprintf(buf, sizeof buf, "\\x%02x", u);
        out += buf;
      } else
        out += static_cast<char>(u);
      ++i;
      continue;
    }
    char32_t cp = 0;
    const size_t n = sequence_utf8(s, i, cp);
    if (n == 0) {
      std::snprintf(buf, sizeof buf, "\\x%02x", u);
      out += buf;
      ++i;
    } else if (cp >= 0x80 && cp <= 0x9F) {
      std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(cp));
      out += buf;
      i += n;
    } else {
      out.append(s, i, n);
      i += n;
    }
  }
  return out;
}

const char *gravite_json(Gravite g) {
  return g == Gravite::erreur ? "error" : "warning";
}

void ecrit_json(const std::vector<Rapport> &rapports) {
  std::string out = "{\"files\": [";
  for (size_t f = 0; f < rapports.size(); ++f) {
    const Rapport &r = rapports[f];
    out += f ? ", " : "";
    out += "{\"file\": " + chaine_json(r.fichier) +
           ", \"finishable\": " + (r.v.terminable ? "true" : "false") + ", \"findings\": [";
    for (size_t i = 0; i < r.v.constats.size(); ++i) {
      const Constat &c = r.v.constats[i];
      out += i ? ", " : "";
      out += "{\"code\": " + chaine_json(c.code) + ", \"severity\": \"" + gravite_json(c.gravite) +
             "\", \"message\": " + chaine_json(c.message);
      if (c.lieu == Lieu::salle)
        out += ", \"room\": [" + std::to_string(c.col) + ", " + std::to_string(c.lig) + "]";
      if (c.lieu == Lieu::cloison)
        out += ", \"partition\": {\"sens\": " + std::to_string(c.sens) +
               ", \"col\": " + std::to_string(c.col) + ", \"lig\": " + std::to_string(c.lig) + "}";
      if (!c.nom.empty())
        out += ", \"name\": " + chaine_json(utf8_depuis_1252(c.nom));
      out += "}";
    }
    out += "]}";
  }
  out += "]}\n";
  std::fputs(out.c_str(), stdout);
}

void ecrit_lignes(const std::vector<Rapport> &rapports) {
  for (const Rapport &r : rapports) {
    if (r.v.constats.empty())
      std::printf("%s: peut être terminé, aucun problème trouvé.\n", lisible(r.fichier).c_str());
    for (const Constat &c : r.v.constats)
      std::printf("%s: %s: %s [%s]\n", lisible(r.fichier).c_str(),
                  c.gravite == Gravite::erreur ? "erreur" : "avertissement",
                  lisible(c.message).c_str(), c.code);
  }
}

} // namespace

int commande_check(const std::vector<std::string> &args) {
  bool en_json = false;
  std::vector<std::string> noms;
  for (const std::string &a : args) {
    if (a == "--json")
      en_json = true;
    else if (a.size() > 1 && a[0] == '-')
      return usage_check(("unknown option " + a).c_str());
    else
      noms.push_back(a);
  }
  if (noms.empty())
    return usage_check("takes at least one .lab file or folder");

  const ControleImage controle = controle_image();
  MemoireDossiers memoire; // an adventure's labyrinths share their folder
  std::vector<Rapport> rapports;
  for (const std::string &nom : noms) {
    std::error_code ec;
    if (fs::is_directory(nom, ec))
      verifie_aventure(nom, controle, memoire, rapports);
    else
      rapports.push_back({nom, verifie_fichier_lab(nom, controle, &memoire)});
  }
  if (en_json)
    ecrit_json(rapports);
  else
    ecrit_lignes(rapports);
  const bool erreurs = std::any_of(rapports.begin(), rapports.end(),
                                   [](const Rapport &r) { return r.v.a_des_erreurs(); });
  return erreurs ? 1 : 0;
}
