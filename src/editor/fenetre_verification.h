#pragma once
// "Can this labyrinth be finished?" in the editor: the check of the labyrinth as it stands
// (room panel included) against its folder, the window F7 shows with its findings, and the
// question the test command asks before starting the player on a labyrinth with errors.

#include <QWidget>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "verification.h"

class CadreMarque;
class FaceEditeur;
class QListWidget;
class QTimer;

// The labyrinth as it stands, the room panel stored into its room first, checked against
// the current folder (where its bare file names are looked for) with the editor's picture
// loader, which only asks whether each picture is readable.
Verification verifie_edition(FaceEditeur &editeur);

// The test command's question once the file is saved: true to start the player, either
// because the check finds no error or because the author answers Yes.
bool accepte_test(FaceEditeur &editeur);

// The findings of the check, one line each, errors first. Choosing a line shows its place on
// the grid: a room is selected (outline and panel, its kind untouched, nothing marked as
// changed), a partition outlined. Non-modal; shown again, it checks again, and while it is
// shown it checks again shortly after each change of the labyrinth. It opens beside the
// grid, over the room panel's side, and closes with its Fermer button or Escape.
//
// A labyrinth saved as monde_N.lab is one of the adventure of its folder: the window adds
// what the folder's names tell of that adventure (no monde_1.lab, a missing number, names
// the player never follows), the labyrinth being edited counted as present.
//
// The check runs off the user interface's thread, on a copy of the labyrinth taken when it
// starts: the editor stays responsive while the files are looked at, the list says that the
// check is under way, and a check started again cancels the one still running.
class FenetreVerification : public QWidget {
  Q_OBJECT

public:
  explicit FenetreVerification(FaceEditeur &editeur);
  ~FenetreVerification() override;

  // Checks again (cancelling a check under way); the findings come with verifiee().
  void actualise();
  bool en_cours() const { return en_cours_; }
  // The findings of the last check that ended; empty while one runs.
  const Verification &verification() const { return verification_; }
  // Shows the place of the finding at `rang` in the list (a row without place: nothing; a
  // row of several rooms of one kind, "3 salles de départ : A1, B1, C1", the first).
  void choisit(int rang);

signals:
  void verifiee();

protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;

private:
  // The findings of check number `tour`, dropped if another has started since.
  void recoit(unsigned tour, Verification v);
  // Cancels the check under way and waits for its thread, which stops at the next picture.
  void arrete();

  FaceEditeur &editeur_;
  QListWidget *liste_;
  CadreMarque *cadre_cloison_; // on the editor's grid, under the partition images
  QTimer *relance_;            // a check again once the edits pause
  Verification verification_;
  std::vector<int> lignes_; // each row's finding (a group's first)
  std::thread fil_;
  std::shared_ptr<std::atomic<bool>> annule_;
  unsigned tour_ = 0;
  bool en_cours_ = false;
};

// Binds F7 on the editor window: shows the check window, or checks again and raises it.
void installe_verification(FaceEditeur &editeur);
