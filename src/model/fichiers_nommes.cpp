#include "fichiers_nommes.h"

#include "fichiers.h"
#include "lab_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

std::vector<std::string> noms_fichiers(const Labyrinthe &l) {
  std::vector<std::string> noms;
  auto ajoute = [&](const std::string &nom) {
    const std::string nu(nom_dans_dossier(nom));
    if (!nu.empty() && std::find(noms.begin(), noms.end(), nu) == noms.end())
      noms.push_back(nu);
  };
  const int nb_salles = std::clamp<int32_t>(l.nb_salles, 0, NB_SALLES_MAX);
  for (int i = 0; i < nb_salles; ++i) {
    ajoute(l.salles[static_cast<size_t>(i)].image);
    ajoute(l.salles[static_cast<size_t>(i)].media);
  }
  for (int k = 0; k < NB_SONS; ++k)
    ajoute(l.son(k));
  for (int k = 0; k < NB_TEXTURES; ++k)
    ajoute(l.texture(k));
  return noms;
}

std::vector<std::string> labyrinthes_nommant(const std::string &dossier, const std::string &nom,
                                             const std::string &sauf) {
  namespace fs = std::filesystem;
  std::vector<std::string> trouves;
  std::error_code ec;
  for (fs::directory_iterator it(dossier, ec), fin; !ec && it != fin; it.increment(ec)) {
    const std::string bare = it->path().filename().string();
    if (bare == sauf || bare.size() < 4)
      continue;
    std::string extension = bare.substr(bare.size() - 4);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    if (extension != ".lab")
      continue;
    Monde m;
    Cree_Monde(m);
    if (!charge_lab(it->path().string(), m))
      continue;
    const std::vector<std::string> noms = noms_fichiers(m);
    if (std::find(noms.begin(), noms.end(), nom) != noms.end())
      trouves.push_back(bare);
  }
  std::sort(trouves.begin(), trouves.end());
  return trouves;
}
