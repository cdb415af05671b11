#include "grille.h"

#include <algorithm>

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

} // namespace

Grille::Grille(Document &document, QWidget *parent) : QWidget(parent), document_(document) {
  setObjectName(QStringLiteral("Grille"));
  place(this);
  charge_bitmaps();
  // Created first, so that it lies under the room images, which it frames from below.
  Marque = new CadreMarque(this);
  Marque->setObjectName(QStringLiteral("Marque"));
  place(Marque);

  const auto cree = [this](auto &vues, const char *nom, const char *texte,
                           void (Grille::*appui)(ImageGrille *, Qt::MouseButton)) {
    for (size_t i = 0; i < vues.size(); ++i) {
      auto *vue = new ImageGrille(this);
      vue->setObjectName(QString::fromLatin1(nom) + QString::number(i));
      vue->hide();
      pose_aide(vue, QString::fromUtf8(texte));
      lie_survol(vue, Survol::aide);
      connect(vue, &ImageGrille::appui, this, appui);
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
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    dessine_salle(i);
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
  marque_salle(-1);
}

void Grille::marque_salle(int indice) {
  if (indice < 0 || indice >= NB_SALLES_MAX) {
    place(Marque);
    return;
  }
  // The outline frames the image itself; for records placed by building or clearing that
  // is col*60+28, lig*60+28.
  const QPoint coin = vues_salles[static_cast<size_t>(indice)]->pos();
  Marque->move(coin - QPoint(CadreMarque::EPAISSEUR, CadreMarque::EPAISSEUR));
}

void Grille::Image1MouseDown(ImageGrille *image, Qt::MouseButton bouton) {
  delta_clic_ = pas_du_bouton(bouton);
  // The image follows through montre_change.
  document_.pas_cloison(image->Tag, delta_clic_);
}

void Grille::Image2MouseDown(ImageGrille *image, Qt::MouseButton bouton) {
  delta_clic_ = pas_du_bouton(bouton);
  // The panel goes into the room that was selected before the selection moves.
  if (quitte_salle_ && !quitte_salle_())
    return;
  document_.choisit_salle(image->Tag);
  marque_salle(image->Tag);
  document_.pas_salle(image->Tag, delta_clic_);
  emit salle_montree(image->Tag);
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
  }
}
