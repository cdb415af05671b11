#include "barre_commandes.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "apparence.h"
#include "construction.h"
#include "disposition.h"
#include "proprietes.h"
#include "ressources.h"

BarreCommandes::BarreCommandes(QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("BarreCommandes"));
  place(this);

  auto *titre = new QLabel(this);
  titre->setObjectName(QStringLiteral("titre"));
  place(titre);
  titre->setPixmap(QPixmap::fromImage(ressource_bitmap(QStringLiteral("titre"))));
  titre->setAlignment(Qt::AlignCenter);
  titre->setToolTip(QString::fromUtf8(INFOBULLE_TITRE)); // the window's only tooltip
  lie_survol(titre, Survol::fond);

  QToolButton *quitter = bouton_plat(this, QStringLiteral("quitter"));
  pose_glyphe(quitter, glyphe(QStringLiteral("quitter")));
  pose_aide(quitter, QString::fromUtf8(AIDE_QUITTER));
  lie_survol(quitter, Survol::aide);
  connect(quitter, &QToolButton::clicked, this, &BarreCommandes::quitter);

  auto *Pcommandes = new QFrame(this);
  Pcommandes->setObjectName(QStringLiteral("Pcommandes"));
  Pcommandes->setFrameStyle(QFrame::Panel | QFrame::Raised);
  place(Pcommandes);
  lie_survol(Pcommandes, Survol::fond);
  const struct {
    const char *nom;
    const char *aide;
    void (BarreCommandes::*signal)();
  } boutons[] = {
      {"SpeedButton1", AIDE_NOUVEAU, &BarreCommandes::nouveau},
      {"SpeedButton2", AIDE_OUVRIR, &BarreCommandes::ouvrir},
      {"SpeedButton3", AIDE_ENREGISTRER, &BarreCommandes::enregistrer},
      {"SpeedButton6", AIDE_TESTER, &BarreCommandes::tester},
      {"SpeedButton4", AIDE_A_PROPOS, &BarreCommandes::a_propos},
  };
  for (const auto &b : boutons) {
    const QString nom = QString::fromLatin1(b.nom);
    QToolButton *bouton = bouton_plat(Pcommandes, nom);
    pose_glyphe(bouton, glyphe(nom));
    pose_aide(bouton, QString::fromUtf8(b.aide));
    lie_survol(bouton, Survol::aide);
    connect(bouton, &QToolButton::clicked, this, b.signal);
  }

  auto *Ptitre = new QPushButton(QStringLiteral("Titre et Mission"), this);
  Ptitre->setObjectName(QStringLiteral("Ptitre"));
  place(Ptitre);
  Ptitre->setFont(police(POLICE_PTITRE, true, "Arial"));
  colore(Ptitre, QPalette::ButtonText, COULEUR_PTITRE);
  Ptitre->setCursor(Qt::PointingHandCursor);
  pose_aide(Ptitre, QString::fromUtf8(AIDE_PTITRE));
  lie_survol(Ptitre, Survol::ptitre);
  connect(Ptitre, &QPushButton::clicked, this, &BarreCommandes::titre_mission);
}
