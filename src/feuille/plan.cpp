#include "plan.h"

#include "ressources.h"

#include <QFont>
#include <QPainter>
#include <QPen>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The editor's grid starts at (10, 10) of its window; on the map it starts after the label
// band, so editor coordinates move by this much.
constexpr int BANDE_ETIQUETTES = 40;
constexpr int DEBUT_GRILLE = 10;
constexpr qreal DECALAGE = BANDE_ETIQUETTES - DEBUT_GRILLE;
constexpr int TAILLE_ETIQUETTE = 22; // label letters, in map units

const QColor CONTOUR_SALLE(0xc8, 0xc8, 0xc8);
const QColor COULEUR_ETIQUETTE(0x40, 0x40, 0x40);
const QColor COULEUR_CADRE_ENIGME(0x1f, 0x3f, 0xa0);
const QColor COULEUR_ITINERAIRE(0xd0, 0x40, 0x10, 0xd8);
constexpr qreal TRAIT_ITINERAIRE = 5;   // in map units
constexpr qreal ECART_ITINERAIRE = 4.5; // each step's shift to the right of its way
constexpr qreal POINTE_ITINERAIRE = 14; // an arrow's length

struct ImagesTypes {
  std::array<QImage, NB_TYPES_CLOISON> h, v;
  std::array<QImage, NB_TYPES_SALLE> c;
};

const ImagesTypes &images_types() {
  static const ImagesTypes images = [] {
    ImagesTypes t;
    const auto charge = [](char lettre, int k) {
      return avec_transparence(ressource_bitmap(QLatin1Char(lettre) + QString::number(k)));
    };
    for (int k = 0; k < NB_TYPES_CLOISON; ++k) {
      t.h[static_cast<size_t>(k)] = charge('H', k);
      t.v[static_cast<size_t>(k)] = charge('V', k);
    }
    for (int k = 0; k < NB_TYPES_SALLE; ++k)
      t.c[static_cast<size_t>(k)] = charge('C', k);
    return t;
  }();
  return images;
}

const QImage AUCUNE_IMAGE;

QRectF rect_salle(int indice) {
  const PlaceSalle p = place_salle(indice);
  return {p.col * PAS_GRILLE + MARGE_SALLE + DECALAGE, p.lig * PAS_GRILLE + MARGE_SALLE + DECALAGE,
          TAILLE_SALLE, TAILLE_SALLE};
}

QRectF rect_cloison(int indice) {
  const PlaceCloison p = place_cloison(indice);
  if (p.sens == 0)
    return {p.col * PAS_GRILLE + MARGE_SALLE + DECALAGE,
            p.lig * PAS_GRILLE + MARGE_CLOISON + DECALAGE, LONGUEUR_CLOISON, EPAISSEUR_CLOISON};
  return {p.col * PAS_GRILLE + MARGE_CLOISON + DECALAGE,
          p.lig * PAS_GRILLE + MARGE_SALLE + DECALAGE, EPAISSEUR_CLOISON, LONGUEUR_CLOISON};
}

void dessine_etiquettes(QPainter &p) {
  QFont police;
  police.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
  police.setPixelSize(TAILLE_ETIQUETTE);
  police.setBold(true);
  p.setFont(police);
  p.setPen(COULEUR_ETIQUETTE);
  const qreal bande = BANDE_ETIQUETTES, bout = COTE_PLAN - BANDE_ETIQUETTES;
  for (int i = 0; i < COTE; ++i) {
    const qreal milieu = i * PAS_GRILLE + MARGE_SALLE + DECALAGE + TAILLE_SALLE / 2.0;
    const QString lettre(QChar(u'A' + i));
    const QString numero = QString::number(i + 1);
    for (qreal haut : {0.0, bout}) {
      p.drawText(QRectF(milieu - bande / 2, haut, bande, bande), Qt::AlignCenter, lettre);
      p.drawText(QRectF(haut, milieu - bande / 2, bande, bande), Qt::AlignCenter, numero);
    }
  }
}

// Scales the painter so that the map's units fill `cadre` as dessine_plan draws them.
void vers_unites_plan(QPainter &p, const QRectF &cadre) {
  const qreal cote = std::min(cadre.width(), cadre.height());
  p.translate(cadre.center() - QPointF(cote / 2, cote / 2));
  p.scale(cote / COTE_PLAN, cote / COTE_PLAN);
}

QPointF centre_salle(int indice) {
  return rect_salle(indice).center();
}

// An arrow head at `pointe`, pointing along `sens` (a unit vector).
void pointe(QPainter &p, QPointF pointe, QPointF sens) {
  const QPointF normale(-sens.y(), sens.x());
  const QPointF base = pointe - sens * POINTE_ITINERAIRE;
  p.drawPolygon(QPolygonF({pointe, base + normale * (POINTE_ITINERAIRE * 0.55),
                           base - normale * (POINTE_ITINERAIRE * 0.55)}));
}

QPointF unitaire(QPointF v) {
  const qreal n = std::hypot(v.x(), v.y());
  return n > 0 ? v / n : QPointF(0, 0);
}

} // namespace

