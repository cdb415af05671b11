#pragma once
// The look the editor was drawn for, on whatever fonts and style the machine has.

#include <QFont>

// Maps the faces the layout names ("MS Sans Serif", "Arial") to metric-compatible ones,
// and chooses the Fusion style. Call once, after the QApplication exists and before any
// window is built.
void prepare_apparence();

// A font of the given face with a character height in pixels.
QFont police(int pixels, bool gras = false, const char *famille = "MS Sans Serif");
