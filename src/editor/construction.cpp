#include "construction.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

#include "apparence.h"
#include "disposition.h"
#include "proprietes.h"
#include "ressources.h"

const Place *place_de(const QString &nom) {
  for (const Place &p : PLACES)
    if (nom == QLatin1String(p.nom))
      return &p;
  return nullptr;
}

void place(QWidget *controle) {
  const Place *p = place_de(controle->objectName());
  if (p == nullptr)
    return;
  QWidget *parent = controle->parentWidget();
  QPoint coin = p->rect.topLeft();
  if (parent != nullptr && parent->objectName() != QLatin1String(p->boite)) {
    QWidget *boite = parent->parentWidget();
    while (boite != nullptr && boite->objectName() != QLatin1String(p->boite))
      boite = boite->parentWidget();
    if (boite != nullptr)
      coin = parent->mapFrom(boite, coin);
  }
  controle->setGeometry(QRect(coin, p->rect.size()));
}

void colore(QWidget *controle, QPalette::ColorRole role, QColor couleur) {
  QPalette palette = controle->palette();
  palette.setColor(QPalette::Active, role, couleur);
  palette.setColor(QPalette::Inactive, role, couleur);
  controle->setPalette(palette);
}

void dessine_boite(QGroupBox *b, QFont f) {
  b->setFont(f);
  const int milieu_titre = QFontMetrics(f).height() / 2;
  b->setStyleSheet(QStringLiteral("QGroupBox { border: 2px groove palette(mid); margin-top: %1px; }"
                                  "QGroupBox::title { subcontrol-origin: margin;"
                                  " subcontrol-position: top left; left: 6px; padding: 0px 2px; }")
                       .arg(milieu_titre));
}

QGroupBox *boite(QWidget *parent, const char *nom, const char *titre, QFont f) {
  auto *b = new QGroupBox(QString::fromUtf8(titre), parent);
  b->setObjectName(QString::fromLatin1(nom));
  place(b);
  dessine_boite(b, f);
  return b;
}

QLabel *etiquette(QWidget *parent, QRect place, const char *texte, QFont f,
                  Qt::Alignment alignement) {
  auto *l = new QLabel(QString::fromUtf8(texte), parent);
  l->setGeometry(place);
  l->setFont(f);
  l->setAlignment(alignement);
  return l;
}

QToolButton *bouton_plat(QWidget *parent, const QString &nom, QRect place, bool main) {
  auto *b = new QToolButton(parent);
  b->setObjectName(nom);
  b->setGeometry(place);
  b->setAutoRaise(true);
  b->setFocusPolicy(Qt::NoFocus);
  if (main)
    b->setCursor(Qt::PointingHandCursor);
  return b;
}

QToolButton *bouton_plat(QWidget *parent, const QString &nom, bool main) {
  QToolButton *b = bouton_plat(parent, nom, QRect(), main);
  place(b);
  return b;
}

NomFichier::NomFichier(QWidget *parent, QRect place, Qt::Alignment alignement)
    : QWidget(parent), alignement_(alignement) {
  setGeometry(place);
  hide();
}

void NomFichier::montre(const QString &nom, const QString &aide) {
  nom_ = nom;
  pose_aide(this, aide + nom);
  setVisible(!nom.isEmpty());
  update();
}

void NomFichier::paintEvent(QPaintEvent *) {
  QPainter peintre(this);
  peintre.drawText(rect(), static_cast<int>(alignement_ | Qt::AlignVCenter),
                   fontMetrics().elidedText(nom_, Qt::ElideMiddle, width()));
}

void pose_glyphe(QToolButton *bouton, const QPixmap &glyphe) {
  bouton->setIcon(QIcon(glyphe));
  bouton->setIconSize(glyphe.size());
}

void pose_croix(QToolButton *bouton, bool gras) {
  bouton->setText(QStringLiteral("X"));
  bouton->setFont(police(POLICE_CROIX, gras));
  colore(bouton, QPalette::ButtonText, COULEUR_CROIX);
}

QPixmap glyphe(const QString &nom) {
  return QPixmap::fromImage(avec_transparence(ressource_bitmap(nom)));
}
