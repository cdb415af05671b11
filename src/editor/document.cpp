#include "document.h"

#include <QFile>

#include <memory>

Document::Document(QObject *parent) : QObject(parent) {
  connect(&historique_, &QUndoStack::cleanChanged, this, &Document::suit_historique);
  connect(&historique_, &QUndoStack::indexChanged, this, &Document::suit_historique);
}

void Document::suit_historique() {
  // The one place where the editor writes modifie: it mirrors the history.
  monde_.modifie = !historique_.isClean();
}

void Document::nomme(const QString &fichier) {
  if (fichier == fichier_)
    return;
  fichier_ = fichier;
  emit fichier_change();
}

namespace {
// The step of a change about to be made; null when the value is the one the field holds.
Changement *prevu(const Labyrinthe &l, const Cible &cible, const Valeur &v, Changement &c) {
  const std::optional<Valeur> avant = valeur(l, cible);
  if (!avant || *avant == v || avant->index() != v.index())
    return nullptr;
  c = Changement{cible, *avant, v};
  return &c;
}
} // namespace

bool Document::pose(const Cible &cible, const Valeur &v) {
  Changement c;
  if (!prevu(monde_, cible, v, c))
    return false;
  historique_.push(new CommandeEdition(this, std::move(c)));
  return true;
}

bool Document::pas_cloison(int indice, int delta) {
  if (indice < 0 || indice >= NB_CLOISONS_MAX)
    return false;
  const int32_t k = monde_.cloisons[static_cast<size_t>(indice)].contenu;
  return pose({Champ::contenu_cloison, indice, 0}, pas_de_type(k, delta, NB_TYPES_CLOISON));
}

bool Document::pas_salle(int indice, int delta) {
  if (indice < 0 || indice >= NB_SALLES_MAX)
    return false;
  const int32_t k = monde_.salles[static_cast<size_t>(indice)].contenu;
  return pose({Champ::contenu_salle, indice, 0}, pas_de_type(k, delta, NB_TYPES_SALLE));
}

bool Document::pose_ensemble(const std::vector<std::pair<Cible, Valeur>> &champs,
                             const QString &nom) {
  auto groupe = std::make_unique<QUndoCommand>(nom);
  for (const auto &[cible, v] : champs) {
    Changement c;
    if (prevu(monde_, cible, v, c))
      new CommandeEdition(this, std::move(c), groupe.get());
  }
  if (groupe->childCount() == 0)
    return false;
  historique_.push(groupe.release());
  return true;
}

void Document::choisit_salle(int indice) {
  salle_choisie_ = indice;
}

void Document::cree() {
  ::Cree_Monde(monde_);
  salle_choisie_ = -1;
  historique_.clear();
  suit_historique();
  nomme({});
  emit remplace();
}

void Document::efface() {
  ::efface_monde(monde_);
  salle_choisie_ = -1;
  historique_.clear();
  suit_historique();
  nomme({});
  emit remplace();
}

Resultat Document::charge(const std::string &chemin, InfoLecture *lu) {
  const Resultat r = charge_lab(chemin, monde_, lu);
  if (!r)
    return r;
  salle_choisie_ = -1;
  historique_.clear();
  suit_historique();
  nomme(QFile::decodeName(chemin.c_str()));
  emit remplace();
  return r;
}

Resultat Document::sauve(const std::string &chemin) {
  const Resultat r = sauve_lab(chemin, monde_);
  if (!r)
    return r;
  historique_.setClean();
  suit_historique();
  nomme(QFile::decodeName(chemin.c_str()));
  return r;
}

void Document::applique(const Cible &cible, const Valeur &v, bool rejoue) {
  if (::pose(monde_, cible, v))
    emit change(cible, rejoue);
}

CommandeEdition::CommandeEdition(Document *document, Changement changement, QUndoCommand *parent)
    : QUndoCommand(parent), document_(document), changement_(std::move(changement)) {}

void CommandeEdition::redo() {
  document_->applique(changement_.cible, changement_.apres, fait_);
  fait_ = true;
}

void CommandeEdition::undo() {
  document_->applique(changement_.cible, changement_.avant, true);
}
