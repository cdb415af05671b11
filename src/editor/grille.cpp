// The grid side of the world routines: the kind bitmaps and the 320 images that show the
// records, created once and reused by every clearing.

#include <QDir>

#include "cadre_marque.h"
#include "disposition.h"
#include "image_etiree.h"
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
  const Tcloison &c = monde().cloisons[static_cast<size_t>(indice)];
  ImageGrille *vue = vues_cloisons[static_cast<size_t>(indice)];
  const bool horizontale = c.sens == 0;
  vue->setGeometry(c.x, c.y, horizontale ? LONGUEUR_CLOISON : EPAISSEUR_CLOISON,
                   horizontale ? EPAISSEUR_CLOISON : LONGUEUR_CLOISON);
  vue->Tag = indice;
  vue->pose_picture(bitmap_cloison(c.sens, c.contenu));
  vue->show();
}

void TForm1::dessine_salle(int indice) {
  const Tsalle &s = monde().salles[static_cast<size_t>(indice)];
  ImageGrille *vue = vues_salles[static_cast<size_t>(indice)];
  vue->setGeometry(s.x, s.y, TAILLE_SALLE, TAILLE_SALLE);
  vue->Tag = indice;
  vue->pose_picture(bitmap_salle(s.contenu));
  vue->show();
}

void TForm1::Cree_Monde() {
  document_.cree();
  // The textures come first; the grid does not depend on them and is built whatever failed.
  charge_textures();
  if (vues_cloisons[0] == nullptr)
    cree_images_grille();
  montre_grille_fraiche();
}

void TForm1::efface_monde() {
  document_.efface();
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

} // namespace

void TForm1::Image1MouseDown(ImageGrille *image, Qt::MouseButton bouton) {
  delta_clic = pas_du_bouton(bouton);
  // The image follows through montre_change.
  document_.pas_cloison(image->Tag, delta_clic);
}

void TForm1::Image2MouseDown(ImageGrille *image, Qt::MouseButton bouton) {
  delta_clic = pas_du_bouton(bouton);
  // The panel goes into the room that was selected before the selection moves.
  if (monde().salle_choisie >= 0)
    memorise_salle();
  document_.choisit_salle(image->Tag);
  // The outline frames the image itself; for records placed by building or clearing that
  // is col*60+28, lig*60+28.
  Marque->move(image->pos() - QPoint(CadreMarque::EPAISSEUR, CadreMarque::EPAISSEUR));
  document_.pas_salle(image->Tag, delta_clic);
  affiche_salle(monde().salles[static_cast<size_t>(image->Tag)]);
}

void TForm1::montre_change(const Cible &cible, bool rejoue) {
  const auto i = static_cast<size_t>(cible.indice);
  switch (cible.champ) {
  case Champ::contenu_cloison: {
    const Tcloison &c = monde().cloisons[i];
    // A partition whose orientation is neither horizontal nor vertical (a damaged file)
    // has no picture of the right shape: it keeps the one it has.
    if (c.sens == 0 || c.sens == 1)
      vues_cloisons[i]->pose_picture(bitmap_cloison(c.sens, c.contenu));
    return;
  }
  case Champ::contenu_salle:
    vues_salles[i]->pose_picture(bitmap_salle(monde().salles[i].contenu));
    return;
  case Champ::question:
  case Champ::reponse:
  case Champ::bonne:
  case Champ::image:
  case Champ::media:
    // On the edit itself the panel is where the value came from.
    if (rejoue && cible.indice == monde().salle_choisie)
      affiche_salle(monde().salles[i]);
    return;
  case Champ::texture: {
    ImageEtiree *const images[NB_TEXTURES] = {TM, TS, TP};
    if (rejoue)
      charge_texture(images[cible.rang], monde().texture(cible.rang));
    return;
  }
  case Champ::son:
  case Champ::titre_lab:
  case Champ::mission:
  case Champ::message_fin: return; // shown by rooms still to come
  }
}
