#include "jpeg_session.h"
#include "picture.h"
#include "picture_internal.h"

#include <algorithm>
#include <memory>

namespace {

struct SessionCloser {
  void operator()(jpeg_session *s) const { jpeg_session_destroy(s); }
};

std::string jpeg_error(int code) {
  if (code == JPEG_SESSION_TOO_MANY_SCANS)
    return "JPEG picture has too many scans (more than " + std::to_string(JPEG_SESSION_MAX_SCANS) +
           ")";
  return "JPEG error #" + std::to_string(code);
}

// libjpeg's own scale: the largest of 1/2 to 1/8 that keeps both sides at least the frame's.
int scale_denom_for(int width, int height, const Reduction &reduction) {
  if (!reduction.reduces())
    return 1;
  return std::clamp(std::min(width / reduction.width, height / reduction.height), 1, 8);
}

} // namespace

namespace {

Avec<Picture> decode_jpeg_body(const uint8_t *data, size_t size, const PictureLimits &limits,
                               const Reduction &reduction) {
  // A progressive CMYK picture keeps 2 bytes per coefficient for its 4 components; the
  // slack covers the decoder's own tables and row buffers.
  const int64_t whole_memory = limits.max_pixels * 8 + (int64_t{64} << 20);
  const long max_memory = static_cast<long>(
      reduction.reduces() ? std::min(whole_memory, reduction.max_jpeg_memory) : whole_memory);
  static const uint8_t empty = 0;
  std::unique_ptr<jpeg_session, SessionCloser> s(
      jpeg_session_create(data != nullptr ? data : &empty, data != nullptr ? size : 0, max_memory));
  if (!s)
    return Resultat::echec("Not enough memory to read the JPEG picture");
  int width = 0, height = 0;
  if (int code = jpeg_session_read_header(s.get(), &width, &height); code != 0)
    return Resultat::echec(jpeg_error(code));
  if (std::string refusal = picture_size_refusal(width, height, limits); !refusal.empty())
    return Resultat::echec(std::move(refusal));
  int rows_width = 0, rows = 0;
  if (int code = jpeg_session_start(s.get(), scale_denom_for(width, height, reduction), &rows_width,
                                    &rows);
      code != 0) {
    if (code == JPEG_SESSION_TOO_MUCH_MEMORY)
      return Resultat::echec("JPEG picture needs too much memory (" + std::to_string(width) +
                             " x " + std::to_string(height) + " pixels, progressive)");
    return Resultat::echec(jpeg_error(code));
  }
  PixelSink sink(rows_width, rows, 0xFF000000u, reduction, width, height);
  for (int y = 0; y < rows && !sink.enough(); ++y) {
    if (int code = jpeg_session_read_row(s.get(), sink.row(y)); code != 0)
      return Resultat::echec(jpeg_error(code));
    sink.done(y);
  }
  if (!sink.enough())
    if (int code = jpeg_session_finish(s.get()); code != 0)
      return Resultat::echec(jpeg_error(code));
  return sink.take();
}

} // namespace

Avec<Picture> decode_jpeg(const uint8_t *data, size_t size, const PictureLimits &limits,
                          const Reduction &reduction) {
  return without_exceptions([&] { return decode_jpeg_body(data, size, limits, reduction); });
}

Avec<Picture> decode_jpeg(const uint8_t *data, size_t size, const PictureLimits &limits) {
  return decode_jpeg(data, size, limits, Reduction{});
}
