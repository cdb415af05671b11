#include "fichiers_editeur.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "fichiers.h"
#include "texte_1252.h"

namespace {
// The last component of a name of the model, in Unicode.
QString nom_cherche(const std::string &nom) {
  return QString::fromStdString(utf8_depuis_1252(std::string(nom_dans_dossier(nom))));
}
} // namespace

QString fichier_du_nom(const std::string &nom, const QString &rep_appli) {
  const QString n = nom_cherche(nom);
  const QString ici = QDir::current().absoluteFilePath(n);
  if (!QFileInfo::exists(ici)) {
    const QString depart = QDir(rep_appli).absoluteFilePath(n);
    if (QFileInfo::exists(depart))
      return depart;
  }
  return ici;
}

QString url_du_nom(const std::string &nom, const QString &rep_appli) {
  const QString n = nom_cherche(nom);
  if (n.isEmpty())
    return n;
  const QString chemin = fichier_du_nom(nom, rep_appli);
  return chemin == QDir::current().absoluteFilePath(n) ? n : chemin;
}

QString nom_copie(const QString &chemin, const QString &rep_appli) {
  return QFile::decodeName(copie_dans_rep_appli(QFile::encodeName(chemin).toStdString(),
                                                QFile::encodeName(rep_appli).toStdString())
                               .c_str());
}

std::string nom_du_modele(const QString &nom) {
  return utf8_vers_1252(nom.toStdString());
}

QString nom_affiche(const std::string &nom) {
  return QString::fromStdString(utf8_depuis_1252(nom));
}
