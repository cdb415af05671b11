#include "dossier_donnees.h"

#include "fichiers.h"
#include "monde.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString dossier_donnees() {
  const QString nom = QStringLiteral("dravo-editeur");
  // The program's own folder is known only once the application exists.
  if (QCoreApplication::instance()) {
    const QString voisin =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../share/" + nom);
    if (QFileInfo(voisin).isDir())
      return QDir::cleanPath(voisin);
  }
  return QStandardPaths::locate(QStandardPaths::GenericDataLocation, nom,
                                QStandardPaths::LocateDirectory);
}

QString texture_installee(std::string_view nom_1252, Qt::CaseSensitivity casse) {
  const QString nu = QString::fromLatin1(nom_dans_dossier(nom_1252));
  for (int rang = 0; rang < NB_TEXTURES; ++rang) {
    const QString defaut = QString::fromLatin1(texture_defaut(rang));
    if (nu.compare(defaut, casse) != 0)
      continue;
    const QString dossier = dossier_donnees();
    if (dossier.isEmpty())
      return {};
    const QString installee = QDir(dossier).absoluteFilePath(defaut);
    return QFileInfo(installee).isFile() ? installee : QString();
  }
  return {};
}
