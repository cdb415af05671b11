#include "picture_qt.h"

#include <algorithm>
#include <cstring>
#include <utility>

QImage vers_qimage(const Picture &p) {
  if (p.width <= 0 || p.height <= 0 ||
      p.argb.size() != static_cast<size_t>(p.width) * static_cast<size_t>(p.height))
    return {};
  QImage image(p.width, p.height, QImage::Format_ARGB32);
  if (image.isNull())
    return {}; // Qt could not take the memory
  const auto row_bytes = static_cast<size_t>(p.width) * sizeof(uint32_t);
  for (int y = 0; y < p.height; ++y)
    std::memcpy(image.scanLine(y),
                p.argb.data() + static_cast<size_t>(y) * static_cast<size_t>(p.width), row_bytes);
  return image;
}

QImage vers_qimage(Picture &&p) {
  const int width = p.width, height = p.height;
  if (width <= 0 || height <= 0 ||
      p.argb.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
    return {};
  auto *pixels = new std::vector<uint32_t>(std::move(p.argb));
  p = Picture{};
  QImage image(
      reinterpret_cast<uchar *>(pixels->data()), width, height, static_cast<qsizetype>(width) * 4,
      QImage::Format_ARGB32, [](void *info) { delete static_cast<std::vector<uint32_t> *>(info); },
      pixels);
  if (image.isNull())
    delete pixels;
  return image;
}

namespace {

Avec<QImage> en_qimage(Avec<Picture> r) {
  if (!r)
    return r.resultat();
  QImage image = vers_qimage(std::move(r.valeur()));
  if (image.isNull())
    return Resultat::echec("Not enough memory for the picture");
  return image;
}

} // namespace

Avec<QImage> charge_image(const QString &chemin) {
  return en_qimage(load_picture(chemin.toStdString()));
}

Avec<QImage> charge_image(const QString &chemin, QSize cadre, bool proportions) {
  Reduction reduction;
  reduction.width = std::max(1, cadre.width());
  reduction.height = std::max(1, cadre.height());
  Avec<Picture> r = load_picture(chemin.toStdString(), reduction);
  if (!r || !proportions)
    return en_qimage(std::move(r));
  const QSize entiere(r.valeur().full_width, r.valeur().full_height);
  Avec<QImage> image = en_qimage(std::move(r));
  if (!image)
    return image;
  const QSize montree = entiere.scaled(cadre, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
  return image.valeur().scaled(montree, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

Resultat image_lisible(const QString &chemin) {
  return load_picture(chemin.toStdString(), Reduction::to_check()).resultat();
}
