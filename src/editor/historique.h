#pragma once
// The undo history of the document: the steps of the author's edits, undone and redone in
// order, with the state last saved marked clean. It keeps its memory bounded: each step
// says what it holds (octets_du_pas), and when the steps kept exceed the limit the oldest
// ones are dropped, the newest step always kept. A history whose clean state was dropped
// is never clean again, as the file on disk can no longer be reached by undoing.
//
// The names follow QUndoStack's, which it replaces: QUndoStack can only limit the number of
// steps, and a step on a long text may weigh megabytes.

#include <QObject>
#include <QUndoCommand>

#include <cstddef>
#include <memory>
#include <vector>

// A step that knows what it holds beyond the command itself.
class PasHistorique : public QUndoCommand {
public:
  using QUndoCommand::QUndoCommand;
  virtual size_t octets_propres() const = 0;
};

// The memory a step holds: the command, what a PasHistorique says it keeps, its children.
size_t octets_du_pas(const QUndoCommand &pas);

class Historique : public QObject {
  Q_OBJECT

public:
  static constexpr size_t LIMITE_DEFAUT = size_t{64} << 20;

  explicit Historique(QObject *parent = nullptr);
  ~Historique() override;

  // Does the step (its redo) and keeps it, after dropping the steps undone before it; then
  // drops the oldest steps while the history holds more than its limit.
  void push(QUndoCommand *pas);
  void undo();
  void redo();
  bool canUndo() const { return index_ > 0; }
  bool canRedo() const { return index_ < count(); }
  int count() const { return static_cast<int>(pas_.size()); }
  int index() const { return index_; }
  bool isClean() const { return propre_ == index_; }
  void setClean();
  // No step at all, the state as it stands clean.
  void clear();

  // The memory the steps hold, and the limit beyond which the oldest are dropped.
  size_t octets() const { return octets_; }
  void pose_limite(size_t octets);

signals:
  void cleanChanged(bool propre);
  void indexChanged(int index);

private:
  // Emits what changed since `avant_propre` and `avant_index`.
  void annonce(bool avant_propre, int avant_index);
  void borne();

  std::vector<std::unique_ptr<QUndoCommand>> pas_;
  std::vector<size_t> tailles_;
  int index_ = 0;
  int propre_ = 0; // the index of the clean state; -1 once it was dropped
  size_t octets_ = 0;
  size_t limite_ = LIMITE_DEFAUT;
};
