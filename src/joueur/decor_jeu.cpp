#include "decor_jeu.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <cstring>
#include <string_view>

#include "dossier_donnees.h"
#include "fichiers.h"
#include "fichiers_jeu.h"
#include "picture.h"
#include "ressources.h"

namespace {

Pixels pixels(Picture &&p) {
  Pixels r;
  r.largeur = p.width;
  r.hauteur = p.height;
  r.argb = std::move(p.argb);
  return r;
}

Pixels pixels(const QImage &image) {
  if (image.isNull())
    return {};
  const QImage a = image.convertToFormat(QImage::Format_ARGB32);
  Pixels r(a.width(), a.height());
  for (int y = 0; y < a.height(); ++y)
    std::memcpy(&r.argb[static_cast<size_t>(y) * static_cast<size_t>(a.width())],
                a.constScanLine(y), static_cast<size_t>(a.width()) * sizeof(uint32_t));
  return r;
}

// The texture `nom` of the labyrinth, or a default one from the installed data.
Pixels texture(const std::string &nom, const QString &dossier) {
  QString fichier = fichier_du_labyrinthe(nom, dossier);
  if (fichier.isEmpty()) {
    const std::string_view nu = nom_dans_dossier(nom);
    const QString donnees = dossier_donnees();
    for (int rang = 0; rang < NB_TEXTURES && !donnees.isEmpty(); ++rang)
      if (nu == texture_defaut(rang))
        fichier = fichier_du_labyrinthe(texture_defaut(rang), donnees);
  }
  if (fichier.isEmpty())
    return {};
  Avec<Picture> lue = load_picture(QFile::encodeName(fichier).toStdString());
  return lue ? pixels(std::move(lue.valeur())) : Pixels{};
}

} // namespace

Decor decor_du_labyrinthe(const Labyrinthe &lab, const QString &dossier) {
  Decor d;
  d.murs = texture(lab.texture_murs, dossier);
  d.sol = texture(lab.texture_sol, dossier);
  d.plafond = texture(lab.texture_plafond, dossier);
  for (int k = 0; k < NB_TYPES_SALLE; ++k)
    d.salles[static_cast<size_t>(k)] = pixels(ressource_bitmap(QStringLiteral("C%1").arg(k)));
  for (int k = 0; k < NB_TYPES_CLOISON; ++k)
    d.cloisons[static_cast<size_t>(k)] = pixels(ressource_bitmap(QStringLiteral("H%1").arg(k)));
  return d;
}
