// Feeds any bytes to the .lab reader as Open does, writes the world back and reads that
// again: the second reading must give the same records and the same texts (the mission and
// end message keep their size).
#include "lab_file.h"
#include "monde_lu.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const Monde m = monde_lu(data, size);
  if (m.nb_cloisons < 0 || m.nb_cloisons > NB_CLOISONS_MAX || m.nb_salles < 0 ||
      m.nb_salles > NB_SALLES_MAX)
    std::abort();

  const std::string ecrit = ecrit_lab(m);
  const Monde relu = monde_lu(ecrit);
  if (relu.nb_cloisons != m.nb_cloisons || relu.nb_salles != m.nb_salles ||
      relu.titre_lab != m.titre_lab || relu.mission != m.mission ||
      relu.message_fin != m.message_fin)
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
