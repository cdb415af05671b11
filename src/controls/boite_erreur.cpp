#include "boite_erreur.h"

#include "resultat.h"

#include <QMessageBox>

QString texte_boite_erreur(const QString &message) {
  // The model's rule works on bytes; in UTF-8 every non-ASCII character ends in a byte
  // above ".", just as its Windows-1252 byte does, so the rule keeps its meaning here.
  return QString::fromStdString(texte_boite_erreur(message.toStdString()));
}

void boite_erreur(QWidget *parent, const QString &message) {
  boite_erreur_titree(parent, message, QStringLiteral("Dravo-Editeur"));
}

void boite_erreur_titree(QWidget *parent, const QString &message, const QString &titre) {
  QMessageBox boite(QMessageBox::Critical, titre, texte_boite_erreur(message), QMessageBox::Ok,
                    parent);
  // File names may hold "<" or "&"; the message must show as written.
  boite.setTextFormat(Qt::PlainText);
  boite.exec();
}
