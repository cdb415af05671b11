// Pictures decoded for a frame: the size each side is reduced to, the pixels averaged as
// the whole decode's would be, the bounded memory of a picture announcing 64 Mi pixels, and
// the check's budget.

#include "picture_internal.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <jpeglib.h>

#include <cstdio>
#include <functional>

namespace {

using Decoder = Avec<Picture> (*)(const uint8_t *, size_t, const PictureLimits &,
                                  const Reduction &);

Decoder decoder_for(const std::string &name) {
  if (name.ends_with(".bmp"))
    return decode_bmp;
  if (name.ends_with(".gif"))
    return decode_gif;
  return decode_jpeg;
}

Reduction frame(int width, int height) {
  Reduction r;
  r.width = width;
  r.height = height;
  return r;
}

// The reference: blocks of fx x fy pixels (narrower at the right and bottom edges), each
// channel averaged and rounded to the nearest.
Picture box_average(const Picture &whole, int fx, int fy) {
  Picture out;
  out.width = (whole.width + fx - 1) / fx;
  out.height = (whole.height + fy - 1) / fy;
  for (int oy = 0; oy < out.height; ++oy)
    for (int ox = 0; ox < out.width; ++ox) {
      uint64_t sum[4] = {0, 0, 0, 0}, n = 0;
      for (int y = oy * fy; y < std::min(whole.height, (oy + 1) * fy); ++y)
        for (int x = ox * fx; x < std::min(whole.width, (ox + 1) * fx); ++x, ++n) {
          const uint32_t v = whole.argb[static_cast<size_t>(y * whole.width + x)];
          for (int c = 0; c < 4; ++c)
            sum[c] += (v >> (24 - 8 * c)) & 0xFFu;
        }
      uint32_t v = 0;
      for (int c = 0; c < 4; ++c)
        v = (v << 8) | static_cast<uint32_t>((sum[c] + n / 2) / n);
      out.argb.push_back(v);
    }
  return out;
}

// Runs `work` in a child process and returns how far its resident memory rose above what
// it was when it started, in MiB; -1 if the work failed or the child died.
int64_t peak_growth_mib(const std::function<bool()> &work) {
  int out[2];
  if (::pipe(out) != 0)
    return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(out[0]);
    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    const bool ok = work();
    ::getrusage(RUSAGE_SELF, &after);
    const int64_t growth = ok ? (after.ru_maxrss - before.ru_maxrss) / 1024 : -1;
    (void)!::write(out[1], &growth, sizeof growth);
    ::_exit(0);
  }
  ::close(out[1]);
  int64_t growth = -1;
  if (::read(out[0], &growth, sizeof growth) != sizeof growth)
    growth = -1;
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return growth;
}

// A baseline JPEG of width x height in four flat quadrants, compressed a row at a time so
// that the test itself never holds the picture.
Bytes streamed_jpeg(int width, int height) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char *buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = static_cast<JDIMENSION>(width);
  c.image_height = static_cast<JDIMENSION>(height);
  c.input_components = 3;
  c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 50, TRUE);
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3);
  while (c.next_scanline < c.image_height) {
    const bool bottom = c.next_scanline >= static_cast<JDIMENSION>(height / 2);
    for (int x = 0; x < width; ++x) {
      const bool right = x >= width / 2;
      row[static_cast<size_t>(x) * 3] = right ? 200 : 20;
      row[static_cast<size_t>(x) * 3 + 1] = bottom ? 180 : 40;
      row[static_cast<size_t>(x) * 3 + 2] = 100;
    }
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&c, &p, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  Bytes file(buffer, buffer + size);
  std::free(buffer);
  return file;
}

void put16(Bytes &b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

// A GIF screen of sw x sh around one 1 x 1 frame at its corner.
Bytes gif_screen(uint16_t sw, uint16_t sh) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
  put16(b, sw);
  put16(b, sh);
  b.insert(b.end(), {0x80, 1, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x2C, 0, 0, 0, 0, 1, 0, 1, 0});
  b.insert(b.end(), {0, 2, 2, 0x44, 0x01, 0, 0x3B});
  return b;
}

Bytes rle_bitmap(int32_t w, int32_t h, Bytes codes) {
  BmpLayout s;
  s.width = w;
  s.height = h;
  s.bpp = 8;
  s.compression = 1;
  s.colours_used = 2;
  s.palette = {0x102030, 0xF0E0D0};
  s.pixels = std::move(codes);
  return make_bmp(s);
}

} // namespace

