// Opening a labyrinth file named without a dialog: Open's reading, used by Open itself and
// by the command line.

#include <QFile>

#include "document.h"
#include "lab_file.h"
#include "tform1.h"

bool TForm1::ouvre_fichier(const QString &chemin) {
  InfoLecture lu;
  // The path reaches the file system in its own encoding, never through the model's 1252
  // text, so a name with characters outside 1252 is still the file asked for.
  const Resultat r = document_.charge(QFile::encodeName(chemin).toStdString(), &lu);
  if (!r) {
    // The world is untouched, so the window, which shows it, is left as it is too.
    dialogues->erreur(message_labyrinthe(OperationLabyrinthe::ouverture, chemin, r.message()));
    return false;
  }
  montre_monde_lu(lu);
  return true;
}
