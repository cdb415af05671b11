#include "picture.h"
#include "picture_internal.h"

#include "fichiers.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

std::string picture_size_refusal(int64_t width, int64_t height, const PictureLimits &limits) {
  if (width <= limits.max_side && height <= limits.max_side && width * height <= limits.max_pixels)
    return {};
  return "Picture is too large (" + std::to_string(width) + " x " + std::to_string(height) +
         " pixels, at most " + std::to_string(limits.max_side) + " x " +
         std::to_string(limits.max_side) + " and " + std::to_string(limits.max_pixels) + " pixels)";
}

namespace {

enum class Format { bmp, jpeg, gif, unknown };

// The extension is what follows the last "." of the file name (not of a folder name), as the
// name writes it: the message refusing it quotes it so.
std::string extension_of(const std::string &path) {
  const size_t slash = path.find_last_of('/');
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return {};
  return path.substr(dot + 1);
}

// Extensions are matched folding the letters A to Z only.
Format format_of(std::string ext) {
  for (char &c : ext)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  if (ext == "bmp")
    return Format::bmp;
  if (ext == "jpg" || ext == "jpeg")
    return Format::jpeg;
  if (ext == "gif")
    return Format::gif;
  return Format::unknown;
}

std::string cannot_open(const std::string &path, int code) {
  return "Cannot open file \"" + path + "\". " + std::strerror(code);
}

// The whole file's bytes.
Avec<std::string> read_file(const std::string &path, const PictureLimits &limits) {
  const uint64_t max_bytes = static_cast<uint64_t>(std::max<int64_t>(limits.max_file_bytes, 0));
  std::string bytes;
  const LectureBornee read = lit_fichier_borne(path, max_bytes, bytes);
  switch (read.fin) {
  case FinLecture::lu: return bytes;
  case FinLecture::erreur_systeme:
    return Resultat::echec(read.code_errno == ENOMEM ? NOT_ENOUGH_MEMORY
                                                     : cannot_open(path, read.code_errno));
  case FinLecture::pas_ordinaire:
    return Resultat::echec(
        "Le fichier \"" + path +
        "\" n'est pas un fichier ordinaire (un tube, un périphérique) : il n'est pas lu");
  case FinLecture::trop_gros:
    return Resultat::echec("Le fichier \"" + path + "\" est trop gros pour une image (plus de " +
                           (max_bytes >= (1u << 20) ? std::to_string(max_bytes >> 20) + " Mo)"
                                                    : std::to_string(max_bytes) + " octets)"));
  }
  return Resultat::echec(cannot_open(path, EIO));
}

Avec<Picture> load_file(const std::string &path, const PictureLimits &limits,
                        const Reduction &reduction) {
  const std::string ext = extension_of(path);
  const Format format = format_of(ext);
  if (format == Format::unknown)
    return Resultat::echec("Unknown picture file extension (." + ext + ")");
  const Avec<std::string> bytes = read_file(path, limits);
  if (!bytes)
    return bytes.resultat();
  const auto *data = reinterpret_cast<const uint8_t *>(bytes.valeur().data());
  const size_t size = bytes.valeur().size();
  switch (format) {
  case Format::bmp: return decode_bmp(data, size, limits, reduction);
  case Format::jpeg: return decode_jpeg(data, size, limits, reduction);
  case Format::gif: return decode_gif(data, size, limits, reduction);
  case Format::unknown: break;
  }
  return Resultat::echec("Unknown picture file extension (." + ext + ")");
}

} // namespace

Avec<Picture> load_picture(const std::string &path, const PictureLimits &limits) {
  return without_exceptions([&] { return load_file(path, limits, Reduction{}); });
}

Avec<Picture> load_picture(const std::string &path, const Reduction &reduction,
                           const PictureLimits &limits) {
  return without_exceptions([&] { return load_file(path, limits, reduction); });
}