// Each side divided by the largest whole factor that keeps it at least the frame's; the
// pixels are the block averages of the whole picture, partial blocks at the edges included,
// whatever the format and its row order (bottom-up bitmaps, RLE, interlaced GIF).
TEST(Reduction, EveryLosslessFixtureAveragesItsBlocks) {
  for (const Fixture &f : fixtures()) {
    if (f.name.ends_with(".jpg"))
      continue;
    const Bytes file = read_bytes(data_path(f.name));
    const Decoder decode = decoder_for(f.name);
    const Avec<Picture> whole = decode(file.data(), file.size(), {}, {});
    ASSERT_TRUE(whole.ok()) << f.name;
    ASSERT_EQ(whole.valeur().width, 37);
    ASSERT_EQ(whole.valeur().height, 23);
    const Avec<Picture> reduced = decode(file.data(), file.size(), {}, frame(5, 4));
    ASSERT_TRUE(reduced.ok()) << f.name << ": " << reduced.message();
    const Picture &r = reduced.valeur();
    EXPECT_EQ(r.width, 6) << f.name; // 37 / 7, rounded up
    EXPECT_EQ(r.height, 5) << f.name;
    EXPECT_EQ(r.full_width, 37) << f.name;
    EXPECT_EQ(r.full_height, 23) << f.name;
    EXPECT_EQ(first_difference(r, box_average(whole.valeur(), 7, 5), 0), -1) << f.name;
    // A frame at least as large as the picture leaves it whole.
    const Avec<Picture> same = decode(file.data(), file.size(), {}, frame(37, 100));
    ASSERT_TRUE(same.ok());
    EXPECT_EQ(same.valeur().width, 37);
    EXPECT_EQ(same.valeur().height, 23);
    EXPECT_EQ(first_difference(same.valeur(), whole.valeur(), 0), -1) << f.name;
  }
}

TEST(Reduction, RowsTheFileNeverWritesAreTheFillColour) {
  // 9 x 6 RLE: two red-ish pixels on the first row, a move down three rows, one pixel, end
  // of bitmap: the rest is colour 0, counted in the averages without being decoded.
  const Bytes file = rle_bitmap(9, 6, {2, 1, 0, 2, 1, 3, 1, 1, 0, 1});
  const Avec<Picture> whole = decode_bmp(file.data(), file.size(), {}, {});
  ASSERT_TRUE(whole.ok());
  for (const auto &[w, h] : {std::pair{4, 3}, std::pair{2, 2}, std::pair{1, 1}, std::pair{9, 1}}) {
    const Avec<Picture> r = decode_bmp(file.data(), file.size(), {}, frame(w, h));
    ASSERT_TRUE(r.ok());
    const int fx = std::max(1, 9 / w), fy = std::max(1, 6 / h);
    EXPECT_EQ(first_difference(r.valeur(), box_average(whole.valeur(), fx, fy), 0), -1)
        << w << " x " << h;
  }
  // A GIF frame on a larger screen: the screen's see-through background around it.
  const Bytes gif = gif_screen(30, 20);
  const Avec<Picture> gwhole = decode_gif(gif.data(), gif.size(), {}, {});
  const Avec<Picture> greduced = decode_gif(gif.data(), gif.size(), {}, frame(3, 4));
  ASSERT_TRUE(gwhole.ok() && greduced.ok());
  EXPECT_EQ(first_difference(greduced.valeur(), box_average(gwhole.valeur(), 10, 5), 0), -1);
}

TEST(Reduction, JpegScalesInLibjpegThenAverages) {
  const Bytes file = streamed_jpeg(256, 128);
  const Avec<Picture> whole = decode_jpeg(file.data(), file.size(), {}, {});
  ASSERT_TRUE(whole.ok());
  struct Case {
    int w, h, out_w, out_h;
  };
  // 1/8 gives 32 x 16, then 2 x 2 blocks; 1/3 is taken as 3/8 (96 x 48), then 3 x 1;
  // a frame as large as the picture keeps it whole.
  for (const Case c :
       {Case{16, 8, 16, 8}, Case{30, 40, 32, 48}, Case{80, 40, 96, 48}, Case{256, 128, 256, 128}}) {
    const Avec<Picture> r = decode_jpeg(file.data(), file.size(), {}, frame(c.w, c.h));
    ASSERT_TRUE(r.ok()) << r.message();
    EXPECT_EQ(r.valeur().width, c.out_w) << c.w << " x " << c.h;
    EXPECT_EQ(r.valeur().height, c.out_h) << c.w << " x " << c.h;
    EXPECT_EQ(r.valeur().full_width, 256);
    EXPECT_EQ(r.valeur().full_height, 128);
    // Flat quadrants: away from their borders, each reduced pixel is the whole picture's
    // at the same place.
    int compared = 0;
    for (int oy = 0; oy < c.out_h; ++oy)
      for (int ox = 0; ox < c.out_w; ++ox) {
        const int sx = (2 * ox + 1) * 256 / (2 * c.out_w), sy = (2 * oy + 1) * 128 / (2 * c.out_h);
        if (std::abs(sx - 128) < 12 || std::abs(sy - 64) < 12)
          continue;
        Picture a, b;
        a.argb = {r.valeur().argb[static_cast<size_t>(oy * c.out_w + ox)]};
        b.argb = {whole.valeur().argb[static_cast<size_t>(sy * 256 + sx)]};
        EXPECT_EQ(first_difference(a, b, 4), -1)
            << c.w << " x " << c.h << " at " << ox << "," << oy;
        ++compared;
      }
    EXPECT_GT(compared, c.out_w * c.out_h / 4);
  }
}

