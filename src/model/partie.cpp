#include "partie.h"

#include "lab_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

const char *nom_etat(Etat e) {
  switch (e) {
  case Etat::marche: return "marche";
  case Etat::enigme: return "enigme";
  case Etat::sortie: break;
  }
  return "sortie";
}

const char *nom_fait(Fait::Genre g) {
  switch (g) {
  case Fait::ignore: return "ignore";
  case Fait::tourne: return "tourne";
  case Fait::deplace: return "deplace";
  case Fait::bute_mur: return "bute_mur";
  case Fait::bute_grille: return "bute_grille";
  case Fait::bute_porte: return "bute_porte";
  case Fait::bute_bord: return "bute_bord";
  case Fait::porte_ouverte: return "porte_ouverte";
  case Fait::porte_derobee: return "porte_derobee";
  case Fait::cle_prise: return "cle_prise";
  case Fait::plan_pris: return "plan_pris";
  case Fait::enigme_posee: return "enigme_posee";
  case Fait::bonne_reponse: return "bonne_reponse";
  case Fait::mauvaise_reponse: return "mauvaise_reponse";
  case Fait::enigme_passee: return "enigme_passee";
  case Fait::teleporte: return "teleporte";
  case Fait::sortie: break;
  }
  return "sortie";
}

bool Issue::contient(Fait::Genre g) const {
  return std::any_of(faits.begin(), faits.end(), [g](const Fait &f) { return f.genre == g; });
}

namespace {

struct MotCoup {
  const char *mot;
  Coup::Genre genre;
};
constexpr MotCoup MOTS[] = {{"avance", Coup::avance},       {"recule", Coup::recule},
                            {"gauche", Coup::gauche},       {"droite", Coup::droite},
                            {"teleporte", Coup::teleporte}, {"ok", Coup::ok},
                            {"passe", Coup::passe}};

Issue ignoree() {
  return Issue{{Fait{}}};
}

Fait fait(Fait::Genre g, int salle = -1) {
  Fait f;
  f.genre = g;
  f.salle = salle;
  return f;
}

} // namespace

Avec<Coup> lit_coup(std::string_view mot) {
  Coup c;
  for (const MotCoup &m : MOTS)
    if (mot == m.mot) {
      c.genre = m.genre;
      return c;
    }
  if (mot.starts_with("tape:")) {
    c.genre = Coup::tape;
    c.texte = std::string(mot.substr(5));
    return c;
  }
  if (mot.starts_with("repond:")) {
    c.genre = Coup::repond;
    for (char ch : mot.substr(7)) {
      if (ch < '1' || ch > '0' + NB_REPONSES)
        return Resultat::echec("« " + std::string(mot) +
                               " » : les cases à cocher sont numérotées de 1 à 5");
      c.cochees |= 1u << (ch - '1');
    }
    return c;
  }
  return Resultat::echec("« " + std::string(mot) +
                         " » n'est pas un coup (avance, recule, gauche, droite, teleporte, "
                         "repond:CASES, tape:TEXTE, ok, passe)");
}

std::string ecrit_coup(const Coup &c) {
  for (const MotCoup &m : MOTS)
    if (m.genre == c.genre)
      return m.mot;
  if (c.genre == Coup::tape)
    return "tape:" + c.texte;
  std::string s = "repond:";
  for (int i = 0; i < NB_REPONSES; ++i)
    if ((c.cochees >> i) & 1u)
      s += static_cast<char>('1' + i);
  return s;
}

Partie::Partie(const Labyrinthe &lab, int depart, uint64_t graine)
    : lab_(std::make_shared<const Labyrinthe>(lab)), plateau_(lab), hasard_(graine),
      salle_(depart) {}

Avec<Partie> Partie::commence(const Labyrinthe &lab, uint64_t graine) {
  const Plateau plateau(lab);
  const std::vector<int> departs = plateau.departs();
  if (departs.empty())
    return Resultat::echec("Aucune salle de départ : le joueur ne peut pas commencer.");
  if (departs.size() > 1) {
    std::string noms;
    for (int d : departs)
      noms += (noms.empty() ? "" : ", ") + nom_salle(d);
    return Resultat::echec("Le labyrinthe a " + std::to_string(departs.size()) + " départs (" +
                           noms + ") : un labyrinthe n'en a qu'un.");
  }
  Partie p(lab, departs[0], graine);
  p.visitees_[static_cast<size_t>(departs[0])] = true;
  return p;
}

int Partie::nb_visitees() const {
  return static_cast<int>(std::count(visitees_.begin(), visitees_.end(), true));
}

GenreEnigme Partie::genre_enigme_montree() const {
  return etat_ == Etat::enigme ? plateau_.enigme[static_cast<size_t>(salle_)] : GenreEnigme::aucune;
}

