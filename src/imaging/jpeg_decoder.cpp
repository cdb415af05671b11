#include "jpeg_session.h"
#include "picture.h"
#include "picture_internal.h"

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

} // namespace

namespace {

Avec<Picture> decode_jpeg_body(const uint8_t *data, size_t size, const PictureLimits &limits) {
  // A progressive CMYK picture keeps 2 bytes per coefficient for its 4 components; the
  // slack covers the decoder's own tables and row buffers.
  const long max_memory = static_cast<long>(limits.max_pixels * 8 + (int64_t{64} << 20));
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
  if (int code = jpeg_session_start(s.get()); code != 0)
    return Resultat::echec(jpeg_error(code));
  Picture r = picture_of_size(width, height, 0xFF000000u);
  if (int code = jpeg_session_read(s.get(), r.argb.data()); code != 0)
    return Resultat::echec(jpeg_error(code));
  return r;
}

} // namespace

Avec<Picture> decode_jpeg(const uint8_t *data, size_t size, const PictureLimits &limits) {
  return without_exceptions([&] { return decode_jpeg_body(data, size, limits); });
}
