// One frame of the player's view, 640 x 480, with textured walls, floor and ceiling (every
// floor and ceiling pixel cast and sampled), from places that see near and far.
#include "vue.h"

#include <benchmark/benchmark.h>

namespace {

// A 128 x 128 texture with some pattern, so that every sample reads memory.
Pixels texture(uint32_t graine) {
  Pixels p(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x)
      p.argb[static_cast<size_t>(y * 128 + x)] =
          0xFF000000u | ((static_cast<uint32_t>(x * y) * graine) & 0x00FFFFFFu);
  return p;
}

// A 40 x 40 kind picture: a square on the green ground.
Pixels sprite() {
  Pixels p(40, 40, 0xFF00FF00u);
  for (int y = 10; y < 30; ++y)
    for (int x = 10; x < 30; ++x)
      p.argb[static_cast<size_t>(y * 40 + x)] = 0xFF2040E0u;
  return p;
}

// Long corridors along every row, crossed by every third column; a few grilles, doors and
// objects on the way.
Monde labyrinthe() {
  Monde m;
  Cree_Monde(m);
  for (int l = 0; l < COTE; ++l)
    for (int c = 1; c < COTE; ++c)
      m.cloisons[static_cast<size_t>(indice_cloison_v(c, l))].contenu = CLOISON_OUVERTE;
  for (int l = 1; l < COTE; ++l)
    for (int c = 0; c < COTE; c += 3)
      m.cloisons[static_cast<size_t>(indice_cloison_h(c, l))].contenu = CLOISON_OUVERTE;
  m.cloisons[static_cast<size_t>(indice_cloison_v(5, 4))].contenu = CLOISON_GRILLE;
  m.cloisons[static_cast<size_t>(indice_cloison_v(8, 2))].contenu = CLOISON_PORTE_ROUGE;
  m.salles[static_cast<size_t>(indice_salle(0, 4))].contenu = SALLE_DEPART;
  m.salles[static_cast<size_t>(indice_salle(6, 4))].contenu = SALLE_CLE_ROUGE;
  m.salles[static_cast<size_t>(indice_salle(3, 4))].contenu = SALLE_TELEPORTEUR;
  return m;
}

void BM_Image640x480(benchmark::State &state) {
  const Monde m = labyrinthe();
  const Plateau plateau(m);
  Decor decor;
  decor.murs = texture(2654435761u);
  decor.sol = texture(40503u);
  decor.plafond = texture(97u);
  for (Pixels &p : decor.salles)
    p = sprite();
  Pixels sortie(640, 480);
  // Down a long corridor (far walls: the most floor and ceiling), and into a near wall.
  const Regard regard = state.range(0) == 0 ? Regard{0.5, 4.5, 0.05} : Regard{4.5, 4.5, -1.4};
  for (auto _ : state) {
    dessine_vue(plateau, decor, regard, sortie);
    benchmark::DoNotOptimize(sortie.argb.data());
    benchmark::ClobberMemory();
  }
  state.SetLabel(state.range(0) == 0 ? "down a corridor" : "facing a wall");
}
BENCHMARK(BM_Image640x480)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
