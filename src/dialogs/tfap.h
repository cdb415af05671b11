#pragma once
// The about box: created hidden at start-up, shown modally by the editor's about button.
// Nine credit lines scroll upward in a loop inside a black viewport, one pixel per step of a
// MoveTimer ticker started by each showing and stopped by each closing; "FERMER" closes the
// box and "Ecrire à l'auteur" opens the contact link through the desktop, whose failure is
// not reported. Controls are found by object name: P1, Gen, SpeedButton1, SpeedButton2.

#include <QPointer>

#include "fenetre_dialogue.h"

class MoveTimer;
class QFrame;
class QTextEdit;
class QToolButton;

class TFap : public FenetreDialogue {
  Q_OBJECT

public:
  static constexpr int LARGEUR = 354;
  static constexpr int HAUTEUR = 208;

  // The scroll step: the top of the text one pixel higher, and once the text has gone wholly
  // above a viewport `hauteur_vue` high, back just below it. A cycle has 2 * hauteur_vue + 1
  // positions.
  static constexpr int position_suivante(int haut, int hauteur_vue) {
    const int t = haut - 1;
    return t < -hauteur_vue ? hauteur_vue : t;
  }

  explicit TFap(QWidget *parent = nullptr);
  // Waits for the tickers still ending; the box is never shown then.
  ~TFap() override;

protected:
  void showEvent(QShowEvent *event) override;
  void hideEvent(QHideEvent *event) override;
  // Escape does not close the box: "FERMER" is the way out.
  void keyPressEvent(QKeyEvent *event) override;

private:
  void FormShow();
  void FormClose();
  void MoveTimerPas();
  void GenClick();
  void SpeedButton2Click();

  QFrame *P1 = nullptr;
  QTextEdit *Gen = nullptr;
  QToolButton *SpeedButton1 = nullptr;
  QToolButton *SpeedButton2 = nullptr;
  // The ticker of the last showing; a stopped ticker deletes itself when its thread ends.
  QPointer<MoveTimer> ticker;
};
