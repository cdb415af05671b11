#pragma once

// The pictures the program carries, embedded with the Qt resource system under
// ":/bitmaps/<name>": the kind bitmaps "H0".."H10", "V0".."V10", "C0".."C9", the glyphs "B1",
// "B2", "SpeedButton1".."SpeedButton4", "SpeedButton6", "quitter", "OS", "OpenI" (24-bit
// bitmaps whose bottom-left pixel gives the transparent colour) and "titre" (a PNG with alpha).
// The default textures are files, not resources: see DRAVO_TEXTURES_DIR in CMake.
//
// Both functions return images the caller owns (QImage shares data on copy). Errors come back
// as a null image: an unknown name, a damaged resource.

#include <QImage>
#include <QString>

// Registers the embedded pictures. The functions below call it themselves; call it directly
// only before reading ":/bitmaps/..." with another Qt class (QIcon, QPixmap). Idempotent.
void init_ressources();

// The picture named `nom` exactly as stored (the key colour still in it); null if missing.
QImage ressource_bitmap(const QString &nom);

// `image` with every pixel of exactly its bottom-left pixel's colour made fully transparent,
// which is how the editor draws kind bitmaps and glyphs. A null image stays null; an image
// that already has an alpha channel is returned unchanged.
QImage avec_transparence(const QImage &image);
