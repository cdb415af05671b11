#pragma once
// What a room of the editor window (the sound rows, the texture box, the room panel) asks
// of the window around it: the file dialogs, the check that a chosen name can be stored in
// a labyrinth, the one error box, and the start folder.

#include <QString>

#include <functional>

#include "dialogues_editeur.h"

struct AccesFenetre {
  // Shows a file dialog through the window's seam; a confirmed one remembers the file
  // chosen and makes its folder current. The full path, or "" when cancelled.
  std::function<QString(DialogueFichier &, GenreDialogue)> choisit_fichier;
  // False, after saying why in the error box, when the chosen file's name cannot be stored.
  std::function<bool(const QString &chemin)> nom_enregistrable;
  std::function<void(const QString &message)> erreur;
  // The start folder, ending in "/": where chosen files are copied, and where names are
  // looked up when the current folder lacks them.
  std::function<QString()> rep_appli;
};
