// dravo-editeur: creates the editor window, then the about box and the title dialog
// (hidden), and runs the event loop until the window closes or the quit button ends it.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <system_error>
#include <thread>

#if __has_include(<dlfcn.h>)
#include <dlfcn.h>
#endif

#include "apparence.h"
#include "ressources.h"
#include "tfap.h"
#include "tform1.h"
#include "tftitre.h"

namespace {
// The platform's standard dialogs (file dialogs, Yes/No/Cancel) speak French like the rest
// of the window. A missing translation leaves them in English.
void installe_traductions(QApplication &app, QTranslator &traducteur) {
  QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
  for (const QString &dossier : {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                 QStringLiteral("/usr/share/qt6/translations")})
    if (traducteur.load(QStringLiteral("qtbase_fr"), dossier)) {
      app.installTranslator(&traducteur);
      return;
    }
}

// On desktops that use fontconfig, its start-up (reading its configuration and the caches of
// every font folder) is the largest single cost before the window can be laid out, and the
// toolkit only reaches it when the first caption is measured. Started here on another
// thread, it overlaps the toolkit's own start-up (the connection to the display server and
// its queries); fontconfig keeps the result for the toolkit's later call. The library is the
// one the toolkit already loaded, looked up at run time, so the program needs no link of its
// own to it and does nothing where it is absent. Without a thread to spare, the toolkit
// simply starts fontconfig itself, as it always would.
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
} // namespace

int main(int argc, char *argv[]) {
  std::thread polices = prepare_polices();
  QApplication app(argc, argv);
  // Joined before anything measures text: two threads starting fontconfig at once would each
  // do the whole work.
  if (polices.joinable())
    polices.join();
  QApplication::setApplicationName(QStringLiteral("Dravo-Editeur"));
  QTranslator traducteur;
  installe_traductions(app, traducteur);
  prepare_apparence();

  TForm1 Form1;
  TFap Fap;
  TFtitre Ftitre;
  Form1.attache_fenetres(&Fap, &Ftitre);
  Form1.show();
  return QApplication::exec();
}
