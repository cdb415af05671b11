#include "verification.h"

#include "fichiers.h"
#include "geometrie.h"
#include "lab_file.h"
#include "texte_1252.h"

#include <algorithm>
#include <array>
#include <dirent.h>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <unordered_map>

namespace fs = std::filesystem;

bool Verification::a_des_erreurs() const {
  return std::any_of(constats.begin(), constats.end(),
                     [](const Constat &c) { return c.gravite == Gravite::erreur; });
}

void ajoute_constat(Verification &v, Constat c) {
  if (c.gravite == Gravite::erreur)
    v.constats.insert(std::find_if(v.constats.begin(), v.constats.end(),
                                   [](const Constat &k) { return k.gravite != Gravite::erreur; }),
                      std::move(c));
  else
    v.constats.push_back(std::move(c));
}

namespace {

constexpr const char *COULEURS[NB_COULEURS] = {"noire", "blanche", "bleue",
                                               "rouge", "verte",   "jaune"};

size_t at(int i) {
  return static_cast<size_t>(i);
}

bool a_une_enigme(const Plateau &p, int salle) {
  return p.enigme[at(salle)] != GenreEnigme::aucune;
}
bool enigme_insoluble(const Plateau &p, int salle) {
  return p.enigme[at(salle)] == GenreEnigme::insoluble;
}

using Atteintes = std::array<bool, NB_SALLES_MAX>;

// The rooms the player reaches from `depart`: a walk through what the keys held let pass,
// repeated while it picks up a key it did not hold, since a new key may open new doors. A
// teleporter leads to every room its draw may pick.
Atteintes atteintes_depuis(const Plateau &p, int depart) {
  Cles cles = 0;
  Atteintes vues{};
  for (;;) {
    vues = {};
    std::array<int, NB_SALLES_MAX> pile;
    int haut = 0;
    auto visite = [&](int i) {
      if (!vues[at(i)]) {
        vues[at(i)] = true;
        pile[at(haut++)] = i;
      }
    };
    visite(depart);
    while (haut > 0) {
      const int i = pile[at(--haut)];
      if (p.salle[at(i)] == SALLE_TELEPORTEUR)
        for (int t : destinations_teleporteur(p, i))
          visite(t);
      for (Direction d : DIRECTIONS) {
        const Cote c = cote_salle(i, d);
        if (c.salle >= 0 && laisse_passer(p.cloison[at(c.cloison)], cles))
          visite(c.salle);
      }
    }
    Cles tenues = cles;
    for (int i = 0; i < NB_SALLES_MAX; ++i) {
      const int32_t k = p.salle[at(i)];
      if (vues[at(i)] && est_cle(k) && !enigme_insoluble(p, i))
        tenues |= 1u << couleur_cle(k);
    }
    if (tenues == cles)
      return vues;
    cles = tenues;
  }
}

bool sortie_atteinte(const Plateau &p, const Atteintes &vues) {
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    if (vues[at(i)])
      for (Direction d : DIRECTIONS)
        if (p.cloison[at(cote_salle(i, d).cloison)] == CLOISON_SORTIE)
          return true;
  return false;
}

// Places for the author, named as the teacher's sheet names them: "la salle C4",
// "la cloison entre C4 et D4", "le bord nord de C1".
std::string salle_txt(int i) {
  return "la salle " + nom_salle(i);
}

std::string cloison_txt(int i) {
  return nom_cloison(i);
}

std::string majuscule(std::string s) {
  if (!s.empty() && s[0] >= 'a' && s[0] <= 'z')
    s[0] = static_cast<char>(s[0] - 'a' + 'A');
  return s;
}

std::string guillemets(const std::string &nom_1252) {
  return "« " + utf8_depuis_1252(nom_1252) + " »";
}

Constat constat(const char *code, Gravite g, std::string message) {
  Constat c;
  c.code = code;
  c.gravite = g;
  c.message = std::move(message);
  return c;
}

Constat sur_salle(Constat c, int i) {
  const PlaceSalle p = place_salle(i);
  c.lieu = Lieu::salle;
  c.col = p.col;
  c.lig = p.lig;
  return c;
}

Constat sur_cloison(Constat c, int i) {
  const PlaceCloison p = place_cloison(i);
  c.lieu = Lieu::cloison;
  c.sens = p.sens;
  c.col = p.col;
  c.lig = p.lig;
  return c;
}

constexpr Gravite ERREUR = Gravite::erreur;
constexpr Gravite AVERT = Gravite::avertissement;

void verifie_depart_et_sorties(const Plateau &p, Verification &v) {
  const std::vector<int> departs = p.departs();
  const bool sortie =
      std::find(p.cloison.begin(), p.cloison.end(), CLOISON_SORTIE) != p.cloison.end();
  if (departs.empty())
    v.constats.push_back(
        constat("no-start", ERREUR, "Aucune salle de départ : le joueur ne peut pas commencer."));
  if (departs.size() > 1)
    for (int i : departs)
      v.constats.push_back(sur_salle(constat("several-starts", ERREUR,
                                             majuscule(salle_txt(i)) + " est l'un des " +
                                                 std::to_string(departs.size()) +
                                                 " départs : un labyrinthe n'en a qu'un."),
                                     i));
  if (!sortie)
    v.constats.push_back(
        constat("no-exit", ERREUR, "Aucune sortie : le labyrinthe ne peut pas être terminé."));

  Atteintes union_vues{};
  bool terminable = !departs.empty() && sortie;
  for (int d : departs) {
    const Atteintes vues = atteintes_depuis(p, d);
    for (size_t i = 0; i < vues.size(); ++i)
      union_vues[i] = union_vues[i] || vues[i];
    if (sortie && !sortie_atteinte(p, vues)) {
      terminable = false;
      v.constats.push_back(sur_salle(
          constat("exit-unreachable", ERREUR,
                  "Depuis le départ (" + salle_txt(d) +
                      "), le joueur ne peut atteindre aucune sortie : le labyrinthe ne peut "
                      "pas être terminé."),
          d));
    }
  }
  v.terminable = terminable;

  // What the player can never reach, once a start exists to reach from.
  if (departs.empty())
    return;
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    if (union_vues[at(i)])
      continue;
    const int32_t k = p.salle[at(i)];
    const char *quoi = est_cle(k)               ? "une clé"
                       : k == SALLE_TELEPORTEUR ? "un téléporteur"
                       : k == SALLE_PLAN        ? "le plan"
                       : a_une_enigme(p, i)     ? "une énigme"
                                                : nullptr;
    if (quoi)
      v.constats.push_back(sur_salle(constat("unreachable", AVERT,
                                             majuscule(salle_txt(i)) + " tient " + quoi +
                                                 " mais le joueur ne peut jamais l'atteindre."),
                                     i));
  }
}

