#include "verification_aventure.h"

#include "partie.h"
#include "texte_1252.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

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

Constat constat_dossier(const char *code, std::string message, const std::string &nom,
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
// player never follows, and names it cannot tell apart. `noms` sorted.
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

} // namespace

bool nom_d_aventure(const std::string &nom) {
  return chiffres_monde(nom).has_value();
}

VerificationAventure verifie_aventure(std::vector<std::string> noms, const std::string &edite) {
  if (!edite.empty() && std::find(noms.begin(), noms.end(), edite) == noms.end())
    noms.push_back(edite);
  std::sort(noms.begin(), noms.end());
  std::vector<std::pair<long, std::string>> mondes;
  for (const std::string &nom : noms)
    if (const NomMonde m = nom_monde(nom); m.genre == NomMonde::suivi)
      mondes.emplace_back(m.numero, nom);
  std::sort(mondes.begin(), mondes.end());

  VerificationAventure a;
  const auto ajoute = [&a](const std::string &fichier, Constat c) {
    a.constats.push_back({fichier, std::move(c)});
  };
  std::vector<Constat> sur_les_noms = constats_noms(noms);
  const std::string premier = mondes.empty() ? std::string() : mondes[0].second;
  // The player starts at monde_1: without it, nothing of the folder is played. What the
  // names tell goes with the adventure's first labyrinth.
  if (!mondes.empty() && mondes[0].first != 1)
    ajoute(premier, constat_dossier("adventure-start",
                                    "Il manque monde_1.lab : le joueur commence l'aventure par "
                                    "lui, et " +
                                        premier + " et les suivants ne seront jamais joués.",
                                    "monde_1.lab"));
  for (Constat &c : sur_les_noms)
    ajoute(premier, std::move(c));
  // The exit before a missing number ends the adventure: what follows is never played.
  for (size_t i = 0; i + 1 < mondes.size(); ++i) {
    if (mondes[i + 1].first <= mondes[i].first + 1) // the next, or a letter-case twin
      continue;
    const std::string &avant = mondes[i].second;
    const std::string manque = "monde_" + std::to_string(mondes[i].first + 1) + ".lab";
    const std::string sortie =
        edite.empty() || avant == edite ? std::string("ce labyrinthe") : avant;
    ajoute(avant, constat_dossier("adventure-gap",
                                  "Il manque " + manque + " : la sortie de " + sortie +
                                      " termine l'aventure, et " + mondes[i + 1].second +
                                      " et les suivants ne seront jamais joués.",
                                  manque));
  }
  for (auto &m : mondes)
    a.mondes.push_back(std::move(m.second));
  return a;
}

VerificationAventure verifie_aventure_dossier(const std::string &dossier,
                                              const std::string &edite) {
  std::vector<std::string> noms;
  std::error_code ec;
  for (fs::directory_iterator it(dossier.empty() ? fs::path(".") : fs::path(dossier), ec), fin;
       !ec && it != fin; it.increment(ec))
    noms.push_back(it->path().filename().string());
  VerificationAventure a = verifie_aventure(std::move(noms), edite);
  if (a.mondes.empty())
    a.constats.insert(
        a.constats.begin(),
        {"",
         ec ? constat_dossier("unreadable",
                              "Le dossier ne peut pas être lu : " + ec.message() + ".", dossier)
            : constat_dossier("no-labyrinth",
                              "Le dossier ne contient aucun labyrinthe monde_N.lab.", dossier)});
  return a;
}
