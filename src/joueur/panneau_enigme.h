#pragma once
// The riddle panel over the game's view: the question, the room's picture (scaled keeping
// its proportions) and medium (a sound with play and stop, a video in the panel), then what
// the riddle expects: tick boxes for a choice, a text field for a typed answer, nothing for a
// plain message. Valider (OK for a message) hands the answer to the window as a move;
// Passer leaves the riddle. The window says whether the answer was right (dit_faux shows
// the wrong answer's words in the panel, which stays).
//
// Object names for the tests: "question", "image_enigme", "media_enigme", "choix_1" to
// "choix_5", "saisie", "valider", "passer", "verdict".

#include <QFrame>

#include <array>

#include "partie.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TMsMediaPlayer;

class PanneauEnigme : public QFrame {
  Q_OBJECT
public:
  explicit PanneauEnigme(QWidget *parent);

  // Shows the riddle of `salle`, its files found in the labyrinth's folder `dossier`. A
  // picture that cannot be read is left out (the pupil cannot mend it).
  void montre(const Tsalle &salle, GenreEnigme genre, const QString &dossier);
  // Hides the panel and stops its medium.
  void ferme();
  // A wrong answer: said in the panel, which stays for another try.
  void dit_faux();

signals:
  // The answer as a move: repond (with the boxes ticked), tape (with the text) or ok.
  void repond(const Coup &coup);
  void passe();

protected:
  void keyPressEvent(QKeyEvent *event) override;

private:
  void valide();

  QLabel *question_;
  QLabel *image_;
  TMsMediaPlayer *media_;
  std::array<QCheckBox *, NB_REPONSES> choix_{};
  QLineEdit *saisie_;
  QLabel *verdict_;
  QPushButton *valider_;
  QPushButton *passer_;
  GenreEnigme genre_ = GenreEnigme::aucune;
};
