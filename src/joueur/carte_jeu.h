#pragma once
// The map the player calls up with M: the rooms visited so far, or the whole labyrinth once
// the map was taken; around each room shown, its partitions (walls, grilles, the locked
// doors in their colours, the exits), a secret door drawn as the wall it looks like; the
// keys and teleporters of the rooms shown; the player as an arrow in their room, pointing
// where they look.

#include <QWidget>

class Partie;

// Paints the map of `partie` into `cadre` (a square is best).
void dessine_carte(QPainter &p, const QRectF &cadre, const Partie &partie);

// Whether the map shows room `salle` now.
bool salle_sur_carte(const Partie &partie, int salle);

class CarteJeu : public QWidget {
  Q_OBJECT
public:
  explicit CarteJeu(QWidget *parent);
  void montre(const Partie *partie);

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  const Partie *partie_ = nullptr;
};