const char *genre_cloison(int32_t k) {
  switch (k) {
  case CLOISON_OUVERTE: return "un passage ouvert";
  case CLOISON_PORTE_DEROBEE: return "une porte dérobée";
  default: return "une porte fermée à clé";
  }
}

// What the whole grid holds, for the findings of one record that depend on the others.
struct Inventaire {
  std::array<bool, NB_COULEURS> porte{}, cle{};
  size_t nb_teleporteurs = 0;

  explicit Inventaire(const Plateau &p) : nb_teleporteurs(p.teleporteurs().size()) {
    for (int32_t k : p.cloison)
      if (est_porte(k))
        porte[at(couleur_porte(k))] = true;
    for (int32_t k : p.salle)
      if (est_cle(k))
        cle[at(couleur_cle(k))] = true;
  }
};

// --- One function per finding on a room ---------------------------------------------------

void enigme_sans_reponse(const Plateau &p, int i, Verification &v) {
  if (!enigme_insoluble(p, i))
    return;
  v.constats.push_back(sur_salle(
      constat("riddle-unanswerable", ERREUR,
              "L'énigme de " + salle_txt(i) +
                  " ne peut pas être résolue : cochez une réponse non vide, ou laissez "
                  "seulement la réponse 1, sans case cochée, pour une réponse à taper." +
                  (est_cle(p.salle[at(i)]) ? " Le joueur n'obtiendra jamais la clé de cette salle."
                                           : "")),
      i));
}

