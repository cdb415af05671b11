#include "tfap.h"

TFap::TFap(QWidget *parent)
    : FenetreDialogue(parent, QStringLiteral("Fap"), LARGEUR, HAUTEUR, QColor(0, 0, 128)) {}
