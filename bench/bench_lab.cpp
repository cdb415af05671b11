// Reading and writing .lab files: a fresh world, a full labyrinth with 100 riddles, and a
// file whose mission holds 10 MB of text.
#include "fichiers.h"
#include "lab_file.h"
#include "monde_plein.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

Monde monde_frais() {
  Monde m;
  Cree_Monde(m);
  return m;
}

Monde monde_plein() {
  Monde m = monde_frais();
  remplit_monde_plein(m);
  return m;
}

void ecriture(benchmark::State &state, const Monde &m) {
  std::string out;
  for (auto _ : state) {
    out.clear();
    ecrit_lab(m, out);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * out.size()));
}

// Reading as Open does it in memory: a copy of the world, the reset, the lines.
void lecture(benchmark::State &state, const Monde &m) {
  const std::string texte = ecrit_lab(m);
  const Monde depart = monde_frais();
  for (auto _ : state) {
    Monde copie = depart;
    prepare_lecture(copie);
    lit_lab(texte, copie);
    benchmark::DoNotOptimize(copie.nb_salles);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * texte.size()));
}

void BM_ecrit_frais(benchmark::State &s) {
  ecriture(s, monde_frais());
}
void BM_lit_frais(benchmark::State &s) {
  lecture(s, monde_frais());
}
void BM_ecrit_plein(benchmark::State &s) {
  ecriture(s, monde_plein());
}
void BM_lit_plein(benchmark::State &s) {
  lecture(s, monde_plein());
}

std::string fichier_temporaire(const std::string &contenu) {
  char modele[] = "/tmp/dravo-bench-XXXXXX";
  int fd = ::mkstemp(modele);
  if (fd < 0)
    std::abort();
  ::close(fd);
  if (!ecrit_fichier_atomique(modele, contenu))
    std::abort();
  return modele;
}

// The whole Open reading from disk: the file read, the copy, the lines.
void BM_charge_fichier_plein(benchmark::State &state) {
  const std::string chemin = fichier_temporaire(ecrit_lab(monde_plein()));
  Monde m = monde_frais();
  for (auto _ : state)
    if (!charge_lab(chemin, m))
      state.SkipWithError("read failed");
  ::unlink(chemin.c_str());
}

// The whole Save writing to disk, flushed and renamed into place.
void BM_sauve_fichier_plein(benchmark::State &state) {
  const std::string chemin = fichier_temporaire("");
  const Monde m = monde_plein();
  for (auto _ : state)
    if (!sauve_lab(chemin, m))
      state.SkipWithError("write failed");
  ::unlink(chemin.c_str());
}

void BM_charge_mission_10mo(benchmark::State &state) {
  Monde m = monde_frais();
  std::string ligne(99, 'a');
  ligne[0] = 'L';
  m.mission.reserve(10'000'000);
  while (m.mission.size() < 10'000'000)
    m.mission += ligne + "\r\n";
  const std::string texte = ecrit_lab(m);
  const std::string chemin = fichier_temporaire(texte);
  Monde lu = monde_frais();
  for (auto _ : state)
    if (!charge_lab(chemin, lu))
      state.SkipWithError("read failed");
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * texte.size()));
  ::unlink(chemin.c_str());
}

} // namespace

BENCHMARK(BM_ecrit_frais)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_lit_frais)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ecrit_plein)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_lit_plein)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_charge_fichier_plein)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_sauve_fichier_plein)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_charge_mission_10mo)->Unit(benchmark::kMillisecond);
