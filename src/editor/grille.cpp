// The grid side of the world routines: the kind bitmaps and the 320 images that show the
// records, created once and reused by every clearing.

#include <QDir>

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
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    dessine_cloison(i);
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    dessine_salle(i);
  Marque->move(PLACE_MARQUE.topLeft());
  vide_panneau_salle();
}

void TForm1::efface_monde() {
  ::efface_monde(monde);
  reinitialise_sons();
  charge_textures();
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    dessine_cloison(i);
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    dessine_salle(i);
  Marque->move(PLACE_MARQUE.topLeft());
  vide_panneau_salle();
}

// Stepping the kinds, the selection and the room panel transfer come with grid editing.
void TForm1::Image1MouseDown(ImageGrille *, Qt::MouseButton) {}
void TForm1::Image2MouseDown(ImageGrille *, Qt::MouseButton) {}
