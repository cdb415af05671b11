#pragma once
// The five sounds of a labyrinth: the ambiance in a loop, and the footsteps, doors,
// teleporter and chests played on their events. A sound the labyrinth does not name, or
// whose file is missing or cannot be played, is silence: no message ever interrupts play.
//
// The multimedia back end is loaded with the first sound that is actually played, not at
// start-up, so that the window opens at once and a silent labyrinth never loads it.

#include <QObject>
#include <QString>

#include <array>

#include "monde.h"

class QAudioOutput;
class QMediaPlayer;

class SonsJeu : public QObject {
  Q_OBJECT
public:
  // The order of the labyrinth's sound slots.
  enum Son { ambiance = 0, pas, portes, teleporteur, coffres };

  explicit SonsJeu(QObject *parent = nullptr);
  ~SonsJeu() override;

  // Takes the sound names of `lab`, found in `dossier`; stops what played.
  void prend(const Labyrinthe &lab, const QString &dossier);
  // Plays a sound from its start (the ambiance loops until arrete).
  void joue(Son son);
  // Stops every sound.
  void arrete();
  // Pauses or resumes the ambiance (the pause screen).
  void suspend(bool oui);

  // The file each slot plays, "" for silence; and how many times it was asked to play.
  QString fichier(Son son) const { return fichiers_[son]; }
  int joues(Son son) const { return joues_[son]; }

private:
  std::array<QString, NB_SONS> fichiers_;
  std::array<int, NB_SONS> joues_{};
  std::array<QMediaPlayer *, NB_SONS> lecteurs_{};
  std::array<QAudioOutput *, NB_SONS> sorties_{};
};
