// dravo-draw-resources: draws every picture the editor carries and writes it under
// resources/bitmaps and resources/textures. The files it writes are committed; this program
// documents how they were made and redraws them after a change of design.
//
//   dravo-draw-resources [--out DIR]     writes DIR/bitmaps/*, DIR/textures/* and the
//                                        programs' icons DIR/icons/SIZE/dravo-editeur.png
//                                        and DIR/icons/SIZE/dravo-joueur.png
//   dravo-draw-resources --sheet FILE    writes a contact sheet PNG of all pictures instead
//
// Every bitmap is drawn with the transparent-colour convention of the editor: the colour of
// the bottom-left pixel is keyed out exactly, so a motif never uses it, and the motif's outer
// edges are hard (no antialiasing blended into the key colour, which would leave a green or
// red fringe on screen). Antialiasing stays inside the motifs. Randomness comes from fixed
// random engines so that a redraw gives the same files.
//
// Exit status 0 on success, 1 when a file cannot be written (the message names it).

#include <QColor>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <vector>

#ifndef DRAVO_RESOURCES_SOURCE_DIR
#define DRAVO_RESOURCES_SOURCE_DIR "."
#endif

constexpr QRgb vert_cle = qRgb(0, 255, 0);
constexpr QRgb rouge_cle = qRgb(255, 0, 0);

// Colour under the edge pixels of a motif: the button-face grey the window is painted with
// (between Fusion's #efefef and the classic #d4d0c8), so the few half-covered pixels look
// antialiased on screen instead of being blended into the key colour.
constexpr int fond_r = 0xe2, fond_g = 0xe0, fond_b = 0xdc;

constexpr double pi = 3.14159265358979323846;

int borne(double v) {
  return std::clamp(static_cast<int>(std::lround(v)), 0, 255);
}

QRgb rgb(double r, double g, double b) {
  return qRgb(borne(r), borne(g), borne(b));
}

QRgb teinte(QRgb c, double f) {
  return rgb(qRed(c) * f, qGreen(c) * f, qBlue(c) * f);
}

QRgb melange(QRgb a, QRgb b, double t) {
  return rgb(qRed(a) + (qRed(b) - qRed(a)) * t, qGreen(a) + (qGreen(b) - qGreen(a)) * t,
             qBlue(a) + (qBlue(b) - qBlue(a)) * t);
}

double lisse(double a, double b, double x) {
  const double t = std::clamp((x - a) / (b - a), 0.0, 1.0);
  return t * t * (3.0 - 2.0 * t);
}