void case_cochee_vide(const Tsalle &s, int i, Verification &v) {
  if (s.question.empty())
    return;
  std::string cases;
  for (size_t r = 0; r < NB_REPONSES; ++r)
    if (s.bonnes[r] && s.reponses[r].empty())
      cases += (cases.empty() ? "" : ", ") + std::to_string(r + 1);
  if (!cases.empty())
    v.constats.push_back(
        sur_salle(constat("ticked-empty-answer", AVERT,
                          "L'énigme de " + salle_txt(i) + " a une case cochée sans réponse (" +
                              cases + ") : le joueur ne peut pas la choisir."),
                  i));
}

void cle_sans_porte(const Plateau &p, const Inventaire &inv, int i, Verification &v) {
  const int32_t k = p.salle[at(i)];
  if (!est_cle(k) || inv.porte[at(couleur_cle(k))])
    return;
  const char *couleur = COULEURS[couleur_cle(k)];
  v.constats.push_back(
      sur_salle(constat("key-without-door", AVERT,
                        "La clé " + std::string(couleur) + " de " + salle_txt(i) +
                            " n'ouvre rien : le labyrinthe n'a pas de porte " + couleur + "."),
                i));
}

void teleporteur_seul(const Plateau &p, const Inventaire &inv, int i, Verification &v) {
  if (p.salle[at(i)] != SALLE_TELEPORTEUR || inv.nb_teleporteurs != 1)
    return;
  v.constats.push_back(sur_salle(
      constat("lonely-teleporter", AVERT,
              "Le téléporteur de " + salle_txt(i) +
                  " est le seul du labyrinthe : il faut au moins deux téléporteurs pour voyager."),
      i));
}

void type_de_salle_inconnu(const Tsalle &s, int i, Verification &v) {
  if (type_salle_valide(s.contenu))
    return;
  v.constats.push_back(
      sur_salle(constat("unknown-kind", AVERT,
                        majuscule(salle_txt(i)) + " a un type inconnu (" +
                            std::to_string(s.contenu) + ") : elle compte comme une salle vide."),
                i));
}

void salle_deplacee(const Tsalle &s, int i, Verification &v) {
  if (PlaceSalle{s.col, s.lig} == place_salle(i))
    return;
  v.constats.push_back(
      sur_salle(constat("misplaced-record", AVERT,
                        "La salle n° " + std::to_string(i + 1) +
                            " du fichier porte les coordonnées " + std::to_string(s.col) + "," +
                            std::to_string(s.lig) + " : l'éditeur la montre comme " + salle_txt(i) +
                            ", le lecteur peut la placer ailleurs."),
                i));
}

// --- One function per finding on a partition ----------------------------------------------

void porte_sans_cle(const Plateau &p, const Inventaire &inv, int i, Verification &v) {
  const int32_t k = p.cloison[at(i)];
  if (!est_porte(k) || inv.cle[at(couleur_porte(k))])
    return;
  const char *couleur = COULEURS[couleur_porte(k)];
  v.constats.push_back(sur_cloison(
      constat("door-without-key", AVERT,
              "La porte " + std::string(couleur) + " (" + cloison_txt(i) +
                  ") ne s'ouvre jamais : le labyrinthe n'a pas de clé " + couleur + "."),
      i));
}

void passage_au_bord(const Plateau &p, int i, Verification &v) {
  const int32_t k = p.cloison[at(i)];
  if (!cloison_au_bord(i) || !laisse_passer(k, TOUTES_LES_CLES))
    return;
  v.constats.push_back(sur_cloison(constat("open-border", AVERT,
                                           majuscule(cloison_txt(i)) + " porte " +
                                               genre_cloison(k) + " : il ne mène nulle part."),
                                   i));
}

