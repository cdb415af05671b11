// dravo-editeur: creates the editor window, then the about box and the title dialog
// (hidden), and runs the event loop until the window closes or the quit button ends it.

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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
} // namespace

int main(int argc, char *argv[]) {
  QApplication app(argc, argv);
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