void Partie::entre(int salle, Issue &issue) {
  salle_ = salle;
  visitees_[static_cast<size_t>(salle)] = true;
  if (plateau_.enigme[static_cast<size_t>(salle)] != GenreEnigme::aucune &&
      !resolues_[static_cast<size_t>(salle)]) {
    etat_ = Etat::enigme;
    essais_ = 0;
    issue.faits.push_back(fait(Fait::enigme_posee, salle));
    return;
  }
  recoit(issue);
}

// What the room holds, once its riddle is out of the way: a key only when the riddle is
// solved (or there is none), the map in any case.
void Partie::recoit(Issue &issue) {
  const auto i = static_cast<size_t>(salle_);
  const int32_t k = plateau_.salle[i];
  if (pris_[i])
    return;
  const bool resolue = plateau_.enigme[i] == GenreEnigme::aucune || resolues_[i];
  if (est_cle(k) && resolue) {
    pris_[i] = true;
    cles_ |= 1u << couleur_cle(k);
    Fait f = fait(Fait::cle_prise, salle_);
    f.couleur = couleur_cle(k);
    issue.faits.push_back(f);
  } else if (k == SALLE_PLAN) {
    pris_[i] = true;
    carte_ = true;
    issue.faits.push_back(fait(Fait::plan_pris, salle_));
  }
}

Issue Partie::pas(Direction vers) {
  if (etat_ != Etat::marche)
    return ignoree();
  Issue issue;
  const Cote cote = cote_salle(salle_, vers);
  const int32_t k = plateau_.cloison[static_cast<size_t>(cote.cloison)];
  Fait f = fait(Fait::bute_mur, salle_);
  f.cloison = cote.cloison;
  if (k == CLOISON_SORTIE) {
    etat_ = Etat::sortie;
    sortie_ = cote.cloison;
    f.genre = Fait::sortie;
    issue.faits.push_back(f);
    return issue;
  }
  if (!laisse_passer(k, cles_)) {
    f.genre = k == CLOISON_GRILLE ? Fait::bute_grille
              : est_porte(k)      ? Fait::bute_porte
                                  : Fait::bute_mur;
    if (est_porte(k))
      f.couleur = couleur_porte(k);
    issue.faits.push_back(f);
    return issue;
  }
  if (cote.salle < 0) {
    f.genre = Fait::bute_bord;
    issue.faits.push_back(f);
    return issue;
  }
  if (est_porte(k)) {
    f.genre = Fait::porte_ouverte;
    f.couleur = couleur_porte(k);
    issue.faits.push_back(f);
  } else if (k == CLOISON_PORTE_DEROBEE) {
    f.genre = Fait::porte_derobee;
    issue.faits.push_back(f);
  }
  Fait d = fait(Fait::deplace, cote.salle);
  d.depuis = salle_;
  d.cloison = cote.cloison;
  issue.faits.push_back(d);
  entre(cote.salle, issue);
  return issue;
}

Issue Partie::avance() {
  return pas(direction_);
}

Issue Partie::recule() {
  return pas(oppose(direction_));
}

Issue Partie::gauche() {
  if (etat_ != Etat::marche)
    return ignoree();
  direction_ = a_gauche(direction_);
  return Issue{{fait(Fait::tourne, salle_)}};
}

Issue Partie::droite() {
  if (etat_ != Etat::marche)
    return ignoree();
  direction_ = a_droite(direction_);
  return Issue{{fait(Fait::tourne, salle_)}};
}

Issue Partie::teleporte() {
  if (etat_ != Etat::marche)
    return ignoree();
  const int vers = destination_teleporteur(plateau_, salle_, hasard_);
  if (vers < 0)
    return ignoree();
  Issue issue;
  Fait f = fait(Fait::teleporte, vers);
  f.depuis = salle_;
  issue.faits.push_back(f);
  entre(vers, issue);
  return issue;
}

void Partie::resout(Issue &issue) {
  resolues_[static_cast<size_t>(salle_)] = true;
  ++nb_resolues_;
  if (essais_ == 0)
    ++nb_premier_coup_;
  etat_ = Etat::marche;
  issue.faits.push_back(fait(Fait::bonne_reponse, salle_));
  recoit(issue);
}

Issue Partie::repond(Cochees cochees) {
  if (genre_enigme_montree() != GenreEnigme::choix)
    return ignoree();
  Issue issue;
  if (bon_choix(lab_->salles[static_cast<size_t>(salle_)], cochees)) {
    resout(issue);
  } else {
    ++essais_;
    issue.faits.push_back(fait(Fait::mauvaise_reponse, salle_));
  }
  return issue;
}