void type_de_cloison_inconnu(const Tcloison &c, int i, Verification &v) {
  if (type_cloison_valide(c.contenu))
    return;
  v.constats.push_back(
      sur_cloison(constat("unknown-kind", AVERT,
                          majuscule(cloison_txt(i)) + " a un type inconnu (" +
                              std::to_string(c.contenu) + ") : elle compte comme un mur."),
                  i));
}

void cloison_deplacee(const Tcloison &c, int i, Verification &v) {
  if (PlaceCloison{c.sens, c.col, c.lig} == place_cloison(i))
    return;
  v.constats.push_back(sur_cloison(
      constat("misplaced-record", AVERT,
              "La cloison n° " + std::to_string(i + 1) + " du fichier porte les coordonnées " +
                  std::to_string(c.col) + "," + std::to_string(c.lig) + " et le sens " +
                  std::to_string(c.sens) + " : l'éditeur la montre comme " + cloison_txt(i) +
                  ", le lecteur peut la placer ailleurs."),
      i));
}

// The records' findings, rooms then partitions, each record's in a fixed order.
void verifie_salles(const Monde &m, const Plateau &p, Verification &v) {
  const Inventaire inv(p);
  for (int i = 0; i < p.nb_salles; ++i) {
    const Tsalle &s = m.salles[at(i)];
    enigme_sans_reponse(p, i, v);
    case_cochee_vide(s, i, v);
    cle_sans_porte(p, inv, i, v);
    teleporteur_seul(p, inv, i, v);
    type_de_salle_inconnu(s, i, v);
    salle_deplacee(s, i, v);
  }
  for (int i = 0; i < p.nb_cloisons; ++i) {
    const Tcloison &c = m.cloisons[at(i)];
    porte_sans_cle(p, inv, i, v);
    passage_au_bord(p, i, v);
    type_de_cloison_inconnu(c, i, v);
    cloison_deplacee(c, i, v);
  }
}

// --- Files -------------------------------------------------------------------------------

// Letter case as Windows ignores it, on Windows-1252 bytes: A-Z, the accented capitals
// À..Þ (but ×), and Š, Œ, Ž, Ÿ.
char minuscule_1252(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
    return static_cast<char>(u + 0x20);
  switch (u) {
  case 0x8A: return static_cast<char>(0x9A);
  case 0x8C: return static_cast<char>(0x9C);
  case 0x8E: return static_cast<char>(0x9E);
  case 0x9F: return static_cast<char>(0xFF);
  default: return c;
  }
}

std::string plie_1252(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), minuscule_1252);
  return s;
}

bool fichier_regulier(const fs::path &p) {
  std::error_code ec;
  return fs::is_regular_file(p, ec);
}

} // namespace

// Where a name of the world lies in the folder: under that very name, only under another
// letter case, as a link to a file outside the folder, or nowhere. A name is looked up by its
// last component, as the player does: "../../x.bmp" or "/etc/x" is "x.bmp" or "x" of the
// folder, never a file elsewhere. The folder is listed once (a listing costs far less than a
// look-up per name); a folder that cannot be listed is left to the system.
class ContenuDossier {
public:
  explicit ContenuDossier(const std::string &dossier) : dossier_(dossier.empty() ? "." : dossier) {}

  struct Trouve {
    enum { absent, exact, autre_casse, lien_exterieur } etat = absent;
    std::string nom_disque; // UTF-8, as the folder holds it
  };

