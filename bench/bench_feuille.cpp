// The teacher's sheet of a full labyrinth (every kind in use, 100 riddles with five
// answers, a picture and a medium each): the whole PDF document in memory, as
// `dravo-lab feuille` and printing make it, and the map alone as a PNG picture. Runs on the
// offscreen platform.

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include "feuille.h"
#include "monde_plein.h"
#include "plan.h"

namespace {

Monde plein() {
  Monde m;
  Cree_Monde(m);
  remplit_monde_plein(m);
  return m;
}

void BM_FeuillePdf(benchmark::State &state) {
  const Monde m = plein();
  QByteArray pdf;
  for (auto _ : state) {
    pdf = feuille_pdf(m);
    benchmark::DoNotOptimize(pdf.constData());
  }
  state.counters["octets"] = static_cast<double>(pdf.size());
  state.counters["pages"] = static_cast<double>(pdf.count("/Type /Page\n"));
}
BENCHMARK(BM_FeuillePdf)->Unit(benchmark::kMillisecond);

void BM_PlanPng(benchmark::State &state) {
  const Monde m = plein();
  for (auto _ : state) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    image_plan(m).save(&tampon, "PNG");
    benchmark::DoNotOptimize(octets.constData());
  }
}
BENCHMARK(BM_PlanPng)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv))
    return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