Issue Partie::tape(const std::string &texte_utf8) {
  if (genre_enigme_montree() != GenreEnigme::saisie)
    return ignoree();
  Issue issue;
  if (bonne_saisie(lab_->salles[static_cast<size_t>(salle_)], texte_utf8)) {
    resout(issue);
  } else {
    ++essais_;
    issue.faits.push_back(fait(Fait::mauvaise_reponse, salle_));
  }
  return issue;
}

Issue Partie::ok() {
  if (genre_enigme_montree() != GenreEnigme::message)
    return ignoree();
  Issue issue;
  resout(issue);
  return issue;
}

Issue Partie::passe() {
  if (etat_ != Etat::enigme)
    return ignoree();
  Issue issue;
  etat_ = Etat::marche;
  issue.faits.push_back(fait(Fait::enigme_passee, salle_));
  recoit(issue);
  return issue;
}

Issue Partie::joue(const Coup &c) {
  switch (c.genre) {
  case Coup::avance: return avance();
  case Coup::recule: return recule();
  case Coup::gauche: return gauche();
  case Coup::droite: return droite();
  case Coup::teleporte: return teleporte();
  case Coup::repond: return repond(c.cochees);
  case Coup::tape: return tape(c.texte);
  case Coup::ok: return ok();
  case Coup::passe: break;
  }
  return passe();
}

// --- The adventure -------------------------------------------------------------------------

std::optional<std::string_view> chiffres_monde(std::string_view nom) {
  constexpr std::string_view debut = "monde_", fin = ".lab";
  if (nom.size() <= debut.size() + fin.size())
    return std::nullopt;
  auto egal_sans_casse = [](std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return (x >= 'A' && x <= 'Z' ? x + 32 : x) == (y >= 'A' && y <= 'Z' ? y + 32 : y);
    });
  };
  if (!egal_sans_casse(nom.substr(0, debut.size()), debut) ||
      !egal_sans_casse(nom.substr(nom.size() - fin.size()), fin))
    return std::nullopt;
  const std::string_view chiffres =
      nom.substr(debut.size(), nom.size() - debut.size() - fin.size());
  if (std::any_of(chiffres.begin(), chiffres.end(), [](char c) { return c < '0' || c > '9'; }))
    return std::nullopt;
  return chiffres;
}

long numero_monde(std::string_view nom) {
  const std::optional<std::string_view> chiffres = chiffres_monde(nom);
  if (!chiffres || chiffres->size() > 9 || (chiffres->size() > 1 && (*chiffres)[0] == '0'))
    return -1;
  long valeur = 0;
  for (char c : *chiffres)
    valeur = valeur * 10 + (c - '0');
  return valeur;
}

std::optional<std::string> labyrinthe_suivant(const std::string &chemin) {
  const fs::path p(chemin);
  const long n = numero_monde(p.filename().string());
  if (n < 0)
    return std::nullopt;
  std::error_code ec;
  const fs::path exact = p.parent_path() / ("monde_" + std::to_string(n + 1) + ".lab");
  if (fs::is_regular_file(exact, ec))
    return exact.string();
  // Another letter case: the first such name in sorted order, whatever the listing's.
  const fs::path dossier = p.parent_path().empty() ? fs::path(".") : p.parent_path();
  std::optional<std::string> trouve;
  for (fs::directory_iterator it(dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
    const std::string nom = it->path().filename().string();
    std::error_code ec2;
    if (numero_monde(nom) == n + 1 && fs::is_regular_file(it->path(), ec2) &&
        (!trouve || nom < fs::path(*trouve).filename().string()))
      trouve = (p.parent_path() / nom).string();
  }
  return trouve;
}

Avec<Aventure> Aventure::ouvre(const std::string &chemin, uint64_t graine) {
  Monde m;
  Cree_Monde(m);
  if (Resultat r = charge_lab(chemin, m); !r)
    return r;
  Avec<Partie> p = Partie::commence(m, graine);
  if (!p)
    return p.resultat();
  return Aventure(chemin, std::move(p.valeur()), graine);
}

bool Aventure::a_une_suite() const {
  return partie_.etat() == Etat::sortie && labyrinthe_suivant(fichier_).has_value();
}

Resultat Aventure::passe_au_suivant() {
  if (partie_.etat() != Etat::sortie)
    return Resultat::echec("Le labyrinthe n'est pas terminé.");
  const std::optional<std::string> suivant = labyrinthe_suivant(fichier_);
  if (!suivant)
    return Resultat::echec("L'aventure est terminée : aucun labyrinthe ne suit.");
  Avec<Aventure> a = ouvre(*suivant, graine_);
  if (!a)
    return a.resultat();
  const int n = numero_ + 1;
  *this = std::move(a.valeur());
  numero_ = n;
  return Resultat::succes();
}
