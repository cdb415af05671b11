#pragma once
// The picture loader: bmp (our own reader), jpg/jpeg (libjpeg) and gif (giflib) decoded into
// plain 32-bit pixels. No Qt here: the editor converts a Picture with vers_qimage
// (src/controls/picture_qt.h), dravo-lab and the fuzz targets use it as it is.
//
// Errors come back in the result, never as exceptions or crashes: `ok` false and `message`
// holding the text for the editor's error box, before the box's "." rule. A Picture owns its
// pixels by value.

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

struct PictureResult {
  bool ok = false;
  std::string message; // set when !ok
  Picture picture;     // set when ok
};

// The largest picture the decoders accept. A file announcing more is refused with
// "Picture is too large (W x H pixels, at most ...)" before any pixel memory is taken, so a
// small hostile file cannot make the loader allocate without bound.
struct PictureLimits {
  int max_side = 16384;                        // width and height, each
  int64_t max_pixels = int64_t{16384} * 16384; // width x height
};

// Chooses the decoder by the extension (letters A to Z compared without case: bmp, jpg, jpeg,
// gif), then reads the whole file. Messages: "Unknown picture file extension (.%s)",
// "Cannot open file "%s". %s" (path, system reason), and those of the decoders.
PictureResult load_picture(const std::string &path, const PictureLimits &limits = {});

// Decoders of a picture held in memory. Messages: "Bitmap image is not valid",
// "JPEG error #%d" (libjpeg's message number), "GIF image is not valid", or the size limit's.
PictureResult decode_bmp(const uint8_t *data, size_t size, const PictureLimits &limits = {});
PictureResult decode_jpeg(const uint8_t *data, size_t size, const PictureLimits &limits = {});
PictureResult decode_gif(const uint8_t *data, size_t size, const PictureLimits &limits = {});
