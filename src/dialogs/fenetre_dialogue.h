#pragma once
// What the two secondary windows share: no caption bar, a fixed client size, a plain
// background colour and the editor's default font.

#include <QColor>
#include <QDialog>

class FenetreDialogue : public QDialog {
  Q_OBJECT

public:
  FenetreDialogue(QWidget *parent, const QString &nom, int largeur, int hauteur, QColor fond);

protected:
  // Centred on the screen at every showing, whatever the parent window.
  void showEvent(QShowEvent *event) override;
};
