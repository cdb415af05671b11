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
  // The index of the image's record (a grid image) or the kind it stands for (a legend
  // picture); read by the shared press handlers.
  Q_PROPERTY(int Tag MEMBER Tag)

public:
  explicit ImageGrille(QWidget *parent);

  int Tag = -1;

  // Takes a copy of the picture and repaints at once.
  void pose_picture(const QPixmap &picture);
  const QPixmap &picture() const { return picture_; }
  // A frame drawn over the picture: the legend's armed brush.
  void pose_cadre(bool cadre);
  bool cadre() const { return cadre_; }
  // The small marks in the corners of a room's image, over its kind's picture: "?" at the
  // top right for a riddle, a picture mark at the bottom left, a note at the bottom right.
  struct Marques {
    bool enigme = false;
    bool image = false;
    bool media = false;
    bool operator==(const Marques &) const = default;
  };
  void pose_marques(Marques marques);
  Marques marques() const { return marques_; }

signals:
  // Every press of a double click comes here too (QWidget routes the second press of a
  // double click through mousePressEvent).
  void appui(ImageGrille *image, Qt::MouseButton bouton, Qt::KeyboardModifiers touches);
  // While a button is held after a press here, the pointer moves (window's global
  // coordinates) and the release.
  void glisse(QPoint global);
  void relache();

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void mouseReleaseEvent(QMouseEvent *event) override;

private:
  QPixmap picture_;
  bool cadre_ = false;
  Marques marques_;
};
