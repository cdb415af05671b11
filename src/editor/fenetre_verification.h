#pragma once
// "Can this labyrinth be finished?" in the editor: the check of the labyrinth as it stands
// (room panel included) against its folder, the window F7 shows with its findings, and the
// question the test command asks before starting the player on a labyrinth with errors.

#include <QWidget>

#include "verification.h"

class CadreMarque;
class QListWidget;
class TForm1;

// The labyrinth as it stands, the room panel stored into its room first, checked against
// the current folder (where its bare file names are looked for) with the editor's picture
// loader.
Verification verifie_edition(TForm1 &editeur);

// The test command's question once the file is saved: true to start the player, either
// because the check finds no error or because the author answers Yes.
bool accepte_test(TForm1 &editeur);

// The findings of the check, one line each, errors first. Choosing a line shows its place on
// the grid: a room is selected (outline and panel, its kind untouched, nothing marked as
// changed), a partition outlined. Non-modal; shown again, it checks again.
class FenetreVerification : public QWidget {
  Q_OBJECT

public:
  explicit FenetreVerification(TForm1 *editeur);

  // Checks again and lists what is found.
  void actualise();
  const Verification &verification() const { return verification_; }
  // Shows the place of the finding at `rang` in the list (a row without place: nothing).
  void choisit(int rang);

protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;

private:
  TForm1 *editeur_;
  QListWidget *liste_;
  CadreMarque *cadre_cloison_; // on the editor's grid, under the partition images
  Verification verification_;
};

// Binds F7 on the editor window: shows the check window, or checks again and raises it.
void installe_verification(TForm1 *editeur);
