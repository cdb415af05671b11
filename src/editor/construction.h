#pragma once
// What every room of the editor window builds its controls with: the place of a control
// from the window's one layout table (disposition.h), and the few kinds of control the
// window is drawn with (etched boxes, flat buttons, captions, glyphs).

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <QWidget>

class QGroupBox;
class QLabel;
class QToolButton;
class QWidget;

// Gives a control the place the layout table holds for its objectName. The table's rect is
// measured from the corner of the box it names, which may lie above the control's parent
// (a room is an unframed widget inside the window); the parent must stand at its own place
// already. A name the table does not hold leaves the control where it is.
void place(QWidget *controle);

// Only the enabled states are coloured: a disabled button keeps the style's greyed text.
void colore(QWidget *controle, QPalette::ColorRole role, QColor couleur);

// A group box drawn the classic way: an etched frame whose top line runs through the middle
// of the caption, so that the box's contents can start right under the caption. Placed.
QGroupBox *boite(QWidget *parent, const char *nom, const char *titre, QFont f);
void dessine_boite(QGroupBox *b, QFont f);

QLabel *etiquette(QWidget *parent, QRect place, const char *texte, QFont f,
                  Qt::Alignment alignement = Qt::AlignLeft | Qt::AlignVCenter);

// A flat button: no frame until the pointer is over it, and never the keyboard focus.
QToolButton *bouton_plat(QWidget *parent, const QString &nom, QRect place, bool main = true);
// The same, at the table's place of its name.
QToolButton *bouton_plat(QWidget *parent, const QString &nom, bool main = true);

// A chosen file's name where some names will not fit: drawn elided in the middle (the
// extension stays), the whole name in the help box after `aide`. Hidden while empty.
class NomFichier : public QWidget {
public:
  NomFichier(QWidget *parent, QRect place, Qt::Alignment alignement);
  void montre(const QString &nom, const QString &aide);
  const QString &nom() const { return nom_; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QString nom_;
  Qt::Alignment alignement_;
};

void pose_glyphe(QToolButton *bouton, const QPixmap &glyphe);
// The red "X" of the clear buttons.
void pose_croix(QToolButton *bouton, bool gras);
// A glyph or kind bitmap of the program's resources, keyed on its bottom-left colour.
QPixmap glyphe(const QString &nom);
