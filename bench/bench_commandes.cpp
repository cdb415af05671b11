// Open and Save of a full labyrinth (every partition and room kind in use, 100 riddles,
// five sounds) measured through the command handlers, as a click runs them: the dialog
// (answered at once), the disk, and for Open the refresh of the 320 grid images, the sound
// rows and the three textures. The window is shown, so the grid images really repaint.
//   bench_commandes [--benchmark_filter=...] [FOLDER]
// FOLDER is where the files are written (a fresh temporary folder by default): the save
// flushes its file to disk, so the figure depends on the file system under it.

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

#include "apparence.h"
#include "dialogues_banc.h"
#include "lab_file.h"
#include "monde_plein.h"
#include "tform1.h"

namespace {

QString dossier_fichiers;
DialoguesBanc *dialogues = nullptr;
TForm1 *fenetre = nullptr;

// A command of the bar, pressed as the author does.
void clique(const char *bouton) {
  fenetre->findChild<QAbstractButton *>(QString::fromLatin1(bouton))->click();
}

void BM_Enregistrer(benchmark::State &state) {
  dialogues->chemin = QDir(dossier_fichiers).filePath("plein.lab");
  for (auto _ : state)
    clique("SpeedButton3");
}
BENCHMARK(BM_Enregistrer)->Unit(benchmark::kMillisecond);

void BM_Ouvrir(benchmark::State &state) {
  dialogues->chemin = QDir(dossier_fichiers).filePath("plein.lab");
  for (auto _ : state) {
    clique("SpeedButton2");
    // The repaints the refresh queued are part of what the author waits for.
    QApplication::processEvents();
  }
}
BENCHMARK(BM_Ouvrir)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  prepare_apparence();
  benchmark::Initialize(&argc, argv);

  QTemporaryDir temporaire;
  dossier_fichiers = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporaire.path();
  ecrit_textures_defaut(QDir(dossier_fichiers));
  QDir::setCurrent(dossier_fichiers);

  auto d = std::make_unique<DialoguesBanc>();
  dialogues = d.get();
  auto f = std::make_unique<TForm1>(dialogues);
  fenetre = f.get();
  remplit_monde_plein(fenetre->document().monde_brut());
  fenetre->show();
  QApplication::processEvents();
  // The file Open reads is the one Save writes.
  dialogues->chemin = QDir(dossier_fichiers).filePath("plein.lab");
  clique("SpeedButton3");

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
