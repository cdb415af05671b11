#include "proprietes.h"

#include <QVariant>
#include <QWidget>

namespace {
constexpr const char *PROPRIETE_TAG = "Tag";
}

int tag(const QObject *objet) {
  return objet->property(PROPRIETE_TAG).toInt();
}

void pose_tag(QObject *objet, int valeur) {
  objet->setProperty(PROPRIETE_TAG, valeur);
}

QString aide(const QWidget *controle) {
  return controle->statusTip();
}

void pose_aide(QWidget *controle, const QString &texte) {
  controle->setStatusTip(texte);
}
