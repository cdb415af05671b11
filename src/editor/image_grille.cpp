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

void ImageGrille::pose_cadre(bool cadre) {
  if (cadre == cadre_)
    return;
  cadre_ = cadre;
  update();
}

void ImageGrille::pose_marques(Marques marques) {
  if (marques == marques_)
    return;
  marques_ = marques;
  update();
}

namespace {
constexpr int COTE_MARQUE = 11;
const QColor FOND_MARQUE(255, 255, 225);
const QColor TRAIT_MARQUE(0, 0, 128);

// A small box in a corner: the kind's picture keeps its middle.
void case_marque(QPainter &p, const QRect &r) {
  p.setPen(TRAIT_MARQUE);
  p.setBrush(FOND_MARQUE);
  p.drawRect(r.adjusted(0, 0, -1, -1));
}
} // namespace

void ImageGrille::paintEvent(QPaintEvent *) {
  QPainter peintre(this);
  if (!picture_.isNull())
    peintre.drawPixmap(0, 0, picture_);
  const int l = width();
  const int h = height();
  if (marques_.enigme) {
    const QRect r(l - COTE_MARQUE, 0, COTE_MARQUE, COTE_MARQUE);
    case_marque(peintre, r);
    QFont f = font();
    f.setPixelSize(COTE_MARQUE - 1);
    f.setBold(true);
    peintre.setFont(f);
    peintre.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
  }
  if (marques_.image) {
    const QRect r(0, h - COTE_MARQUE, COTE_MARQUE, COTE_MARQUE);
    case_marque(peintre, r);
    // A mountain under a sun: the usual sign of a picture.
    const QPoint montagne[] = {r.bottomLeft() + QPoint(2, -2), r.center() + QPoint(-1, 0),
                               r.bottomRight() + QPoint(-2, -2)};
    peintre.setBrush(TRAIT_MARQUE);
    peintre.drawPolygon(montagne, 3);
    peintre.drawPoint(r.topRight() + QPoint(-3, 3));
  }
  if (marques_.media) {
    const QRect r(l - COTE_MARQUE, h - COTE_MARQUE, COTE_MARQUE, COTE_MARQUE);
    case_marque(peintre, r);
    // A note: a head and its stem.
    peintre.setBrush(TRAIT_MARQUE);
    peintre.drawEllipse(QRect(r.left() + 2, r.bottom() - 4, 4, 3));
    peintre.drawLine(r.left() + 5, r.bottom() - 3, r.left() + 5, r.top() + 2);
    peintre.drawLine(r.left() + 5, r.top() + 2, r.left() + 8, r.top() + 4);
  }
  if (cadre_) {
    peintre.setPen(QPen(QColor(0, 0, 255), 2));
    peintre.setBrush(Qt::NoBrush);
    peintre.drawRect(QRect(1, 1, l - 2, h - 2));
  }
}

void ImageGrille::mousePressEvent(QMouseEvent *event) {
  emit appui(this, event->button(), event->modifiers());
  event->accept();
}

void ImageGrille::mouseMoveEvent(QMouseEvent *event) {
  if (event->buttons() != Qt::NoButton)
    emit glisse(event->globalPosition().toPoint());
  event->accept();
}

void ImageGrille::mouseReleaseEvent(QMouseEvent *event) {
  emit relache();
  event->accept();
}
