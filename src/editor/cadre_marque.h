#pragma once
// The selection marker: a square outline drawn with a 2-pixel red pen and no fill. It is
// placed 2 pixels outside the selected room's image, which lies above it.

#include <QWidget>

class CadreMarque : public QWidget {
  Q_OBJECT

public:
  explicit CadreMarque(QWidget *parent);

  static constexpr int EPAISSEUR = 2;

protected:
  void paintEvent(QPaintEvent *event) override;
};
