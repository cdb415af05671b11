#include "bouton_degrade.h"

#include <QDialog>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QShortcutEvent>

#include <algorithm>
#include <cmath>

namespace {

QColor qcouleur(TColor c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Halves go to the even neighbour, as the shading has always rounded (0.5 gives 0, 1.5
// gives 2), whatever rounding mode the floating-point unit was left in.
int arrondi_pair(double v) {
  const double bas = std::floor(v);
  const double reste = v - bas;
  double r = bas;
  if (reste > 0.5 || (reste == 0.5 && std::fmod(bas, 2.0) != 0.0))
    r = bas + 1;
  return std::clamp(static_cast<int>(r), 0, 255);
}

// Lines as the button draws them: the start pixel is drawn, the end pixel is not, so the
// next segment of a polyline starts where this one stopped. Horizontal or vertical only.
void ligne(QPainter &p, int x1, int y1, int x2, int y2) {
  if (y1 == y2 && x1 != x2)
    p.fillRect(x1 < x2 ? QRect(x1, y1, x2 - x1, 1) : QRect(x2 + 1, y1, x1 - x2, 1),
               p.pen().color());
  else if (x1 == x2 && y1 != y2)
    p.fillRect(y1 < y2 ? QRect(x1, y1, 1, y2 - y1) : QRect(x1, y2 + 1, 1, y1 - y2),
               p.pen().color());
}

// The outline of the rectangle covering columns x1 to x2 - 1 and rows y1 to y2 - 1.
void contour(QPainter &p, int x1, int y1, int x2, int y2) {
  if (x2 <= x1 || y2 <= y1)
    return;
  const QColor c = p.pen().color();
  p.fillRect(QRect(x1, y1, x2 - x1, 1), c);
  p.fillRect(QRect(x1, y2 - 1, x2 - x1, 1), c);
  p.fillRect(QRect(x1, y1, 1, y2 - y1), c);
  p.fillRect(QRect(x2 - 1, y1, 1, y2 - y1), c);
}

// One line per pixel row from `haut` (row 0) towards `bas` (reached just below the last
// row), each channel running by a constant step added row after row.
void degrade_vertical(QPainter &p, int largeur, int hauteur, TColor haut, TColor bas) {
  if (hauteur <= 0)
    return;
  double canal[3], pas[3];
  for (int i = 0; i < 3; ++i) {
    const int a = (haut >> (8 * i)) & 0xFF;
    const int b = (bas >> (8 * i)) & 0xFF;
    canal[i] = a;
    pas[i] = static_cast<double>(b - a) / hauteur;
  }
  for (int y = 0; y <= hauteur; ++y) {
    p.setPen(QColor(arrondi_pair(canal[0]), arrondi_pair(canal[1]), arrondi_pair(canal[2])));
    ligne(p, 0, y, largeur, y);
    for (int i = 0; i < 3; ++i)
      canal[i] += pas[i];
  }
}

// How each layout sets the glyph against the caption, along the axis they share (x beside,
// y above or below); across it the glyph is centred in the button.
struct DispositionGlyphe {
  bool vertical;       // above or below the caption
  int cote;            // -1 before the caption, +1 after it
  bool retrait_impair; // an odd glyph goes one pixel further away (above the caption only)
};
constexpr DispositionGlyphe DISPOSITIONS_GLYPHE[] = {
    /* blGlyphLeft */ {false, -1, false},
    /* blGlyphRight */ {false, +1, false},
    /* blGlyphTop */ {true, -1, true},
    /* blGlyphBottom */ {true, +1, false},
};

struct PlaceGlyphe {
  QPoint coin;             // the glyph's top-left pixel
  QPoint decalage_legende; // how far the caption moves away from it
};

// The glyph's place beside the caption box `legende` (where the caption is centred; of no
// size without a caption). `s` is the spacing, 0 without a caption: the glyph moves away by
// its larger half, the caption by the smaller one and by half the glyph.
PlaceGlyphe place_glyphe(TButtonLayout disposition, QSize bouton, QRect legende, QSize glyphe,
                         int s) {
  const DispositionGlyphe &d = DISPOSITIONS_GLYPHE[disposition];
  const int g = d.vertical ? glyphe.height() : glyphe.width();
  const int debut = d.vertical ? legende.y() : legende.x();
  const int longueur = d.vertical ? legende.height() : legende.width();
  const int le_long = debut + (d.cote > 0 ? longueur : 0) - g / 2 - (d.retrait_impair ? g % 2 : 0) +
                      d.cote * (s / 2 + s % 2);
  const int decalage = -d.cote * (g / 2 + s / 2);
  if (d.vertical)
    return {{(bouton.width() - glyphe.width()) / 2, le_long}, {0, decalage}};
  return {{le_long, (bouton.height() - glyphe.height()) / 2}, {decalage, 0}};
}

// The letter after the caption's first single "&" ("&&" is a plain "&"), or a null QChar.
QChar lettre_accelerateur(const QString &legende) {
  for (qsizetype i = 0; i + 1 < legende.size(); ++i) {
    if (legende[i] != QLatin1Char('&'))
      continue;
    if (legende[i + 1] != QLatin1Char('&'))
      return legende[i + 1];
    ++i;
  }
  return {};
}

bool touche_entree(int touche) {
  return touche == Qt::Key_Return || touche == Qt::Key_Enter;
}

// The buttons of one window, in creation order, offering themselves Enter and Escape that
// no control of the window used. One per window, made by the window's first button.
class RoutageDialogue : public QObject {
public:
  static constexpr const char *NOM = "routage_touches_dialogue";
  explicit RoutageDialogue(QWidget *fenetre) : QObject(fenetre) {
    setObjectName(QLatin1String(NOM));
    fenetre->installEventFilter(this);
  }

protected:
  bool eventFilter(QObject *objet, QEvent *event) override {
    if (event->type() != QEvent::KeyPress)
      return false;
    const auto *touche = static_cast<QKeyEvent *>(event);
    return TBoutonDegrade::offre_touche_dialogue(static_cast<QWidget *>(objet), touche->key(),
                                                 touche->modifiers());
  }
};

} // namespace

TBoutonDegrade::TBoutonDegrade(QWidget *parent) : QWidget(parent) {
  resize(LARGEUR_INITIALE, HAUTEUR_INITIALE);
  setFocusPolicy(Qt::TabFocus); // a press takes the focus by hand, only with tab stop on
  setAttribute(Qt::WA_OpaquePaintEvent);
  setColorScheme(csNeoDesert);
  // Set behind the setter's back, so the scheme still reads csNeoDesert.
  couleurs[OverColorGrad] = 0xFFFFFF;
  couleurs[DownColorGrad] = 0xFFFFFF;
  couleurs[DisabledColorGrad] = 0xFFFFFF;
  attache_routage();
}

void TBoutonDegrade::setColor(CouleurBouton index, TColor valeur) {
  couleurs[index] = valeur;
  schema = csCustom;
  update();
}

void TBoutonDegrade::setColorScheme(TColorScheme valeur) {
  schema = valeur;
  for (const CouleurSchema &c : couleurs_schema(valeur))
    setColor(c.index, c.valeur);
  if (valeur != csCustom)
    setGradient(schema_degrade(valeur));
  update();
  schema = valeur;
}

void TBoutonDegrade::setCtl3D(bool valeur) {
  relief = valeur;
  update();
}

void TBoutonDegrade::setLayout(TButtonLayout valeur) {
  disposition = valeur;
  update();
}

void TBoutonDegrade::setGlyph(const QImage &image) {
  glyphe = image;
  update();
}

void TBoutonDegrade::setSpacing(int valeur) {
  espace = valeur;
  update();
}

void TBoutonDegrade::setTransparentGlyph(bool valeur) {
  glyphe_transparent = valeur;
  update();
}

void TBoutonDegrade::setGradient(bool valeur) {
  degrade = valeur;
  update();
}

void TBoutonDegrade::setTabStop(bool valeur) {
  setFocusPolicy(valeur ? Qt::TabFocus : Qt::NoFocus);
}

void TBoutonDegrade::setCaption(const QString &texte) {
  legende = texte;
  prend_accelerateur();
  update();
}

void TBoutonDegrade::prend_accelerateur() {
  if (raccourci)
    releaseShortcut(raccourci);
  raccourci = 0;
  const QKeySequence sequence = QKeySequence::mnemonic(legende);
  if (!sequence.isEmpty())
    raccourci = grabShortcut(sequence);
}

QImage TBoutonDegrade::peinture() const {
  const int W = width();
  const int H = height();
  QImage image(W, H, QImage::Format_RGB32);
  if (image.isNull())
    return image;
  // Fonts given in points measure as they do on the screen.
  image.setDotsPerMeterX(qRound(logicalDpiX() / 0.0254));
  image.setDotsPerMeterY(qRound(logicalDpiY() / 0.0254));

  const int jeu = !isEnabled()          ? JeuDisabled
                  : etat_visuel == Down ? JeuDown
                  : etat_visuel == Over ? JeuOver
                                        : JeuNormal;
  const auto couleur = [&](RoleCouleur role) { return couleurs[jeu + role]; };
  const bool enfonce = etat_visuel == Down;

  QPainter p(&image);
  p.fillRect(image.rect(), qcouleur(couleur(Face)));
  if (degrade)
    degrade_vertical(p, W, H, couleur(Face), couleur(Grad));

  p.setFont(font());
  p.setPen(qcouleur(couleur(Text)));
  const QFontMetrics mesure = p.fontMetrics();
  // The caption as written, marks included: it is drawn centred in a box of that size.
  const int tw = legende.isEmpty() ? 0 : mesure.horizontalAdvance(legende);
  const int th = legende.isEmpty() ? 0 : mesure.height();
  int tx = (W - tw) / 2;
  int ty = (H - th) / 2;

  if (!glyphe.isNull()) {
    const PlaceGlyphe place = place_glyphe(disposition, QSize(W, H), QRect(tx, ty, tw, th),
                                           glyphe.size(), legende.isEmpty() ? 0 : espace);
    int gx = place.coin.x();
    int gy = place.coin.y();
    tx += place.decalage_legende.x();
    ty += place.decalage_legende.y();
    if (enfonce) {
      ++gx;
      ++gy;
    }
    QImage dessin = glyphe.convertToFormat(QImage::Format_ARGB32);
    if (glyphe_transparent) {
      const QRgb cle =
          qRgb(qRed(dessin.pixel(0, 0)), qGreen(dessin.pixel(0, 0)), qBlue(dessin.pixel(0, 0)));
      for (int y = 0; y < dessin.height(); ++y) {
        auto *ligne_glyphe = reinterpret_cast<QRgb *>(dessin.scanLine(y));
        for (int x = 0; x < dessin.width(); ++x)
          if ((ligne_glyphe[x] & RGB_MASK) == (cle & RGB_MASK))
            ligne_glyphe[x] = 0;
      }
    }
    p.drawImage(gx, gy, dessin);
  }

  if (enfonce) {
    ++tx;
    ++ty;
  }
  if (!legende.isEmpty())
    p.drawText(QRect(tx, ty, tw, th),
               Qt::AlignCenter | Qt::TextSingleLine | Qt::TextDontClip | Qt::TextShowMnemonic,
               legende);

  p.setPen(qcouleur(couleur(Border)));
  contour(p, 0, 0, W, H);
  if (relief) {
    p.setPen(qcouleur(couleur(Light)));
    ligne(p, 1, H - 2, 1, 1);
    ligne(p, 1, 1, W - 1, 1);
    p.setPen(qcouleur(couleur(Dark)));
    ligne(p, W - 2, 1, W - 2, H - 2);
    ligne(p, W - 2, H - 2, 1, H - 2);
  }
  if (focalise) {
    p.setPen(qcouleur(couleurs[ColorFocusRect]));
    contour(p, 3, 3, W - 3, H - 3);
  }
  return image;
}

void TBoutonDegrade::paintEvent(QPaintEvent *) {
  const QImage image = peinture();
  if (image.isNull())
    return;
  QPainter(this).drawImage(0, 0, image);
}

void TBoutonDegrade::change_etat(EtatVisuel nouvel_etat) {
  etat_visuel = nouvel_etat;
  repaint();
}

void TBoutonDegrade::Click() {
  const QPointer<QDialog> forme = parentWidget() ? qobject_cast<QDialog *>(window()) : nullptr;
  if (forme)
    forme->setResult(resultat_modal);
  change_etat(Normal);
  emit OnClick();
  // A modal run ends once the handler is done, and only if the result is still non-zero.
  if (forme && forme->isVisible() && forme->isModal() && forme->result() != 0)
    forme->done(forme->result());
}

void TBoutonDegrade::appui_gauche() {
  appuye = true;
  etat_visuel = Down;
  if (TabStop())
    setFocus(Qt::MouseFocusReason);
  repaint();
}

void TBoutonDegrade::mousePressEvent(QMouseEvent *event) {
  second_appui = false;
  dedans = true;
  if (event->button() == Qt::LeftButton)
    appui_gauche();
}

void TBoutonDegrade::mouseDoubleClickEvent(QMouseEvent *event) {
  dedans = true;
  if (event->button() != Qt::LeftButton)
    return;
  second_appui = true;
  appui_gauche();
}

void TBoutonDegrade::mouseReleaseEvent(QMouseEvent *event) {
  const QPoint point(qFloor(event->position().x()), qFloor(event->position().y()));
  const QPointer<TBoutonDegrade> moi(this);
  if (event->button() == Qt::LeftButton && appuye && !second_appui && rect().contains(point)) {
    Click();
    if (!moi)
      return;
  }
  appuye = false;
  second_appui = false;
  // Column 0 and row 0 click above but count as outside here.
  if (point.x() > 0 && point.x() < width() && point.y() > 0 && point.y() < height())
    etat_visuel = suivi ? Over : Normal;
  repaint();
}

// While a button is held the toolkit sends no enter or leave, only moves: they tell when
// the pointer leaves the button and comes back.
void TBoutonDegrade::mouseMoveEvent(QMouseEvent *event) {
  const bool sur_le_bouton = rect().contains(event->position().toPoint());
  if (sur_le_bouton && !dedans)
    pointeur_entre();
  else if (!sur_le_bouton && dedans)
    pointeur_sort();
  QWidget::mouseMoveEvent(event);
}

void TBoutonDegrade::enterEvent(QEnterEvent *) {
  if (!dedans)
    pointeur_entre();
}

void TBoutonDegrade::leaveEvent(QEvent *) {
  if (dedans)
    pointeur_sort();
}

void TBoutonDegrade::pointeur_entre() {
  dedans = true;
  if (suivi)
    change_etat(appuye ? Down : Over);
}

void TBoutonDegrade::pointeur_sort() {
  dedans = false;
  change_etat(Normal);
}

void TBoutonDegrade::focusInEvent(QFocusEvent *) {
  focalise = true;
  repaint();
}

void TBoutonDegrade::focusOutEvent(QFocusEvent *) {
  focalise = false;
  change_etat(Normal);
}

void TBoutonDegrade::keyPressEvent(QKeyEvent *event) {
  const int touche = event->key();
  if (touche_entree(touche) || touche == Qt::Key_Escape) {
    // The window's buttons see the key before the focused one does.
    if (offre_touche_dialogue(window(), touche, event->modifiers()))
      return;
    if (touche_entree(touche)) {
      const QPointer<TBoutonDegrade> moi(this);
      Click();
      if (moi)
        repaint();
    }
    return; // used here, never offered again by the window
  }
  if (touche == Qt::Key_Space) {
    change_etat(Down);
    return;
  }
  // A letter typed on a button is an accelerator for its window, as Alt and the letter is.
  const QString texte = event->text();
  if (!(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && texte.size() == 1 &&
      texte[0].isLetterOrNumber()) {
    const QList<TBoutonDegrade *> boutons = window()->findChildren<TBoutonDegrade *>();
    for (TBoutonDegrade *b : boutons) {
      const QChar lettre = lettre_accelerateur(b->legende);
      if (b->window() == window() && b->isEnabled() && !lettre.isNull() &&
          lettre.toCaseFolded() == texte[0].toCaseFolded()) {
        b->Click();
        return;
      }
    }
  }
  repaint();
  QWidget::keyPressEvent(event);
}

void TBoutonDegrade::keyReleaseEvent(QKeyEvent *event) {
  // Held keys repeat as press and release pairs; only the real release clicks.
  if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
    change_etat(Normal);
    Click();
    return;
  }
  QWidget::keyReleaseEvent(event);
}

void TBoutonDegrade::changeEvent(QEvent *event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange)
    update();
}

bool TBoutonDegrade::event(QEvent *event) {
  if (event->type() == QEvent::Shortcut &&
      static_cast<QShortcutEvent *>(event)->shortcutId() == raccourci) {
    if (isEnabled())
      Click();
    return true;
  }
  if (event->type() == QEvent::ParentChange)
    attache_routage();
  return QWidget::event(event);
}

void TBoutonDegrade::attache_routage() {
  QWidget *fenetre = window();
  if (fenetre == this)
    return;
  if (!fenetre->findChild<QObject *>(QLatin1String(RoutageDialogue::NOM),
                                     Qt::FindDirectChildrenOnly))
    new RoutageDialogue(fenetre);
}

bool TBoutonDegrade::prend_touche_dialogue(int touche, Qt::KeyboardModifiers mods,
                                           bool avec_regle_defaut) const {
  const bool peut_prendre_focus = isVisible() && isEnabled();
  if (!peut_prendre_focus)
    return false;
  if (avec_regle_defaut)
    return defaut && touche_entree(touche);
  const bool sans_modificateur =
      !(mods & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier));
  return sans_modificateur &&
         ((touche_entree(touche) && focalise) || (touche == Qt::Key_Escape && annulation));
}

bool TBoutonDegrade::offre_touche_dialogue(QWidget *fenetre, int touche,
                                           Qt::KeyboardModifiers mods) {
  if (!fenetre || !(touche_entree(touche) || touche == Qt::Key_Escape))
    return false;
  const QList<TBoutonDegrade *> boutons = fenetre->findChildren<TBoutonDegrade *>();
  for (const bool regle_defaut : {false, true})
    for (TBoutonDegrade *b : boutons)
      if (b->window() == fenetre && b->prend_touche_dialogue(touche, mods, regle_defaut)) {
        b->Click();
        return true;
      }
  return false;
}
