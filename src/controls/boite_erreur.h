#pragma once
// The one way the editor shows a failure: a modal message box captioned "Dravo-Editeur"
// with an error icon and a single OK button. The message is UTF-8 text as the widgets hold
// it; the box applies the error-box rule (a "." appended when the last character sorts
// after ".") and shows the text as plain text, never as markup. Returns when OK is pressed.

#include <QString>

class QWidget;

void boite_erreur(QWidget *parent, const QString &message);
// The same box under another program's caption (the player's).
void boite_erreur_titree(QWidget *parent, const QString &message, const QString &titre);

// The text the box shows for a message, after the error-box rule.
QString texte_boite_erreur(const QString &message);
