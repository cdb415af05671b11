#pragma once
// The view's pictures as a Qt program finds them: the labyrinth's three textures (the
// last component of each name, in the labyrinth's folder, under any letter case; a default
// texture missing there is taken from the installed data folder) and the kind pictures the
// program carries. And the view's pixels as a QImage.
//
// Nothing fails: a texture not found or not readable stays empty (the view draws it in a
// plain colour).

#include "monde.h"
#include "vue.h"

#include <QImage>
#include <QString>

#include <string>

// The file a texture name of the labyrinth resolves to; empty when none exists.
QString fichier_texture(const std::string &nom_1252, const QString &dossier_labyrinthe);

// Textures of `lab` (looked for beside it, in `dossier_labyrinthe`), decoded reduced to
// less than 1024 pixels a side, and kind pictures.
Decor charge_decor(const Labyrinthe &lab, const QString &dossier_labyrinthe);

// The pixels as a picture (a copy, Format_RGB32), and a picture as pixels.
QImage image_de(const Pixels &p);
Pixels pixels_de(const QImage &image);
