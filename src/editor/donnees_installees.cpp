#include "donnees_installees.h"

#include <QFileInfo>

#include "fichiers_editeur.h"

QString chemin_texture(const std::string &nom, const QString &rep_appli) {
  const QString trouve = fichier_du_nom(nom, rep_appli);
  if (QFileInfo::exists(trouve))
    return trouve;
  if (QString installee = texture_installee(nom, Qt::CaseSensitive); !installee.isEmpty())
    return installee;
  return trouve;
}
