#include "historique.h"

size_t octets_du_pas(const QUndoCommand &pas) {
  size_t n = sizeof(QUndoCommand) + static_cast<size_t>(pas.text().capacity()) * sizeof(QChar);
  if (const auto *mesure = dynamic_cast<const PasHistorique *>(&pas))
    n += mesure->octets_propres();
  for (int i = 0; i < pas.childCount(); ++i)
    n += octets_du_pas(*pas.child(i));
  return n;
}

Historique::Historique(QObject *parent) : QObject(parent) {}

Historique::~Historique() = default;

void Historique::annonce(bool avant_propre, int avant_index) {
  if (index_ != avant_index)
    emit indexChanged(index_);
  if (isClean() != avant_propre)
    emit cleanChanged(isClean());
}

void Historique::push(QUndoCommand *pas) {
  std::unique_ptr<QUndoCommand> tenu(pas);
  const bool avant_propre = isClean();
  const int avant_index = index_;
  tenu->redo();
  // The steps undone are gone for good; the clean state among them with them.
  while (count() > index_) {
    octets_ -= tailles_.back();
    tailles_.pop_back();
    pas_.pop_back();
  }
  if (propre_ > index_)
    propre_ = -1;
  tailles_.push_back(octets_du_pas(*tenu));
  octets_ += tailles_.back();
  pas_.push_back(std::move(tenu));
  ++index_;
  borne();
  annonce(avant_propre, avant_index);
}

void Historique::borne() {
  size_t premiers = 0;
  size_t liberes = 0;
  while (octets_ - liberes > limite_ && premiers + 1 < pas_.size()) {
    liberes += tailles_[premiers];
    ++premiers;
  }
  if (premiers == 0)
    return;
  const auto n = static_cast<std::ptrdiff_t>(premiers);
  pas_.erase(pas_.begin(), pas_.begin() + n);
  tailles_.erase(tailles_.begin(), tailles_.begin() + n);
  octets_ -= liberes;
  index_ -= static_cast<int>(premiers);
  propre_ = propre_ >= static_cast<int>(premiers) ? propre_ - static_cast<int>(premiers) : -1;
}

void Historique::undo() {
  if (!canUndo())
    return;
  const bool avant_propre = isClean();
  pas_[static_cast<size_t>(index_ - 1)]->undo();
  --index_;
  annonce(avant_propre, index_ + 1);
}

void Historique::redo() {
  if (!canRedo())
    return;
  const bool avant_propre = isClean();
  pas_[static_cast<size_t>(index_)]->redo();
  ++index_;
  annonce(avant_propre, index_ - 1);
}

void Historique::setClean() {
  const bool avant_propre = isClean();
  propre_ = index_;
  annonce(avant_propre, index_);
}

void Historique::clear() {
  const bool avant_propre = isClean();
  const int avant_index = index_;
  pas_.clear();
  tailles_.clear();
  octets_ = 0;
  index_ = 0;
  propre_ = 0;
  annonce(avant_propre, avant_index);
}

void Historique::pose_limite(size_t octets) {
  limite_ = octets;
  const bool avant_propre = isClean();
  const int avant_index = index_;
  borne();
  annonce(avant_propre, avant_index);
}
