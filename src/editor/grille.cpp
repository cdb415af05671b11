#include "grille.h"

#include <QKeyEvent>

#include <algorithm>
#include <cmath>

#include "cadre_marque.h"
#include "construction.h"
#include "document.h"
#include "image_grille.h"
#include "proprietes.h"
#include "textes_aide.h"

namespace {

QPixmap bitmap_ressource(QChar lettre, int kind) {
  return glyphe(lettre + QString::number(kind));
}

// The left button steps a kind back, the right one forward; the middle one (and any other
// button the toolkit reports) leaves it and, on a room, only selects.
int pas_du_bouton(Qt::MouseButton bouton) {
  switch (bouton) {
  case Qt::LeftButton: return -1;
  case Qt::RightButton: return 1;
  default: return 0;
  }
}

// Samples of the pointer's path during a stroke, closer than the thinnest element (a
// partition is 20 pixels thick), so that a fast drag misses none it crosses.
constexpr int PAS_TRAIT = 5;

} // namespace

Grille::Grille(Document &document, QWidget *parent) : QWidget(parent), document_(document) {
  setObjectName(QStringLiteral("Grille"));
  place(this);
  // The grid takes the focus for the arrows from Tab and from its own press handlers, not
  // from Qt's click: a press that the panel refuses (a text it cannot store) must leave the
  // focus in the field to mend.
  setFocusPolicy(Qt::TabFocus);
  charge_bitmaps();
  // Created first, so that it lies under the room images, which it frames from below.
  Marque = new CadreMarque(this);
  Marque->setObjectName(QStringLiteral("Marque"));
  place(Marque);

  const auto cree =
      [this](auto &vues, const char *nom, const char *texte,
             void (Grille::*appui)(ImageGrille *, Qt::MouseButton, Qt::KeyboardModifiers)) {
        for (size_t i = 0; i < vues.size(); ++i) {
          auto *vue = new ImageGrille(this);
          vue->setObjectName(QString::fromLatin1(nom) + QString::number(i));
          vue->hide();
          pose_aide(vue, QString::fromUtf8(texte));
          lie_survol(vue, Survol::aide);
          connect(vue, &ImageGrille::appui, this, appui);
          connect(vue, &ImageGrille::glisse, this, &Grille::suit_trait);
          connect(vue, &ImageGrille::relache, this, &Grille::finit_trait);
          vues[i] = vue;
        }
      };
  cree(vues_cloisons, "Cloison", AIDE_CLOISON, &Grille::Image1MouseDown);
  // Rooms are created last so that they lie above the marker.
  cree(vues_salles, "Salle", AIDE_SALLE, &Grille::Image2MouseDown);
  connect(&document_, &Document::change, this, &Grille::montre_change);
}

const Monde &Grille::monde() const {
  return document_.monde();
}

void Grille::charge_bitmaps() {
  for (int k = 0; k < NB_TYPES_CLOISON; ++k) {
    bmp_h[k] = bitmap_ressource(QLatin1Char('H'), k);
    bmp_v[k] = bitmap_ressource(QLatin1Char('V'), k);
  }
  for (int k = 0; k < NB_TYPES_SALLE; ++k)
    bmp_c[k] = bitmap_ressource(QLatin1Char('C'), k);
}

void Grille::libere_bitmaps() {
  for (QPixmap &b : bmp_h)
    b = QPixmap();
  for (QPixmap &b : bmp_v)
    b = QPixmap();
  for (QPixmap &b : bmp_c)
    b = QPixmap();
}

QPixmap Grille::bitmap_cloison(int sens, int contenu) const {
  if (!type_cloison_valide(contenu))
    return {};
  return sens == 0 ? bmp_h[contenu] : bmp_v[contenu];
}

QPixmap Grille::bitmap_salle(int contenu) const {
  return type_salle_valide(contenu) ? bmp_c[contenu] : QPixmap();
}

QPoint Grille::dans_grille(int x, int y) const {
  return QPoint(x, y) - pos();
}

void Grille::dessine_cloison(int indice) {
  const Tcloison &c = monde().cloisons[static_cast<size_t>(indice)];
  ImageGrille *vue = vues_cloisons[static_cast<size_t>(indice)];
  const bool horizontale = c.sens == 0;
  vue->setGeometry(
      QRect(dans_grille(c.x, c.y), QSize(horizontale ? LONGUEUR_CLOISON : EPAISSEUR_CLOISON,
                                         horizontale ? EPAISSEUR_CLOISON : LONGUEUR_CLOISON)));
  vue->Tag = indice;
  vue->pose_picture(bitmap_cloison(c.sens, c.contenu));
  vue->show();
}

