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

// The command itself, process start, reading, files and picture decoding included.
void BM_dravo_lab_check_100(benchmark::State &state) {
  const std::string commande =
      std::string(DRAVO_LAB) + " check " + aventure().dossier.string() + " > /dev/null";
  for (auto _ : state)
    benchmark::DoNotOptimize(std::system(commande.c_str()));
  state.SetItemsProcessed(state.iterations() * 100);
  state.counters["labyrinthes/s"] = benchmark::Counter(
      static_cast<double>(state.iterations() * 100), benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_grille_pleine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_grille_cles_en_chaine)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_labyrinthe_et_fichiers)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_dravo_lab_check_100)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_MAIN();
