#include "edition.h"

#include <algorithm>

namespace {

bool dans(int i, int n) {
  return i >= 0 && i < n;
}

// The field itself, typed; null when it does not exist.
template <typename T> T *champ(Labyrinthe &l, const Cible &c) {
  if (!cible_valide(c))
    return nullptr;
  Tsalle *s = dans(c.indice, NB_SALLES_MAX) ? &l.salles[static_cast<size_t>(c.indice)] : nullptr;
  const auto r = static_cast<size_t>(c.rang);
  void *p = nullptr;
  switch (c.champ) {
  case Champ::contenu_cloison: p = &l.cloisons[static_cast<size_t>(c.indice)].contenu; break;
  case Champ::contenu_salle: p = &s->contenu; break;
  case Champ::question: p = &s->question; break;
  case Champ::reponse: p = &s->reponses[r]; break;
  case Champ::bonne: p = &s->bonnes[r]; break;
  case Champ::image: p = &s->image; break;
  case Champ::media: p = &s->media; break;
  case Champ::texture: p = &l.texture(c.rang); break;
  case Champ::son: p = &l.son(c.rang); break;
  case Champ::titre_lab: p = &l.titre_lab; break;
  case Champ::mission: p = &l.mission; break;
  case Champ::message_fin: p = &l.message_fin; break;
  }
  return static_cast<T *>(p);
}

// The value type of each field.
int genre(Champ c) {
  switch (c) {
  case Champ::contenu_cloison:
  case Champ::contenu_salle: return 0;
  case Champ::bonne: return 1;
  default: return 2;
  }
}

// Whether the field belongs to a record the counters leave out.
bool au_dela_des_compteurs(const Labyrinthe &l, const Cible &c) {
  switch (c.champ) {
  case Champ::contenu_cloison: return c.indice >= l.nb_cloisons;
  case Champ::contenu_salle:
  case Champ::question:
  case Champ::reponse:
  case Champ::bonne:
  case Champ::image:
  case Champ::media: return c.indice >= l.nb_salles;
  default: return false;
  }
}

} // namespace

bool cible_valide(const Cible &c) {
  switch (c.champ) {
  case Champ::contenu_cloison: return dans(c.indice, NB_CLOISONS_MAX);
  case Champ::contenu_salle:
  case Champ::question:
  case Champ::image:
  case Champ::media: return dans(c.indice, NB_SALLES_MAX);
  case Champ::reponse:
  case Champ::bonne: return dans(c.indice, NB_SALLES_MAX) && dans(c.rang, NB_REPONSES);
  case Champ::texture: return dans(c.rang, NB_TEXTURES);
  case Champ::son: return dans(c.rang, NB_SONS);
  case Champ::titre_lab:
  case Champ::mission:
  case Champ::message_fin: return true;
  }
  return false;
}

std::optional<Valeur> valeur(const Labyrinthe &l, const Cible &c) {
  auto &m = const_cast<Labyrinthe &>(l);
  switch (genre(c.champ)) {
  case 0:
    if (const auto *p = champ<int32_t>(m, c))
      return Valeur{*p};
    break;
  case 1:
    if (const auto *p = champ<bool>(m, c))
      return Valeur{*p};
    break;
  default:
    if (const auto *p = champ<std::string>(m, c))
      return Valeur{*p};
  }
  return std::nullopt;
}

std::optional<Changement> pose(Labyrinthe &l, const Cible &c, Valeur v) {
  if (static_cast<int>(v.index()) != genre(c.champ))
    return std::nullopt;
  std::optional<Valeur> avant = valeur(l, c);
  if (!avant)
    return std::nullopt;
  std::optional<std::array<int32_t, 2>> compteurs;
  if (*avant != v && au_dela_des_compteurs(l, c)) {
    compteurs = std::array<int32_t, 2>{l.nb_cloisons, l.nb_salles};
    l.nb_cloisons = NB_CLOISONS_MAX;
    l.nb_salles = NB_SALLES_MAX;
  }
  std::visit([&](auto &&x) { *champ<std::decay_t<decltype(x)>>(l, c) = x; }, v);
  return Changement{c, std::move(*avant), std::move(v), compteurs};
}

Echange echange_de(Changement c) {
  Echange e{c.cible, std::move(c.avant), 0, 0, c.compteurs_avant};
  auto *avant = std::get_if<std::string>(&e.autre);
  const auto *apres = std::get_if<std::string>(&c.apres);
  if (!avant || !apres)
    return e;
  const size_t court = std::min(avant->size(), apres->size());
  e.debut = static_cast<size_t>(std::mismatch(avant->begin(),
                                              avant->begin() + static_cast<std::ptrdiff_t>(court),
                                              apres->begin())
                                    .first -
                                avant->begin());
  const auto reste = static_cast<std::ptrdiff_t>(court - e.debut);
  e.fin = static_cast<size_t>(
      std::mismatch(avant->rbegin(), avant->rbegin() + reste, apres->rbegin()).first -
      avant->rbegin());
  // Swapped rather than assigned: an assignment would keep the whole text's buffer.
  std::string milieu = avant->substr(e.debut, avant->size() - e.debut - e.fin);
  avant->swap(milieu);
  return e;
}

void applique(Labyrinthe &l, Echange &e) {
  if (e.compteurs) {
    std::swap((*e.compteurs)[0], l.nb_cloisons);
    std::swap((*e.compteurs)[1], l.nb_salles);
  }
  auto *milieu = std::get_if<std::string>(&e.autre);
  if (!milieu) {
    std::visit([&](auto &&x) { std::swap(*champ<std::decay_t<decltype(x)>>(l, e.cible), x); },
               e.autre);
    return;
  }
  std::string &texte = *champ<std::string>(l, e.cible);
  const size_t fin = std::min(e.fin, texte.size() - std::min(e.debut, texte.size()));
  std::string retire = texte.substr(e.debut, texte.size() - e.debut - fin);
  texte.replace(e.debut, retire.size(), *milieu);
  milieu->swap(retire);
}

size_t octets(const Echange &e) {
  const auto *texte = std::get_if<std::string>(&e.autre);
  return sizeof e + (texte ? texte->capacity() : 0);
}

int32_t pas_de_type(int32_t contenu, int delta, int32_t nombre) {
  const int32_t dans_plage = std::clamp<int32_t>(contenu, 0, nombre - 1);
  return (dans_plage + delta % nombre + nombre) % nombre;
}

std::optional<Changement> pas_cloison(Labyrinthe &l, int indice, int delta) {
  if (!dans(indice, NB_CLOISONS_MAX))
    return std::nullopt;
  const int32_t k = l.cloisons[static_cast<size_t>(indice)].contenu;
  return pose(l, {Champ::contenu_cloison, indice, 0}, pas_de_type(k, delta, NB_TYPES_CLOISON));
}

std::optional<Changement> pas_salle(Labyrinthe &l, int indice, int delta) {
  if (!dans(indice, NB_SALLES_MAX))
    return std::nullopt;
  const int32_t k = l.salles[static_cast<size_t>(indice)].contenu;
  return pose(l, {Champ::contenu_salle, indice, 0}, pas_de_type(k, delta, NB_TYPES_SALLE));
}
