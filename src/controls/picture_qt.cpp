#include "picture_qt.h"

#include <cstring>

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

QImage charge_image(const QString &chemin, QString *message) {
  const PictureResult r = load_picture(chemin.toStdString());
  if (!r.ok) {
    if (message != nullptr)
      *message = QString::fromStdString(r.message);
    return {};
  }
  QImage image = vers_qimage(r.picture);
  if (image.isNull() && message != nullptr)
    *message = QStringLiteral("Not enough memory for the picture");
  return image;
}
