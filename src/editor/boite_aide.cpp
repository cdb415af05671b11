#include "boite_aide.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

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
    // A disabled control does not report the pointer: the nearest box under it that
    // answers moves does.
    auto *controle = static_cast<QWidget *>(objet);
    while (controle && !controle->isEnabled())
      controle = controle->parentWidget();
    while (controle && survol(controle) == Survol::aucun)
      controle = controle->parentWidget();
    if (controle) {
      switch (survol(controle)) {
      case Survol::aide: Image3MouseMove(controle); break;
      case Survol::ptitre: PtitreMouseMove(controle); break;
      case Survol::fond: FormMouseMove(controle); break;
      case Survol::aucun: break;
      }
      // Taken here: the boxes around the control would otherwise answer the same move. A
      // move with a button held goes on to the control, which follows the drag (the grid's
      // brush stroke) and takes it.
      return static_cast<QMouseEvent *>(event)->buttons() == Qt::NoButton;
    }
  }
  return QGroupBox::eventFilter(objet, event);
}

void BoiteAide::Image3MouseMove(QWidget *controle) {
  Laide->setText(aide(controle));
}

void BoiteAide::PtitreMouseMove(QWidget *controle) {
  Laide->setText(aide(controle));
}

void BoiteAide::FormMouseMove(QWidget *) {
  Laide->setText(texte_fond_.isEmpty() ? QString::fromUtf8(AIDE_DEFAUT) : texte_fond_);
}

void BoiteAide::pose_texte_fond(const QString &texte) {
  texte_fond_ = texte;
  FormMouseMove(nullptr);
}
