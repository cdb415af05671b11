#include "legendes.h"

#include <QGroupBox>
#include <QLabel>

#include "apparence.h"
#include "construction.h"
#include "disposition.h"
#include "image_grille.h"
#include "proprietes.h"

Legendes::Legendes(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("Legendes"));
  place(this);
  QGroupBox *LegendeC = boite(this, "LegendeC", "Légende cloisons", police(POLICE_LEGENDE, true));
  QGroupBox *LegendeS = boite(this, "LegendeS", "Légende salles", police(POLICE_LEGENDE, true));
  lie_survol(LegendeC, Survol::fond);
  lie_survol(LegendeS, Survol::fond);
  for (const PlaceLegende &l : LEGENDES) {
    QGroupBox *b = l.salles ? LegendeS : LegendeC;
    auto *image = new ImageGrille(b);
    image->setObjectName(QString::fromLatin1(l.nom));
    place(image);
    image->pose_picture(glyphe(QString::fromLatin1(l.bitmap)));
    pose_aide(image, QString::fromUtf8(l.aide));
    lie_survol(image, Survol::aide);
    etiquette(b, l.etiquette, l.texte, police(POLICE_LEGENDE),
              l.centre ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
  }
}
