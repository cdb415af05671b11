#include "image_etiree.h"

#include <QMouseEvent>
#include <QPainter>

ImageEtiree::ImageEtiree(QWidget *parent) : QWidget(parent) {}

void ImageEtiree::pose_picture(const QPixmap &picture) {
  picture_ = picture;
  update();
}

QSize ImageEtiree::taille_montree() const {
  return size() * devicePixelRatioF();
}

void ImageEtiree::paintEvent(QPaintEvent *) {
  if (picture_.isNull())
    return;
  QPainter peintre(this);
  peintre.setRenderHint(QPainter::SmoothPixmapTransform);
  peintre.drawPixmap(rect(), picture_);
}

void ImageEtiree::mousePressEvent(QMouseEvent *event) {
  presse_ = event->button() == Qt::LeftButton;
  event->accept();
}

void ImageEtiree::mouseReleaseEvent(QMouseEvent *event) {
  const bool clique =
      presse_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
  presse_ = false;
  event->accept();
  if (clique)
    emit clic(this);
}
