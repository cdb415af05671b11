// Building the controls of the texture box and the sound rows at their places
// (disposition.h), with their names, fonts, colours, cursors, help texts and the bindings
// of their handlers.

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "apparence.h"
#include "construction.h"
#include "disposition.h"
#include "image_etiree.h"
#include "ms_media_player.h"
#include "proprietes.h"
#include "tform1.h"

namespace {

QRect decale(QRect place, int dy) {
  return place.translated(0, dy);
}

} // namespace

void TForm1::construit_textures() {
  Ptextures = boite(this, "Ptextures", "Textures", police(POLICE_BOITE, true));
  lie_survol(Ptextures, Survol::fond);
  for (const PlaceEtiquette &e : ETIQUETTES_TEXTURES) {
    QLabel *l =
        etiquette(Ptextures, e.place, e.texte,
                  e.taille ? police(POLICE_TAILLE_TEXTURE, true) : police(POLICE_LEGENDE, true),
                  Qt::AlignCenter);
    if (e.taille)
      colore(l, QPalette::WindowText, COULEUR_MARINE);
  }
  const struct {
    ImageEtiree *TForm1::*membre;
    const char *nom;
    const char *aide;
  } images[] = {
      {&TForm1::TM, "TM", AIDE_TM},
      {&TForm1::TS, "TS", AIDE_TS},
      {&TForm1::TP, "TP", AIDE_TP},
  };
  for (const auto &i : images) {
    auto *image = new ImageEtiree(Ptextures);
    image->setObjectName(QString::fromLatin1(i.nom));
    place(image);
    image->setCursor(Qt::PointingHandCursor);
    pose_aide(image, QString::fromUtf8(i.aide));
    connect(image, &ImageEtiree::clic, this, &TForm1::TMClick);
    lie_survol(image, Survol::aide);
    this->*i.membre = image;
  }
}

void TForm1::construit_sons() {
  Psons = boite(this, "Psons", "Environnement sonore", police(POLICE_BOITE, true));
  lie_survol(Psons, Survol::fond);
  glyphe_B1 = glyphe(QStringLiteral("B1"));
  glyphe_B2 = glyphe(QStringLiteral("B2"));
  const QPixmap glyphe_charger = glyphe(QStringLiteral("OS"));
  for (int k = 0; k < NB_SONS; ++k) {
    const int y = PAS_LIGNE_SON * (k + 1);
    const QString rang = QString::number(k + 1);

    QLabel *l = etiquette(Psons, decale(PLACE_ETIQUETTE_SON, y), ETIQUETTES_SONS[k],
                          police(POLICE_LEGENDE), Qt::AlignRight | Qt::AlignVCenter);
    colore(l, QPalette::WindowText, COULEUR_BLEUE);
    lie_survol(l, Survol::fond);
    etiquettes_sons[k] = l;

    QToolButton *p = bouton_plat(Psons, QStringLiteral("P") + rang, decale(PLACE_P, y));
    pose_glyphe(p, glyphe_B1);
    pose_tag(p, 0);
    p->setEnabled(false);
    pose_aide(p, QString::fromUtf8(AIDE_ECOUTER));
    connect(p, &QToolButton::clicked, this, [this, k] { PClick(k); });
    lie_survol(p, Survol::aide);
    P[k] = p;

    QToolButton *os = bouton_plat(Psons, QStringLiteral("OS") + rang, decale(PLACE_OS, y));
    pose_glyphe(os, glyphe_charger);
    pose_aide(os, QString::fromUtf8(AIDE_CHARGER_SON));
    connect(os, &QToolButton::clicked, this, [this, k] { OSClick(k); });
    lie_survol(os, Survol::aide);
    OS[k] = os;

    QToolButton *e = bouton_plat(Psons, QStringLiteral("E") + rang, decale(PLACE_E, y));
    pose_croix(e, false);
    e->setEnabled(false);
    pose_aide(e, QString::fromUtf8(AIDE_EFFACER_SON));
    connect(e, &QToolButton::clicked, this, [this, k] { EClick(k); });
    lie_survol(e, Survol::aide);
    E[k] = e;
  }
}
