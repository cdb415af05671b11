#pragma once
// The about box: created hidden at start-up, shown modally by the editor's about button.
// For now an empty navy window of its final size; the credits come later.

#include "fenetre_dialogue.h"

class TFap : public FenetreDialogue {
  Q_OBJECT

public:
  static constexpr int LARGEUR = 354;
  static constexpr int HAUTEUR = 208;

  explicit TFap(QWidget *parent = nullptr);
};
