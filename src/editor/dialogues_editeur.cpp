#include "dialogues_editeur.h"

#include "boite_erreur.h"

void DialoguesEditeurQt::erreur(const QString &message) {
  boite_erreur(fenetre_, message);
}
