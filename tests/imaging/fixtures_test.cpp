// Pictures made by another program decode to the pixels that program reads from them, and
// JPEGs of every colour space libjpeg writes come back close to what was compressed.

#include "test_pictures.h"

#include <gtest/gtest.h>
#include <jpeglib.h>

namespace {

TEST(Fixtures, DecodeAsImageMagickDecodesThem) {
  for (const Fixture &f : fixtures()) {
    const Avec<Picture> got = load_picture(data_path(f.name));
    ASSERT_TRUE(got.ok()) << f.name << ": " << got.message();
    const Picture expected = read_pam(data_path(f.name + ".pam"));
    ASSERT_EQ(got.valeur().width, expected.width) << f.name;
    ASSERT_EQ(got.valeur().height, expected.height) << f.name;
    const long at = first_difference(got.valeur(), expected, f.tolerance);
    EXPECT_EQ(at, -1) << f.name << ": pixel " << at << " is " << std::hex
                      << got.valeur().argb[static_cast<size_t>(std::max(at, 0L))] << ", expected "
                      << expected.argb[static_cast<size_t>(std::max(at, 0L))];
  }
}

TEST(Gif, TransparentPixelsKeepTheirPaletteColour) {
  // 2 x 1, palette red and green, red transparent; LZW codes clear, 0, 1, end at 3 bits.
  const Bytes file = {'G', 'I', 'F',  '8', '9',  'a',  2, 0, 1, 0,    0x80, 0, 0,    0xFF, 0,
                      0,   0,   0xFF, 0,   0x21, 0xF9, 4, 1, 0, 0,    0,    0, 0x2C, 0,    0,
                      0,   0,   2,    0,   1,    0,    0, 2, 2, 0x44, 0x0A, 0, 0x3B};
  const Avec<Picture> got = decode_gif(file.data(), file.size());
  ASSERT_TRUE(got.ok()) << got.message();
  EXPECT_EQ(got.valeur().argb, (std::vector<uint32_t>{0x00FF0000, 0xFF00FF00}));
}

TEST(Gif, AFrameSmallerThanTheScreenLeavesTheRestSeeThrough) {
  // Screen 3 x 2, background colour 1 (green); the frame is the 2 x 1 above, at (1, 1).
  const Bytes file = {'G', 'I',  'F', '8', '7', 'a',  3, 0,    2,    0, 0x80, 1,
                      0,   0xFF, 0,   0,   0,   0xFF, 0, 0x2C, 1,    0, 1,    0,
                      2,   0,    1,   0,   0,   2,    2, 0x44, 0x0A, 0, 0x3B};
  const Avec<Picture> got = decode_gif(file.data(), file.size());
  ASSERT_TRUE(got.ok()) << got.message();
  EXPECT_EQ(got.valeur().argb, (std::vector<uint32_t>{0x0000FF00, 0x0000FF00, 0x0000FF00,
                                                      0x0000FF00, 0xFFFF0000, 0xFF00FF00}));
}

struct JpegCase {
  const char *label;
  int colour_space;
  bool progressive;
  int tolerance;
};

TEST(Jpeg, EveryColourSpaceComesBackCloseToItsSource) {
  constexpr int w = 40, h = 24;
  const std::vector<uint32_t> src = pattern(w, h);
  const std::vector<JpegCase> cases = {
      {"YCbCr", JCS_YCbCr, false, 8},
      {"YCbCr progressive", JCS_YCbCr, true, 8},
      {"RGB", JCS_RGB, false, 8},
      {"CMYK", JCS_CMYK, false, 8},
      {"YCCK", JCS_YCCK, false, 8},
      {"YCCK progressive", JCS_YCCK, true, 8},
      {"grayscale", JCS_GRAYSCALE, false, 4},
  };
  for (const JpegCase &c : cases) {
    const Bytes file = make_jpeg(src, w, h, c.colour_space, c.progressive);
    const Avec<Picture> got = decode_jpeg(file.data(), file.size());
    ASSERT_TRUE(got.ok()) << c.label << ": " << got.message();
    Picture expected{w, h, src};
    if (c.colour_space == JCS_GRAYSCALE)
      for (uint32_t &px : expected.argb) {
        const uint32_t g = (px >> 8) & 0xFFu;
        px = 0xFF000000u | g << 16 | g << 8 | g;
      }
    const long at = first_difference(got.valeur(), expected, c.tolerance);
    EXPECT_EQ(at, -1) << c.label << ": pixel " << at << " is " << std::hex
                      << got.valeur().argb[static_cast<size_t>(std::max(at, 0L))] << ", source "
                      << expected.argb[static_cast<size_t>(std::max(at, 0L))];
  }
}

} // namespace
