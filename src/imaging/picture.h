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
  // The size the file announces. Equal to width x height unless the picture was reduced
  // (Reduction below): a preview that keeps proportions takes them from here.
  int full_width = 0, full_height = 0;
};

// A picture decoded for a frame of its own size: the editor shows a room picture at
// 320 x 240 and a texture at 80 x 400 or 200 x 200, so it never needs the whole of a
// 16384 x 4096 picture. Each side is divided by the largest whole factor that keeps it at
// least as long as the frame's (a side already shorter stays whole), averaging the pixels
// of each block; JPEG does the first part of that in libjpeg (scale 1/2 to 1/8). Rows are
// reduced as they are decoded, so the memory taken is a few rows of the file's width plus the
// result, whatever size the file announces. The picture's limits still apply: a reduced
// picture is one the whole decode would also accept.
struct Reduction {
  int width = 0, height = 0; // the frame; 0 x 0 decodes the whole picture
  // When above 0, the decode stops without error once this many of the file's pixels have
  // been decoded: "is this picture readable?" asked of a picture announcing more.
  int64_t max_source_pixels = 0;
  // libjpeg keeps every coefficient of a progressive JPEG, whatever the scale: beyond this
  // many bytes of its own buffers a reduced decode is refused (the whole decode's bound
  // follows the limits instead). 64 MiB holds a progressive photograph of 20 megapixels.
  int64_t max_jpeg_memory = int64_t{64} << 20;

  bool reduces() const { return width > 0 && height > 0; }
  // What the check asks: readable, at the smallest scale, reading no more than 262,144 of
  // the file's pixels (a 512 x 512 picture whole), so that a folder of large pictures is
  // checked in a moment.
  static Reduction to_check() { return {1, 1, int64_t{1} << 18}; }
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
// The same, reduced for a frame (see Reduction).
Avec<Picture> load_picture(const std::string &path, const Reduction &reduction,
                           const PictureLimits &limits = {});

// Decoders of a picture held in memory. Messages: "Bitmap image is not valid",
// "JPEG error #%d" (libjpeg's message number), "GIF image is not valid", or the size limit's;
// "JPEG picture needs too much memory (...)" when libjpeg's
// buffers would pass their bound.
Avec<Picture> decode_bmp(const uint8_t *data, size_t size, const PictureLimits &limits = {});
Avec<Picture> decode_bmp(const uint8_t *data, size_t size, const PictureLimits &limits,
                         const Reduction &reduction);
Avec<Picture> decode_jpeg(const uint8_t *data, size_t size, const PictureLimits &limits = {});
Avec<Picture> decode_jpeg(const uint8_t *data, size_t size, const PictureLimits &limits,
                          const Reduction &reduction);
Avec<Picture> decode_gif(const uint8_t *data, size_t size, const PictureLimits &limits = {});
Avec<Picture> decode_gif(const uint8_t *data, size_t size, const PictureLimits &limits,
                         const Reduction &reduction);
