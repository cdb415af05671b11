#pragma once
// The files a labyrinth names (pictures, media, sounds), as the player finds them: only the
// last component of the name, in the labyrinth's own folder, and only a regular file (a
// folder, a pipe or a device is no picture and no sound, and is never opened).

#include <QString>

#include <string>

// The full path for `nom` (Windows-1252, as read from the file), or "" when the labyrinth's
// folder `dossier` holds no regular file of that name.
QString fichier_du_labyrinthe(const std::string &nom, const QString &dossier);
