#pragma once
// The data an installed Dravo carries (share/dravo-editeur): the three default textures,
// which stand in for a labyrinth's folder that lacks them. Shared by the editor and the player.

#include <QString>

// The installed data folder: beside the program (../share/dravo-editeur, so that an install
// moved elsewhere still finds its data), else in the system's data folders. Empty when the
// program runs without one, as from its build tree.
QString dossier_donnees();
