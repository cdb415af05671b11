#include "dossier_donnees.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString dossier_donnees() {
  const QString nom = QStringLiteral("dravo-editeur");
  const QString voisin =
      QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../share/" + nom);
  if (QFileInfo(voisin).isDir())
    return QDir::cleanPath(voisin);
  return QStandardPaths::locate(QStandardPaths::GenericDataLocation, nom,
                                QStandardPaths::LocateDirectory);
}
