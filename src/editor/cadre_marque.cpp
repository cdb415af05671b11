#include "cadre_marque.h"

#include <QPainter>

CadreMarque::CadreMarque(QWidget *parent) : QWidget(parent) {}

void CadreMarque::paintEvent(QPaintEvent *) {
  QPainter peintre(this);
  const QColor rouge(255, 0, 0);
  const int l = width();
  const int h = height();
  peintre.fillRect(0, 0, l, EPAISSEUR, rouge);
  peintre.fillRect(0, h - EPAISSEUR, l, EPAISSEUR, rouge);
  peintre.fillRect(0, 0, EPAISSEUR, h, rouge);
  peintre.fillRect(l - EPAISSEUR, 0, EPAISSEUR, h, rouge);
}
