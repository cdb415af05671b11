// Feeds any bytes to the .lab reader as Open does, writes the world back and reads that
// again: the second reading must give the same records.
#include "lab_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  static const Monde frais = [] {
    Monde m;
    Cree_Monde(m);
    return m;
  }();
  Monde m = frais;
  prepare_lecture(m);
  lit_lab(std::string_view(reinterpret_cast<const char *>(data), size), m);
  if (m.nb_cloisons < 0 || m.nb_cloisons > NB_CLOISONS_MAX || m.nb_salles < 0 ||
      m.nb_salles > NB_SALLES_MAX)
    std::abort();

  const std::string ecrit = ecrit_lab(m);
  Monde relu = frais;
  prepare_lecture(relu);
  lit_lab(ecrit, relu);
  if (relu.nb_cloisons != m.nb_cloisons || relu.nb_salles != m.nb_salles ||
      relu.titre_lab != m.titre_lab || relu.mission != m.mission + "\r\n")
    std::abort();
  for (int i = 0; i < m.nb_salles; ++i) {
    const Tsalle &a = m.salles[static_cast<size_t>(i)];
    const Tsalle &b = relu.salles[static_cast<size_t>(i)];
    if (a.contenu != b.contenu || a.question != b.question || a.reponses != b.reponses ||
        a.bonnes != b.bonnes || a.media != b.media)
      std::abort();
  }
  for (int i = 0; i < m.nb_cloisons; ++i) {
    const Tcloison &a = m.cloisons[static_cast<size_t>(i)];
    const Tcloison &b = relu.cloisons[static_cast<size_t>(i)];
    if (a.col != b.col || a.lig != b.lig || a.sens != b.sens || a.contenu != b.contenu)
      std::abort();
  }
  return 0;
}