// Three bombs of 16384 x 4096 (a JPEG of 64 Mi real pixels, an RLE bitmap and a GIF screen
// that hold next to nothing): shown in a 320 x 240 frame, each takes a few MiB where the
// whole decode takes 256 MiB.
TEST(Reduction, BombsDecodeInLittleMemory) {
  const Bytes jpeg = streamed_jpeg(16384, 4096);
  const Bytes rle = rle_bitmap(16384, 4096, {0, 1});
  const Bytes gif = gif_screen(16384, 4096);
  for (const auto &[label, file, decode] : {std::tuple{"JPEG", &jpeg, decoder_for(".jpg")},
                                            std::tuple{"RLE", &rle, decoder_for(".bmp")},
                                            std::tuple{"GIF", &gif, decoder_for(".gif")}}) {
    const int64_t reduced = peak_growth_mib([&, file = file, decode = decode] {
      const Avec<Picture> r = decode(file->data(), file->size(), {}, frame(320, 240));
      return r.ok() && r.valeur().width >= 320 && r.valeur().width < 640 &&
             r.valeur().height >= 240 && r.valeur().height < 480;
    });
    EXPECT_GE(reduced, 0) << label;
    EXPECT_LT(reduced, 24) << label;
    const int64_t whole = peak_growth_mib([&, file = file, decode = decode] {
      return decode(file->data(), file->size(), {}, {}).ok();
    });
    EXPECT_GT(whole, 200) << label; // the measure itself sees a whole decode
  }
}

TEST(Reduction, TheCheckReadsNoMoreThanItsBudget) {
  // A 64 x 64 bitmap whose rows are all there: readable whatever the budget.
  // A GIF whose data stops after its first rows: the whole decode refuses it, a check
  // with a budget spent before the damage calls it readable, one without sees it.
  std::vector<uint32_t> pixels = pattern(64, 64);
  BmpLayout s;
  s.width = 64;
  s.height = 64;
  s.bpp = 24;
  for (uint32_t v : pixels)
    for (int c = 0; c < 3; ++c)
      s.pixels.push_back(static_cast<uint8_t>(v >> (8 * c)));
  const Bytes bmp = make_bmp(s);
  EXPECT_TRUE(decode_bmp(bmp.data(), bmp.size(), {}, Reduction::to_check()).ok());

  const Bytes jpeg = streamed_jpeg(512, 512);
  const Bytes cut(jpeg.begin(), jpeg.begin() + static_cast<long>(jpeg.size() / 2));
  EXPECT_FALSE(decode_jpeg(cut.data(), cut.size(), {}, {}).ok());
  Reduction small = Reduction::to_check();
  small.max_source_pixels = 512 * 16;
  EXPECT_TRUE(decode_jpeg(cut.data(), cut.size(), {}, small).ok());
  small.max_source_pixels = 512 * 512;
  EXPECT_FALSE(decode_jpeg(cut.data(), cut.size(), {}, small).ok());
}

TEST(Reduction, AProgressiveJpegBeyondTheMemoryBoundIsRefused) {
  const std::vector<uint32_t> rgb = pattern(512, 512);
  const Bytes progressive = make_jpeg(rgb, 512, 512, JCS_YCbCr, true);
  Reduction r = frame(64, 64);
  EXPECT_TRUE(decode_jpeg(progressive.data(), progressive.size(), {}, r).ok());
  // Its coefficients alone take 512 x 512 x 3 x 2 bytes.
  r.max_jpeg_memory = 256 * 1024;
  EXPECT_EQ(decode_jpeg(progressive.data(), progressive.size(), {}, r).message(),
            "JPEG picture needs too much memory (512 x 512 pixels, progressive)");
  // A baseline picture keeps no coefficients: the same bound takes it.
  const Bytes baseline = make_jpeg(rgb, 512, 512, JCS_YCbCr, false);
  EXPECT_TRUE(decode_jpeg(baseline.data(), baseline.size(), {}, r).ok());
}

TEST(Reduction, ABitmapWhoseAlphaIsAllZeroStaysOpaqueWhenReduced) {
  BmpLayout s;
  s.width = 8;
  s.height = 8;
  s.bpp = 32;
  s.header_size = 56;
  s.compression = 3;
  s.masks = {0xFF0000, 0xFF00, 0xFF, 0xFF000000u};
  for (int i = 0; i < 64; ++i)
    s.pixels.insert(s.pixels.end(), {0x10, 0x20, 0x30, 0});
  const Bytes file = make_bmp(s);
  const Avec<Picture> r = decode_bmp(file.data(), file.size(), {}, frame(2, 2));
  ASSERT_TRUE(r.ok());
  ASSERT_EQ(r.valeur().argb.size(), 4u);
  for (uint32_t v : r.valeur().argb)
    EXPECT_EQ(v, 0xFF302010u);
}
