#pragma once
// Fitting the 1024 x 768 window on the screen. Qt fixes its scale factors when the
// application starts, so a window too large for the screen at the desktop's factor is
// brought in by starting the program again with QT_SCALE_FACTOR lowered to fit.

#include <QSize>

// The factor to multiply QT_SCALE_FACTOR by so that a window of `fenetre` (its own pixels)
// fits `disponible` (the screen's available area, in Qt's pixels at ratio `ratio` device
// pixels each): 1 when it fits already. Never brings the ratio below 1 when the screen
// holds the window whole at 1:1.
double reduction_pour_tenir(QSize fenetre, QSize disponible, double ratio);

// Called once the QApplication exists and before any window: when the window would not fit
// the primary screen, starts this program again (same arguments) with the lowered factor
// and does not return. In the program started again it only gives back the environment.
// `argv` is the program's arguments as main received them, before Qt removed its own.
void ajuste_echelle(char **argv);
