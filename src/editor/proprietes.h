#pragma once
// Two properties every editor control may carry, kept on the QObject itself so that a
// handler shared by many controls reads them from the control it was given:
// - the integer tag: a toggling button's state (0 idle, 1 active), a grid image's index
//   into its record array;
// - the help text shown in the help box on hover. It is stored as the widget's status tip,
//   never as a tooltip: the editor shows no tooltips but on the title picture.

#include <QString>

class QObject;
class QWidget;

int tag(const QObject *objet);
void pose_tag(QObject *objet, int valeur);

QString aide(const QWidget *controle);
void pose_aide(QWidget *controle, const QString &texte);

// The hover-help binding: which of the help box's handlers a control's pointer moves go to.
// Each room binds its own controls; the help box (BoiteAide) listens to every bound control
// of the window.
enum class Survol {
  aucun,
  aide,   // Image3MouseMove: the control's own help text
  ptitre, // PtitreMouseMove: the same, for the title button
  fond,   // FormMouseMove: a box's background, the default text
};
void lie_survol(QWidget *controle, Survol genre);
Survol survol(const QWidget *controle);
