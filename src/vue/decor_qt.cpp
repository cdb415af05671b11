#include "decor_qt.h"

#include "dossier_donnees.h"
#include "fichiers.h"
#include "picture.h"
#include "ressources.h"
#include "texte_1252.h"

#include <QDir>
#include <QFileInfo>

#include <cstring>

namespace {

// The view samples a texture by its fraction across (u, v), so a texture reduced keeps its
// look; a wall drawn 480 pixels high shows no more than this. A texture is decoded for a
// frame of this size (each side divided by a whole factor down to no less than it: below
// twice it), never whole: a small file announcing 16384 x 4096 pixels takes a few of its rows
// and 1 MB of result, not 256 MB.
constexpr int COTE_TEXTURE = 512;

QString dans_dossier(const QString &dossier, const QString &nom) {
  const QDir d(dossier.isEmpty() ? QStringLiteral(".") : dossier);
  if (QFileInfo(d.filePath(nom)).isFile())
    return d.filePath(nom);
  const QStringList tous = d.entryList(QDir::Files, QDir::Name);
  for (const QString &f : tous)
    if (f.compare(nom, Qt::CaseInsensitive) == 0)
      return d.filePath(f);
  return {};
}

Pixels pixels_de_picture(const Picture &p) {
  Pixels px;
  px.largeur = p.width;
  px.hauteur = p.height;
  px.argb = p.argb;
  for (uint32_t &c : px.argb)
    c |= 0xFF000000u; // textures are opaque
  return px;
}

} // namespace

QString fichier_texture(const std::string &nom_1252, const QString &dossier_labyrinthe) {
  if (nom_1252.empty())
    return {};
  const QString nom =
      QString::fromStdString(utf8_depuis_1252(std::string(nom_dans_dossier(nom_1252))));
  if (QString trouve = dans_dossier(dossier_labyrinthe, nom); !trouve.isEmpty())
    return trouve;
  return texture_installee(nom_1252, Qt::CaseInsensitive);
}

Decor charge_decor(const Labyrinthe &lab, const QString &dossier_labyrinthe) {
  Decor d;
  Pixels *textures[NB_TEXTURES] = {&d.murs, &d.sol, &d.plafond};
  for (int rang = 0; rang < NB_TEXTURES; ++rang) {
    const QString chemin = fichier_texture(lab.texture(rang), dossier_labyrinthe);
    if (chemin.isEmpty())
      continue;
    if (Avec<Picture> p = load_picture(QFile::encodeName(chemin).toStdString(),
                                       Reduction{COTE_TEXTURE, COTE_TEXTURE});
        p)
      *textures[rang] = pixels_de_picture(p.valeur());
  }
  for (int k = 0; k < NB_TYPES_SALLE; ++k)
    d.salles[static_cast<size_t>(k)] = pixels_de(ressource_bitmap(QStringLiteral("C%1").arg(k)));
  for (int k = 0; k < NB_TYPES_CLOISON; ++k)
    d.cloisons[static_cast<size_t>(k)] = pixels_de(ressource_bitmap(QStringLiteral("H%1").arg(k)));
  return d;
}

QImage image_de(const Pixels &p) {
  QImage image(p.largeur, p.hauteur, QImage::Format_RGB32);
  for (int y = 0; y < p.hauteur; ++y)
    std::memcpy(image.scanLine(y),
                p.argb.data() + static_cast<size_t>(y) * static_cast<size_t>(p.largeur),
                static_cast<size_t>(p.largeur) * sizeof(uint32_t));
  return image;
}

Pixels pixels_de(const QImage &image) {
  if (image.isNull())
    return {};
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  Pixels p(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y)
    std::memcpy(p.argb.data() + static_cast<size_t>(y) * static_cast<size_t>(p.largeur),
                rgb.constScanLine(y), static_cast<size_t>(p.largeur) * sizeof(uint32_t));
  return p;
}
