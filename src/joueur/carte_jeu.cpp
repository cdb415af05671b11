#include "carte_jeu.h"

#include <QPainter>
#include <QPainterPath>

#include "partie.h"
#include "vue.h"

namespace {

// The colours of the locked doors and keys, black to yellow.
const QColor COULEURS[NB_COULEURS] = {QColor(20, 20, 20),  QColor(250, 250, 250),
                                      QColor(30, 90, 230), QColor(220, 30, 30),
                                      QColor(30, 170, 50), QColor(240, 210, 20)};

// The two rooms a partition lies between (-1 off the grid).
void salles_de(const PlaceCloison &c, int &a, int &b) {
  const int col_a = c.sens == 0 ? c.col : c.col - 1;
  const int lig_a = c.sens == 0 ? c.lig - 1 : c.lig;
  a = dans_la_grille(col_a, lig_a) ? indice_salle(col_a, lig_a) : -1;
  b = dans_la_grille(c.col, c.lig) ? indice_salle(c.col, c.lig) : -1;
}

} // namespace

bool salle_sur_carte(const Partie &partie, int salle) {
  return partie.carte() || partie.visitee(salle);
}

void dessine_carte(QPainter &p, const QRectF &cadre, const Partie &partie) {
  const Plateau &pl = partie.plateau();
  const double pas = std::min(cadre.width(), cadre.height()) / 10.5;
  const QPointF o(cadre.center().x() - 5 * pas, cadre.center().y() - 5 * pas);
  auto coin = [&](double col, double lig) { return o + QPointF(col * pas, lig * pas); };
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.fillRect(QRectF(coin(-0.2, -0.2), coin(10.2, 10.2)), QColor(40, 36, 30, 235));
  // The rooms.
  for (int s = 0; s < NB_SALLES_MAX; ++s) {
    if (!salle_sur_carte(partie, s))
      continue;
    const PlaceSalle ps = place_salle(s);
    const QRectF r(coin(ps.col, ps.lig), QSizeF(pas, pas));
    p.fillRect(r, partie.visitee(s) ? QColor(150, 130, 100) : QColor(105, 95, 80));
    const int contenu = pl.salle[static_cast<size_t>(s)];
    const QRectF marque = r.adjusted(pas * 0.3, pas * 0.3, -pas * 0.3, -pas * 0.3);
    if (est_cle(contenu) && !partie.objet_pris(s)) {
      p.setPen(QPen(Qt::black, 1));
      p.setBrush(COULEURS[couleur_cle(contenu)]);
      p.drawEllipse(marque);
    } else if (contenu == SALLE_TELEPORTEUR) {
      QPainterPath t;
      t.moveTo(marque.center().x(), marque.top());
      t.lineTo(marque.bottomRight());
      t.lineTo(marque.bottomLeft());
      t.closeSubpath();
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(220, 40, 40));
      p.drawPath(t);
    } else if (contenu == SALLE_PLAN && !partie.objet_pris(s)) {
      p.setPen(QPen(QColor(90, 70, 40), 1));
      p.setBrush(QColor(250, 240, 200));
      p.drawRect(marque);
    }
  }
  // The partitions around the rooms shown.
  for (int c = 0; c < NB_CLOISONS_MAX; ++c) {
    const PlaceCloison place = place_cloison(c);
    int a = -1, b = -1;
    salles_de(place, a, b);
    if (!((a >= 0 && salle_sur_carte(partie, a)) || (b >= 0 && salle_sur_carte(partie, b))))
      continue;
    const int type = pl.cloison[static_cast<size_t>(c)];
    const QPointF de = coin(place.col, place.lig);
    const QPointF a_ =
        place.sens == 0 ? coin(place.col + 1, place.lig) : coin(place.col, place.lig + 1);
    QPen trait(QColor(250, 244, 226), std::max(2.0, pas / 10), Qt::SolidLine, Qt::RoundCap);
    if (type == CLOISON_OUVERTE)
      continue;
    if (est_porte(type)) {
      trait.setColor(COULEURS[couleur_porte(type)]);
      trait.setWidthF(std::max(3.0, pas / 6));
      p.setPen(QPen(Qt::black, trait.widthF() + 2, Qt::SolidLine, Qt::FlatCap));
      p.drawLine(de, a_);
      trait.setCapStyle(Qt::FlatCap);
    } else if (type == CLOISON_SORTIE) {
      trait.setColor(QColor(60, 200, 240));
      trait.setWidthF(std::max(3.0, pas / 6));
    } else if (type == CLOISON_GRILLE) {
      trait.setColor(QColor(210, 160, 90));
      trait.setStyle(Qt::DotLine);
    }
    p.setPen(trait);
    p.drawLine(de, a_);
  }
  // The player: an arrow pointing where they look.
  const int s = partie.salle();
  const QPointF centre = coin(place_salle(s).col + 0.5, place_salle(s).lig + 0.5);
  QPainterPath fleche;
  fleche.moveTo(pas * 0.38, 0);
  fleche.lineTo(-pas * 0.28, pas * 0.26);
  fleche.lineTo(-pas * 0.12, 0);
  fleche.lineTo(-pas * 0.28, -pas * 0.26);
  fleche.closeSubpath();
  QTransform t;
  t.translate(centre.x(), centre.y());
  t.rotateRadians(angle_direction(partie.direction()));
  p.setPen(QPen(Qt::white, 1.5));
  p.setBrush(QColor(220, 30, 30));
  p.drawPath(t.map(fleche));
  p.restore();
}

CarteJeu::CarteJeu(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("carte"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  hide();
}

void CarteJeu::montre(const Partie *partie) {
  partie_ = partie;
  setVisible(partie != nullptr);
  if (partie)
    raise();
  update();
}

void CarteJeu::paintEvent(QPaintEvent *) {
  if (!partie_)
    return;
  QPainter p(this);
  dessine_carte(p, QRectF(rect()).adjusted(10, 34, -10, -6), *partie_);
  QFont police = font();
  police.setPixelSize(15);
  police.setBold(true);
  p.setFont(police);
  p.setPen(Qt::white);
  p.drawText(QRectF(rect()).adjusted(0, 8, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
             partie_->carte() ? QStringLiteral("Plan du labyrinthe (M pour le fermer)")
                              : QStringLiteral("Salles visitées (M pour fermer ; trouvez le "
                                               "plan pour voir tout le labyrinthe)"));
}
