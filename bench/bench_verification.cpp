// The check of whether a labyrinth can be finished: the grid's rules in memory, the whole
// check with its files, and `dravo-lab check` of an adventure folder of 100 labyrinths.
#include "lab_file.h"
#include "monde_plein.h"
#include "verification.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Every kind in use, 100 riddles with five answers, a picture and a medium each.
Monde monde_plein() {
  Monde m;
  Cree_Monde(m);
  remplit_monde_plein(m);
  for (int i = 0; i < NB_SALLES_MAX; ++i)
    m.salles[static_cast<size_t>(i)].image = "image_" + std::to_string(i) + ".bmp";
  return m;
}

// The walk's worst case: every room reached, and seven walks, each opening one more column
// of locked doors with the key the last one found.
Monde monde_cles_en_chaine() {
  Monde m;
  Cree_Monde(m);
  for (int i = 0; i < NB_CLOISONS_MAX; ++i) {
    const bool bord = i < NB_CLOISONS_H
                          ? (i / 10 == 0 || i / 10 == 10)
                          : ((i - NB_CLOISONS_H) % 11 == 0 || (i - NB_CLOISONS_H) % 11 == 10);
    m.cloisons[static_cast<size_t>(i)].contenu = bord ? CLOISON_MUR : CLOISON_OUVERTE;
  }
  for (int cle = SALLE_CLE_NOIRE; cle <= SALLE_CLE_JAUNE; ++cle) {
    for (int l = 0; l < 10; ++l)
      m.cloisons[static_cast<size_t>(indice_cloison_v(cle, l))].contenu = porte_de_cle(cle);
    m.salles[static_cast<size_t>(indice_salle(cle - 1, 9))].contenu = cle;
  }
  m.salles[0].contenu = SALLE_DEPART;
  m.cloisons[static_cast<size_t>(indice_cloison_v(10, 9))].contenu = CLOISON_SORTIE;
  return m;
}

void grille(benchmark::State &state, const Monde &m) {
  for (auto _ : state) {
    Verification v;
    verifie_grille(m, v);
    benchmark::DoNotOptimize(v.terminable);
  }
}

void BM_grille_pleine(benchmark::State &s) {
  grille(s, monde_plein());
}
void BM_grille_cles_en_chaine(benchmark::State &s) {
  grille(s, monde_cles_en_chaine());
}

// A 1 x 1 bitmap: the pictures and textures the folder holds.
constexpr unsigned char BMP[58] = {
    'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0,   24,
    0,   0,   0,  0, 0, 4, 0, 0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0};

void fichier(const fs::path &p, const std::string &octets) {
  std::ofstream(p, std::ios::binary) << octets;
}

// An adventure of 100 full labyrinths whose every named file is present.
class Aventure {
public:
  Aventure() {
    char modele[] = "/tmp/dravo-bench-verif-XXXXXX";
    if (!::mkdtemp(modele))
      std::abort();
    dossier = modele;
    const Monde m = monde_plein();
    const std::string texte = ecrit_lab(m);
    const std::string bmp(reinterpret_cast<const char *>(BMP), sizeof BMP);
    for (int n = 1; n <= 100; ++n)
      fichier(dossier / ("monde_" + std::to_string(n) + ".lab"), texte);
    for (const Tsalle &s : m.salles) {
      fichier(dossier / s.image, bmp);
      fichier(dossier / s.media, "son");
    }
    for (int k = 0; k < NB_SONS; ++k)
      fichier(dossier / m.son(k), "son");
    for (int k = 0; k < NB_TEXTURES; ++k)
      fichier(dossier / m.texture(k), bmp);
  }
  ~Aventure() {
    std::error_code ec;
    fs::remove_all(dossier, ec);
  }
  fs::path dossier;
};

const Aventure &aventure() {
  static const Aventure a;
  return a;
}

// The whole check of one labyrinth in memory, its files looked for on disk (no decoding).
void BM_labyrinthe_et_fichiers(benchmark::State &state) {
  const Monde m = monde_plein();
  const std::string dossier = aventure().dossier.string();
  for (auto _ : state) {
    Verification v = verifie_labyrinthe(m, dossier);
    benchmark::DoNotOptimize(v.constats.data());
  }
}

double cpu_enfants() {
  rusage r{};
  ::getrusage(RUSAGE_CHILDREN, &r);
  return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
         static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

// The command itself, process start, reading, files and picture decoding included. On a
// shared machine the wall time counts the waits for a core too; the command's own CPU time
// is given beside it.
void BM_dravo_lab_check_100(benchmark::State &state) {
  const std::string commande =
      std::string(DRAVO_LAB) + " check " + aventure().dossier.string() + " > /dev/null";
  const double cpu_avant = cpu_enfants();
  for (auto _ : state) {
    // Status 1: the full labyrinth has errors to report (several starts among them).
    const int statut = std::system(commande.c_str());
    if (!WIFEXITED(statut) || WEXITSTATUS(statut) > 1)
      state.SkipWithError("dravo-lab check failed");
  }
  const double cpu = cpu_enfants() - cpu_avant;
  const auto n = static_cast<double>(state.iterations());
  state.counters["labyrinthes/s"] = benchmark::Counter(n * 100, benchmark::Counter::kIsRate);
  state.counters["labyrinthes/s CPU"] = n * 100 / cpu;
  state.counters["ms CPU"] = cpu * 1000 / n;
}

} // namespace

BENCHMARK(BM_grille_pleine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_grille_cles_en_chaine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_labyrinthe_et_fichiers)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_dravo_lab_check_100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
