#include "fenetre_dialogue.h"

#include <QFont>
#include <QPalette>
#include <QScreen>

namespace {
constexpr int POLICE_DIALOGUE = 11;
}

FenetreDialogue::FenetreDialogue(QWidget *parent, const QString &nom, int largeur, int hauteur,
                                 QColor fond)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(nom);
  setWindowTitle(QStringLiteral("Dravo-Editeur"));
  setFixedSize(largeur, hauteur);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, fond);
  setPalette(palette);
  setAutoFillBackground(true);
  QFont police(QStringLiteral("MS Sans Serif"));
  police.setPixelSize(POLICE_DIALOGUE);
  setFont(police);
}

void FenetreDialogue::showEvent(QShowEvent *event) {
  if (const QScreen *ecran = screen())
    move(ecran->geometry().center() - rect().center());
  QDialog::showEvent(event);
}
