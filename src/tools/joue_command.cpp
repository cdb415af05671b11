// dravo-lab joue [--graine N] FILE.lab [MOVE...]: plays the moves from the start and prints
// the final state as one JSON object, so that an author (or a test) proves a route works.

#include "json_texte.h"
#include "partie.h"
#include "texte_1252.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int usage_joue(const std::string &pourquoi) {
  std::fprintf(stderr,
               "dravo-lab joue: %s\nusage: dravo-lab joue [--graine N] FILE.lab [MOVE...]\n",
               pourquoi.c_str());
  return 2;
}

// A fact as the JSON names it: its kind, and the colour of a key or door ("cle_prise:rouge").
std::string texte_fait(const Fait &f) {
  std::string t = nom_fait(f.genre);
  if (f.couleur >= 0)
    t += std::string(":") + nom_couleur(f.couleur);
  return t;
}

bool lit_graine(const std::string &mot, uint64_t &graine) {
  if (mot.empty() || mot.size() > 19)
    return false;
  graine = 0;
  for (char c : mot) {
    if (c < '0' || c > '9')
      return false;
    graine = graine * 10 + static_cast<uint64_t>(c - '0');
  }
  return true;
}

const char *nom_genre(GenreEnigme g) {
  switch (g) {
  case GenreEnigme::choix: return "choix";
  case GenreEnigme::saisie: return "saisie";
  case GenreEnigme::message: return "message";
  default: return "insoluble";
  }
}

struct Tour {
  std::string coup;
  std::string suite; // the labyrinth gone on to before this move, if any
  Issue issue;
  std::string salle;
};

} // namespace

int commande_joue(const std::vector<std::string> &args) {
  uint64_t graine = 1;
  size_t i = 0;
  if (i < args.size() && args[i] == "--graine") {
    if (i + 1 >= args.size() || !lit_graine(args[i + 1], graine))
      return usage_joue("--graine takes a whole number");
    i += 2;
  }
  if (i >= args.size())
    return usage_joue("a .lab file is needed");
  const std::string fichier = args[i++];
  std::vector<Coup> coups;
  for (; i < args.size(); ++i) {
    Avec<Coup> c = lit_coup(args[i]);
    if (!c)
      return usage_joue(c.message());
    coups.push_back(c.valeur());
  }

  Avec<Aventure> ouverte = Aventure::ouvre(fichier, graine);
  if (!ouverte) {
    std::fprintf(stderr, "%s\n", texte_boite_erreur(ouverte.message()).c_str());
    return 1;
  }
  Aventure &aventure = ouverte.valeur();
  std::vector<Tour> tours;
  for (const Coup &c : coups) {
    Tour t;
    t.coup = ecrit_coup(c);
    // After an exit, the next move is played in the labyrinth that follows, if any.
    if (aventure.a_une_suite()) {
      if (Resultat r = aventure.passe_au_suivant(); !r) {
        std::fprintf(stderr, "%s\n", texte_boite_erreur(r.message()).c_str());
        return 1;
      }
      t.suite = aventure.fichier();
    }
    t.issue = aventure.partie().joue(c);
    t.salle = aventure.partie().nom();
    tours.push_back(std::move(t));
  }

  const Partie &p = aventure.partie();
  std::string out = "{\"fichier\": " + chaine_json(aventure.fichier()) +
                    ", \"labyrinthe\": " + std::to_string(aventure.numero()) + ", \"salle\": \"" +
                    p.nom() + "\", \"direction\": \"" + nom_direction(p.direction()) +
                    "\", \"etat\": \"" + nom_etat(p.etat()) + "\", \"cles\": [";
  bool premiere = true;
  for (int c = 0; c < NB_COULEURS; ++c)
    if (p.tient_cle(c)) {
      out += std::string(premiere ? "" : ", ") + "\"" + nom_couleur(c) + "\"";
      premiere = false;
    }
  out += "], \"carte\": " + std::string(p.carte() ? "true" : "false") +
         ", \"enigmes_resolues\": " + std::to_string(p.enigmes_resolues()) +
         ", \"du_premier_coup\": " + std::to_string(p.resolues_du_premier_coup()) +
         ", \"salles_visitees\": " + std::to_string(p.nb_visitees()) +
         ", \"aventure_terminee\": " + (aventure.terminee() ? "true" : "false");
  if (const Tsalle *e = p.enigme_montree())
    out += ", \"enigme\": {\"salle\": \"" + p.nom() + "\", \"genre\": \"" +
           nom_genre(p.genre_enigme_montree()) +
           "\", \"question\": " + chaine_json(utf8_depuis_1252(e->question)) + "}";
  out += ", \"evenements\": [";
  for (size_t k = 0; k < tours.size(); ++k) {
    const Tour &t = tours[k];
    out += std::string(k ? ", " : "") + "{\"coup\": " + chaine_json(t.coup);
    if (!t.suite.empty())
      out += ", \"suite\": " + chaine_json(t.suite);
    out += ", \"faits\": [";
    for (size_t f = 0; f < t.issue.faits.size(); ++f)
      out += std::string(f ? ", " : "") + "\"" + texte_fait(t.issue.faits[f]) + "\"";
    out += "], \"salle\": \"" + t.salle + "\"}";
  }
  out += "]}\n";
  std::fputs(out.c_str(), stdout);
  return 0;
}
