#include "tftitre.h"

TFtitre::TFtitre(QWidget *parent)
    : FenetreDialogue(parent, QStringLiteral("Ftitre"), LARGEUR, HAUTEUR,
                      QColor(0x9B, 0xDE, 0xFF)) {}
