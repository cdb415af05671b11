#pragma once
// The picture loader's pictures as QImages, for the editor's widgets.

#include "picture.h"

#include <QImage>
#include <QString>

// A copy of the picture's pixels in QImage::Format_ARGB32 (same 0xAARRGGBB words, not
// premultiplied). An empty picture gives a null QImage.
QImage vers_qimage(const Picture &p);
// The same without a copy: the QImage takes over the picture's pixels (and frees them when its
// last copy goes); `p` is left empty.
QImage vers_qimage(Picture &&p);

// Loads the picture file `chemin` (a UTF-8 path) with load_picture: a QImage that is never
// null, or the loader's message (before the error box's "." rule). Shows nothing: the
// caller decides where the message goes.
Avec<QImage> charge_image(const QString &chemin);
// The same reduced for a frame of `cadre` pixels (see Reduction in picture.h): never the whole
// of a large picture in memory. With `proportions`, the picture is then fitted inside the
// frame with the proportions the file announces, as a preview shows it.
Avec<QImage> charge_image(const QString &chemin, QSize cadre, bool proportions = false);

// "Is this picture readable?", as the check asks it: the header, then the smallest scale
// and no more than a budget of pixels (Reduction::to_check).
Resultat image_lisible(const QString &chemin);
