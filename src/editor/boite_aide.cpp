#include "boite_aide.h"

#include <QEvent>
#include <QLabel>

#include "apparence.h"
#include "construction.h"
#include "disposition.h"
#include "proprietes.h"
#include "textes_aide.h"

BoiteAide::BoiteAide(QWidget *parent) : QGroupBox(QStringLiteral("Aide"), parent) {
  setObjectName(QStringLiteral("Paide"));
  place(this);
  dessine_boite(this, police(POLICE_LEGENDE));
  lie_survol(this, Survol::fond);
  Laide =
      etiquette(this, QRect(), AIDE_DEFAUT, police(POLICE_LEGENDE), Qt::AlignLeft | Qt::AlignTop);
  Laide->setObjectName(QStringLiteral("Laide"));
  place(Laide);
  Laide->setWordWrap(true);
  colore(Laide, QPalette::WindowText, COULEUR_BLEUE);
}

void BoiteAide::surveille(QWidget *fenetre) {
  QList<QWidget *> controles = fenetre->findChildren<QWidget *>();
  controles.prepend(fenetre);
  for (QWidget *controle : controles)
    if (survol(controle) != Survol::aucun)
      controle->installEventFilter(this);
}

bool BoiteAide::eventFilter(QObject *objet, QEvent *event) {
  if (event->type() == QEvent::MouseMove && objet->isWidgetType()) {
    auto *controle = static_cast<QWidget *>(objet);
    switch (survol(controle)) {
    case Survol::aide: Image3MouseMove(controle); break;
    case Survol::ptitre: PtitreMouseMove(controle); break;
    case Survol::fond: FormMouseMove(controle); break;
    case Survol::aucun: break;
    }
  }
  return QGroupBox::eventFilter(objet, event);
}

// Showing the control's help text in Laide comes with the hover help.
void BoiteAide::Image3MouseMove(QWidget *) {}
void BoiteAide::PtitreMouseMove(QWidget *) {}
void BoiteAide::FormMouseMove(QWidget *) {}
