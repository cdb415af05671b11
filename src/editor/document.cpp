#include "document.h"

#include <QFile>

#include <memory>

namespace {
// Several fields as one step; its children are the edits, already made when it is pushed.
class Groupe : public QUndoCommand {
public:
  explicit Groupe(const QString &nom) : QUndoCommand(nom) {}
  void redo() override {
    if (fait_)
      QUndoCommand::redo();
    fait_ = true;
  }

private:
  bool fait_ = false;
};
} // namespace

Document::Document(QObject *parent) : QObject(parent) {
  connect(&historique_, &Historique::cleanChanged, this, &Document::suit_historique);
  connect(&historique_, &Historique::indexChanged, this, &Document::suit_historique);
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

bool Document::pose(const Cible &cible, const Valeur &v) {
  return inscrit(::pose(monde_, cible, v));
}

bool Document::pas_cloison(int indice, int delta) {
  return inscrit(::pas_cloison(monde_, indice, delta));
}

bool Document::pas_salle(int indice, int delta) {
  return inscrit(::pas_salle(monde_, indice, delta));
}

bool Document::inscrit(std::optional<Changement> fait) {
  if (!fait || fait->avant == fait->apres)
    return false;
  historique_.push(new CommandeEdition(this, std::move(*fait)));
  return true;
}

bool Document::inscrit(std::optional<Changement> fait, QUndoCommand *groupe) {
  if (!fait || fait->avant == fait->apres)
    return false;
  auto *pas = new CommandeEdition(this, std::move(*fait), groupe);
  pas->redo(); // reports it now: the group's own first redo is not its children's
  return true;
}

bool Document::pose_ensemble(const std::vector<std::pair<Cible, Valeur>> &champs,
                             const QString &nom) {
  auto groupe = std::make_unique<Groupe>(nom);
  for (const auto &[cible, v] : champs)
    inscrit(::pose(monde_, cible, v), groupe.get());
  if (groupe->childCount() == 0)
    return false;
  historique_.push(groupe.release());
  return true;
}

void Document::debut_trait(const QString &nom) {
  fin_trait();
  trait_ouvert_ = true;
  nom_trait_ = nom;
}

bool Document::pose_dans_trait(const Cible &cible, const Valeur &v) {
  if (!trait_ouvert_)
    return pose(cible, v);
  // The step is made with its first change, so that a stroke over kinds already laid
  // leaves no empty step behind; the history takes it whole when the stroke ends.
  std::optional<Changement> fait = ::pose(monde_, cible, v);
  if (!fait || fait->avant == fait->apres)
    return false;
  if (!trait_)
    trait_ = std::make_unique<Groupe>(nom_trait_);
  return inscrit(std::move(fait), trait_.get());
}

void Document::fin_trait() {
  if (trait_)
    historique_.push(trait_.release());
  trait_ouvert_ = false;
}

void Document::choisit_salle(int indice) {
  salle_choisie_ = indice;
}

void Document::cree() {
  fin_trait();
  ::Cree_Monde(monde_);
  salle_choisie_ = -1;
  historique_.clear();
  suit_historique();
  nomme({});
  emit remplace();
}

void Document::efface() {
  fin_trait();
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
  fin_trait();
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

void Document::applique(Echange &e) {
  ::applique(monde_, e);
  emit change(e.cible, true);
}

CommandeEdition::CommandeEdition(Document *document, Changement fait, QUndoCommand *parent)
    : PasHistorique(parent), document_(document), echange_(echange_de(std::move(fait))) {}

void CommandeEdition::redo() {
  if (fait_) {
    document_->applique(echange_);
    return;
  }
  fait_ = true;
  document_->annonce(echange_.cible);
}

void CommandeEdition::undo() {
  document_->applique(echange_);
}
