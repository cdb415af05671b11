#pragma once
// The data an installed editor carries (share/dravo-editeur): the three default textures,
// which stand in for a start folder that lacks them.

#include <QString>

#include <string>

#include "dossier_donnees.h"

// The file a texture name of the model resolves to: its last component in the current
// folder, else in the start folder (fichier_du_nom); a default texture ("Briques.bmp",
// "sol.bmp", "plafond.bmp") missing from both is taken from the data folder when it holds
// it. Otherwise the current folder's path, so the failure names it.
QString chemin_texture(const std::string &nom, const QString &rep_appli);