  Trouve cherche(const std::string &nom_lu) {
    Trouve t;
    const std::string nom_1252(nom_dans_dossier(nom_lu));
    // A name holding a NUL cannot name a file; "." and ".." name folders.
    if (nom_1252.empty() || nom_1252 == "." || nom_1252 == ".." ||
        nom_1252.find('\0') != std::string::npos)
      return t;
    std::string nom = utf8_depuis_1252(nom_1252);
    liste();
    if (!liste_ok_) {
      const Genre g = genre(nom);
      if (g != Genre::autre) {
        t.etat = g == Genre::regulier ? Trouve::exact : Trouve::lien_exterieur;
        t.nom_disque = std::move(nom);
      }
      return t;
    }
    if (const auto it = fichiers_.find(nom); it != fichiers_.end() && it->second != Genre::autre) {
      t.etat = it->second == Genre::regulier ? Trouve::exact : Trouve::lien_exterieur;
      t.nom_disque = std::move(nom);
      return t;
    }
    plie();
    if (const auto it = plies_.find(plie_1252(nom_1252)); it != plies_.end()) {
      t.etat = Trouve::autre_casse;
      t.nom_disque = it->second;
    }
    return t;
  }

  fs::path chemin(const std::string &nom_disque) const { return dossier_ / nom_disque; }

private:
  enum class Genre { autre, regulier, lien_exterieur };

  Genre genre(const std::string &nom) const {
    const fs::path p = dossier_ / nom;
    if (lien_hors_du_dossier(dossier_.string(), p.string()))
      return Genre::lien_exterieur;
    return fichier_regulier(p) ? Genre::regulier : Genre::autre;
  }

  void liste() {
    if (liste_)
      return;
    liste_ = true;
    // readdir rather than a directory_iterator: the type comes with each name, and no path
    // is built for the hundreds of files an adventure folder holds.
    DIR *d = ::opendir(dossier_.c_str());
    if (!d)
      return;
    while (const dirent *e = ::readdir(d)) {
      Genre g = e->d_type == DT_REG ? Genre::regulier : Genre::autre;
      if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN)
        g = genre(e->d_name); // what a link names, and where
      fichiers_.emplace(e->d_name, g);
    }
    ::closedir(d);
    liste_ok_ = true;
  }

  void plie() {
    if (plie_)
      return;
    plie_ = true;
    for (const auto &[nom, g] : fichiers_) {
      // A name outside 1252 cannot be what a labyrinth names.
      if (g != Genre::regulier || !tient_en_1252(nom))
        continue;
      auto [it, nouveau] = plies_.emplace(plie_1252(utf8_vers_1252(nom)), nom);
      if (!nouveau && nom < it->second)
        it->second = nom; // the same choice whatever the listing order
    }
  }

  fs::path dossier_;
  bool liste_ = false, liste_ok_ = false, plie_ = false;
  std::unordered_map<std::string, Genre> fichiers_; // name on disk: what it is
  std::unordered_map<std::string, std::string> plies_;
};

namespace {

struct NomUtilise {
  const std::string *nom;
  const char *role; // "la texture des murs"; or "l'image de" and "le média de" a room
  bool image;       // a picture the editor's loader must read
  int salle;        // the room that names it, -1 for none
};

void verifie_nom(ContenuDossier &dossier, const NomUtilise &u, const ControleImage &image_valide,
                 Verification &v) {
  auto place = [&](Constat c) {
    c.nom = *u.nom;
    if (u.salle >= 0)
      c = sur_salle(std::move(c), u.salle);
    else
      c.lieu = Lieu::fichier;
    v.constats.push_back(std::move(c));
  };
  const ContenuDossier::Trouve t = dossier.cherche(*u.nom);
  // Only a finding needs its text: most names are simply there.
  auto quoi = [&] {
    return "Le fichier " + guillemets(*u.nom) + " (" + u.role +
           (u.salle >= 0 ? " " + salle_txt(u.salle) : std::string()) + ")";
  };
  if (t.etat == ContenuDossier::Trouve::lien_exterieur) {
    place(constat("link-outside", ERREUR,
                  quoi() + " est un lien vers un fichier hors du dossier du labyrinthe : "
                           "copiez le fichier lui-même dans le dossier."));
    return;
  }
  if (t.etat == ContenuDossier::Trouve::absent) {
    place(constat("missing-file", ERREUR, quoi() + " est absent du dossier du labyrinthe."));
    return;
  }
  if (t.etat == ContenuDossier::Trouve::autre_casse)
    place(constat("file-case", AVERT,
                  quoi() + " n'existe que sous le nom « " + t.nom_disque +
                      " » : le lecteur le trouve sous Windows, mais pas forcément ailleurs."));
  if (!u.image || !image_valide)
    return;
  if (const Resultat r = image_valide(dossier.chemin(t.nom_disque).string()); !r)
    place(constat("invalid-picture", ERREUR,
                  quoi() + " n'est pas une image que l'éditeur sait lire" +
                      (r.message().empty() ? std::string(".") : " : " + r.message())));
}

constexpr const char *ROLES_SONS[NB_SONS] = {"le son d'ambiance", "le son des pas",
                                             "le son des portes", "le son des téléporteurs",
                                             "le son des coffres"};
constexpr const char *ROLES_TEXTURES[NB_TEXTURES] = {"la texture des murs", "la texture du sol",
                                                     "la texture du plafond"};

} // namespace

