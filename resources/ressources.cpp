#include "ressources.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <QResource>

#include <mutex>

// The resource object of a static library is only linked in when something refers to its
// initialiser; this reference, reached through every lookup, is what keeps it in.
void init_ressources() {
  static std::once_flag fait;
  std::call_once(fait, [] { Q_INIT_RESOURCE(resources); });
}

QImage ressource_bitmap(const QString &nom) {
  init_ressources();
  if (nom.isEmpty())
    return {};
  const QResource ressource(QStringLiteral(":/bitmaps/") + nom);
  if (!ressource.isValid())
    return {};
  // The names carry no suffix. Left to guess, or even told the format, Qt's reader loads
  // every image plugin of the machine to ask it first, a noticeable part of the editor's
  // launch; the two formats the resources hold are told apart by their first bytes and
  // read by Qt's own readers alone.
  QByteArray octets = ressource.uncompressedData();
  QBuffer tampon(&octets);
  QImageReader lecteur(&tampon, octets.startsWith("BM") ? "bmp" : "png");
  lecteur.setAutoDetectImageFormat(false);
  return lecteur.read();
}

QImage avec_transparence(const QImage &image) {
  if (image.isNull())
    return {};
  // A picture with its own alpha channel ("titre") already says what is transparent.
  if (image.hasAlphaChannel())
    return image;
  QImage sortie = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb cle = sortie.pixel(0, sortie.height() - 1) & 0xffffffu;
  for (int y = 0; y < sortie.height(); ++y) {
    auto *ligne = reinterpret_cast<QRgb *>(sortie.scanLine(y));
    for (int x = 0; x < sortie.width(); ++x)
      if ((ligne[x] & 0xffffffu) == cle)
        ligne[x] = 0;
  }
  return sortie;
}
