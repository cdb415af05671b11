#include "donnees_installees.h"

#include <QDir>
#include <QFileInfo>

#include <string_view>

#include "fichiers.h"
#include "fichiers_editeur.h"
#include "monde.h"

QString chemin_texture(const std::string &nom, const QString &rep_appli) {
  const QString trouve = fichier_du_nom(nom, rep_appli);
  if (QFileInfo::exists(trouve))
    return trouve;
  const std::string_view nu = nom_dans_dossier(nom);
  for (int rang = 0; rang < NB_TEXTURES; ++rang) {
    if (nu != texture_defaut(rang))
      continue;
    const QString dossier = dossier_donnees();
    const QString installee =
        dossier.isEmpty() ? QString()
                          : QDir(dossier).filePath(QString::fromLatin1(texture_defaut(rang)));
    if (!installee.isEmpty() && QFileInfo::exists(installee))
      return installee;
  }
  return trouve;
}
