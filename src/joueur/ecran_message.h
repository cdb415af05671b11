#pragma once
// A card over the game's view: a title, a text, and a row of buttons (the title and
// mission before play, the next labyrinth between two, the end and its score, the pause).
// The first button is the default: Return presses it. A click on the card outside the
// buttons presses it too when the card says so (the title screen: "a click to begin").

#include <QFrame>
#include <QStringList>

class QLabel;
class QPushButton;
class QVBoxLayout;
class QHBoxLayout;

class EcranMessage : public QFrame {
  Q_OBJECT
public:
  explicit EcranMessage(QWidget *parent);

  // Shows the card with these texts and buttons (object names "bouton_" + rank).
  void montre(const QString &titre, const QString &texte, const QStringList &boutons,
              bool clic_suffit);
  QString titre() const;
  QString texte() const;

signals:
  // The rank of the button pressed.
  void choisi(int rang);

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;

private:
  QLabel *titre_;
  QLabel *texte_;
  QHBoxLayout *rangee_;
  QList<QPushButton *> boutons_;
  bool clic_suffit_ = false;
};