const QImage &image_cloison(int sens, int32_t contenu) {
  if (!type_cloison_valide(contenu) || (sens != 0 && sens != 1))
    return AUCUNE_IMAGE;
  const ImagesTypes &t = images_types();
  return (sens == 0 ? t.h : t.v)[static_cast<size_t>(contenu)];
}

const QImage &image_salle(int32_t contenu) {
  if (!type_salle_valide(contenu))
    return AUCUNE_IMAGE;
  return images_types().c[static_cast<size_t>(contenu)];
}

void dessine_cadre_enigme(QPainter &peintre, const QRectF &salle) {
  // Drawn inside the room, over its picture, so that it never covers a partition.
  const qreal epaisseur = salle.width() * 3 / TAILLE_SALLE;
  QPen crayon(COULEUR_CADRE_ENIGME, epaisseur);
  crayon.setJoinStyle(Qt::MiterJoin);
  peintre.setPen(crayon);
  peintre.setBrush(Qt::NoBrush);
  const qreal d = epaisseur / 2;
  peintre.drawRect(salle.adjusted(d, d, -d, -d));
}

void dessine_plan(QPainter &p, const Monde &m, const QRectF &cadre) {
  p.save();
  vers_unites_plan(p, cadre);

  const int nb_salles = std::clamp(m.nb_salles, 0, NB_SALLES_MAX);
  const int nb_cloisons = std::clamp(m.nb_cloisons, 0, NB_CLOISONS_MAX);
  p.setPen(QPen(CONTOUR_SALLE, 1));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    p.drawRect(rect_salle(i).adjusted(0.5, 0.5, -0.5, -0.5));
  for (int i = 0; i < nb_cloisons; ++i) {
    const int sens = place_cloison(i).sens;
    const int32_t contenu = m.cloisons[static_cast<size_t>(i)].contenu;
    if (contenu != CLOISON_OUVERTE)
      if (const QImage &image = image_cloison(sens, contenu); !image.isNull())
        p.drawImage(rect_cloison(i), image);
  }
  for (int i = 0; i < nb_salles; ++i) {
    const Tsalle &s = m.salles[static_cast<size_t>(i)];
    if (s.contenu != SALLE_VIDE)
      if (const QImage &image = image_salle(s.contenu); !image.isNull())
        p.drawImage(rect_salle(i), image);
    if (!s.question.empty())
      dessine_cadre_enigme(p, rect_salle(i));
  }
  dessine_etiquettes(p);
  p.restore();
}

void dessine_itineraire(QPainter &p, const Itineraire &route, const QRectF &cadre) {
  if (route.depart < 0)
    return;
  p.save();
  vers_unites_plan(p, cadre);
  p.setRenderHint(QPainter::Antialiasing);
  QPen trait(COULEUR_ITINERAIRE, TRAIT_ITINERAIRE, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  QPen tirets = trait;
  tirets.setStyle(Qt::DashLine);
  tirets.setCapStyle(Qt::FlatCap);
  const QPointF depart = centre_salle(route.depart);
  p.setPen(Qt::NoPen);
  p.setBrush(COULEUR_ITINERAIRE);
  p.drawEllipse(depart, TRAIT_ITINERAIRE * 1.8, TRAIT_ITINERAIRE * 1.8);
  // The end of the line drawn so far: the next step joins it to its own start.
  QPointF bout = depart;
  for (const Etape &e : route.etapes) {
    const QPointF de = centre_salle(e.depuis);
    QPointF vers;
    if (e.genre == Etape::sortie) {
      // Out through the exit: to the partition's middle and a little beyond.
      const QPointF milieu = rect_cloison(e.cloison).center();
      vers = milieu + (milieu - de) * 0.45;
    } else {
      vers = centre_salle(e.salle);
    }
    const QPointF sens = unitaire(vers - de);
    const QPointF decale = e.genre == Etape::teleporte
                               ? QPointF(0, 0)
                               : QPointF(-sens.y(), sens.x()) * ECART_ITINERAIRE;
    const QPointF a = de + decale, b = vers + decale;
    p.setBrush(Qt::NoBrush);
    p.setPen(trait);
    if (bout != a)
      p.drawLine(bout, a);
    p.setPen(e.genre == Etape::teleporte ? tirets : trait);
    p.drawLine(a, b);
    p.setPen(Qt::NoPen);
    p.setBrush(COULEUR_ITINERAIRE);
    if (e.genre == Etape::sortie)
      pointe(p, b, sens);
    else
      pointe(p, (a + b) / 2 + sens * (POINTE_ITINERAIRE / 2), sens);
    bout = b;
  }
  p.restore();
}

QImage image_plan(const Monde &m, int cote, const Itineraire *route) {
  QImage image(cote, cote, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::TextAntialiasing);
  dessine_plan(p, m, QRectF(0, 0, cote, cote));
  if (route)
    dessine_itineraire(p, *route, QRectF(0, 0, cote, cote));
  return image;
}
