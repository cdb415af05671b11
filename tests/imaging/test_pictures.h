#pragma once
// Pictures for the tests: bitmaps written byte by byte, JPEGs compressed with libjpeg, the
// fixtures of data/ and ImageMagick's decode of them (PAM files).

#include "picture.h"

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

std::string data_path(const std::string &name);
Bytes read_bytes(const std::string &path);
void write_bytes(const std::string &path, const Bytes &bytes);

// A PAM file of depth 3 (RGB) or 4 (RGB_ALPHA) as a Picture.
Picture read_pam(const std::string &path);

// The fixtures of data/ with the format they hold.
struct Fixture {
  std::string name;
  // Largest difference allowed per channel against ImageMagick's decode (see the table).
  int tolerance = 0;
};
const std::vector<Fixture> &fixtures();

// A bitmap file assembled from its parts: file header, an info header of `header_size` bytes
// (12 core, 16..64 OS/2 2.x, 40, 52, 56, 108, 124), the optional masks after a 40-byte
// header, the colour table and the pixel rows exactly as given.
struct BmpLayout {
  uint32_t header_size = 40;
  int32_t width = 0;
  int32_t height = 0; // negative: top-down
  uint16_t bpp = 24;
  uint32_t compression = 0;
  uint32_t colours_used = 0;
  std::vector<uint32_t> masks;   // in the header (>= 52) or after a 40-byte one
  std::vector<uint32_t> palette; // 0x00RRGGBB; written as 3 bytes with a 12-byte header
  Bytes pixels;
};
Bytes make_bmp(const BmpLayout &layout);

// Row padding to 32 bits, as bitmaps need.
void pad_row(Bytes &row);

// A JPEG compressed by libjpeg from 0x00RRGGBB pixels in the given JPEG colour space
// (JCS_YCbCr, JCS_RGB, JCS_GRAYSCALE, JCS_CMYK, JCS_YCCK), optionally progressive.
Bytes make_jpeg(const std::vector<uint32_t> &rgb, int width, int height, int jpeg_colour_space,
                bool progressive);

// A progressive grey 8 x 8 JPEG of exactly `scans` scans, 64 to 694: the DC coefficient in
// one scan, then each AC coefficient alone, sent in up to 11 scans of one more bit each.
Bytes make_jpeg_of_scans(int scans);

// `jpeg` with its frame header (baseline or progressive) claiming width x height.
Bytes with_jpeg_size(Bytes jpeg, uint16_t width, uint16_t height);

// A small colourful test pattern, deterministic.
std::vector<uint32_t> pattern(int width, int height);

// The first index whose pixels differ by more than `tolerance` in any channel (alpha
// included), or -1.
long first_difference(const Picture &a, const Picture &b, int tolerance);
