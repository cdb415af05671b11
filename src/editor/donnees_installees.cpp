#include "donnees_installees.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "monde.h"

QString dossier_donnees() {
  const QString nom = QStringLiteral("dravo-editeur");
  const QString voisin =
      QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../share/" + nom);
  if (QFileInfo(voisin).isDir())
    return QDir::cleanPath(voisin);
  return QStandardPaths::locate(QStandardPaths::GenericDataLocation, nom,
                                QStandardPaths::LocateDirectory);
}

QString chemin_texture(const QString &nom) {
  const QString ici = QDir::current().absoluteFilePath(nom);
  if (QFileInfo::exists(ici))
    return ici;
  for (int rang = 0; rang < NB_TEXTURES; ++rang) {
    if (nom != QLatin1String(texture_defaut(rang)))
      continue;
    const QString dossier = dossier_donnees();
    const QString installee = dossier.isEmpty() ? QString() : QDir(dossier).filePath(nom);
    if (!installee.isEmpty() && QFileInfo::exists(installee))
      return installee;
  }
  return ici;
}
