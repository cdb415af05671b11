#pragma once
// The textures: the group box "Textures" with the pictures of the walls (TM), floor (TS)
// and ceiling (TP), each stretched to its box. Clicking one chooses another bitmap; the
// choice is an edit of the labyrinth made through the document (undoable, an unsaved
// change), taken only once the picture has loaded.
//
// A texture is found by its bare name in the current folder, else in the start folder,
// where every chosen texture is copied: a labyrinth opened from another folder still
// shows the defaults.

#include <QGroupBox>
#include <QStringList>

#include <array>
#include <string>

#include "acces_fenetre.h"
#include "monde.h"

class Document;
class ImageEtiree;
class QLabel;
struct Cible;
struct InfoLecture;

class BoiteTextures : public QGroupBox {
  Q_OBJECT

public:
  BoiteTextures(Document &document, AccesFenetre acces, QWidget *fenetre);

  // The three textures the labyrinth names (building and clearing). Each one that cannot be
  // read is shown in the error box and leaves its image empty, rather than showing a
  // picture the labyrinth no longer names.
  void montre_textures();
  // After a reading: the textures the file named. Returns the messages of those that could
  // not be read, each image keeping its picture; the caller shows them.
  QStringList montre_lues(const InfoLecture &lu);

private:
  void TMClick(ImageEtiree *image);
  // Loads the picture of a bare name into texture `rang`'s image; the loader's message, or
  // "" when it loaded. On failure the image keeps its picture.
  QString charge(int rang, const std::string &nom);
  // Undo and redo of a texture: the image follows the labyrinth.
  void montre_change(const Cible &cible, bool rejoue);

  Document &document_;
  AccesFenetre acces_;
  DialogueFichier ODI;
  std::array<ImageEtiree *, NB_TEXTURES> images_{}; // TM, TS, TP
  std::array<QLabel *, NB_TEXTURES> titres_{};      // "Murs", "Sol", "Plafond"
};
