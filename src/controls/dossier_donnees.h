#pragma once
// The data an installed Dravo carries (share/dravo-editeur): the three default textures,
// which stand in for a labyrinth's folder that lacks them. Shared by the editor, the player
// and the view of dravo-lab.

#include <QString>

#include <string_view>

// The installed data folder: beside the program (../share/dravo-editeur, so that an install
// moved elsewhere still finds its data), else in the system's data folders. Empty when the
// program runs without one, as from its build tree.
QString dossier_donnees();

// The installed copy of a default texture ("Briques.bmp", "sol.bmp", "plafond.bmp") that a
// labyrinth's texture name `nom_1252` names by its last component: exactly as the editor
// reads names, or in any letter case as the player's system does (`casse`). Empty for another
// name or when none is installed.
QString texture_installee(std::string_view nom_1252, Qt::CaseSensitivity casse);
