#pragma once
// The title and mission dialog: created hidden at start-up, shown modally by the editor's
// "Titre et Mission" button. For now an empty light-sky-blue window of its final size; the
// three text fields and the two buttons come later.

#include "fenetre_dialogue.h"

class TFtitre : public FenetreDialogue {
  Q_OBJECT

public:
  static constexpr int LARGEUR = 392;
  static constexpr int HAUTEUR = 466;

  explicit TFtitre(QWidget *parent = nullptr);
};
