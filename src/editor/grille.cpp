// The grid side of the world routines: the kind bitmaps and the 320 images that show the
// records, created once and reused by every clearing.

#include <QDir>

#include <algorithm>

#include "cadre_marque.h"
#include "disposition.h"
#include "image_grille.h"
#include "proprietes.h"
#include "ressources.h"
#include "textes_aide.h"
#include "tform1.h"

namespace {
QPixmap bitmap_ressource(QChar lettre, int kind) {
  return QPixmap::fromImage(avec_transparence(ressource_bitmap(lettre + QString::number(kind))));
}
} // namespace

void TForm1::charge_bitmaps() {
  for (int k = 0; k < NB_TYPES_CLOISON; ++k) {
    bmp_h[k] = bitmap_ressource(QLatin1Char('H'), k);
    bmp_v[k] = bitmap_ressource(QLatin1Char('V'), k);
  }
  for (int k = 0; k < NB_TYPES_SALLE; ++k)
    bmp_c[k] = bitmap_ressource(QLatin1Char('C'), k);
}

QPixmap TForm1::bitmap_cloison(int sens, int contenu) const {
  if (!type_cloison_valide(contenu))
    return {};
  return sens == 0 ? bmp_h[contenu] : bmp_v[contenu];
}

QPixmap TForm1::bitmap_salle(int contenu) const {
  return type_salle_valide(contenu) ? bmp_c[contenu] : QPixmap();
}

void TForm1::cree_images_grille() {
  const QString aide_cloison = QString::fromUtf8(AIDE_CLOISON);
  for (ImageGrille *&vue : vues_cloisons) {
    vue = new ImageGrille(this);
    pose_aide(vue, aide_cloison);
    connect(vue, &ImageGrille::appui, this, &TForm1::Image1MouseDown);
    lie_survol(vue, &TForm1::Image3MouseMove);
  }
  // Rooms are created last so that they lie above the marker, which frames them from below.
  const QString aide_salle = QString::fromUtf8(AIDE_SALLE);
  for (ImageGrille *&vue : vues_salles) {
    vue = new ImageGrille(this);
    pose_aide(vue, aide_salle);
    connect(vue, &ImageGrille::appui, this, &TForm1::Image2MouseDown);
    lie_survol(vue, &TForm1::Image3MouseMove);
  }
}

void TForm1::dessine_cloison(int indice) {
  const Tcloison &c = monde.cloisons[static_cast<size_t>(indice)];
  ImageGrille *vue = vues_cloisons[static_cast<size_t>(indice)];
  const bool horizontale = c.sens == 0;
  vue->setGeometry(c.x, c.y, horizontale ? LONGUEUR_CLOISON : EPAISSEUR_CLOISON,
                   horizontale ? EPAISSEUR_CLOISON : LONGUEUR_CLOISON);
  vue->Tag = indice;
  vue->pose_picture(bitmap_cloison(c.sens, c.contenu));
  vue->show();
}

void TForm1::dessine_salle(int indice) {
  const Tsalle &s = monde.salles[static_cast<size_t>(indice)];
  ImageGrille *vue = vues_salles[static_cast<size_t>(indice)];
  vue->setGeometry(s.x, s.y, TAILLE_SALLE, TAILLE_SALLE);
  vue->Tag = indice;
  vue->pose_picture(bitmap_salle(s.contenu));
  vue->show();
}

void TForm1::Cree_Monde() {
  ::Cree_Monde(monde);
  // The textures come first; the grid does not depend on them and is built whatever failed.
  charge_textures();
  if (vues_cloisons[0] == nullptr)
    cree_images_grille();
  montre_grille_fraiche();
}

void TForm1::efface_monde() {
  ::efface_monde(monde);
  reinitialise_sons();
  charge_textures();
  montre_grille_fraiche();
}

void TForm1::montre_grille_fraiche() {
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    dessine_cloison(i);
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    dessine_salle(i);
  Marque->move(PLACE_MARQUE.topLeft());
  vide_panneau_salle();
}

namespace {

// The left button steps a kind back, the right one forward; the middle one (and any other
// button the toolkit reports) leaves it and, on a room, only selects.
int pas_du_bouton(Qt::MouseButton bouton) {
  switch (bouton) {
  case Qt::LeftButton: return -1;
  case Qt::RightButton: return 1;
  default: return 0;
  }
}

int32_t pas_de_type(int32_t contenu, int delta, int32_t nombre) {
  // Only a file can bring a kind outside 0..nombre-1: it is first taken as the nearer end
  // of the range, so the press lands on a kind that has a picture.
  const int32_t dans_plage = std::clamp<int32_t>(contenu, 0, nombre - 1);
  return (dans_plage + delta + nombre) % nombre;
}

} // namespace

void TForm1::Image1MouseDown(ImageGrille *image, Qt::MouseButton bouton) {
  delta_clic = pas_du_bouton(bouton);
  Tcloison &c = monde.cloisons[static_cast<size_t>(image->Tag)];
  c.contenu = pas_de_type(c.contenu, delta_clic, NB_TYPES_CLOISON);
  // A partition whose orientation is neither horizontal nor vertical (a damaged file)
  // has no picture of the right shape: it keeps the one it has.
  if (c.sens == 0 || c.sens == 1)
    image->pose_picture(bitmap_cloison(c.sens, c.contenu));
  monde.modifie = true;
}

void TForm1::Image2MouseDown(ImageGrille *image, Qt::MouseButton bouton) {
  delta_clic = pas_du_bouton(bouton);
  // The panel goes into the room that was selected before the selection moves.
  if (monde.salle_choisie >= 0)
    memorise_salle();
  monde.salle_choisie = image->Tag;
  Tsalle &s = monde.salles[static_cast<size_t>(image->Tag)];
  // The outline frames the image itself; for records placed by building or clearing that
  // is col*60+28, lig*60+28.
  Marque->move(image->pos() - QPoint(CadreMarque::EPAISSEUR, CadreMarque::EPAISSEUR));
  s.contenu = pas_de_type(s.contenu, delta_clic, NB_TYPES_SALLE);
  image->pose_picture(bitmap_salle(s.contenu));
  affiche_salle(s);
  monde.modifie = true;
}
