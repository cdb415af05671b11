// libFuzzer entry for one decoder, chosen at build time by DRAVO_FUZZ_DECODER (decode_bmp,
// decode_jpeg or decode_gif), whole and reduced. Besides the sanitizers' checks, it stops on any
// result that breaks the loader's promises: a picture whose pixels do not match its size, or a
// failure whose message is not one the error box expects.

#include "picture.h"

#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  // The editor's limits scaled down by 16 so that each run stays quick (the limit's logic is
  // the same code whatever its numbers); as there, the pixel count bites before the square
  // of the side does.
  PictureLimits limits;
  limits.max_side /= 4;
  limits.max_pixels /= 16;
  limits.max_file_bytes /= 16;
  const Avec<Picture> r = DRAVO_FUZZ_DECODER(data, size, limits);
  // The same file reduced for a small frame, as the editor shows it: its size follows the
  // whole picture's, and but for JPEG (whose memory bound is tighter) it decodes exactly
  // when the whole picture does.
  Reduction frame;
  frame.width = 7;
  frame.height = 5;
  const Avec<Picture> reduced = DRAVO_FUZZ_DECODER(data, size, limits, frame);
  if (reduced.ok()) {
    const Picture &p = reduced.valeur();
    if (p.width <= 0 || p.height <= 0 || p.full_width < p.width || p.full_height < p.height ||
        (p.full_width >= 2 * frame.width && p.width >= 2 * frame.width) ||
        (p.full_height >= 2 * frame.height && p.height >= 2 * frame.height) ||
        p.argb.size() != static_cast<size_t>(p.width) * static_cast<size_t>(p.height))
      std::abort();
    if (r.ok() && (p.full_width != r.valeur().width || p.full_height != r.valeur().height))
      std::abort();
  }
  const bool jpeg = std::string_view(DRAVO_FUZZ_NAME) == "decode_jpeg";
  if (!jpeg && reduced.ok() != r.ok())
    std::abort();
  if (r.ok()) {
    const Picture &p = r.valeur();
    if (p.width <= 0 || p.height <= 0 || p.width > limits.max_side || p.height > limits.max_side ||
        p.argb.size() != static_cast<size_t>(p.width) * static_cast<size_t>(p.height))
      std::abort();
    return 0;
  }
  const std::string &m = r.message();
  const bool known =
      m == "Bitmap image is not valid" || m == "GIF image is not valid" ||
      m.rfind("JPEG error #", 0) == 0 || m.rfind("JPEG picture has too many scans", 0) == 0 ||
      m.rfind("JPEG picture needs too much memory (", 0) == 0 ||
      m.rfind("Picture is too large (", 0) == 0 || m == "Not enough memory for the picture";
  if (!known)
    std::abort();
  return 0;
}