void Grille::dessine_salle(int indice) {
  const Tsalle &s = monde().salles[static_cast<size_t>(indice)];
  ImageGrille *vue = vues_salles[static_cast<size_t>(indice)];
  vue->setGeometry(QRect(dans_grille(s.x, s.y), QSize(TAILLE_SALLE, TAILLE_SALLE)));
  vue->Tag = indice;
  vue->pose_picture(bitmap_salle(s.contenu));
  vue->show();
}

void Grille::montre_fraiche() {
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    dessine_cloison(i);
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    dessine_salle(i);
    marque_contenu(i);
  }
  marque_salle(-1);
}

void Grille::montre_lue() {
  // Records past the counts are shown too: the reading made them fresh ones.
  for (int i = 0; i < NB_CLOISONS_MAX; ++i) {
    const Tcloison &c = monde().cloisons[static_cast<size_t>(i)];
    ImageGrille *vue = vues_cloisons[static_cast<size_t>(i)];
    if (c.sens == 0 || c.sens == 1)
      vue->pose_picture(bitmap_cloison(c.sens, c.contenu));
    vue->show();
  }
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    ImageGrille *vue = vues_salles[static_cast<size_t>(i)];
    vue->pose_picture(bitmap_salle(monde().salles[static_cast<size_t>(i)].contenu));
    vue->show();
  }
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    marque_contenu(i);
  marque_salle(-1);
}

void Grille::marque_salle(int indice) {
  if (indice < 0 || indice >= NB_SALLES_MAX) {
    place(Marque);
    return;
  }
  // The outline frames the image itself, 2 pixels outside it; for records placed by building
  // or clearing that is col*60+18, lig*60+18 in the grid (col*60+28, lig*60+28 in the window).
  const QPoint coin = vues_salles[static_cast<size_t>(indice)]->pos();
  Marque->move(coin - QPoint(CadreMarque::EPAISSEUR, CadreMarque::EPAISSEUR));
}

void Grille::marque_contenu(int indice) {
  if (indice < 0 || indice >= NB_SALLES_MAX)
    return;
  const Tsalle &s = monde().salles[static_cast<size_t>(indice)];
  vues_salles[static_cast<size_t>(indice)]->pose_marques(
      {!s.question.empty(), !s.image.empty(), !s.media.empty()});
}

void Grille::pose_pinceau(std::optional<Pinceau> pinceau) {
  finit_trait();
  pinceau_ = pinceau;
  // The images of the brush's sort tell what a press on them now does.
  const QString texte = pinceau ? texte_pinceau(*pinceau) : QString();
  for (ImageGrille *vue : vues_cloisons)
    pose_aide(vue, pinceau && pinceau->cloison ? texte : QString::fromUtf8(AIDE_CLOISON));
  for (ImageGrille *vue : vues_salles)
    pose_aide(vue, pinceau && !pinceau->cloison ? texte : QString::fromUtf8(AIDE_SALLE));
}

bool Grille::peint(ImageGrille *vue) {
  if (!pinceau_)
    return false;
  const auto est = [vue](const auto &vues) {
    return std::find(vues.begin(), vues.end(), vue) != vues.end();
  };
  if (pinceau_->cloison && est(vues_cloisons))
    return document_.pose_dans_trait({Champ::contenu_cloison, vue->Tag, 0}, pinceau_->type);
  if (!pinceau_->cloison && est(vues_salles))
    return document_.pose_dans_trait({Champ::contenu_salle, vue->Tag, 0}, pinceau_->type);
  return false;
}

void Grille::commence_trait(ImageGrille *vue) {
  document_.debut_trait(QStringLiteral("Pinceau"));
  trait_ = true;
  dernier_point_ = vue->geometry().center();
  peint(vue);
}

ImageGrille *Grille::element_en(QPoint dans_grille) const {
  return qobject_cast<ImageGrille *>(childAt(dans_grille));
}

void Grille::suit_trait(QPoint global) {
  if (!trait_)
    return;
  const QPoint arrivee = mapFromGlobal(global);
  const QPoint chemin = arrivee - dernier_point_;
  const int pas =
      std::max(1, static_cast<int>(std::ceil(std::hypot(chemin.x(), chemin.y()) / PAS_TRAIT)));
  for (int i = 1; i <= pas; ++i) {
    const QPoint p = dernier_point_ + chemin * i / pas;
    if (ImageGrille *vue = element_en(p))
      peint(vue);
  }
  dernier_point_ = arrivee;
}