void verifie_grille(const Monde &m, Verification &v) {
  const Plateau p(m);
  verifie_depart_et_sorties(p, v);
  verifie_salles(m, p, v);
}

MemoireDossiers::MemoireDossiers() = default;
MemoireDossiers::~MemoireDossiers() = default;

ContenuDossier &MemoireDossiers::contenu(const std::string &dossier) {
  std::unique_ptr<ContenuDossier> &c = dossiers_[dossier];
  if (!c)
    c = std::make_unique<ContenuDossier>(dossier);
  return *c;
}

void verifie_fichiers(const Monde &m, const std::string &dossier, const ControleImage &image_valide,
                      Verification &v, MemoireDossiers *memoire) {
  std::optional<ContenuDossier> seul;
  ContenuDossier &d = memoire ? memoire->contenu(dossier) : seul.emplace(dossier);
  const int nb_salles = std::clamp<int32_t>(m.nb_salles, 0, NB_SALLES_MAX);
  for (int i = 0; i < nb_salles; ++i) {
    const Tsalle &s = m.salles[static_cast<size_t>(i)];
    if (!s.image.empty())
      verifie_nom(d, {&s.image, "l'image de", true, i}, image_valide, v);
    if (!s.media.empty())
      verifie_nom(d, {&s.media, "le média de", false, i}, image_valide, v);
  }
  for (int k = 0; k < NB_SONS; ++k)
    if (!m.son(k).empty())
      verifie_nom(d, {&m.son(k), ROLES_SONS[k], false, -1}, image_valide, v);
  for (int k = 0; k < NB_TEXTURES; ++k)
    if (!m.texture(k).empty())
      verifie_nom(d, {&m.texture(k), ROLES_TEXTURES[k], true, -1}, image_valide, v);
}

Verification verifie_labyrinthe(const Monde &m, const std::string &dossier,
                                const ControleImage &image_valide, MemoireDossiers *memoire) {
  Verification v;
  verifie_grille(m, v);
  verifie_fichiers(m, dossier, image_valide, v, memoire);
  // Errors first, each group in the order found.
  std::stable_partition(v.constats.begin(), v.constats.end(),
                        [](const Constat &c) { return c.gravite == Gravite::erreur; });
  return v;
}

Verification verifie_fichier_lab(const std::string &chemin, const ControleImage &image_valide,
                                 MemoireDossiers *memoire) {
  Monde m;
  Cree_Monde(m);
  if (Resultat r = charge_lab(chemin, m); !r) {
    Verification v;
    Constat c = constat("unreadable", ERREUR,
                        "Le fichier ne peut pas être lu : " + texte_boite_erreur(r.message()));
    v.constats.push_back(std::move(c));
    return v;
  }
  return verifie_labyrinthe(m, fs::path(chemin).parent_path().string(), image_valide, memoire);
}
