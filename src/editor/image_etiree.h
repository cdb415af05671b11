#pragma once
// A picture stretched to the widget's rectangle without keeping its proportions: the three
// texture pictures and the room panel's picture. Emits clic() on a completed left click
// (press and release over the widget).

#include <QPixmap>
#include <QWidget>

class ImageEtiree : public QWidget {
  Q_OBJECT

public:
  explicit ImageEtiree(QWidget *parent);

  // Takes a copy; a null pixmap empties the picture.
  void pose_picture(const QPixmap &picture);
  const QPixmap &picture() const { return picture_; }
  // The pixels the picture covers on the screen: what it is decoded for.
  QSize taille_montree() const;

signals:
  void clic(ImageEtiree *image);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  QPixmap picture_;
  bool presse_ = false;
};
