#pragma once
// What the view draws a labyrinth with: its three textures, found as the editor finds them
// (the labyrinth's folder by bare name, then the installed default textures), and the kind
// pictures the program carries. A texture that is missing or cannot be read is left empty:
// the view paints its plain colour instead, and play goes on.

#include <QString>

#include "vue.h"

Decor decor_du_labyrinthe(const Labyrinthe &lab, const QString &dossier);
