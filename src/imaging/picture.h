#pragma once
// The picture loader: bmp (our own reader), jpg/jpeg (libjpeg) and gif (giflib) decoded into
// plain 32-bit pixels. No Qt here: the editor converts a Picture with vers_qimage
// (src/controls/picture_qt.h), dravo-lab and the fuzz targets use it as it is.
//
// Errors come back in the result, never as exceptions or crashes: an Avec<Picture> (the
// model's result type, resultat.h) holding either the picture or the text for the editor's
// error box, before the box's "." rule. A Picture owns its pixels by value.

#include "resultat.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct Picture {
  int width = 0, height = 0;
  // 0xAARRGGBB, row-major, top row first. Alpha is 0 for a GIF's transparent pixels (their
  // RGB is the palette's colour) and follows the alpha mask of a 32-bit bitmap that has one;
  // every other pixel is opaque (0xFF).
  std::vector<uint32_t> argb;
};

// The largest picture the decoders accept, at an editor's scale: a room picture is shown at
// 320 x 240 and a texture at 80 x 400, yet a photograph straight from a 50-megapixel camera
// (8688 x 5792) still loads. A file announcing more is refused with "Picture is too large
// (W x H pixels, at most ...)" from its header, before any pixel memory is taken, so a small
// hostile file cannot make the loader allocate more than 256 MiB of pixels.
struct PictureLimits {
  int max_side = 16384;                   // width and height, each
  int64_t max_pixels = int64_t{64} << 20; // width x height: 67,108,864, 256 MiB as 0xAARRGGBB
  // load_picture reads no file larger than this: the largest accepted picture as an
  // uncompressed 32-bit bitmap, plus room for its headers.
  int64_t max_file_bytes = (int64_t{64} << 20) * 4 + (int64_t{1} << 20);
};

// Chooses the decoder by the extension (letters A to Z compared without case: bmp, jpg, jpeg,
// gif), then reads the whole file, which must be a regular file (a pipe or a device is never
// opened for reading, as it might never end) of at most limits.max_file_bytes. Messages:
// "Unknown picture file extension (.%s)", "Cannot open file "%s". %s" (path, system
// reason), the refusals of a file that is not regular or is too large, "Not enough memory
// for the picture", and those of the decoders.
Avec<Picture> load_picture(const std::string &path, const PictureLimits &limits = {});

// Decoders of a picture held in memory. Messages: "Bitmap image is not valid",
// "JPEG error #%d" (libjpeg's message number), "GIF image is not valid", or the size limit's.
Avec<Picture> decode_bmp(const uint8_t *data, size_t size, const PictureLimits &limits = {});
Avec<Picture> decode_jpeg(const uint8_t *data, size_t size, const PictureLimits &limits = {});
Avec<Picture> decode_gif(const uint8_t *data, size_t size, const PictureLimits &limits = {});
