// dravo-lab check [--json] FILE.lab|FOLDER...: can each labyrinth be finished, and is every
// file it names there? A folder is an adventure: its monde_N.lab files in numeric order.

#include "json_texte.h"
#include "texte_1252.h"
#include "verification.h"
#include "verification_aventure.h"

#include "picture.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
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

// An adventure folder: each labyrinth the player follows, in the order played, checked
// against the folder, with what the folder's names tell of the adventure beside it.
void verifie_dossier(const std::string &dossier, const ControleImage &controle,
                     MemoireDossiers &memoire, std::vector<Rapport> &rapports) {
  VerificationAventure a = verifie_aventure_dossier(dossier);
  const auto ajoute_ceux_de = [&a](const std::string &fichier, Verification &v) {
    for (ConstatAventure &c : a.constats)
      if (c.fichier == fichier)
        ajoute_constat(v, std::move(c.constat));
  };
  if (a.mondes.empty()) {
    Rapport r{dossier, {}};
    ajoute_ceux_de("", r.v);
    rapports.push_back(std::move(r));
    return;
  }
  for (const std::string &nom : a.mondes) {
    Rapport r{(fs::path(dossier) / nom).string(), {}};
    r.v = verifie_fichier_lab(r.fichier, controle, &memoire);
    ajoute_ceux_de(nom, r.v);
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
      verifie_dossier(nom, controle, memoire, rapports);
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
