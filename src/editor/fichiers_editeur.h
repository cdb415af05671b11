#pragma once
// The window's side of the files a labyrinth names (textures, sounds, room pictures and
// media): where such a file is found, and how a chosen file comes into the start folder.
//
// A name read from a .lab may carry folders ("../../x.bmp"); only its last component is
// looked up, the model keeping the name as read so that saving gives it back unchanged.

#include <QString>

#include <string>

// A name of the model (Windows-1252) as a file: its last component in the current folder,
// where the last dialog or an Open left it, or else in the start folder, where every chosen
// file was copied. When neither holds it, the path in the current folder (which the
// caller's loader then reports as missing).
QString fichier_du_nom(const std::string &nom, const QString &rep_appli);

// What a player is given for a name of the model: its last component, which the player
// resolves against the current folder, unless only the start folder holds the file. Empty
// stays empty.
QString url_du_nom(const std::string &nom, const QString &rep_appli);

// Copies the chosen file into the start folder unless it lies there, replacing a file of
// that name without asking; returns the bare name, whether or not the copy succeeded.
QString nom_copie(const QString &chemin, const QString &rep_appli);

// A name of the model as the author reads it, whole (folders included, as stored).
QString nom_affiche(const std::string &nom);

// The bare name of a chosen file as the model stores it (Windows-1252).
std::string nom_du_modele(const QString &nom);
