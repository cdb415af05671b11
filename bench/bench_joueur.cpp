// Measures dravo-joueur's window while a pupil walks: the player's CPU time per frame and
// its share of one core, the window showing the view at its start-up size and stepping or
// turning again as soon as each 200 ms animation ends (about 60 frames a second). Run under
// an X server (bench/run_joueur.sh starts Xvfb):
//   bench_joueur ecrit FOLDER          writes FOLDER/monde_1.lab, the labyrinth walked
//   bench_joueur marche FOLDER SECONDS [WxH]  walks it and prints the figures (the window at
//                                             its start-up size, or WxH)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <sys/resource.h>

#include "decor_qt.h"
#include "fenetre_jeu.h"
#include "geometrie.h"
#include "lab_file.h"
#include "monde.h"

namespace {

double cpu_secondes() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
         double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// A labyrinth open inside its walls, with keys, teleporters and a map to draw as sprites and
// a few walls, grilles and doors to draw at every distance.
int ecrit(const QString &dossier) {
  Monde m;
  Cree_Monde(m);
  m.titre_lab = "Banc";
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    if (!cloison_au_bord(i))
      m.cloisons[static_cast<size_t>(i)].contenu = CLOISON_OUVERTE;
  for (int col = 2; col < 8; col += 2) {
    m.cloisons[static_cast<size_t>(indice_cloison_v(col, 3))].contenu = CLOISON_MUR;
    m.cloisons[static_cast<size_t>(indice_cloison_h(col, 6))].contenu = CLOISON_GRILLE;
    m.cloisons[static_cast<size_t>(indice_cloison_v(col + 1, 7))].contenu = CLOISON_PORTE_ROUGE;
  }
  m.salles[static_cast<size_t>(indice_salle(0, 9))].contenu = SALLE_DEPART;
  m.salles[static_cast<size_t>(indice_salle(4, 4))].contenu = SALLE_CLE_BLEUE;
  m.salles[static_cast<size_t>(indice_salle(7, 2))].contenu = SALLE_TELEPORTEUR;
  m.salles[static_cast<size_t>(indice_salle(2, 7))].contenu = SALLE_TELEPORTEUR;
  m.salles[static_cast<size_t>(indice_salle(8, 8))].contenu = SALLE_PLAN;
  const Resultat r =
      sauve_lab(QFile::encodeName(QDir(dossier).filePath("monde_1.lab")).toStdString(), m);
  if (!r)
    std::fprintf(stderr, "%s\n", r.message().c_str());
  return r ? 0 : 1;
}

void touche(QWidget &w, int cle) {
  QKeyEvent appui(QEvent::KeyPress, cle, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &appui);
  QKeyEvent lache(QEvent::KeyRelease, cle, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &lache);
}

int marche(const QString &dossier, double secondes, QSize taille) {
  FenetreJeu f;
  if (taille.isValid())
    f.resize(taille);
  f.show();
  const Resultat r = f.joue(QDir(dossier).filePath("monde_1.lab"));
  if (!r) {
    std::fprintf(stderr, "%s\n", r.message().c_str());
    return 1;
  }
  touche(f, Qt::Key_Return);
  // Let the window settle before measuring; the event loop waits as the program's does.
  const auto attend = [](int ms) {
    QEventLoop boucle;
    QTimer::singleShot(ms, &boucle, &QEventLoop::quit);
    boucle.exec();
  };
  attend(500);

  const int images_avant = f.images_dessinees();
  const double cpu_avant = cpu_secondes();
  QElapsedTimer horloge;
  horloge.start();
  int pas = 0;
  // Forward until a bump would come, then a turn: the walker never stands still, checking
  // as often as a held key repeats.
  QTimer pilote;
  pilote.setInterval(15);
  QObject::connect(&pilote, &QTimer::timeout, [&] {
    if (f.anime())
      return;
    const Partie &p = f.aventure()->partie();
    const PlaceSalle ici = p.place();
    const Direction d = p.direction();
    const bool au_bord = !dans_la_grille(ici.col + pas_col(d), ici.lig + pas_lig(d));
    touche(f, au_bord || pas % 5 == 4 ? Qt::Key_Right : Qt::Key_Up);
    ++pas;
  });
  pilote.start();
  attend(static_cast<int>(secondes * 1000));
  pilote.stop();
  const double mur = double(horloge.elapsed()) / 1000;
  const double cpu = cpu_secondes() - cpu_avant;
  const int images = f.images_dessinees() - images_avant;
  std::printf("walked %.1f s: %d moves, %d frames (%.1f a second) in a %dx%d window\n", mur, pas,
              images, images / mur, f.width(), f.height());
  std::printf("CPU: %.1f %% of one core, %.2f ms a frame\n", 100 * cpu / mur,
              images ? 1000 * cpu / images : 0.0);
  // The view alone, from every room toward every side, for the share the window adds.
  const Partie &p = f.aventure()->partie();
  const Decor decor = charge_decor(p.labyrinthe(), dossier);
  Pixels pixels(640, 480);
  const double cpu_vue = cpu_secondes();
  for (int salle = 0; salle < NB_SALLES_MAX; ++salle)
    for (Direction d : DIRECTIONS)
      dessine_vue(p.plateau(), decor, regard_salle(salle, d), pixels, &p.objets_pris());
  std::printf("the view alone (640 x 480, from every room toward every side): %.2f ms a frame\n",
              1000 * (cpu_secondes() - cpu_vue) / (NB_SALLES_MAX * 4));
  return 0;
}

} // namespace

int main(int argc, char **argv) {
  if (argc == 3 && std::strcmp(argv[1], "ecrit") == 0)
    return ecrit(QString::fromLocal8Bit(argv[2]));
  if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "marche") == 0) {
    QApplication app(argc, argv);
    QSize taille;
    if (argc == 5)
      std::sscanf(argv[4], "%dx%d", &taille.rwidth(), &taille.rheight());
    return marche(QString::fromLocal8Bit(argv[2]), std::atof(argv[3]), taille);
  }
  std::fprintf(stderr, "usage: bench_joueur ecrit FOLDER | marche FOLDER SECONDS [WxH]\n");
  return 2;
}
