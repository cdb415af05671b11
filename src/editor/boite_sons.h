#pragma once
// The sound environment: the group box "Environnement sonore" with one row per sound of the
// labyrinth (ambiance, footsteps, doors, teleporters, chests), each with its listen (P1..P5),
// load (OS1..OS5) and clear (E1..E5) button, and the hidden player TestSon that plays them.
//
// Loading and clearing a sound are edits of the labyrinth, made through the document (so
// they can be undone and count as unsaved changes); listening changes nothing. A listen
// button carries its play state in its tag (0 idle on "B1", 1 playing on "B2"); at most one
// button is playing after any listen click.

#include <QGroupBox>
#include <QPixmap>

#include <array>

#include "acces_fenetre.h"
#include "monde.h"

class Document;
class NomFichier;
class QToolButton;
class TMsMediaPlayer;
struct Cible;

class BoiteSons : public QGroupBox {
  Q_OBJECT

public:
  // Builds the box in `fenetre`, and TestSon there too, out of sight.
  BoiteSons(Document &document, AccesFenetre acces, QWidget *fenetre);

  // Every row idle on "B1", its listen and clear buttons disabled. The player is not
  // stopped: a sound being listened to plays on to its end.
  void reinitialise();
  // After a reading: each row's listen and clear buttons enabled exactly when the labyrinth
  // has a sound in that slot.
  void restaure();

private:
  void OSClick(int slot);
  void PClick(int slot);
  void EClick(int slot);
  void arrete_sons();
  void TestSonPlayStateChange(int etat);
  // Undo and redo of a sound: the row follows the slot; a playing sound is left alone.
  void montre_change(const Cible &cible, bool rejoue);
  void pose_etat(int slot, int etat);
  void montre_slot(int slot);

  Document &document_;
  AccesFenetre acces_;
  DialogueFichier ODS;
  QPixmap glyphe_B1; // listen: idle
  QPixmap glyphe_B2; // listen: playing
  std::array<QToolButton *, NB_SONS> P{};
  std::array<QToolButton *, NB_SONS> OS{};
  std::array<QToolButton *, NB_SONS> E{};
  // The sound's file name in each row, in the caption's free room left of its text.
  std::array<NomFichier *, NB_SONS> noms_{};
  TMsMediaPlayer *TestSon = nullptr;
};
