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
