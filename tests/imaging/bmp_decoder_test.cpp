// Bitmaps of every layout the reader accepts, written byte by byte here, and the pixels they
// must give.

#include "test_pictures.h"

#include <gtest/gtest.h>

namespace {

constexpr uint32_t BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6;
constexpr int W = 7, H = 3; // odd width: rows of 1 and 4 bits need padding

uint32_t index_at(int x, int y, uint32_t colours) {
  return static_cast<uint32_t>(x * 3 + y * 5) % colours;
}

std::vector<uint32_t> palette_of(uint32_t colours) {
  std::vector<uint32_t> p;
  for (uint32_t i = 0; i < colours; ++i)
    p.push_back(((i * 37u) & 0xFFu) << 16 | ((i * 91u + 7u) & 0xFFu) << 8 |
                ((255u - i * 13u) & 0xFFu));
  return p;
}

// Packs one row of indices (file row `r`, in file order) at `bpp` bits, padded.
Bytes indexed_row(int y, int bpp, uint32_t colours) {
  Bytes row;
  uint32_t acc = 0;
  int bits = 0;
  for (int x = 0; x < W; ++x) {
    acc = (acc << bpp) | index_at(x, y, colours);
    bits += bpp;
    if (bits == 8) {
      row.push_back(static_cast<uint8_t>(acc));
      acc = 0;
      bits = 0;
    }
  }
  if (bits > 0)
    row.push_back(static_cast<uint8_t>(acc << (8 - bits)));
  pad_row(row);
  return row;
}

struct IndexedCase {
  const char *label;
  uint32_t header_size;
  int bpp;
  uint32_t colours; // entries in the table
  bool top_down;
};

class IndexedBitmap : public ::testing::TestWithParam<IndexedCase> {};

TEST_P(IndexedBitmap, DecodesEveryPixelThroughTheColourTable) {
  const IndexedCase c = GetParam();
  BmpLayout s;
  s.header_size = c.header_size;
  s.width = W;
  s.height = c.top_down ? -H : H;
  s.bpp = static_cast<uint16_t>(c.bpp);
  s.palette = palette_of(c.colours);
  if (c.colours != (1u << c.bpp) && c.header_size != 12)
    s.colours_used = c.colours;
  for (int r = 0; r < H; ++r)
    for (uint8_t b : indexed_row(c.top_down ? r : H - 1 - r, c.bpp, c.colours))
      s.pixels.push_back(b);
  const Bytes file = make_bmp(s);
  const Avec<Picture> got = decode_bmp(file.data(), file.size());
  ASSERT_TRUE(got.ok()) << got.message();
  ASSERT_EQ(got.valeur().width, W);
  ASSERT_EQ(got.valeur().height, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x)
      EXPECT_EQ(got.valeur().argb[static_cast<size_t>(y * W + x)],
                0xFF000000u | s.palette[index_at(x, y, c.colours)])
          << "at " << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Layouts, IndexedBitmap,
                         ::testing::Values(IndexedCase{"win_1bit", 40, 1, 2, false},
                                           IndexedCase{"win_4bit", 40, 4, 16, false},
                                           IndexedCase{"win_8bit", 40, 8, 256, false},
                                           IndexedCase{"win_8bit_short_table", 40, 8, 23, false},
                                           IndexedCase{"win_4bit_top_down", 40, 4, 16, true},
                                           IndexedCase{"win_8bit_top_down", 40, 8, 256, true},
                                           IndexedCase{"core_1bit", 12, 1, 2, false},
                                           IndexedCase{"core_4bit", 12, 4, 16, false},
                                           IndexedCase{"core_8bit", 12, 8, 256, false},
                                           IndexedCase{"os2v2_8bit", 64, 8, 256, false},
                                           IndexedCase{"os2v2_short_header", 16, 4, 16, false},
                                           IndexedCase{"v4_8bit", 108, 8, 256, false},
                                           IndexedCase{"v5_1bit", 124, 1, 2, true}),
                         [](const auto &param_info) {
                           return std::string(param_info.param.label);
                         });

// 24-bit rows in every header, bottom-up and top-down.
TEST(Bitmap, TrueColourRowsInEveryHeaderAndOrder) {
  const std::vector<uint32_t> src = pattern(W, H);
  for (uint32_t header : {12u, 40u, 64u, 124u})
    for (bool top_down : {false, true}) {
      if (header == 12 && top_down)
        continue; // the core header's height is unsigned
      BmpLayout s;
      s.header_size = header;
      s.width = W;
      s.height = top_down ? -H : H;
      s.bpp = 24;
      for (int r = 0; r < H; ++r) {
        Bytes row;
        for (int x = 0; x < W; ++x) {
          const uint32_t c = src[static_cast<size_t>((top_down ? r : H - 1 - r) * W + x)];
          row.push_back(static_cast<uint8_t>(c));
          row.push_back(static_cast<uint8_t>(c >> 8));
          row.push_back(static_cast<uint8_t>(c >> 16));
        }
        pad_row(row);
        s.pixels.insert(s.pixels.end(), row.begin(), row.end());
      }
      const Bytes file = make_bmp(s);
      const Avec<Picture> got = decode_bmp(file.data(), file.size());
      ASSERT_TRUE(got.ok()) << header << " " << got.message();
      EXPECT_EQ(got.valeur().argb, src) << "header " << header << (top_down ? " top-down" : "");
    }
}

// One-pixel pictures of 16 and 32 bits: masks, their defaults, and how narrow channels widen.
struct MaskCase {
  const char *label;
  uint32_t header_size;
  uint16_t bpp;
  uint32_t compression;
  std::vector<uint32_t> masks;
  uint32_t pixel;
  uint32_t expected;
};

TEST(Bitmap, BitFieldMasksAndTheirWidening) {
  const std::vector<MaskCase> cases = {
      {"555 default, full white", 40, 16, 0, {}, 0x7FFF, 0xFFFFFFFF},
      {"555 default, top bit ignored", 40, 16, 0, {}, 0xFC00, 0xFFFF0000},
      {"555 default, middle", 40, 16, 0, {}, 16u << 10 | 16u << 5 | 16u, 0xFF848484},
      {"565 after a 40-byte header",
       40,
       16,
       BI_BITFIELDS,
       {0xF800, 0x07E0, 0x001F},
       32u << 5,
       0xFF008200},
      {"565 in a V5 header", 124, 16, BI_BITFIELDS, {0xF800, 0x07E0, 0x001F}, 0xF800, 0xFFFF0000},
      {"4444 with alpha",
       124,
       16,
       BI_BITFIELDS,
       {0x0F00, 0x00F0, 0x000F, 0xF000},
       0x8F10,
       0x88FF1100},
      {"alpha bit fields after a 40-byte header",
       40,
       16,
       BI_ALPHABITFIELDS,
       {0x0F00, 0x00F0, 0x000F, 0xF000},
       0x1234,
       0x11223344},
      {"32 default keeps the high byte as alpha", 40, 32, 0, {}, 0x80102030, 0x80102030},
      {"32 bit fields, blue first",
       56,
       32,
       BI_BITFIELDS,
       {0x000000FF, 0x0000FF00, 0x00FF0000, 0},
       0x00332211,
       0xFF112233},
      {"10-10-10-2 keeps the top 8 bits",
       56,
       32,
       BI_BITFIELDS,
       {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000},
       (2u << 30) | (0x3FFu << 20) | (0x200u << 10) | 0x004u,
       0xAAFF8001},
      {"masks in a 52-byte header have no alpha",
       52,
       32,
       BI_BITFIELDS,
       {0xFF0000, 0xFF00, 0xFF},
       0x12345678,
       0xFF345678},
  };
  for (const MaskCase &c : cases) {
    BmpLayout s;
    s.header_size = c.header_size;
    s.width = 1;
    s.height = 1;
    s.bpp = c.bpp;
    s.compression = c.compression;
    s.masks = c.masks;
    for (int i = 0; i < c.bpp / 8; ++i)
      s.pixels.push_back(static_cast<uint8_t>(c.pixel >> (8 * i)));
    pad_row(s.pixels);
    const Bytes file = make_bmp(s);
    const Avec<Picture> got = decode_bmp(file.data(), file.size());
    ASSERT_TRUE(got.ok()) << c.label << ": " << got.message();
    EXPECT_EQ(got.valeur().argb.at(0), c.expected)
        << c.label << ": got " << std::hex << got.valeur().argb[0];
  }
}

TEST(Bitmap, AlphaThatIsZeroEverywhereMeansOpaque) {
  BmpLayout s;
  s.width = 2;
  s.height = 1;
  s.bpp = 32;
  s.pixels = {0x30, 0x20, 0x10, 0x00, 0x03, 0x02, 0x01, 0x00};
  const Bytes file = make_bmp(s);
  const Avec<Picture> got = decode_bmp(file.data(), file.size());
  ASSERT_TRUE(got.ok()) << got.message();
  EXPECT_EQ(got.valeur().argb, (std::vector<uint32_t>{0xFF102030, 0xFF010203}));
}

// Run-length streams: runs, literal runs with their padding, moves, ends of line, a run
// overflowing the row, and pixels never written (colour 0 of the table).
struct RleCase {
  const char *label;
  uint32_t compression;
  int width, height;
  Bytes stream;
  std::vector<uint32_t> indices; // expected, top row first
};

TEST(Bitmap, RunLengthEncodings) {
  const std::vector<RleCase> cases = {
      {"rle8 runs and literals",
       BI_RLE8,
       5,
       2,
       {3, 1, 0, 3, 4, 5, 6, 0, /* pad */ 0, 0, 5, 2, 0, 1},
       {2, 2, 2, 2, 2, /* top row = second in file */ 1, 1, 1, 4, 5}},
      {"rle8 move, short row, no end of bitmap after the last row",
       BI_RLE8,
       4,
       3,
       {0, 2, 1, 1, 2, 7, 0, 0, 4, 9, 0, 0},
       {9, 9, 9, 9, 0, 7, 7, 0, 0, 0, 0, 0}},
      {"rle8 run past the row is clipped", BI_RLE8, 3, 1, {9, 6, 0, 1}, {6, 6, 6}},
      {"rle4 runs alternate two colours", BI_RLE4, 5, 1, {5, 0x12, 0, 1}, {1, 2, 1, 2, 1}},
      {"rle4 literal of three pixels",
       BI_RLE4,
       4,
       1,
       {0, 3, 0x34, 0x50, 1, 0x66, 0, 1},
       {3, 4, 5, 6}},
      {"rle4 end of line then end of bitmap",
       BI_RLE4,
       3,
       2,
       {2, 0x77, 0, 0, 0, 1},
       {0, 0, 0, 7, 7, 0}},
  };
  const std::vector<uint32_t> palette = palette_of(16);
  for (const RleCase &c : cases) {
    for (bool top_down : {false, true}) {
      BmpLayout s;
      s.width = c.width;
      s.height = top_down ? -c.height : c.height;
      s.bpp = c.compression == BI_RLE8 ? 8 : 4;
      s.compression = c.compression;
      s.palette = palette;
      s.colours_used = 16;
      s.pixels = c.stream;
      const Bytes file = make_bmp(s);
      const Avec<Picture> got = decode_bmp(file.data(), file.size());
      ASSERT_TRUE(got.ok()) << c.label << ": " << got.message();
      std::vector<uint32_t> expected;
      for (int y = 0; y < c.height; ++y) {
        // Top-down files hold their rows in the opposite order.
        const int row = top_down ? c.height - 1 - y : y;
        for (int x = 0; x < c.width; ++x)
          expected.push_back(0xFF000000u |
                             palette[c.indices[static_cast<size_t>(row * c.width + x)]]);
      }
      EXPECT_EQ(got.valeur().argb, expected) << c.label << (top_down ? " (top-down)" : "");
    }
  }
}

} // namespace
