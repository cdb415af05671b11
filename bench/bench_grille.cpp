// Presses on the grid through the real handlers, in a shown window on the offscreen
// platform, each one timed until its repaint is done (pending events processed):
//  - a right press on a partition: the kind steps and the image repaints;
//  - a press on a room that stores the panel into the room selected before and shows a full
//    riddle: a question that wraps over several lines, five answers, ticks, a 320 x 240
//    picture and a medium (two such rooms pressed in turn);
//  - the same rooms without the medium, and with their texts only, to set the picture and
//    the medium apart;
//  - undoing 1,000 partition presses, one step after the other, each with its repaint.
//   bench_grille [--benchmark_filter=...]

#include "historique.h"
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "apparence.h"
#include "dialogues_banc.h"
#include "image_grille.h"
#include "tform1.h"

namespace {

TForm1 *fenetre = nullptr;

// The grid's images, by the names the grid gives them.
ImageGrille *image_grille(const char *genre, int indice) {
  return fenetre->findChild<ImageGrille *>(QString::fromLatin1(genre) + QString::number(indice));
}

void appuie(ImageGrille *vue, Qt::MouseButton bouton) {
  const QPointF point(vue->width() / 2.0, vue->height() / 2.0);
  QMouseEvent appui(QEvent::MouseButtonPress, point, vue->mapToGlobal(point), bouton, bouton,
                    Qt::NoModifier);
  QCoreApplication::sendEvent(vue, &appui);
  QMouseEvent relache(QEvent::MouseButtonRelease, point, vue->mapToGlobal(point), bouton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(vue, &relache);
  QCoreApplication::processEvents();
}

void BM_appui_cloison(benchmark::State &state) {
  ImageGrille *vue = image_grille("Cloison", indice_cloison_v(5, 5));
  for (auto _ : state)
    appuie(vue, Qt::RightButton);
}
BENCHMARK(BM_appui_cloison)->Unit(benchmark::kMicrosecond);

void BM_annule_1000_appuis(benchmark::State &state) {
  constexpr int APPUIS = 1000;
  Historique &historique = fenetre->document().historique();
  std::vector<ImageGrille *> vues;
  for (int i = 0; i < NB_CLOISONS_MAX; ++i)
    vues.push_back(image_grille("Cloison", i));
  for (auto _ : state) {
    state.PauseTiming();
    historique.clear();
    for (int n = 0; n < APPUIS; ++n)
      appuie(vues[static_cast<size_t>(n * 7 % NB_CLOISONS_MAX)], Qt::RightButton);
    state.ResumeTiming();
    for (int n = 0; n < APPUIS; ++n)
      historique.undo();
    QCoreApplication::processEvents();
  }
  state.SetLabel("1,000 steps undone, repaints included");
}
BENCHMARK(BM_annule_1000_appuis)->Unit(benchmark::kMillisecond);

enum Medias { textes_seuls = 0, tout = 1, image_seule = 2 };

void enigme(Tsalle &s, int64_t medias) {
  s.question = "Dans quel pays se trouve la ville qui porte le nom le plus long du monde, "
               "et combien de lettres ce nom compte-t-il en tout ? ";
  for (size_t i = 0; i < NB_REPONSES; ++i)
    s.reponses[i] = "R\xE9ponse propos\xE9"
                    "e num\xE9ro " +
                    std::to_string(i + 1);
  s.bonnes = {true, false, true, false, false};
  s.image = medias != textes_seuls ? "enigme.bmp" : "";
  s.media = medias == tout ? "enigme.wav" : "";
}

void BM_appui_salle_enigme(benchmark::State &state) {
  const int64_t medias = state.range(0);
  const int a = indice_salle(2, 2);
  const int b = indice_salle(7, 7);
  enigme(fenetre->document().monde_brut().salles[static_cast<size_t>(a)], medias);
  enigme(fenetre->document().monde_brut().salles[static_cast<size_t>(b)], medias);
  appuie(image_grille("Salle", a), Qt::MiddleButton);
  bool vers_b = true;
  for (auto _ : state) {
    appuie(image_grille("Salle", vers_b ? b : a), Qt::MiddleButton);
    vers_b = !vers_b;
  }
  const char *etiquettes[] = {"question and answers", "question, answers, picture, medium",
                              "question, answers, picture"};
  state.SetLabel(etiquettes[medias]);
}
BENCHMARK(BM_appui_salle_enigme)
    ->Arg(tout)
    ->Arg(image_seule)
    ->Arg(textes_seuls)
    ->Unit(benchmark::kMicrosecond);

// A tenth of a second of silence, 8 kHz mono 16-bit.
void ecrit_wav(const QDir &dossier, const char *nom) {
  const quint32 echantillons = 800;
  QByteArray octets;
  auto mot32 = [&](quint32 v) {
    for (int i = 0; i < 4; ++i)
      octets.append(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto mot16 = [&](quint16 v) {
    octets.append(static_cast<char>(v & 0xFF));
    octets.append(static_cast<char>(v >> 8));
  };
  octets.append("RIFF");
  mot32(36 + echantillons * 2);
  octets.append("WAVEfmt ");
  mot32(16);
  mot16(1);
  mot16(1);
  mot32(8000);
  mot32(16000);
  mot16(2);
  mot16(16);
  octets.append("data");
  mot32(echantillons * 2);
  octets.append(QByteArray(static_cast<int>(echantillons * 2), '\0'));
  QFile f(dossier.filePath(QString::fromLatin1(nom)));
  if (f.open(QIODevice::WriteOnly))
    f.write(octets);
}

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  prepare_apparence();
  benchmark::Initialize(&argc, argv);

  QTemporaryDir depart;
  const QDir dossier(depart.path());
  ecrit_textures_defaut(dossier);
  ecrit_bmp(dossier, "enigme.bmp", 320, 240);
  ecrit_wav(dossier, "enigme.wav");
  QDir::setCurrent(depart.path());

  DialoguesBanc dialogues;
  auto f = std::make_unique<TForm1>(&dialogues);
  fenetre = f.get();
  f->show();
  QCoreApplication::processEvents();

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