QImage toile(int l, int h) {
  QImage image(l, h, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  return image;
}

// Puts a motif drawn with antialiasing on a transparent canvas onto the key colour. Pixels
// covered less than about 40% become key colour, fully covered ones keep their colour, and the
// rest are mixed with the button-face grey. A motif pixel that happens to equal the key colour
// is moved one step away from it, so that only the ground is keyed out.
QImage sur_fond_cle(const QImage &motif, QRgb cle) {
  const QImage source = motif.convertToFormat(QImage::Format_ARGB32);
  QImage sortie(source.size(), QImage::Format_RGB32);
  for (int y = 0; y < source.height(); ++y) {
    for (int x = 0; x < source.width(); ++x) {
      const QRgb p = source.pixel(x, y);
      const int a = qAlpha(p);
      QRgb c;
      if (a < 100) {
        c = cle;
      } else if (a >= 250) {
        c = qRgb(qRed(p), qGreen(p), qBlue(p));
      } else {
        const double t = a / 255.0;
        c = rgb(qRed(p) * t + fond_r * (1 - t), qGreen(p) * t + fond_g * (1 - t),
                qBlue(p) * t + fond_b * (1 - t));
        if (c == cle)
          c = qRgb(qRed(c), qGreen(c), qBlue(c) ^ 1);
      }
      if (a >= 100 && (c & 0xffffff) == (cle & 0xffffff))
        c = qRgb(qRed(c) ^ (cle == rouge_cle ? 1 : 0), qGreen(c) ^ (cle == vert_cle ? 1 : 0),
                 qBlue(c));
      sortie.setPixel(x, y, c);
    }
  }
  // The bottom-left pixel names the transparent colour for the editor.
  sortie.setPixel(0, sortie.height() - 1, cle);
  return sortie;
}

// Mirror across the main diagonal: turns a horizontal partition into a vertical one while
// keeping the light on the top-left.
QImage transpose(const QImage &image) {
  QImage sortie(image.height(), image.width(), image.format());
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      sortie.setPixel(y, x, image.pixel(x, y));
  return sortie;
}

QPainter *peintre(QImage &image, QPainter &p) {
  p.begin(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  return &p;
}

// Strokes the outline under the fill: half the pen lies outside the shape, so the outline
// stays visible around small motifs.
void forme_cernee(QPainter &p, const QPainterPath &forme, const QBrush &remplissage, QColor trait,
                  double epaisseur) {
  p.setPen(QPen(trait, epaisseur * 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(forme);
  p.setPen(Qt::NoPen);
  p.setBrush(remplissage);
  p.drawPath(forme);
}

// ---------------------------------------------------------------------------------------
// Tileable value noise: the lattice wraps around, so textures built on it tile seamlessly.

class Bruit {
public:
  Bruit(int periode_x, int periode_y, std::mt19937 &alea)
      : px(periode_x), py(periode_y), valeurs(static_cast<std::size_t>(px * py)) {
    std::uniform_real_distribution<double> loi(0.0, 1.0);
    for (auto &v : valeurs)
      v = loi(alea);
  }

  // u, v in texture units: [0, 1) covers the lattice once.
  double en(double u, double v) const {
    const double x = u * px, y = v * py;
    const double fx = std::floor(x), fy = std::floor(y);
    const int x0 = modulo(static_cast<int>(fx), px), y0 = modulo(static_cast<int>(fy), py);
    const int x1 = (x0 + 1) % px, y1 = (y0 + 1) % py;
    const double tx = lisse(0, 1, x - fx), ty = lisse(0, 1, y - fy);
    const double a = val(x0, y0) + (val(x1, y0) - val(x0, y0)) * tx;
    const double b = val(x0, y1) + (val(x1, y1) - val(x0, y1)) * tx;
    return a + (b - a) * ty;
  }

private:
  static int modulo(int a, int n) { return ((a % n) + n) % n; }
  double val(int x, int y) const { return valeurs[static_cast<std::size_t>(y * px + x)]; }

  int px, py;
  std::vector<double> valeurs;
};

// Sum of octaves, each lattice twice as fine as the previous one; result in about [0, 1].
class Fractal {
public:
  Fractal(int px, int py, int octaves, std::mt19937 &alea) {
    for (int o = 0; o < octaves; ++o)
      couches.emplace_back(px << o, py << o, alea);
  }

  double en(double u, double v) const {
    double somme = 0, poids = 0, amplitude = 1;
    for (const auto &c : couches) {
      somme += c.en(u, v) * amplitude;
      poids += amplitude;
      amplitude *= 0.5;
    }
    return somme / poids;
  }

private:
  std::vector<Bruit> couches;
};

// ---------------------------------------------------------------------------------------
// Partition kinds (40 x 20, turned for the vertical 20 x 40 ones).

constexpr int cloison_l = 40, cloison_h = 20;
// The band covers rows 2..17; the two rows above and below stay transparent, which keeps
// the bottom-left pixel green and separates the band from the rooms on the grid.
constexpr int bande_haut = 2, bande_bas = 17;

// The six lock and key colours, in key order (key k opens door k + 2), each with a darker or
// lighter outline that keeps it readable on brick and on the grey window.
struct Couleur_serrure {
  QRgb fond;
  QRgb clair;
  QRgb trait;
};

const std::array<Couleur_serrure, 6> couleurs_serrures{{
    {qRgb(24, 24, 28), qRgb(110, 110, 118), qRgb(200, 200, 200)}, // black
    {qRgb(252, 252, 252), qRgb(255, 255, 255), qRgb(40, 40, 40)}, // white
    {qRgb(28, 86, 232), qRgb(110, 160, 255), qRgb(8, 24, 90)},    // blue
    {qRgb(226, 28, 28), qRgb(255, 120, 110), qRgb(80, 0, 0)},     // red
    {qRgb(0, 140, 48), qRgb(70, 200, 100), qRgb(0, 48, 12)},      // dark green
    {qRgb(255, 212, 0), qRgb(255, 240, 140), qRgb(100, 70, 0)},   // yellow
}};

// The shape mark of colour i, centred on c, about `taille` pixels across: dot, bar, cross,
// triangle, diamond, ring. The same mark appears on a key and on the doors it opens.
QPainterPath marque(int i, QPointF c, double taille) {
  QPainterPath f;
  const double r = taille / 2;
  switch (i) {
  case 0: f.addEllipse(c, r * 0.82, r * 0.82); break;
  case 1: f.addRect(QRectF(c.x() - r, c.y() - r * 0.38, 2 * r, r * 0.76)); break;
  case 2:
    f.addRect(QRectF(c.x() - r, c.y() - r * 0.3, 2 * r, r * 0.6));
    f.addRect(QRectF(c.x() - r * 0.3, c.y() - r, r * 0.6, 2 * r));
    f = f.simplified();
    break;
  case 3: {
    QPolygonF t;
    t << QPointF(c.x(), c.y() - r) << QPointF(c.x() + r * 1.02, c.y() + r * 0.8)
      << QPointF(c.x() - r * 1.02, c.y() + r * 0.8);
    f.addPolygon(t);
    f.closeSubpath();
    break;
  }
  case 4: {
    QPolygonF l;
    l << QPointF(c.x(), c.y() - r * 1.08) << QPointF(c.x() + r * 0.9, c.y())
      << QPointF(c.x(), c.y() + r * 1.08) << QPointF(c.x() - r * 0.9, c.y());
    f.addPolygon(l);
    f.closeSubpath();
    break;
  }
  default:
    f.setFillRule(Qt::OddEvenFill);
    f.addEllipse(c, r * 0.95, r * 0.95);
    f.addEllipse(c, r * 0.42, r * 0.42);
    break;
  }
  return f;
}

void dessine_marque(QPainter &p, int i, QPointF c, double taille) {
  const Couleur_serrure &k = couleurs_serrures[static_cast<std::size_t>(i)];
  forme_cernee(p, marque(i, c, taille), QColor(k.fond), QColor(k.trait), 0.75);
}

// Brick band, pixel by pixel: two courses in running bond, 1-pixel mortar joints, a darker
// rim, each brick with its own shade, a lit top edge and a shaded bottom edge.
QImage bande_briques() {
  QImage image = toile(cloison_l, cloison_h);
  std::mt19937 alea(1101);
  std::uniform_int_distribution<int> ecart(-14, 14);
  std::uniform_int_distribution<int> grain(-7, 7);
  const QRgb bord = qRgb(96, 36, 26);
  // Joints of the upper course (rows 3..9) and of the lower course (rows 11..16).
  const std::array<int, 3> joints_haut{6, 19, 32};
  const std::array<int, 2> joints_bas{13, 26};
  std::array<QRgb, 8> briques{};
  for (auto &b : briques) {
    const int d = ecart(alea);
    b = rgb(170 + d, 66 + d / 2 + ecart(alea) / 3, 46 + d / 3);
  }
  for (int y = bande_haut; y <= bande_bas; ++y) {
    for (int x = 0; x < cloison_l; ++x) {
      QRgb c;
      if (y == bande_haut || y == bande_bas || x == 0 || x == cloison_l - 1) {
        c = bord;
      } else if (y == 10) {
        c = rgb(200 + grain(alea), 190 + grain(alea), 174 + grain(alea));
      } else {
        const bool haut = y < 10;
        int brique = 0;
        bool joint = false;
        if (haut) {
          for (int j : joints_haut) {
            joint = joint || x == j;
            brique += x > j ? 1 : 0;
          }
        } else {
          for (int j : joints_bas) {
            joint = joint || x == j;
            brique += x > j ? 1 : 0;
          }
          brique += 4;
        }
        if (joint) {
          c = rgb(192 + grain(alea), 182 + grain(alea), 166 + grain(alea));
        } else {
          const int premiere = haut ? 3 : 11, derniere = haut ? 9 : 16;
          double f = 1.0;
          if (y == premiere)
            f = 1.18;
          else if (y == derniere)
            f = 0.84;
          const bool gauche = x == 1 ||
                              std::any_of(joints_haut.begin(), joints_haut.end(),
                                          [&](int j) { return haut && x == j + 1; }) ||
                              std::any_of(joints_bas.begin(), joints_bas.end(),
                                          [&](int j) { return !haut && x == j + 1; });
          if (gauche && y != derniere)
            f *= 1.08;
          const QRgb b = briques[static_cast<std::size_t>(brique)];
          const int g = grain(alea);
          c = rgb((qRed(b) + g) * f, (qGreen(b) + g / 2) * f, (qBlue(b) + g / 2) * f);
        }
      }
      image.setPixel(x, y, c);
    }
  }
  return image;
}

// Grey metal band of the exit: brushed steel shaded across the band, three plates with
// seams and rivets.
QImage bande_metal() {
  QImage image = toile(cloison_l, cloison_h);
  std::mt19937 alea(1109);
  std::uniform_int_distribution<int> brossage(-6, 6);
  std::array<int, cloison_l> colonne{};
  for (auto &c : colonne)
    c = brossage(alea);
  const std::array<int, 2> soudures{13, 26};
  for (int y = bande_haut; y <= bande_bas; ++y) {
    // Light near the top, a bright streak, darker towards the bottom: a slightly
    // rounded plate lit from above.
    const double t = (y - bande_haut) / double(bande_bas - bande_haut);
    const double niveau = 206 - 78 * t + 26 * std::exp(-std::pow((t - 0.22) / 0.12, 2.0));
    for (int x = 0; x < cloison_l; ++x) {
      QRgb c;
      if (y == bande_haut || y == bande_bas || x == 0 || x == cloison_l - 1) {
        c = qRgb(62, 66, 74);
      } else if (std::find(soudures.begin(), soudures.end(), x) != soudures.end()) {
        c = rgb(niveau * 0.48, niveau * 0.5, niveau * 0.55);
      } else if (std::find(soudures.begin(), soudures.end(), x - 1) != soudures.end()) {
        c = rgb(niveau * 1.12, niveau * 1.13, niveau * 1.15);
      } else {
        const double v = niveau + colonne[static_cast<std::size_t>(x)];
        c = rgb(v * 0.96, v * 0.98, v * 1.03);
      }
      image.setPixel(x, y, c);
    }
  }
  // Rivets near the corners of each plate: a lit pixel over a shadowed one.
  for (int x : {4, 9, 17, 22, 30, 35}) {
    for (int y : {5, 14}) {
      image.setPixel(x, y, qRgb(236, 238, 242));
      image.setPixel(x + 1, y, qRgb(150, 154, 162));
      image.setPixel(x, y + 1, qRgb(120, 124, 132));
      image.setPixel(x + 1, y + 1, qRgb(84, 88, 96));
    }
  }
  return image;
}

// Three round brown bars across the band, shaded as cylinders lit from the left, with
// rounded ends; the gaps stay transparent because one sees through a grille.
QImage barreaux() {
  QImage image = toile(cloison_l, cloison_h);
  const std::array<QRgb, 6> profil{qRgb(74, 40, 16),   qRgb(150, 92, 42), qRgb(214, 156, 92),
                                   qRgb(186, 124, 64), qRgb(132, 78, 34), qRgb(84, 46, 18)};
  for (int x0 : {4, 17, 30}) {
    for (int y = bande_haut; y <= bande_bas; ++y) {
      const bool bout = y == bande_haut || y == bande_bas;
      for (int i = 0; i < 6; ++i) {
        if (bout && (i == 0 || i == 5))
          continue;
        QRgb c = profil[static_cast<std::size_t>(i)];
        if (bout)
          c = teinte(c, 0.7);
        else if (y == bande_haut + 1)
          c = teinte(c, 1.08);
        else if (y == bande_bas - 1)
          c = teinte(c, 0.86);
        image.setPixel(x0 + i, y, c);
      }
    }
  }
  return image;
}

// White arrow along the band (the hidden way through the wall), in horizontal coordinates.
QPainterPath fleche() {
  QPainterPath f;
  QPolygonF poly;
  const double y = 10.0;
  poly << QPointF(6, y - 1.6) << QPointF(24, y - 1.6) << QPointF(24, y - 5.2) << QPointF(34.5, y)
       << QPointF(24, y + 5.2) << QPointF(24, y + 1.6) << QPointF(6, y + 1.6);
  f.addPolygon(poly);
  f.closeSubpath();
  return f;
}

// Keyhole, upright, centred on c: a round head over a flared slot.
QPainterPath trou_de_serrure(QPointF c) {
  QPainterPath f;
  f.addEllipse(QPointF(c.x(), c.y() - 2.4), 3.1, 3.1);
  QPolygonF fente;
  fente << QPointF(c.x() - 1.4, c.y() - 1.6) << QPointF(c.x() + 1.4, c.y() - 1.6)
        << QPointF(c.x() + 2.6, c.y() + 5.2) << QPointF(c.x() - 2.6, c.y() + 5.2);
  f.addPolygon(fente);
  f.closeSubpath();
  return f.simplified();
}

QImage cloison(int genre, bool verticale) {
  QImage base;
  switch (genre) {
  case 0: base = toile(cloison_l, cloison_h); break;
  case 9: base = bande_metal(); break;
  case 10: base = barreaux(); break;
  default: base = bande_briques(); break;
  }
  if (verticale)
    base = transpose(base);

  QPainter p;
  peintre(base, p);
  if (genre == 2) {
    if (verticale)
      p.setTransform(QTransform(0, 1, 1, 0, 0, 0));
    forme_cernee(p, fleche(), QColor(255, 255, 255), QColor(70, 22, 14), 0.8);
  } else if (genre >= 3 && genre <= 8) {
    const int i = genre - 3;
    const Couleur_serrure &k = couleurs_serrures[static_cast<std::size_t>(i)];
    const double milieu = (bande_haut + bande_bas + 1) / 2.0;
    const auto place = [&](double le_long) {
      return verticale ? QPointF(milieu, le_long) : QPointF(le_long, milieu);
    };
    forme_cernee(p, trou_de_serrure(place(20.0)), QColor(k.fond), QColor(k.trait), 0.75);
    dessine_marque(p, i, place(7.5), 8.0);
    dessine_marque(p, i, place(32.5), 8.0);
  }
  p.end();
  return sur_fond_cle(base, vert_cle);
}

// ---------------------------------------------------------------------------------------
// Room kinds (40 x 40).

constexpr int salle = 40;

// A key lying flat, bow on the left; the bow's hole holds the colour's shape mark.
QImage cle(int i) {
  const Couleur_serrure &k = couleurs_serrures[static_cast<std::size_t>(i)];
  QImage image = toile(salle, salle);
  QPainter p;
  peintre(image, p);

  const QPointF centre(12.5, 20.0);
  QPainterPath corps;
  corps.addEllipse(centre, 11.0, 11.0);
  corps.addRect(QRectF(22.0, 17.5, 15.5, 5.0));
  corps.addRect(QRectF(28.5, 21.0, 3.0, 7.0));
  corps.addRect(QRectF(33.5, 21.0, 3.5, 5.0));
  corps = corps.simplified();
  QPainterPath trou;
  trou.addEllipse(centre, 7.4, 7.4);
  const QPainterPath forme = corps.subtracted(trou);

  QLinearGradient metal(0, 10, 0, 30);
  metal.setColorAt(0.0, QColor(melange(k.fond, k.clair, 0.55)));
  metal.setColorAt(0.45, QColor(k.fond));
  metal.setColorAt(1.0, QColor(teinte(k.fond, 0.8)));
  // A black key keeps a black rim: a light one would read as a halo on the grey window.
  forme_cernee(p, forme, metal, i == 0 ? QColor(0, 0, 0) : QColor(k.trait), 0.9);
  // A thin gleam along the shank and the bow.
  p.setPen(QPen(QColor(melange(k.fond, k.clair, 0.9)), 1.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(23.5, 18.7), QPointF(36.0, 18.7));
  p.drawArc(QRectF(centre.x() - 9.2, centre.y() - 9.2, 18.4, 18.4), 70 * 16, 80 * 16);

  dessine_marque(p, i, centre, 8.0);
  p.end();
  return sur_fond_cle(image, vert_cle);
}

QImage teleporteur() {
  QImage image = toile(salle, salle);
  QPainter p;
  peintre(image, p);
  QPolygonF t;
  t << QPointF(20, 4.5) << QPointF(36.5, 34) << QPointF(3.5, 34);
  QPainterPath forme;
  forme.addPolygon(t);
  forme.closeSubpath();
  QLinearGradient rouge(0, 5, 0, 34);
  rouge.setColorAt(0.0, QColor(255, 110, 90));
  rouge.setColorAt(0.5, QColor(232, 36, 30));
  rouge.setColorAt(1.0, QColor(176, 14, 14));
  forme_cernee(p, forme, rouge, QColor(100, 0, 0), 0.9);
  // An inner rim, as of a pad one steps on.
  QPolygonF dedans;
  dedans << QPointF(20, 12.5) << QPointF(30.2, 30.5) << QPointF(9.8, 30.5);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(255, 190, 170), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolygon(dedans);
  p.setPen(Qt::NoPen);
  QRadialGradient lueur(QPointF(20, 24), 7);
  lueur.setColorAt(0, QColor(255, 240, 200, 230));
  lueur.setColorAt(1, QColor(255, 140, 110, 0));
  p.setBrush(lueur);
  p.drawEllipse(QPointF(20, 24), 7, 7);
  p.end();
  return sur_fond_cle(image, vert_cle);
}

QImage depart() {
  QImage image = toile(salle, salle);
  QPainter p;
  peintre(image, p);
  QPainterPath d;
  d.moveTo(9, 5);
  d.lineTo(19, 5);
  d.cubicTo(29.5, 5, 33, 12, 33, 20);
  d.cubicTo(33, 28, 29.5, 35, 19, 35);
  d.lineTo(9, 35);
  d.closeSubpath();
  QPainterPath creux;
  creux.moveTo(16, 11.5);
  creux.lineTo(19, 11.5);
  creux.cubicTo(24.5, 11.5, 26, 15.5, 26, 20);
  creux.cubicTo(26, 24.5, 24.5, 28.5, 19, 28.5);
  creux.lineTo(16, 28.5);
  creux.closeSubpath();
  const QPainterPath lettre = d.subtracted(creux);
  QLinearGradient bleu(0, 5, 0, 35);
  bleu.setColorAt(0.0, QColor(86, 140, 255));
  bleu.setColorAt(0.5, QColor(34, 78, 200));
  bleu.setColorAt(1.0, QColor(20, 44, 140));
  forme_cernee(p, lettre, bleu, QColor(8, 18, 70), 0.9);
  p.setPen(QPen(QColor(170, 200, 255), 1.0, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(11, 7.2), QPointF(19, 7.2));
  p.drawLine(QPointF(11, 7.2), QPointF(11, 32));
  p.end();
  return sur_fond_cle(image, vert_cle);
}

QImage plan() {
  QImage image = toile(salle, salle);
  QPainter p;
  peintre(image, p);
  // Three panels folded like an accordion.
  const std::array<double, 4> xs{3.5, 14.5, 25.5, 36.5};
  const std::array<double, 4> haut{9, 5.5, 9, 5.5};
  const double hauteur = 25;
  std::array<QPainterPath, 3> volets;
  QPainterPath tout;
  for (std::size_t i = 0; i < 3; ++i) {
    QPolygonF v;
    v << QPointF(xs[i], haut[i]) << QPointF(xs[i + 1], haut[i + 1])
      << QPointF(xs[i + 1], haut[i + 1] + hauteur) << QPointF(xs[i], haut[i] + hauteur);
    volets[i].addPolygon(v);
    volets[i].closeSubpath();
    tout.addPath(volets[i]);
  }
  tout = tout.simplified();
  p.setPen(QPen(QColor(110, 76, 36), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(tout);
  p.setPen(Qt::NoPen);
  const std::array<QColor, 3> papier{QColor(250, 238, 200), QColor(222, 200, 150),
                                     QColor(246, 232, 190)};
  for (std::size_t i = 0; i < 3; ++i) {
    p.setBrush(papier[i]);
    p.drawPath(volets[i]);
  }
  // Land, a river and the dotted way to a cross, clipped to the sheet.
  p.setClipPath(tout);
  p.setBrush(QColor(150, 196, 120));
  p.drawEllipse(QPointF(9, 24), 6, 5);
  p.drawEllipse(QPointF(28, 13), 5.5, 4);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(90, 150, 220), 1.4, Qt::SolidLine, Qt::RoundCap));
  QPainterPath riviere;
  riviere.moveTo(18, 2);
  riviere.cubicTo(16, 14, 24, 20, 21, 36);
  p.drawPath(riviere);
  p.setPen(QPen(QColor(200, 30, 30), 1.3, Qt::DashLine, Qt::RoundCap));
  QPainterPath chemin;
  chemin.moveTo(7, 29);
  chemin.cubicTo(14, 24, 18, 30, 25, 24);
  chemin.lineTo(29, 21);
  p.drawPath(chemin);
  p.setPen(QPen(QColor(200, 24, 24), 1.7, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(28.5, 16.5), QPointF(33, 21));
  p.drawLine(QPointF(33, 16.5), QPointF(28.5, 21));
  p.setClipping(false);
  // Fold lines.
  p.setPen(QPen(QColor(150, 118, 70), 0.8));
  p.drawLine(QPointF(xs[1], haut[1]), QPointF(xs[1], haut[1] + hauteur));
  p.drawLine(QPointF(xs[2], haut[2]), QPointF(xs[2], haut[2] + hauteur));
  p.end();
  return sur_fond_cle(image, vert_cle);
}

QImage piece(int genre) {
  if (genre >= 1 && genre <= 6)
    return cle(genre - 1);
  switch (genre) {
  case 7: return teleporteur();
  case 8: return depart();
  case 9: return plan();
  default: return sur_fond_cle(toile(salle, salle), vert_cle);
  }
}

// ---------------------------------------------------------------------------------------
// Glyphs.

// Drawn pixel by pixel: at 18 x 17 a hard-edged triangle keeps an even one-pixel black rim,
// which a keyed antialiased one loses on its slanted sides.
QImage lecture() {
  QImage image(18, 17, QImage::Format_RGB32);
  image.fill(vert_cle);
  const int gauche = 5, milieu = 8, demi = 6;
  const auto dedans = [&](int x, int y) {
    const int dy = std::abs(y - milieu);
    return dy <= demi && x >= gauche && 2 * (x - gauche) <= 3 * (demi - dy);
  };
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      if (!dedans(x, y))
        continue;
      const bool bord =
          !dedans(x - 1, y) || !dedans(x + 1, y) || !dedans(x, y - 1) || !dedans(x, y + 1);
      const double t = (y - (milieu - demi)) / double(2 * demi);
      image.setPixel(x, y,
                     bord ? qRgb(0, 0, 0) : melange(qRgb(130, 232, 110), qRgb(24, 150, 34), t));
    }
  return image;
}

QImage arret() {
  QImage image(18, 17, QImage::Format_RGB32);
  image.fill(vert_cle);
  for (int y = 3; y <= 13; ++y)
    for (int x = 4; x <= 14; ++x) {
      const bool bord = y == 3 || y == 13 || x == 4 || x == 14;
      image.setPixel(x, y, bord ? qRgb(150, 24, 24) : qRgb(255, 64, 64));
    }
  return image;
}

// Open folder drawn into the box r: the back with its tab, a sheet of paper, and the front
// flap tilted forward.
void dossier_ouvert(QPainter &p, QRectF r, double trait) {
  const double l = r.width(), h = r.height();
  const auto pt = [&](double u, double v) { return QPointF(r.x() + u * l, r.y() + v * h); };
  const QColor brun(128, 88, 12);
  QPainterPath dos;
  dos.moveTo(pt(0.02, 0.16));
  dos.lineTo(pt(0.36, 0.16));
  dos.lineTo(pt(0.44, 0.28));
  dos.lineTo(pt(0.86, 0.28));
  dos.lineTo(pt(0.86, 0.98));
  dos.lineTo(pt(0.02, 0.98));
  dos.closeSubpath();
  QLinearGradient ocre(pt(0, 0.16), pt(0, 1));
  ocre.setColorAt(0, QColor(240, 196, 64));
  ocre.setColorAt(1, QColor(204, 150, 30));
  forme_cernee(p, dos, ocre, brun, trait / 2);

  QPainterPath feuille;
  feuille.addRect(QRectF(pt(0.14, 0.34), pt(0.78, 0.8)));
  forme_cernee(p, feuille, QColor(255, 255, 255), QColor(150, 150, 150), trait / 4);

  QPainterPath rabat;
  rabat.moveTo(pt(0.22, 0.46));
  rabat.lineTo(pt(0.99, 0.46));
  rabat.lineTo(pt(0.82, 0.98));
  rabat.lineTo(pt(0.02, 0.98));
  rabat.closeSubpath();
  QLinearGradient jaune(pt(0, 0.46), pt(0, 0.98));
  jaune.setColorAt(0, QColor(255, 240, 130));
  jaune.setColorAt(1, QColor(246, 196, 40));
  forme_cernee(p, rabat, jaune, brun, trait / 2);
}

QImage feuille_quadrillee() {
  QImage image = toile(32, 32);
  QPainter p;
  peintre(image, p);
  QPainterPath page;
  page.moveTo(6, 2.5);
  page.lineTo(20, 2.5);
  page.lineTo(26, 8.5);
  page.lineTo(26, 29.5);
  page.lineTo(6, 29.5);
  page.closeSubpath();
  forme_cernee(p, page, QColor(255, 255, 255), QColor(96, 104, 120), 0.6);
  p.setClipPath(page);
  p.setPen(QPen(QColor(110, 160, 236), 1.0));
  for (int x = 9; x <= 23; x += 4)
    p.drawLine(QPointF(x + 0.5, 4), QPointF(x + 0.5, 28));
  for (int y = 7; y <= 27; y += 4)
    p.drawLine(QPointF(7, y + 0.5), QPointF(25, y + 0.5));
  p.setClipping(false);
  // Dog-ear.
  QPainterPath coin;
  coin.moveTo(20, 2.5);
  coin.lineTo(20, 8.5);
  coin.lineTo(26, 8.5);
  coin.closeSubpath();
  forme_cernee(p, coin, QColor(214, 220, 232), QColor(96, 104, 120), 0.5);
  p.end();
  return sur_fond_cle(image, vert_cle);
}

QImage grand_dossier() {
  QImage image = toile(32, 32);
  QPainter p;
  peintre(image, p);
  dossier_ouvert(p, QRectF(2, 4, 28.5, 24), 1.6);
  p.end();
  return sur_fond_cle(image, vert_cle);
}

QImage disquette() {
  QImage image = toile(32, 32);
  QPainter p;
  peintre(image, p);
  QPainterPath corps;
  corps.moveTo(4.5, 4.5);
  corps.lineTo(25, 4.5);
  corps.lineTo(28.5, 8);
  corps.lineTo(28.5, 28.5);
  corps.lineTo(4.5, 28.5);
  corps.closeSubpath();
  QLinearGradient bleu(4, 4, 28, 28);
  bleu.setColorAt(0, QColor(70, 130, 240));
  bleu.setColorAt(1, QColor(24, 64, 180));
  forme_cernee(p, corps, bleu, QColor(10, 30, 96), 0.7);
  // Metal shutter with its window.
  QLinearGradient acier(0, 4, 0, 13);
  acier.setColorAt(0, QColor(236, 238, 244));
  acier.setColorAt(1, QColor(160, 166, 180));
  p.setPen(QPen(QColor(70, 76, 90), 0.8));
  p.setBrush(acier);
  p.drawRect(QRectF(10, 5, 13, 8.5));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(24, 40, 90));
  p.drawRect(QRectF(18, 6.5, 3, 5.5));
  // Label with ruled lines.
  p.setPen(QPen(QColor(60, 80, 130), 0.6));
  p.setBrush(QColor(250, 250, 246));
  p.drawRect(QRectF(8, 16.5, 17, 11));
  p.setPen(QPen(QColor(120, 150, 220), 1.0));
  for (double y : {19.5, 22.5, 25.5})
    p.drawLine(QPointF(10, y), QPointF(23, y));
  p.end();
  return sur_fond_cle(image, vert_cle);
}

// A corridor seen in perspective: ceiling, brick walls, a flagged floor and a dark far end.
QImage couloir() {
  QImage image = toile(32, 32);
  QPainter p;
  peintre(image, p);
  const QRectF dehors(2, 2, 28, 28), fond(12.5, 11.5, 7, 8.5);
  const auto quad = [](QPointF a, QPointF b, QPointF c, QPointF d) {
    QPolygonF q;
    q << a << b << c << d;
    return q;
  };
  const QPointF A = dehors.topLeft(), B = dehors.topRight(), C = dehors.bottomRight(),
                D = dehors.bottomLeft();
  const QPointF a = fond.topLeft(), b = fond.topRight(), c = fond.bottomRight(),
                d = fond.bottomLeft();
  p.setPen(Qt::NoPen);
  QLinearGradient plafond(0, 2, 0, 12);
  plafond.setColorAt(0, QColor(210, 206, 196));
  plafond.setColorAt(1, QColor(150, 146, 138));
  p.setBrush(plafond);
  p.drawPolygon(quad(A, B, b, a));
  QLinearGradient sol(0, 30, 0, 20);
  sol.setColorAt(0, QColor(176, 130, 80));
  sol.setColorAt(1, QColor(104, 74, 44));
  p.setBrush(sol);
  p.drawPolygon(quad(D, C, c, d));
  QLinearGradient gauche(2, 0, 12.5, 0);
  gauche.setColorAt(0, QColor(196, 92, 62));
  gauche.setColorAt(1, QColor(112, 46, 30));
  p.setBrush(gauche);
  p.drawPolygon(quad(A, a, d, D));
  QLinearGradient droite(30, 0, 19.5, 0);
  droite.setColorAt(0, QColor(176, 80, 52));
  droite.setColorAt(1, QColor(98, 40, 26));
  p.setBrush(droite);
  p.drawPolygon(quad(B, b, c, C));
  p.setBrush(QColor(26, 24, 30));
  p.drawRect(fond);
  // Courses of brick and floor joints, all running to the far end.
  p.setPen(QPen(QColor(230, 200, 180, 150), 0.7));
  for (double t : {0.25, 0.5, 0.75}) {
    const double yl = A.y() + (D.y() - A.y()) * t, yf = a.y() + (d.y() - a.y()) * t;
    p.drawLine(QPointF(A.x(), yl), QPointF(a.x(), yf));
    p.drawLine(QPointF(B.x(), yl), QPointF(b.x(), yf));
  }
  p.setPen(QPen(QColor(60, 40, 24, 170), 0.7));
  for (double t : {0.3, 0.65}) {
    const double xb = D.x() + (C.x() - D.x()) * t, xf = d.x() + (c.x() - d.x()) * t;
    p.drawLine(QPointF(xb, D.y()), QPointF(xf, d.y()));
  }
  p.drawLine(QPointF(5.2, 26.5), QPointF(26.8, 26.5));
  p.drawLine(QPointF(8.6, 23.2), QPointF(23.4, 23.2));
  p.setPen(QPen(QColor(40, 36, 40), 0.8));
  p.setBrush(Qt::NoBrush);
  p.drawLine(A, a);
  p.drawLine(B, b);
  p.drawLine(C, c);
  p.drawLine(D, d);
  p.drawRect(fond);
  p.setPen(QPen(QColor(40, 36, 44), 1.4));
  p.drawRect(dehors);
  p.end();
  return sur_fond_cle(image, vert_cle);
}

QPainterPath texte_en_chemin(const QString &texte, const QFont &police, const QRectF &cadre) {
  QPainterPath chemin;
  chemin.addText(0, 0, police, texte);
  const QRectF b = chemin.boundingRect();
  const double echelle = std::min(cadre.width() / b.width(), cadre.height() / b.height());
  QTransform t;
  t.translate(cadre.center().x(), cadre.center().y());
  t.scale(echelle, echelle);
  t.translate(-b.center().x(), -b.center().y());
  return t.map(chemin);
}

QImage point_d_interrogation() {
  QImage image = toile(32, 32);
  QPainter p;
  peintre(image, p);
  QFont police("DejaVu Sans");
  police.setBold(true);
  police.setPixelSize(100);
  const QPainterPath q = texte_en_chemin("?", police, QRectF(7, 2.5, 18, 27));
  QLinearGradient bleu(0, 3, 0, 29);
  bleu.setColorAt(0, QColor(90, 150, 255));
  bleu.setColorAt(0.55, QColor(30, 84, 220));
  bleu.setColorAt(1, QColor(16, 48, 160));
  forme_cernee(p, q, bleu, QColor(6, 20, 80), 0.8);
  p.end();
  return sur_fond_cle(image, vert_cle);
}

QImage bouton_quitter() {
  QImage image = toile(36, 36);
  QPainter p;
  peintre(image, p);
  QPainterPath carre;
  carre.addRoundedRect(QRectF(1.5, 1.5, 33, 33), 6, 6);
  QLinearGradient rouge(0, 1, 0, 35);
  rouge.setColorAt(0, QColor(248, 92, 76));
  rouge.setColorAt(0.5, QColor(218, 34, 28));
  rouge.setColorAt(1, QColor(160, 16, 16));
  forme_cernee(p, carre, rouge, QColor(96, 8, 8), 0.6);
  // Soft gloss over the upper half.
  QPainterPath reflet;
  reflet.addRoundedRect(QRectF(3.5, 3.5, 29, 13), 5, 5);
  QLinearGradient gloss(0, 3, 0, 17);
  gloss.setColorAt(0, QColor(255, 255, 255, 90));
  gloss.setColorAt(1, QColor(255, 255, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(gloss);
  p.drawPath(reflet);
  // Power symbol: an open ring and a bar through its gap, with a faint shadow.
  const QPointF c(18, 19);
  const double r = 9.0;
  for (int passe = 0; passe < 2; ++passe) {
    const QPointF decalage = passe == 0 ? QPointF(0.7, 0.9) : QPointF(0, 0);
    const QColor couleur = passe == 0 ? QColor(90, 0, 0, 140) : QColor(255, 255, 255);
    p.setPen(QPen(couleur, 3.4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(c.x() - r + decalage.x(), c.y() - r + decalage.y(), 2 * r, 2 * r), 125 * 16,
              -(360 - 70) * 16);
    p.drawLine(QPointF(c.x(), 7.5) + decalage, QPointF(c.x(), 18.0) + decalage);
  }
  p.end();
  return sur_fond_cle(image, vert_cle);
}

// Load glyph of the sound rows: open folder with a curved arrow, on a red key colour.
QImage charger_son() {
  QImage image = toile(18, 17);
  QPainter p;
  peintre(image, p);
  dossier_ouvert(p, QRectF(0.8, 4.3, 14, 11.2), 1.2);
  QPainterPath arc;
  arc.moveTo(6.5, 7.5);
  arc.cubicTo(7, 2.5, 12, 1.2, 14.5, 4.2);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(0, 70, 20), 3.0, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(arc);
  p.setPen(QPen(QColor(40, 180, 70), 1.4, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(arc);
  QPolygonF pointe;
  pointe << QPointF(17.4, 2.6) << QPointF(16.6, 8.4) << QPointF(11.6, 5.6);
  QPainterPath tete;
  tete.addPolygon(pointe);
  tete.closeSubpath();
  forme_cernee(p, tete, QColor(40, 180, 70), QColor(0, 70, 20), 0.5);
  p.end();
  return sur_fond_cle(image, rouge_cle);
}

QImage petit_dossier() {
  QImage image = toile(16, 16);
  QPainter p;
  peintre(image, p);
  dossier_ouvert(p, QRectF(0.5, 1.5, 15, 13.5), 1.1);
  p.end();
  return sur_fond_cle(image, vert_cle);
}

// Fills letters with the title's rainbow, running from `de` to `a`, and lays a sheen over
// their upper half. Leaves the painter clipped to the letters.
void lettres_arc_en_ciel(QPainter &p, const QPainterPath &mots, QPointF de, QPointF a) {
  const QRectF b = mots.boundingRect();
  QLinearGradient arc_en_ciel(de, a);
  const std::array<QColor, 7> couleurs{
      QColor(228, 20, 28),  QColor(255, 128, 0), QColor(246, 206, 0), QColor(40, 178, 40),
      QColor(20, 150, 220), QColor(48, 60, 210), QColor(140, 40, 190)};
  for (std::size_t i = 0; i < couleurs.size(); ++i)
    arc_en_ciel.setColorAt(double(i) / double(couleurs.size() - 1), couleurs[i]);
  p.setPen(Qt::NoPen);
  p.setBrush(arc_en_ciel);
  p.drawPath(mots);
  p.setClipPath(mots);
  QLinearGradient reflet(0, b.top(), 0, b.center().y());
  reflet.setColorAt(0, QColor(255, 255, 255, 120));
  reflet.setColorAt(1, QColor(255, 255, 255, 0));
  p.setBrush(reflet);
  p.drawRect(QRectF(b.left(), b.top(), b.width(), b.height() / 2));
}

// The title picture keeps a real alpha channel: it sits on the window without a key colour.
QImage titre() {
  QImage image(180, 40, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p;
  peintre(image, p);
  QFont police("DejaVu Sans");
  police.setBold(true);
  police.setItalic(true);
  police.setPixelSize(100);
  const QPainterPath mots = texte_en_chemin("Dravo Editeur", police, QRectF(3, 6, 172, 27));
  const QRectF b = mots.boundingRect();

  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawPath(mots.translated(1.8, 2.0));
  p.setPen(QPen(QColor(30, 24, 40, 230), 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(mots);

  lettres_arc_en_ciel(p, mots, QPointF(b.left(), 0), QPointF(b.right(), 0));
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

// The rounded tile both icons stand on, `t` pixels square: a vertical gradient from `haut`
// to `bas`, outlined in `trait`. Returns its outline, for the icon to clip its picture to.
QPainterPath tuile_icone(QPainter &p, double t, QColor haut, QColor bas, QColor trait) {
  const double marge = t / 32.0;
  QPainterPath tuile;
  tuile.addRoundedRect(QRectF(marge, marge, t - 2 * marge, t - 2 * marge), t * 0.18, t * 0.18);
  QLinearGradient fond(0, 0, 0, t);
  fond.setColorAt(0, haut);
  fond.setColorAt(1, bas);
  forme_cernee(p, tuile, fond, trait, std::max(1.0, t / 40.0));
  return tuile;
}

// The program's icon at `taille` pixels square: the title's rainbow letters reduced to a "D"
// over a labyrinth seen from above, on a rounded tile. Drawn for each size rather than
// scaled, so that the small sizes keep sharp walls.
QImage icone(int taille) {
  QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p;
  peintre(image, p);
  const double t = taille;
  const double marge = t / 32.0;
  const QPainterPath tuile =
      tuile_icone(p, t, QColor(250, 246, 232), QColor(214, 206, 184), QColor(70, 60, 50));

  // The labyrinth: a 4 x 4 grid of rooms, some walls standing, in the grid's wall colour.
  if (taille >= 32) {
    p.save();
    p.setClipPath(tuile);
    const double pas = (t - 8 * marge) / 4.0;
    const QPointF o(4 * marge, 4 * marge);
    p.setPen(QPen(QColor(150, 80, 50, 200), std::max(1.0, t / 28.0), Qt::SolidLine, Qt::SquareCap));
    // Horizontal walls then vertical ones, each a (column, row) of its start.
    const int murs_h[][2] = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {1, 1}, {2, 2},
                             {0, 3}, {0, 4}, {1, 4}, {2, 4}, {3, 4}};
    const int murs_v[][2] = {{0, 0}, {0, 1}, {0, 2}, {0, 3}, {4, 0}, {4, 1},
                             {4, 2}, {4, 3}, {2, 0}, {3, 1}, {1, 2}, {3, 3}};
    for (const auto &m : murs_h)
      p.drawLine(o + QPointF(m[0] * pas, m[1] * pas), o + QPointF((m[0] + 1) * pas, m[1] * pas));
    for (const auto &m : murs_v)
      p.drawLine(o + QPointF(m[0] * pas, m[1] * pas), o + QPointF(m[0] * pas, (m[1] + 1) * pas));
    p.restore();
  }

  QFont police("DejaVu Sans");
  police.setBold(true);
  police.setItalic(true);
  police.setPixelSize(100);
  const QPainterPath lettre =
      texte_en_chemin("D", police, QRectF(t * 0.16, t * 0.12, t * 0.68, t * 0.76));
  const QRectF b = lettre.boundingRect();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawPath(lettre.translated(t / 40.0, t / 32.0));
  p.setPen(QPen(QColor(30, 24, 40, 230), std::max(1.0, t / 24.0), Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(lettre);
  lettres_arc_en_ciel(p, lettre, b.topLeft(), b.bottomRight());
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

// The player's icon at `taille` pixels square: the editor's tile, seen from inside: a
// corridor of brick walls in perspective running to a bright doorway, with the rainbow
// "play" arrow of a game over it. Drawn for each size, as the editor's icon is.
QImage icone_joueur(int taille) {
  QImage image(taille, taille, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p;
  peintre(image, p);
  const double t = taille;
  const double marge = t / 32.0;
  const QPainterPath tuile =
      tuile_icone(p, t, QColor(60, 70, 110), QColor(30, 30, 50), QColor(20, 20, 30));

  p.save();
  p.setClipPath(tuile);
  // The corridor: floor and ceiling wedges, the two side walls, the far doorway.
  const QRectF loin(t * 0.40, t * 0.36, t * 0.20, t * 0.26);
  const QPolygonF gauche(
      {QPointF(marge, marge), loin.topLeft(), loin.bottomLeft(), QPointF(marge, t - marge)});
  const QPolygonF droite({QPointF(t - marge, marge), loin.topRight(), loin.bottomRight(),
                          QPointF(t - marge, t - marge)});
  const QPolygonF sol({QPointF(marge, t - marge), loin.bottomLeft(), loin.bottomRight(),
                       QPointF(t - marge, t - marge)});
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(150, 80, 50));
  p.drawPolygon(gauche);
  p.setBrush(QColor(125, 66, 42));
  p.drawPolygon(droite);
  p.setBrush(QColor(110, 110, 100));
  p.drawPolygon(sol);
  QRadialGradient lumiere(loin.center(), loin.width());
  lumiere.setColorAt(0, QColor(255, 250, 210));
  lumiere.setColorAt(1, QColor(250, 200, 90));
  p.setBrush(lumiere);
  p.drawRect(loin);
  if (taille >= 32) {
    // Mortar lines running to the far end.
    p.setPen(QPen(QColor(90, 45, 30, 200), std::max(1.0, t / 64.0)));
    for (int i = 1; i < 4; ++i) {
      const double f = i / 4.0;
      p.drawLine(QPointF(marge, marge + f * (t - 2 * marge)),
                 QPointF(loin.left(), loin.top() + f * loin.height()));
      p.drawLine(QPointF(t - marge, marge + f * (t - 2 * marge)),
                 QPointF(loin.right(), loin.top() + f * loin.height()));
    }
  }
  p.restore();

  // The play arrow, lower right, in the title's rainbow.
  QPainterPath fleche_jeu;
  fleche_jeu.moveTo(t * 0.40, t * 0.46);
  fleche_jeu.lineTo(t * 0.90, t * 0.70);
  fleche_jeu.lineTo(t * 0.40, t * 0.94);
  fleche_jeu.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 90));
  p.drawPath(fleche_jeu.translated(t / 40.0, t / 32.0));
  p.setPen(QPen(QColor(30, 24, 40, 230), std::max(1.0, t / 24.0), Qt::SolidLine, Qt::RoundCap,
                Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(fleche_jeu);
  const QRectF b = fleche_jeu.boundingRect();
  lettres_arc_en_ciel(p, fleche_jeu, b.topLeft(), b.bottomRight());
  p.end();
  return image.convertToFormat(QImage::Format_ARGB32);
}

// The sizes of the hicolor icon theme the program is installed with.
constexpr std::array<int, 6> TAILLES_ICONE{16, 32, 48, 64, 128, 256};

// ---------------------------------------------------------------------------------------
// Textures (tileable: every pattern and noise lattice wraps at the picture's edges).

QImage briques() {
  constexpr int l = 80, h = 400, rangs = 24;
  constexpr double longueur = 40.0, demi_joint = 1.25;
  const double hauteur = double(h) / rangs;
  std::mt19937 alea(2201);
  const Fractal nuages(4, 20, 5, alea);
  const Fractal usure(8, 40, 3, alea);
  const Fractal contour(16, 80, 2, alea);
  std::uniform_real_distribution<double> loi(0.0, 1.0);
  const std::array<QRgb, 6> terres{qRgb(164, 70, 46), qRgb(146, 58, 40), qRgb(176, 86, 56),
                                   qRgb(132, 60, 44), qRgb(156, 76, 54), qRgb(120, 50, 36)};
  std::vector<QRgb> couleur(static_cast<std::size_t>(rangs * 2));
  for (auto &c : couleur) {
    const QRgb t = terres[static_cast<std::size_t>(loi(alea) * terres.size()) % terres.size()];
    c = teinte(t, 0.9 + 0.2 * loi(alea));
  }
  QImage image(l, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    const double yc = y + 0.5;
    const int rang = std::min(rangs - 1, static_cast<int>(yc / hauteur));
    const double v = yc - rang * hauteur;
    const double decalage = (rang % 2) * longueur / 2;
    for (int x = 0; x < l; ++x) {
      const double u_tex = (x + 0.5) / l, v_tex = yc / h;
      const double xx = std::fmod(x + 0.5 - decalage + l, double(l));
      const int j = static_cast<int>(xx / longueur);
      const double u = xx - j * longueur;
      const double bords[4] = {u, longueur - u, v, hauteur - v};
      const int proche = static_cast<int>(std::min_element(bords, bords + 4) - bords);
      const double d = bords[proche] - demi_joint + 0.9 * (contour.en(u_tex, v_tex) - 0.5);
      const double grain = loi(alea);
      // Mortar, recessed: darker close to the bricks and under their lower edge.
      double fm = 0.78 + 0.3 * nuages.en(u_tex, v_tex) + 0.12 * (grain - 0.5);
      fm *= 0.82 + 0.18 * std::clamp(-d / 1.2, 0.0, 1.0);
      if (proche == 2)
        fm *= 0.86;
      const QRgb mortier = rgb(176 * fm, 168 * fm, 154 * fm);
      QRgb c = mortier;
      if (d > -0.5) {
        const QRgb b = couleur[static_cast<std::size_t>(rang * 2 + j)];
        double f = 0.74 + 0.42 * nuages.en(u_tex * 1.0, v_tex) +
                   0.2 * (usure.en(u_tex, v_tex) - 0.5) + 0.1 * (grain - 0.5);
        // Rounded edges, lit from the top-left.
        const double pente = 1.0 - lisse(0.0, 2.6, d);
        f *= (proche == 0 || proche == 2) ? 1.0 + 0.2 * pente : 1.0 - 0.3 * pente;
        // Sparse dark pits and lighter flecks of sand.
        if (grain > 0.985)
          f *= 0.72;
        else if (grain < 0.012)
          f *= 1.2;
        c = melange(mortier, teinte(b, f), lisse(-0.5, 0.5, d));
      }
      image.setPixel(x, y, c);
    }
  }
  return image;
}

// Irregular flagstones: a Voronoi pattern on a wrapped 4 x 4 jittered grid.
QImage sol() {
  constexpr int cote = 200, n = 4;
  constexpr double case_ = double(cote) / n;
  std::mt19937 alea(2207);
  std::uniform_real_distribution<double> loi(0.0, 1.0);
  struct Dalle {
    double x, y;
    QRgb couleur;
  };
  const std::array<QRgb, 6> pierres{qRgb(146, 140, 128), qRgb(128, 124, 116), qRgb(156, 148, 132),
                                    qRgb(120, 118, 110), qRgb(138, 130, 114), qRgb(150, 144, 136)};
  std::vector<Dalle> dalles;
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) {
      const QRgb p = pierres[static_cast<std::size_t>(loi(alea) * pierres.size()) % pierres.size()];
      dalles.push_back({(i + 0.5 + 0.5 * (loi(alea) - 0.5)) * case_,
                        (j + 0.5 + 0.5 * (loi(alea) - 0.5)) * case_,
                        teinte(p, 0.92 + 0.16 * loi(alea))});
    }
  const Fractal nuages(4, 4, 5, alea);
  const Fractal taches(16, 16, 4, alea);
  const Fractal joint(10, 10, 2, alea);
  const auto replie = [](double d) {
    if (d > cote / 2.0)
      return d - cote;
    if (d < -cote / 2.0)
      return d + cote;
    return d;
  };
  QImage image(cote, cote, QImage::Format_RGB32);
  for (int y = 0; y < cote; ++y) {
    for (int x = 0; x < cote; ++x) {
      const double px = x + 0.5, py = y + 0.5;
      std::size_t premier = 0, second = 0;
      double d1 = 1e9, d2 = 1e9;
      for (std::size_t k = 0; k < dalles.size(); ++k) {
        const double dx = replie(dalles[k].x - px), dy = replie(dalles[k].y - py);
        const double d = dx * dx + dy * dy;
        if (d < d1) {
          d2 = d1;
          second = premier;
          d1 = d;
          premier = k;
        } else if (d < d2) {
          d2 = d;
          second = k;
        }
      }
      // Distance to the bisector between the two nearest centres.
      const double ex = replie(dalles[second].x - dalles[premier].x);
      const double ey = replie(dalles[second].y - dalles[premier].y);
      const double ecart = std::sqrt(ex * ex + ey * ey);
      const double bord = (d2 - d1) / (2 * ecart);
      const double u = px / cote, v = py / cote;
      const double largeur = 1.6 + 1.4 * joint.en(u, v);
      const double grain = loi(alea);
      QRgb c;
      const double fj = 0.55 + 0.25 * nuages.en(u, v) + 0.1 * (grain - 0.5);
      const QRgb mortier = rgb(96 * fj / 0.7, 90 * fj / 0.7, 80 * fj / 0.7);
      if (bord < largeur - 0.6) {
        c = mortier;
      } else {
        const double b = std::max(0.0, bord - largeur);
        double f =
            0.78 + 0.36 * nuages.en(u, v) + 0.24 * (taches.en(u, v) - 0.5) + 0.08 * (grain - 0.5);
        // Worn, rounded edges: lit on the side facing the top-left, shaded opposite.
        const double versx = ex / ecart, versy = ey / ecart;
        const double face = -(versx * -0.7071 + versy * -0.7071);
        const double arrondi = 1.0 - lisse(0.0, 4.0, b);
        f *= 1.0 + arrondi * (0.26 * face - 0.12);
        c = melange(mortier, teinte(dalles[premier].couleur, f),
                    lisse(largeur - 0.6, largeur + 0.6, bord));
      }
      image.setPixel(x, y, c);
    }
  }
  return image;
}

// Wooden ceiling: five planks along x with grain, growth lines, staggered end joints and
// a dark gap between planks.
QImage plafond() {
  constexpr int cote = 200, planches = 5;
  constexpr int largeur = cote / planches;
  std::mt19937 alea(2213);
  std::uniform_real_distribution<double> loi(0.0, 1.0);
  const Fractal veines(2, 24, 5, alea);
  const Fractal cernes(3, 10, 4, alea);
  const Fractal nuages(4, 4, 4, alea);
  const std::array<QRgb, 5> bois{qRgb(178, 126, 78), qRgb(164, 112, 68), qRgb(186, 136, 86),
                                 qRgb(156, 106, 64), qRgb(172, 122, 74)};
  struct Troncon {
    int debut;
    QRgb couleur;
  };
  std::vector<std::array<Troncon, 2>> pieces;
  for (int k = 0; k < planches; ++k) {
    const int a = static_cast<int>(loi(alea) * cote);
    const int b = (a + 80 + static_cast<int>(loi(alea) * 40)) % cote;
    std::array<Troncon, 2> t{};
    t[0] = {std::min(a, b), teinte(bois[static_cast<std::size_t>(k)], 0.94 + 0.12 * loi(alea))};
    t[1] = {std::max(a, b),
            teinte(bois[static_cast<std::size_t>((k + 2) % 5)], 0.94 + 0.12 * loi(alea))};
    pieces.push_back(t);
  }
  QImage image(cote, cote, QImage::Format_RGB32);
  for (int y = 0; y < cote; ++y) {
    const int k = y / largeur, v = y % largeur;
    const auto &t = pieces[static_cast<std::size_t>(k)];
    for (int x = 0; x < cote; ++x) {
      const double u = (x + 0.5) / cote, w = (y + 0.5) / cote;
      const bool second = x >= t[0].debut && x < t[1].debut;
      const QRgb base = second ? t[1].couleur : t[0].couleur;
      const int vers_joint =
          std::min({std::abs(x - t[0].debut), std::abs(x - t[1].debut),
                    cote - std::abs(x - t[0].debut), cote - std::abs(x - t[1].debut)});
      const double grain = loi(alea);
      // Growth lines: bands across the plank's width, bent by the grain.
      const double phase = (v + 14.0 * (cernes.en(u, w) - 0.5) + (second ? 17 : 0)) * 0.42;
      const double anneau = 0.5 + 0.5 * std::sin(phase * 2 * pi / 3.0);
      double f = 0.7 + 0.38 * veines.en(u, w) + 0.12 * nuages.en(u, w) + 0.05 * (grain - 0.5);
      f *= 0.86 + 0.14 * std::pow(anneau, 0.6);
      if (v == 0)
        f = 0.22 + 0.04 * grain;
      else if (v == 1)
        f *= 0.7;
      else if (v == 2)
        f *= 0.88;
      else if (v == largeur - 1)
        f *= 1.1;
      if (v > 0 && vers_joint == 0)
        f = 0.3;
      else if (v > 0 && vers_joint == 1)
        f *= 0.84;
      QRgb c = teinte(base, f);
      image.setPixel(x, y, c);
    }
    // Two nails beside each joint.
    for (const auto &troncon : t) {
      if (v == 9 || v == largeur - 10) {
        for (int dx : {-4, 4}) {
          const int x = (troncon.debut + dx + cote) % cote;
          image.setPixel(x, y, qRgb(52, 46, 42));
          image.setPixel((x + 1) % cote, y, qRgb(92, 84, 76));
        }
      }
    }
  }
  return image;
}

// ---------------------------------------------------------------------------------------
// Writing.

void ajoute16(QByteArray &o, std::uint16_t v) {
  o.append(static_cast<char>(v & 0xff));
  o.append(static_cast<char>(v >> 8));
}

void ajoute32(QByteArray &o, std::uint32_t v) {
  for (int i = 0; i < 4; ++i)
    o.append(static_cast<char>((v >> (8 * i)) & 0xff));
}

// 24-bit uncompressed Windows bitmap, bottom-up, with the plain 40-byte info header: the
// form every reader of this project and the player accept.
bool ecrit_bmp(const QImage &image, const QString &chemin) {
  const auto l = static_cast<std::uint32_t>(image.width());
  const auto h = static_cast<std::uint32_t>(image.height());
  const std::uint32_t ligne = (l * 3 + 3) & ~3u;
  const std::uint32_t donnees = ligne * h;
  QByteArray o;
  o.append("BM");
  ajoute32(o, 54 + donnees);
  ajoute32(o, 0);
  ajoute32(o, 54);
  ajoute32(o, 40);
  ajoute32(o, l);
  ajoute32(o, h);
  ajoute16(o, 1);
  ajoute16(o, 24);
  ajoute32(o, 0);
  ajoute32(o, donnees);
  ajoute32(o, 2835);
  ajoute32(o, 2835);
  ajoute32(o, 0);
  ajoute32(o, 0);
  for (int y = image.height() - 1; y >= 0; --y) {
    const qsizetype debut = o.size();
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      o.append(static_cast<char>(qBlue(p)));
      o.append(static_cast<char>(qGreen(p)));
      o.append(static_cast<char>(qRed(p)));
    }
    while (static_cast<std::uint32_t>(o.size() - debut) < ligne)
      o.append('\0');
  }
  QFile f(chemin);
  if (!f.open(QIODevice::WriteOnly) || f.write(o) != o.size()) {
    std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(chemin), qPrintable(f.errorString()));
    return false;
  }
  return true;
}

struct Dessin {
  QString nom;
  QImage image;
};

std::vector<Dessin> bitmaps() {
  std::vector<Dessin> d;
  for (int k = 0; k <= 10; ++k)
    d.push_back({QString("H%1").arg(k), cloison(k, false)});
  for (int k = 0; k <= 10; ++k)
    d.push_back({QString("V%1").arg(k), cloison(k, true)});
  for (int k = 0; k <= 9; ++k)
    d.push_back({QString("C%1").arg(k), piece(k)});
  d.push_back({"B1", lecture()});
  d.push_back({"B2", arret()});
  d.push_back({"SpeedButton1", feuille_quadrillee()});
  d.push_back({"SpeedButton2", grand_dossier()});
  d.push_back({"SpeedButton3", disquette()});
  d.push_back({"SpeedButton6", couloir()});
  d.push_back({"SpeedButton4", point_d_interrogation()});
  d.push_back({"quitter", bouton_quitter()});
  d.push_back({"OS", charger_son()});
  d.push_back({"OpenI", petit_dossier()});
  return d;
}

std::vector<Dessin> textures() {
  return {{"Briques", briques()}, {"sol", sol()}, {"plafond", plafond()}};
}

// What the editor shows: the bottom-left colour made transparent.
QImage sans_cle(const QImage &image) {
  QImage sortie = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb cle = image.pixel(0, image.height() - 1) & 0xffffff;
  for (int y = 0; y < sortie.height(); ++y)
    for (int x = 0; x < sortie.width(); ++x)
      if ((sortie.pixel(x, y) & 0xffffff) == cle)
        sortie.setPixel(x, y, 0);
  return sortie;
}

// Contact sheet: every bitmap x4 on both window greys, a piece of grid at real size and x2,
// and the textures tiled 2 x 2.
QImage planche() {
  const auto b = bitmaps();
  const auto t = textures();
  const QImage titre_image = titre();
  constexpr int moitie_l = 900;
  QImage feuille(2 * moitie_l, 3400, QImage::Format_RGB32);
  feuille.fill(QColor(0xef, 0xef, 0xef));
  QPainter p(&feuille);
  p.fillRect(QRect(moitie_l, 0, moitie_l, 1500), QColor(0xd4, 0xd0, 0xc8));
  QFont police("DejaVu Sans");
  police.setPixelSize(11);
  p.setFont(police);
  const auto trouve = [&](const QString &nom) {
    for (const auto &d : b)
      if (d.nom == nom)
        return sans_cle(d.image);
    return QImage();
  };
  int bas = 0;
  for (int moitie = 0; moitie < 2; ++moitie) {
    const int gauche = 10 + moitie * moitie_l;
    int x = gauche, y = 10, ligne = 0;
    for (const auto &d : b) {
      const QImage grand = sans_cle(d.image).scaled(d.image.size() * 4);
      const bool nouvelle = d.nom == "V0" || d.nom == "C0" || d.nom == "B1";
      if (nouvelle || x + grand.width() > (moitie + 1) * moitie_l - 10) {
        x = gauche;
        y += ligne + 20;
        ligne = 0;
      }
      p.drawImage(x, y, grand);
      p.setPen(Qt::black);
      p.drawText(x, y + grand.height() + 13, d.nom);
      x += grand.width() + 12;
      ligne = std::max(ligne, grand.height());
    }
    y += ligne + 24;
    p.drawImage(gauche, y, titre_image.scaled(titre_image.size() * 2));
    p.drawImage(gauche + 400, y + 20, titre_image);
    y += 100;
    // A 4 x 3 piece of labyrinth at real size and doubled, as on the editor's grid.
    const QColor gris = moitie ? QColor(0xd4, 0xd0, 0xc8) : QColor(0xef, 0xef, 0xef);
    QImage grille(260, 200, QImage::Format_RGB32);
    grille.fill(gris);
    QPainter g(&grille);
    const int salles[3][4] = {{8, 1, 0, 7}, {2, 3, 9, 4}, {5, 6, 0, 7}};
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 4; ++c)
        g.drawImage(c * 60 + 30, r * 60 + 30, trouve(QString("C%1").arg(salles[r][c])));
    for (int r = 0; r <= 3; ++r)
      for (int c = 0; c < 4; ++c)
        g.drawImage(c * 60 + 30, r * 60 + 10, trouve(QString("H%1").arg((r * 4 + c) % 11)));
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c <= 4; ++c)
        g.drawImage(c * 60 + 10, r * 60 + 30, trouve(QString("V%1").arg((r * 5 + c + 3) % 11)));
    g.end();
    p.drawImage(gauche, y, grille);
    p.drawImage(gauche + 280, y, grille.scaled(grille.size() * 2));
    bas = std::max(bas, y + 420);
  }
  int x = 10;
  for (const auto &d : t) {
    QImage tuile(d.image.width() * 2, d.image.height() * 2, QImage::Format_RGB32);
    QPainter q(&tuile);
    for (int j = 0; j < 2; ++j)
      for (int i = 0; i < 2; ++i)
        q.drawImage(i * d.image.width(), j * d.image.height(), d.image);
    q.end();
    p.drawImage(x, bas, tuile);
    x += tuile.width() + 20;
  }
  p.end();
  return feuille.copy(0, 0, feuille.width(), bas + 810);
}

int main(int argc, char **argv) {
  // Drawing needs fonts but no screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);

  QString sortie = QStringLiteral(DRAVO_RESOURCES_SOURCE_DIR);
  QString feuille;
  const QStringList args = QCoreApplication::arguments();
  for (int i = 1; i < args.size(); ++i) {
    if (args[i] == "--out" && i + 1 < args.size()) {
      sortie = args[++i];
    } else if (args[i] == "--sheet" && i + 1 < args.size()) {
      feuille = args[++i];
    } else {
      std::fprintf(stderr, "usage: dravo-draw-resources [--out DIR] [--sheet FILE.png]\n");
      return 1;
    }
  }

  if (!feuille.isEmpty()) {
    if (!planche().save(feuille)) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(feuille));
      return 1;
    }
    return 0;
  }

  const QDir dossier(sortie);
  if (!dossier.mkpath("bitmaps") || !dossier.mkpath("textures")) {
    std::fprintf(stderr, "cannot create the folders under %s\n", qPrintable(sortie));
    return 1;
  }
  bool ok = true;
  for (const auto &d : bitmaps())
    ok = ecrit_bmp(d.image, dossier.filePath("bitmaps/" + d.nom + ".bmp")) && ok;
  for (const auto &d : textures())
    ok = ecrit_bmp(d.image, dossier.filePath("textures/" + d.nom + ".bmp")) && ok;
  const QString chemin_titre = dossier.filePath("bitmaps/titre.png");
  if (!titre().save(chemin_titre, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(chemin_titre));
    ok = false;
  }
  for (const int taille : TAILLES_ICONE) {
    const QString editeur =
        dossier.filePath(QStringLiteral("icons/%1/dravo-editeur.png").arg(taille));
    const QString joueur =
        dossier.filePath(QStringLiteral("icons/%1/dravo-joueur.png").arg(taille));
    if (!dossier.mkpath(QStringLiteral("icons/%1").arg(taille)) ||
        !icone(taille).save(editeur, "PNG") || !icone_joueur(taille).save(joueur, "PNG")) {
      std::fprintf(stderr, "cannot write %s or %s\n", qPrintable(editeur), qPrintable(joueur));
      ok = false;
    }
  }
  return ok ? 0 : 1;
}
