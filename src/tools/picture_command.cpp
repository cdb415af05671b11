// dravo-lab picture FILE [--ppm OUT]: loads FILE with the editor's picture loader.

#include "picture.h"
#include "resultat.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
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

struct FileCloser {
  void operator()(std::FILE *f) const { std::fclose(f); }
};

// Binary PPM, alpha dropped: a transparent pixel is written in the colour the file gives it.
Resultat write_ppm(const std::string &path, const Picture &p) {
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> f(std::fopen(path.c_str(), "wb"));
  if (!f)
    return Resultat::echec("Cannot create file \"" + path + "\". " + std::strerror(errno));
  std::fprintf(f.get(), "P6\n%d %d\n255\n", p.width, p.height);
  std::vector<uint8_t> row(static_cast<size_t>(p.width) * 3);
  for (int y = 0; y < p.height; ++y) {
    const uint32_t *src = p.argb.data() + static_cast<size_t>(y) * static_cast<size_t>(p.width);
    for (size_t x = 0; x < static_cast<size_t>(p.width); ++x) {
      row[3 * x] = static_cast<uint8_t>(src[x] >> 16);
      row[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
      row[3 * x + 2] = static_cast<uint8_t>(src[x]);
    }
    if (std::fwrite(row.data(), 1, row.size(), f.get()) != row.size())
      break;
  }
  errno = 0;
  const bool failed = std::ferror(f.get()) != 0;
  const int write_errno = errno;
  std::FILE *raw = f.release();
  if (std::fclose(raw) != 0 || failed)
    return Resultat::echec(
        "Cannot write file \"" + path + "\". " +
        std::strerror(write_errno != 0 ? write_errno : (errno != 0 ? errno : EIO)));
  return Resultat::succes();
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
