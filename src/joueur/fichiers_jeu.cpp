#include "fichiers_jeu.h"

#include <QDir>
#include <QFileInfo>

#include "fichiers.h"
#include "texte_1252.h"

QString fichier_du_labyrinthe(const std::string &nom, const QString &dossier) {
  const QString nu = QString::fromStdString(utf8_depuis_1252(std::string(nom_dans_dossier(nom))));
  if (nu.isEmpty() || nu == QLatin1String(".") || nu == QLatin1String(".."))
    return {};
  const QFileInfo info(QDir(dossier), nu);
  return info.isFile() ? info.absoluteFilePath() : QString();
}
