// Feeds any bytes to the .lab reader as Open does, then to the check of the grid: whatever
// the file holds, every finding points inside the grid and "finishable" agrees with the
// findings.
#include "lab_file.h"
#include "monde_lu.h"
#include "verification.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const Monde m = monde_lu(data, size);
  Verification v;
  verifie_grille(m, v);
  bool bloque = false;
  for (const Constat &c : v.constats) {
    if (c.message.empty())
      std::abort();
    if (c.lieu == Lieu::salle && (c.col < 0 || c.col > 9 || c.lig < 0 || c.lig > 9))
      std::abort();
    if (c.lieu == Lieu::cloison &&
        (c.sens == 0 ? (c.col < 0 || c.col > 9 || c.lig < 0 || c.lig > 10)
                     : (c.sens != 1 || c.col < 0 || c.col > 10 || c.lig < 0 || c.lig > 9)))
      std::abort();
    bloque |= std::strcmp(c.code, "no-start") == 0 || std::strcmp(c.code, "no-exit") == 0 ||
              std::strcmp(c.code, "exit-unreachable") == 0;
  }
  if (v.terminable == bloque)
    std::abort();
  return 0;
}
