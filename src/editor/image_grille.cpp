#include "image_grille.h"

#include <QMouseEvent>
#include <QPainter>

ImageGrille::ImageGrille(QWidget *parent) : QWidget(parent) {
  setCursor(Qt::PointingHandCursor);
}

void ImageGrille::pose_picture(const QPixmap &picture) {
  picture_ = picture;
  repaint();
}

void ImageGrille::paintEvent(QPaintEvent *) {
  if (picture_.isNull())
    return;
  QPainter peintre(this);
  peintre.drawPixmap(0, 0, picture_);
}

void ImageGrille::mousePressEvent(QMouseEvent *event) {
  emit appui(this, event->button());
  event->accept();
}
