// The three texture pictures of the Textures box.

#include "donnees_installees.h"
#include "image_etiree.h"
#include "picture_qt.h"
#include "texte_1252.h"
#include "tform1.h"

bool TForm1::charge_texture(ImageEtiree *image, const std::string &nom) {
  const QString chemin = chemin_texture(QString::fromStdString(utf8_depuis_1252(nom)));
  QString message;
  const QImage picture = charge_image(chemin, &message);
  if (picture.isNull()) {
    dialogues->erreur(message.isEmpty() ? chemin : message);
    return false;
  }
  image->pose_picture(QPixmap::fromImage(picture));
  return true;
}

void TForm1::charge_textures() {
  ImageEtiree *const images[NB_TEXTURES] = {TM, TS, TP};
  for (int rang = 0; rang < NB_TEXTURES; ++rang)
    // A default that cannot be read leaves the box empty rather than showing a picture
    // the world no longer names.
    if (!charge_texture(images[rang], monde().texture(rang)))
      images[rang]->pose_picture(QPixmap());
}

// Choosing a texture through the dialog comes with the textures command.
void TForm1::TMClick(ImageEtiree *) {}
