// The test command: the labyrinth is saved, then tried in a player (Dravo.exe, else
// dravo-joueur) while the editor waits, hidden.

#include "fenetre_verification.h"
#include "lanceur_joueur.h"
#include "tform1.h"

void TForm1::SpeedButton6Click() {
  // Saved as Ctrl+S does: onto the labyrinth's own file, the dialog only for a labyrinth
  // never saved. A failed save has shown its error; a cancelled one shows nothing. Either
  // way the player is not started.
  if (commandes_->enregistre() != Issue::ecrit)
    return;
  // The file stays saved whatever the author answers.
  if (!accepte_test(*this))
    return;
  // The file just written, under its real name on disk.
  const QString fichier = document_.fichier();
  hide();
  lance_test(fichier);
  show();
}

bool TForm1::lance_test(const QString &fichier) {
  const Resultat lance = lance_joueur(fichier);
  if (lance)
    return true;
  // The author reads why with the window back, the file still saved.
  show();
  dialogues->erreur(QString::fromStdString(lance.message()));
  return false;
}
