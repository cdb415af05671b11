#include "echelle_ecran.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>
#include <unistd.h>

#include "disposition.h"

namespace {
// Carries the user's own QT_SCALE_FACTOR ("" when unset) into the program started again,
// which gives it back to the environment its children see; also marks that program, so
// that it never starts itself once more.
constexpr const char *ECHELLE_UTILISATEUR = "DRAVO_QT_SCALE_FACTOR_INITIAL";
} // namespace

double reduction_pour_tenir(QSize fenetre, QSize disponible, double ratio) {
  if (fenetre.isEmpty() || disponible.isEmpty() || ratio <= 0)
    return 1.0;
  if (fenetre.width() <= disponible.width() && fenetre.height() <= disponible.height())
    return 1.0;
  // In device pixels, the window fits at the ratio `ajuste`; a screen that holds the window
  // whole at 1:1 gives at least 1 here.
  const double ajuste = std::min(disponible.width() * ratio / fenetre.width(),
                                 disponible.height() * ratio / fenetre.height());
  // Rounded down a little so that the window's rounded size stays inside.
  return std::floor(ajuste / ratio * 10000.0) / 10000.0;
}

void ajuste_echelle(char **argv) {
  if (qEnvironmentVariableIsSet(ECHELLE_UTILISATEUR)) {
    const QByteArray initial = qgetenv(ECHELLE_UTILISATEUR);
    if (initial.isEmpty())
      qunsetenv("QT_SCALE_FACTOR");
    else
      qputenv("QT_SCALE_FACTOR", initial);
    qunsetenv(ECHELLE_UTILISATEUR);
    return;
  }
  const QScreen *ecran = QGuiApplication::primaryScreen();
  if (!ecran)
    return;
  const double reduction =
      reduction_pour_tenir(QSize(LARGEUR_FENETRE, HAUTEUR_FENETRE),
                           ecran->availableGeometry().size(), ecran->devicePixelRatio());
  if (reduction >= 1.0)
    return;
  const QByteArray initial = qgetenv("QT_SCALE_FACTOR");
  bool lu = false;
  double facteur = initial.toDouble(&lu);
  if (!lu || facteur <= 0)
    facteur = 1.0;
  qputenv(ECHELLE_UTILISATEUR, initial);
  qputenv("QT_SCALE_FACTOR", QByteArray::number(facteur * reduction, 'g', 6));
  const QByteArray programme = QFile::encodeName(QCoreApplication::applicationFilePath());
  ::execv(programme.constData(), argv);
  // Started again it could not be: the window stays as large as it is.
  qputenv("QT_SCALE_FACTOR", initial);
  qunsetenv(ECHELLE_UTILISATEUR);
}
