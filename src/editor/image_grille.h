#pragma once
// A picture drawn at its natural size with its transparent pixels letting the background
// through: the grid's room and partition images and the legend pictures. It takes mouse
// presses over its whole rectangle, also where nothing is drawn (an open passage or an
// empty room is invisible but still clickable). The widget owns its copy of the picture;
// the window owns the widget.

#include <QPixmap>
#include <QWidget>

class ImageGrille : public QWidget {
  Q_OBJECT
  // The index of the image's record (a grid image) or -1; read by the shared press handlers.
  Q_PROPERTY(int Tag MEMBER Tag)

public:
  explicit ImageGrille(QWidget *parent);

  int Tag = -1;

  // Takes a copy of the picture and repaints at once.
  void pose_picture(const QPixmap &picture);
  const QPixmap &picture() const { return picture_; }

signals:
  // Every press of a double click comes here too (QWidget routes the second press of a
  // double click through mousePressEvent).
  void appui(ImageGrille *image, Qt::MouseButton bouton);

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;

private:
  QPixmap picture_;
};
