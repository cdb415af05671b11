#include "demarrage_qt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <system_error>

#if __has_include(<dlfcn.h>)
#include <dlfcn.h>
#endif

void installe_traductions(QApplication &app, QTranslator &traducteur) {
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  for (const QString &dossier : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                 QStringLiteral("/usr/share/qt6/translations")})
    if (traducteur.load(QStringLiteral("qtbase_fr"), dossier)) {
      app.installTranslator(&traducteur);
      return;
    }
}

std::thread prepare_polices() {
#if __has_include(<dlfcn.h>)
  if (void *fonction = ::dlsym(RTLD_DEFAULT, "FcInit")) {
    try {
      return std::thread(reinterpret_cast<int (*)()>(fonction));
    } catch (const std::system_error &) {
    }
  }
#endif
  return {};
}
