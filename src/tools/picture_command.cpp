// dravo-lab picture FILE [--ppm OUT]: loads FILE with the editor's picture loader.

#include "fichiers.h"
#include "picture.h"
#include "resultat.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int usage_picture(const char *why) {
  std::fprintf(stderr, "dravo-lab picture: %s\nusage: dravo-lab picture FILE [--ppm OUT]\n", why);
  return 2;
}

int failure(const std::string &message) {
  std::fprintf(stderr, "%s\n", texte_boite_erreur(message).c_str());
  return 1;
}

// Binary PPM, alpha dropped: a transparent pixel is written in the colour the file gives it.
// Written as every file of the editor is: into a temporary file renamed over OUT, so that a
// failure (a full disk) leaves an existing OUT as it was.
Resultat write_ppm(const std::string &path, const Picture &p) {
  const std::string header =
      "P6\n" + std::to_string(p.width) + " " + std::to_string(p.height) + "\n255\n";
  std::string bytes;
  bytes.reserve(header.size() + p.argb.size() * 3);
  bytes += header;
  for (const uint32_t px : p.argb) {
    bytes += static_cast<char>(px >> 16);
    bytes += static_cast<char>(px >> 8);
    bytes += static_cast<char>(px);
  }
  return ecrit_fichier_atomique(path, bytes);
}

} // namespace

int commande_picture(const std::vector<std::string> &args) {
  std::string file, ppm;
  bool have_file = false, have_ppm = false;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--ppm") {
      if (have_ppm || i + 1 >= args.size())
        return usage_picture("--ppm takes one output file name");
      have_ppm = true;
      ppm = args[++i];
    } else if (args[i].size() > 2 && args[i].compare(0, 2, "--") == 0) {
      return usage_picture(("unknown option " + args[i]).c_str());
    } else if (!have_file) {
      have_file = true;
      file = args[i];
    } else {
      return usage_picture("takes one picture file");
    }
  }
  if (!have_file)
    return usage_picture("takes one picture file");

  const Avec<Picture> r = load_picture(file);
  if (!r)
    return failure(r.message());
  if (have_ppm) {
    if (const Resultat ecrit = write_ppm(ppm, r.valeur()); !ecrit)
      return failure(ecrit.message());
  }
  std::printf("%d %d\n", r.valeur().width, r.valeur().height);
  return 0;
}
