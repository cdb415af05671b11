#pragma once
// What a room of the editor window (the sound rows, the texture box, the room panel) asks
// of the window around it: the file dialogs, bringing a chosen file into the labyrinth's
// folder, the one error box, and where the labyrinth's files are found.

#include <QString>

#include <functional>
#include <optional>

#include "dialogues_editeur.h"
#include "fichiers_editeur.h"

struct AccesFenetre {
  // Shows a file dialog through the window's seam; a confirmed one remembers the file
  // chosen. The full path of an existing file, or "" when cancelled.
  std::function<QString(DialogueFichier &, GenreDialogue)> choisit_fichier;
  // The chosen file brought into the labyrinth's folder (importe_fichier): the bare name to
  // store, or nothing once the window has said why or the author cancelled.
  std::function<std::optional<QString>(const QString &chemin, SorteFichier sorte)> importe;
  std::function<void(const QString &message)> erreur;
  // Where the labyrinth's files are found: its folder, then the start folder.
  std::function<LieuxFichiers()> lieux;
};
