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

namespace {
constexpr const char *PROPRIETE_SURVOL = "survol";
}

void lie_survol(QWidget *controle, Survol genre) {
  controle->setMouseTracking(true);
  controle->setProperty(PROPRIETE_SURVOL, static_cast<int>(genre));
}

Survol survol(const QWidget *controle) {
  return static_cast<Survol>(controle->property(PROPRIETE_SURVOL).toInt());
}