void Grille::finit_trait() {
  if (!trait_)
    return;
  trait_ = false;
  document_.fin_trait();
}

void Grille::Image1MouseDown(ImageGrille *image, Qt::MouseButton bouton,
                             Qt::KeyboardModifiers touches) {
  finit_trait();
  setFocus(Qt::MouseFocusReason);
  if (touches & Qt::ControlModifier) {
    delta_clic_ = 0;
    return;
  }
  delta_clic_ = pas_du_bouton(bouton);
  if (bouton == Qt::LeftButton && pinceau_ && pinceau_->cloison) {
    commence_trait(image);
    return;
  }
  // The image follows through montre_change.
  document_.pas_cloison(image->Tag, delta_clic_);
}

void Grille::Image2MouseDown(ImageGrille *image, Qt::MouseButton bouton,
                             Qt::KeyboardModifiers touches) {
  finit_trait();
  // Ctrl+press selects without changing, for a touchpad that has no middle button.
  delta_clic_ = touches & Qt::ControlModifier ? 0 : pas_du_bouton(bouton);
  // The panel goes into the room that was selected before the selection moves. A text it
  // cannot store keeps the selection, and the focus in the field so that it can be mended.
  if (quitte_salle_ && !quitte_salle_())
    return;
  setFocus(Qt::MouseFocusReason);
  document_.choisit_salle(image->Tag);
  marque_salle(image->Tag);
  if (delta_clic_ < 0 && pinceau_ && !pinceau_->cloison)
    commence_trait(image);
  else
    document_.pas_salle(image->Tag, delta_clic_);
  emit salle_montree(image->Tag);
}

void Grille::selectionne(int indice) {
  // A text the panel cannot store keeps the selection where it is, as a press does.
  if (quitte_salle_ && !quitte_salle_())
    return;
  document_.choisit_salle(indice);
  marque_salle(indice);
  emit salle_montree(indice);
}

void Grille::keyPressEvent(QKeyEvent *event) {
  const int choisie = document_.salle_choisie();
  const bool choisie_valide = choisie >= 0 && choisie < NB_SALLES_MAX;
  const int col = choisie_valide ? choisie % 10 : 0;
  const int lig = choisie_valide ? choisie / 10 : 0;
  int dc = 0;
  int dl = 0;
  switch (event->key()) {
  case Qt::Key_Left: dc = -1; break;
  case Qt::Key_Right: dc = 1; break;
  case Qt::Key_Up: dl = -1; break;
  case Qt::Key_Down: dl = 1; break;
  case Qt::Key_Return:
  case Qt::Key_Enter:
    if (choisie_valide)
      emit vers_question();
    event->accept();
    return;
  default: QWidget::keyPressEvent(event); return;
  }
  event->accept();
  const Qt::KeyboardModifiers touches = event->modifiers() & ~Qt::KeypadModifier;
  if (touches & (Qt::ShiftModifier | Qt::ControlModifier)) {
    if (!choisie_valide)
      return;
    // The partition on that side: above a room is its row's horizontal one, below it the
    // next row's; left is its column's vertical one, right the next column's.
    const int cloison = dl != 0 ? indice_cloison_h(col, lig + std::max(dl, 0))
                                : indice_cloison_v(col + std::max(dc, 0), lig);
    delta_clic_ = touches & Qt::ShiftModifier ? 1 : -1;
    document_.pas_cloison(cloison, delta_clic_);
    return;
  }
  if (!choisie_valide) {
    selectionne(indice_salle(0, 0));
    return;
  }
  const int c = std::clamp(col + dc, 0, 9);
  const int l = std::clamp(lig + dl, 0, 9);
  if (c != col || l != lig)
    selectionne(indice_salle(c, l));
}

void Grille::montre_change(const Cible &cible) {
  const auto i = static_cast<size_t>(cible.indice);
  if (cible.champ == Champ::contenu_cloison) {
    const Tcloison &c = monde().cloisons[i];
    // A partition whose orientation is neither horizontal nor vertical (a damaged file)
    // has no picture of the right shape: it keeps the one it has.
    if (c.sens == 0 || c.sens == 1)
      vues_cloisons[i]->pose_picture(bitmap_cloison(c.sens, c.contenu));
  } else if (cible.champ == Champ::contenu_salle) {
    vues_salles[i]->pose_picture(bitmap_salle(monde().salles[i].contenu));
  } else if (cible.champ == Champ::question || cible.champ == Champ::image ||
             cible.champ == Champ::media) {
    marque_contenu(cible.indice);
  }
}
