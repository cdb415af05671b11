// Damaged, truncated and hostile files: each ends in its exact message, never in a crash.

#include "test_pictures.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <regex>

#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

namespace {

using Decoder = std::function<Avec<Picture>(const uint8_t *, size_t)>;

const std::string BMP_INVALID = "Bitmap image is not valid";
const std::string GIF_INVALID = "GIF image is not valid";

std::string jpeg_error(int code) {
  return "JPEG error #" + std::to_string(code);
}

std::string too_large(long long w, long long h) {
  return "Picture is too large (" + std::to_string(w) + " x " + std::to_string(h) +
         " pixels, at most 16384 x 16384 and 67108864 pixels)";
}

BmpLayout small_8bit() {
  BmpLayout s;
  s.width = 3;
  s.height = 2;
  s.bpp = 8;
  s.palette = {0x000000, 0xFFFFFF};
  s.colours_used = 2;
  s.pixels = {0, 1, 0, 0, 1, 0, 1, 0};
  return s;
}

void set32(Bytes &b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i)
    b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

struct Case {
  const char *label;
  Bytes file;
  std::string message;
};

TEST(DamagedBitmap, GivesItsMessage) {
  auto with = [](const std::function<void(BmpLayout &)> &change) {
    BmpLayout s = small_8bit();
    change(s);
    return make_bmp(s);
  };
  auto patched = [](size_t at, uint32_t v) {
    Bytes b = make_bmp(small_8bit());
    set32(b, at, v);
    return b;
  };
  Bytes not_bm = make_bmp(small_8bit());
  not_bm[1] = 'A';
  Bytes truncated_rows = make_bmp(small_8bit());
  truncated_rows.resize(truncated_rows.size() - 5);
  const std::vector<Case> cases = {
      {"empty", {}, BMP_INVALID},
      {"not BM", not_bm, BMP_INVALID},
      {"header size 11", patched(14, 11), BMP_INVALID},
      {"header size past the file", patched(14, 4000), BMP_INVALID},
      {"header size between 64 and 108", patched(14, 80), BMP_INVALID},
      {"2 bits per pixel", with([](BmpLayout &s) { s.bpp = 2; }), BMP_INVALID},
      {"0 bits per pixel", with([](BmpLayout &s) { s.bpp = 0; }), BMP_INVALID},
      {"embedded JPEG", with([](BmpLayout &s) { s.compression = 4; }), BMP_INVALID},
      {"embedded PNG", with([](BmpLayout &s) { s.compression = 5; }), BMP_INVALID},
      {"RLE8 at 24 bits", with([](BmpLayout &s) { s.compression = 1, s.bpp = 24; }), BMP_INVALID},
      {"RLE4 at 8 bits", with([](BmpLayout &s) { s.compression = 2; }), BMP_INVALID},
      {"bit fields at 24 bits", with([](BmpLayout &s) {
         s.compression = 3, s.bpp = 24, s.masks = {0xFF0000, 0xFF00, 0xFF};
       }),
       BMP_INVALID},
      {"OS/2 Huffman",
       with([](BmpLayout &s) { s.header_size = 64, s.compression = 3, s.bpp = 16; }), BMP_INVALID},
      {"bit fields missing after the header", make_bmp(BmpLayout{40, 1, 1, 16, 3, 0, {}, {}, {}}),
       BMP_INVALID},
      {"width 0", with([](BmpLayout &s) { s.width = 0; }), BMP_INVALID},
      {"width negative", with([](BmpLayout &s) { s.width = -3; }), BMP_INVALID},
      {"height 0", with([](BmpLayout &s) { s.height = 0; }), BMP_INVALID},
      {"pixels past the end", patched(10, 5000), BMP_INVALID},
      {"pixels inside the header", patched(10, 20), BMP_INVALID},
      {"no room for the colour table", with([](BmpLayout &s) { s.palette.clear(); }), BMP_INVALID},
      {"rows cut short", truncated_rows, BMP_INVALID},
      {"RLE8 literal cut short", with([](BmpLayout &s) {
         s.compression = 1, s.pixels = {0, 5, 1, 1};
       }),
       BMP_INVALID},
      {"RLE8 without end and rows missing", with([](BmpLayout &s) {
         s.compression = 1, s.pixels = {3, 1, 0, 0};
       }),
       BMP_INVALID},
      {"RLE8 move cut short", with([](BmpLayout &s) {
         s.compression = 1, s.pixels = {0, 2, 1};
       }),
       BMP_INVALID},
      {"wider than the limit", with([](BmpLayout &s) { s.width = 16385, s.height = 1; }),
       too_large(16385, 1)},
      {"taller than the limit", with([](BmpLayout &s) { s.width = 16384, s.height = 16385; }),
       too_large(16384, 16385)},
      {"height of -2^31", with([](BmpLayout &s) { s.height = INT32_MIN; }),
       too_large(3, 2147483648LL)},
  };
  for (const Case &c : cases) {
    const Avec<Picture> got = decode_bmp(c.file.data(), c.file.size());
    EXPECT_FALSE(got.ok()) << c.label;
    EXPECT_EQ(got.message(), c.message) << c.label;
  }
}

TEST(DamagedBitmap, LargestAcceptedSizeIsDecoded) {
  // A 16384-pixel row fits; the limit is on the picture, not on a small file's claims alone.
  BmpLayout s;
  s.width = 16384;
  s.height = 1;
  s.bpp = 1;
  s.palette = {0x000000, 0xFFFFFF};
  s.pixels.assign(16384 / 8, 0xFF);
  const Bytes file = make_bmp(s);
  const Avec<Picture> got = decode_bmp(file.data(), file.size());
  ASSERT_TRUE(got.ok()) << got.message();
  EXPECT_EQ(got.valeur().argb.back(), 0xFFFFFFFFu);
}

TEST(DamagedJpeg, GivesLibjpegsMessageNumber) {
  Bytes good = read_bytes(data_path("jpeg_baseline.jpg"));
  Bytes cut = good;
  cut.resize(good.size() - 2); // no end-of-image marker: the data ran out
  Bytes progressive_cut = read_bytes(data_path("jpeg_progressive.jpg"));
  progressive_cut.resize(progressive_cut.size() - 2);
  Bytes cut_mid = good;
  cut_mid.resize(good.size() / 2);
  Bytes cut_closed = cut_mid; // cut in the pixel data, then given its end marker again
  cut_closed.insert(cut_closed.end(), {0xFF, 0xD9});
  auto sof = [&](uint16_t width, uint16_t height) { return with_jpeg_size(good, width, height); };
  const Bytes bitmap = make_bmp(small_8bit());
  const std::vector<Case> cases = {
      {"empty", {}, jpeg_error(JERR_INPUT_EMPTY)},
      {"a bitmap", bitmap, jpeg_error(JERR_NO_SOI)},
      {"only the start marker", {0xFF, 0xD8}, jpeg_error(JWRN_JPEG_EOF)},
      {"progressive, end marker missing", progressive_cut, jpeg_error(JWRN_JPEG_EOF)},
      {"cut in the middle", cut_mid, jpeg_error(JWRN_HIT_MARKER)},
      {"cut in the middle, end marker kept", cut_closed, jpeg_error(JWRN_HIT_MARKER)},
      {"more rows than the data holds", sof(37, 2300), jpeg_error(JWRN_HIT_MARKER)},
      {"width 0", sof(0, 23), jpeg_error(JERR_EMPTY_IMAGE)},
      {"larger than the limit", sof(20000, 20000), too_large(20000, 20000)},
  };
  for (const Case &c : cases) {
    const Avec<Picture> got = decode_jpeg(c.file.data(), c.file.size());
    EXPECT_FALSE(got.ok()) << c.label;
    EXPECT_EQ(got.message(), c.message) << c.label;
  }
  // A baseline picture with all its data but no end marker is shown whole.
  const Avec<Picture> whole = decode_jpeg(good.data(), good.size());
  const Avec<Picture> no_end = decode_jpeg(cut.data(), cut.size());
  ASSERT_TRUE(no_end.ok()) << no_end.message();
  EXPECT_EQ(no_end.valeur().argb, whole.valeur().argb);
}

TEST(DamagedGif, GivesItsMessage) {
  const Bytes good = read_bytes(data_path("gif_plain.gif"));
  Bytes cut = good;
  cut.resize(good.size() / 2);
  Bytes huge = good;
  huge[6] = huge[7] = huge[8] = huge[9] = 0xFF; // logical screen 65535 x 65535
  Bytes no_colours = good;
  no_colours[10] &= 0x7F; // no global colour table: the frame then has none either
  Bytes magic = good;
  magic[0] = 'J';
  const Bytes header_only(good.begin(), good.begin() + 13);
  const std::vector<Case> cases = {
      {"empty", {}, GIF_INVALID},
      {"bad signature", magic, GIF_INVALID},
      {"screen only", header_only, GIF_INVALID},
      {"cut in the pixel data", cut, GIF_INVALID},
      {"no colour table", no_colours, GIF_INVALID},
      {"trailer before any image",
       {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B},
       GIF_INVALID},
      {"screen larger than the limit", huge, too_large(65535, 65535)},
  };
  for (const Case &c : cases) {
    const Avec<Picture> got = decode_gif(c.file.data(), c.file.size());
    EXPECT_FALSE(got.ok()) << c.label;
    EXPECT_EQ(got.message(), c.message) << c.label;
  }
}

// Every prefix of every fixture, and every fixture with one byte inverted: the decoder either
// gives a picture (a prefix holding all the pixels, a byte that only changes colours) or
// exactly its format's message. Run under the sanitizers, this also proves no stray access.
TEST(DamagedFiles, EveryPrefixAndEveryFlippedByte) {
  const std::regex jpeg_message(
      "JPEG error #[0-9]+|JPEG picture has too many scans \\(more than 500\\)");
  for (const Fixture &f : fixtures()) {
    const Bytes good = read_bytes(data_path(f.name));
    const char kind = f.name[0];
    const Decoder decode = [kind](const uint8_t *data, size_t size) {
      return kind == 'b'   ? decode_bmp(data, size)
             : kind == 'j' ? decode_jpeg(data, size)
                           : decode_gif(data, size);
    };
    const Avec<Picture> whole = decode(good.data(), good.size());
    ASSERT_TRUE(whole.ok()) << f.name;
    auto check = [&](const Bytes &b, const std::string &what) {
      const Avec<Picture> got = decode(b.data(), b.size());
      if (got.ok()) {
        EXPECT_EQ(static_cast<size_t>(got.valeur().width) *
                      static_cast<size_t>(got.valeur().height),
                  got.valeur().argb.size())
            << what;
        return;
      }
      if (got.message().rfind("Picture is too large (", 0) == 0)
        return;
      if (kind == 'b')
        EXPECT_EQ(got.message(), BMP_INVALID) << what;
      else if (kind == 'g')
        EXPECT_EQ(got.message(), GIF_INVALID) << what;
      else
        EXPECT_TRUE(std::regex_match(got.message(), jpeg_message)) << what << ": " << got.message();
    };
    for (size_t n = 0; n < good.size(); ++n) {
      const Bytes prefix(good.begin(), good.begin() + static_cast<long>(n));
      const Avec<Picture> got = decode(prefix.data(), prefix.size());
      if (got.ok()) // only a file that lost nothing but padding or its trailer
        EXPECT_EQ(got.valeur().argb, whole.valeur().argb) << f.name << " cut to " << n;
      else
        check(prefix, f.name + " cut to " + std::to_string(n));
    }
    for (size_t i = 0; i < good.size(); ++i) {
      Bytes flipped = good;
      flipped[i] ^= 0xFF;
      check(flipped, f.name + " byte " + std::to_string(i) + " inverted");
    }
  }
}

} // namespace
