// The three texture pictures of the Textures box.

#include "donnees_installees.h"
#include "image_etiree.h"
#include "picture_qt.h"
#include "texte_1252.h"
#include "tform1.h"

Resultat TForm1::charge_texture(ImageEtiree *image, const std::string &nom) {
  const Avec<QImage> picture =
      charge_image(chemin_texture(QString::fromStdString(utf8_depuis_1252(nom))));
  if (!picture)
    return picture.resultat();
  image->pose_picture(QPixmap::fromImage(picture.valeur()));
  return Resultat::succes();
}

void TForm1::charge_textures() {
  ImageEtiree *const images[NB_TEXTURES] = {TM, TS, TP};
  for (int rang = 0; rang < NB_TEXTURES; ++rang)
    if (const Resultat r = charge_texture(images[rang], monde().texture(rang)); !r) {
      // A default that cannot be read leaves the box empty rather than showing a picture
      // the world no longer names.
      images[rang]->pose_picture(QPixmap());
      dialogues->erreur(QString::fromStdString(r.message()));
    }
}

// Choosing a texture through the dialog comes with the textures command.
void TForm1::TMClick(ImageEtiree *) {}
