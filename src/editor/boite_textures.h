#pragma once
// The textures: the group box "Textures" with the pictures of the walls (TM), floor (TS)
// and ceiling (TP), each stretched to its box. Clicking one chooses another bitmap; the
// choice is an edit of the labyrinth made through the document (undoable, an unsaved
// change), taken only once the picture has loaded.
//
// A texture is found by its bare name in the labyrinth's folder, else in the start folder,
// else (a default one) in the installed data; a chosen texture is copied into the
// labyrinth's folder.

#include <QGroupBox>
#include <QStringList>

#include <array>
#include <string>

#include "acces_fenetre.h"
#include "monde.h"
#include "resultat.h"

class Document;
class ImageEtiree;
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
  // After a reading: the textures the file named. Those that cannot be read keep their
  // image's picture and come back as one failure, a line each; the caller shows it.
  Resultat montre_lues(const InfoLecture &lu);

private:
  void TMClick(ImageEtiree *image);
  // Loads the picture of a name into texture `rang`'s image; on failure (the file found
  // nowhere, or the loader's refusal, in French) the image keeps its picture.
  Resultat charge(int rang, const std::string &nom);
  // Undo and redo of a texture: the image follows the labyrinth.
  void montre_change(const Cible &cible, bool rejoue);

  Document &document_;
  AccesFenetre acces_;
  DialogueFichier ODI;
  std::array<ImageEtiree *, NB_TEXTURES> images_{}; // TM, TS, TP
};
