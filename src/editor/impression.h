#pragma once
// Ctrl+P in the editor: the teacher's sheet of the labyrinth as it stands (room panel
// included), printed through the system print dialog, which offers a PDF file too.

class FaceEditeur;

// Stores the room panel into its room, shows the print dialog for an A4 printer through the
// window's dialogs and, once accepted, prints the pages chosen. A sheet that cannot be
// printed is said in the error box. True when the sheet was printed.
bool imprime_feuille(FaceEditeur &editeur);

// Binds Ctrl+P on the editor window to imprime_feuille.
void installe_impression(FaceEditeur &editeur);
