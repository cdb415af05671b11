#pragma once
// The data an installed editor carries (share/dravo-editeur): the three default textures,
// which stand in for folders that lack them. The folder is dossier_donnees's; a name of the
// model reaches a default texture there through fichier_du_nom (fichiers_editeur.h).

#include "dossier_donnees.h"
