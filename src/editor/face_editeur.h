#pragma once
// What the check window (F7, the test command's question) and printing (Ctrl+P) ask of the
// editor window: the labyrinth as it stands, the room panel stored into it first, a room
// selected, the dialogs, the grid to outline a partition on, and the window to belong to.
// TForm1 is the one editor; the face keeps those two from depending on all of it.

#include "fichiers_editeur.h"
#include "monde.h"

#include <QString>

class DialoguesEditeur;
class Grille;
class QWidget;

class FaceEditeur {
public:
  // The room panel stored into the selected room, as Save does first.
  virtual void stocke_panneau() = 0;
  virtual const Monde &monde() const = 0;
  // Selects a room as the grid's middle press does, its kind untouched and nothing marked
  // as changed.
  virtual void montre_salle(int indice) = 0;
  virtual DialoguesEditeur &boites() const = 0;
  virtual Grille &grille() const = 0;
  // The window the check window belongs to and the shortcuts are bound on.
  virtual QWidget &fenetre() = 0;
  // Where the labyrinth's files are found: its own folder first.
  virtual LieuxFichiers lieux() const = 0;

protected:
  ~FaceEditeur() = default;
};
