#pragma once
// What dravo-joueur plays first: the file or folder named on the command line, else the one
// chosen in the open dialog; a labyrinth that cannot be played is explained in the error box
// and the open dialog comes back, until one plays or the dialog is cancelled.

#include <QString>

#include "resultat.h"

class FenetreJeu;

// The labyrinth an argument names: a folder is an adventure played from its monde_1.lab; a
// file is itself. Fails with a French message for a folder without monde_1.lab.
Avec<QString> labyrinthe_a_jouer(const QString &argument);

// The dialogs of the start, replaced by the tests.
class DialoguesJoueur {
public:
  virtual ~DialoguesJoueur() = default;
  // A .lab file chosen in the open dialog, "" when cancelled.
  virtual QString ouvrir() = 0;
  virtual void erreur(const QString &message) = 0;
};

// The real dialogs, over `parent`.
class DialoguesEcran : public DialoguesJoueur {
public:
  explicit DialoguesEcran(FenetreJeu *parent) : parent_(parent) {}
  QString ouvrir() override;
  void erreur(const QString &message) override;

private:
  FenetreJeu *parent_;
};

// Starts `fenetre` on `argument` ("" for the open dialog). Returns false when the author
// cancelled the open dialog before any labyrinth could be played (the program then ends).
bool demarre(FenetreJeu &fenetre, const QString &argument, DialoguesJoueur &dialogues);
