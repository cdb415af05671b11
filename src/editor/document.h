#pragma once
// The labyrinth being edited as a document: the world (file content and session), the room
// selected, its undo history, and the one way to change it. Every edit of the labyrinth is a
// command on the history (CommandeEdition below), built on the model's edit API; the document says
// what changed through `change`, and the rooms of the window repaint from that signal.
// `modifie` follows the history: it is true exactly when the history is away from the
// state last saved, opened or created.

#include <QObject>

#include <QUndoCommand>
#include <memory>

#include <string>
#include <utility>
#include <vector>

#include "edition.h"
#include "historique.h"
#include "lab_file.h"
#include "monde.h"

class Document : public QObject {
  Q_OBJECT

public:
  explicit Document(QObject *parent = nullptr);

  const Monde &monde() const { return monde_; }
  // The world itself, for readers that fill it whole and for tests that arrange a state
  // no edit can reach (a damaged file's kinds). Edits go through the methods below.
  Monde &monde_brut() { return monde_; }
  Historique &historique() { return historique_; }

  // --- Edits of the labyrinth: each is one undoable step, none when nothing changes ---
  // Steps a partition's or a room's kind by delta (-1, 0, +1). True when the kind changed.
  bool pas_cloison(int indice, int delta);
  bool pas_salle(int indice, int delta);
  // Sets any field (edition.h names them: cible_question, cible_reponse, cible_bonne,
  // cible_image, cible_media, cible_texture, cible_son, Champ::titre_lab...). True when
  // the field changed.
  bool pose(const Cible &cible, const Valeur &valeur);
  // Sets several fields as one step named `nom`, made of the fields that differ; no step
  // when none does. True when a field changed.
  bool pose_ensemble(const std::vector<std::pair<Cible, Valeur>> &champs, const QString &nom);
  // A brush stroke: every field set between debut_trait and fin_trait is one step named
  // `nom`; a stroke that changes nothing leaves no step. A stroke still open when another
  // starts, or when the labyrinth is replaced, is closed first.
  void debut_trait(const QString &nom);
  bool pose_dans_trait(const Cible &cible, const Valeur &valeur);
  void fin_trait();
  bool trait_en_cours() const { return trait_ouvert_; }

  // --- The selection: not part of the file, not undone ---
  // The room selected on the grid, whose fields the room panel shows; -1 for none. A
  // labyrinth created, cleared or read has none.
  int salle_choisie() const { return salle_choisie_; }
  void choisit_salle(int indice);

  // --- Whole-labyrinth commands: each starts an empty history, nothing unsaved ---
  void cree();
  void efface();
  // Reads a file all or nothing; on failure the world is untouched and the history kept.
  Resultat charge(const std::string &chemin, InfoLecture *lu);
  // Save: the state written becomes the saved state and `chemin` the labyrinth's file. A
  // failed write changes nothing.
  Resultat sauve(const std::string &chemin);

  // The file of the labyrinth being edited, as its real path on disk: the one opened or
  // last saved; empty for a labyrinth created or cleared and never saved since. Saving
  // onto it replaces nothing the author did not choose.
  const QString &fichier() const { return fichier_; }

  // Swaps a field between its two values as undo or redo does, and reports it; the
  // commands' one way into the world.
  void applique(Echange &echange);
  // Reports an edit just made to the world.
  void annonce(const Cible &cible) { emit change(cible, false); }

signals:
  // A field of the labyrinth changed. `rejoue` is true when undo or redo changed it, false
  // on the edit itself (whose source, a control, already shows the new value).
  void change(const Cible &cible, bool rejoue);
  // The whole labyrinth was replaced (created, cleared or read).
  void remplace();
  // fichier() changed.
  void fichier_change();

private:
  // An edit the model has just made, recorded as a step; none when nothing changed.
  bool inscrit(std::optional<Changement> fait);
  // The same, as a child of `groupe`; false when nothing changed.
  bool inscrit(std::optional<Changement> fait, QUndoCommand *groupe);
  void suit_historique();
  void nomme(const QString &fichier);

  Monde monde_;
  Historique historique_;
  QString fichier_;
  int salle_choisie_ = -1;
  bool trait_ouvert_ = false; // between debut_trait and fin_trait
  // The stroke's step, made at its first change and pushed whole by fin_trait.
  std::unique_ptr<QUndoCommand> trait_;
  QString nom_trait_;
};

// One field changed, pushed once the model has made the change: its first redo only reports
// it; undo and every later redo swap the field between its two values. It keeps one value
// only (the one the field does not hold), and of a text the part that differs.
class CommandeEdition : public PasHistorique {
public:
  CommandeEdition(Document *document, Changement fait, QUndoCommand *parent = nullptr);
  void redo() override;
  void undo() override;
  size_t octets_propres() const override { return octets(echange_); }

private:
  Document *document_;
  Echange echange_;
  bool fait_ = false;
};
