#include "apparence.h"

#include <QApplication>
#include <QStyleFactory>

void prepare_apparence() {
  // Liberation Sans has Arial's metrics, and MS Sans Serif's are close enough at the
  // sizes the window uses; DejaVu Sans is the fallback of every Debian desktop.
  for (const char *face : {"MS Sans Serif", "Arial"})
    QFont::insertSubstitutions(QString::fromLatin1(face),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion")))
    QApplication::setStyle(style);
}

QFont police(int pixels, bool gras, const char *famille) {
  QFont f(QString::fromLatin1(famille));
  f.setPixelSize(pixels);
  f.setBold(gras);
  return f;
}
