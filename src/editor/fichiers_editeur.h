#pragma once
// The window's side of the files a labyrinth names (textures, sounds, room pictures and
// media): the labyrinth's folder where they live, where a name is found, how a chosen file
// comes into that folder, and how saving into another folder brings them along.
//
// A name read from a .lab may carry folders ("../../x.bmp"); only its last component is
// looked up, the model keeping the name as read so that saving gives it back unchanged.
// Nothing is looked up through the process's current folder.

#include <QString>
#include <QStringList>

#include <optional>
#include <string>

#include "resultat.h"

class DialoguesEditeur;
struct Labyrinthe;

// Where the files of the labyrinth being edited are looked for, in this order.
struct LieuxFichiers {
  // The labyrinth's folder: the folder of the file being edited, or the start folder for a
  // labyrinth never saved or opened. Where chosen files are copied and the player looks.
  QString labyrinthe;
  // The start folder (the work folder the editor started in).
  QString depart;
};

// The labyrinth's folder of a file being edited ("" for none: the start folder).
QString dossier_du_labyrinthe(const QString &fichier_edite, const QString &depart);

// The file a name of the model (Windows-1252) resolves to: its last component in the
// labyrinth's folder, then in the start folder, then, for a default texture, in the
// installed data. Only a regular file counts (never a pipe or a device, which a reader or
// the media player would wait on for ever), and not a link leading out of its folder.
// Empty when none holds it.
QString fichier_du_nom(const std::string &nom, const LieuxFichiers &lieux);

// The bare name of a chosen file as the model stores it (Windows-1252).
std::string nom_du_modele(const QString &nom);

// Why a chosen file's name cannot be stored in a labyrinth (one line of the file, in
// Windows-1252): a line break or another control character, or characters outside
// Windows-1252. Empty when it can.
QString nom_refuse(const QString &nom);

// The loader's message for a picture, in French for the author, naming the file by `nom`
// and keeping the loader's own text in brackets: « L'image « paris.jpg » ne peut pas être
// lue : le fichier est abîmé ou n'est pas une image JPEG (JPEG error #53). » `quoi` is
// "L'image" or "La texture".
QString message_image(const QString &quoi, const QString &nom, const std::string &message);

// A file the labyrinth names that none of the places holds: « La texture « murs.bmp » est
// introuvable dans le dossier du labyrinthe « … » (ni dans le dossier de départ « … »). »
QString message_introuvable(const QString &quoi, const QString &nom, const LieuxFichiers &lieux);

// A failure to open or to save the labyrinth's own file, in French, naming the file and
// saying what to do, the model's text in brackets: « Le labyrinthe ne peut pas être
// enregistré dans « monde_1.lab » : le disque est plein ; libérez de la place puis
// enregistrez à nouveau (Disk full). »
enum class OperationLabyrinthe { ouverture, enregistrement };
QString message_labyrinthe(OperationLabyrinthe op, const QString &chemin,
                           const std::string &message);

// What a chosen file is, for the checks made before it comes into the labyrinth's folder.
enum class SorteFichier { image, texture, media, son };

// Brings the file the author chose (`chemin`, an existing file) into the labyrinth's
// folder and returns the bare name the labyrinth is to store; nothing (after saying why, or
// when the author cancelled) when it cannot be used. In order: the name must fit a line of
// the file; a sound or medium must be a regular file; a picture or texture must load;
// a file already in the labyrinth's folder is taken as it is (unless it is a link to a file
// outside the folder); another file of the same name there is replaced, kept beside
// (the chosen one copied as "paris-2.jpg") or left, as the author answers. `edite` is the
// labyrinth's own file (left out of the labyrinths the question names). Copies are made
// under a temporary name and renamed when complete.
std::optional<QString> importe_fichier(const QString &chemin, SorteFichier sorte,
                                       const LieuxFichiers &lieux, const QString &edite,
                                       DialoguesEditeur &dialogues);

// How an attempt to save ended.
enum class Issue { ecrit, annule, echec };

// Before the labyrinth is written into `dossier`: every file it names that the folder lacks
// is copied there from where the editor finds it (`sources`: the labyrinth's folder until
// now, the start folder, the installed default textures); files of the same names already
// there with other bytes are listed in one question (keep them, replace them, cancel the
// save). A copy that fails stops at once with the message naming the file and why.
Issue copie_fichiers_nommes(const Labyrinthe &l, const QString &dossier,
                            const LieuxFichiers &sources, DialoguesEditeur &dialogues);
