// Pictures that announce far more pixels than they hold, and files that are no pictures at
// all: each is refused from its header or its type, before pixel memory is taken or a byte
// is read.

#include "../dossier_temporaire.h"
#include "picture_internal.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <jpeglib.h>

namespace fs = std::filesystem;

namespace {

void put16(Bytes &b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

// A GIF whose screen is sw x sh, holding one 1 x 1 frame at (left, top): 35 bytes whatever
// the sizes it announces.
Bytes gif_bomb(uint16_t sw, uint16_t sh, uint16_t left, uint16_t top) {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
  put16(b, sw);
  put16(b, sh);
  b.insert(b.end(), {0x80, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF}); // two colours
  b.push_back(0x2C);
  put16(b, left);
  put16(b, top);
  put16(b, 1);
  put16(b, 1);
  // No local table; LZW codes clear, 0, end in 3 bits each.
  b.insert(b.end(), {0, 2, 2, 0x44, 0x01, 0, 0x3B});
  return b;
}

// An RLE8 bitmap of w x h holding only its end code.
Bytes rle_bomb(int32_t w, int32_t h) {
  BmpLayout s;
  s.width = w;
  s.height = h;
  s.bpp = 8;
  s.compression = 1;
  s.colours_used = 1;
  s.palette = {0x102030};
  s.pixels = {0, 1};
  return make_bmp(s);
}

// A real 8 x 8 JPEG whose frame header is made to claim w x h.
Bytes jpeg_claiming(uint16_t w, uint16_t h) {
  return with_jpeg_size(make_jpeg(pattern(8, 8), 8, 8, JCS_YCbCr, false), w, h);
}

bool refused_as_too_large(const Avec<Picture> &r) {
  return !r.ok() && r.message().rfind("Picture is too large (", 0) == 0;
}

} // namespace

TEST(PictureLimits, TheDefaultsTakeAPhotographButNoBomb) {
  const PictureLimits editor;
  EXPECT_EQ(picture_size_refusal(8688, 5792, editor), "");  // a 50-megapixel camera
  EXPECT_EQ(picture_size_refusal(16384, 4000, editor), ""); // a panorama
  EXPECT_NE(picture_size_refusal(8193, 8192, editor), "");  // past the pixel count, not a side
  EXPECT_NE(picture_size_refusal(16385, 1, editor), "");
  EXPECT_LE(editor.max_pixels * 4, int64_t{256} << 20);

  const struct {
    const char *label;
    Bytes file;
    Avec<Picture> (*decode)(const uint8_t *, size_t, const PictureLimits &);
  } bombs[] = {
      {"GIF screen 16384 x 16384", gif_bomb(16384, 16384, 0, 0), decode_gif},
      {"GIF 1 x 1 frame at 16383,16383", gif_bomb(1, 1, 16383, 16383), decode_gif},
      {"GIF frame making the canvas 9000 x 9000", gif_bomb(9000, 1, 0, 8999), decode_gif},
      {"RLE bitmap 16384 x 16384", rle_bomb(16384, 16384), decode_bmp},
      {"RLE bitmap 16384 x -16384", rle_bomb(16384, -16384), decode_bmp},
      {"JPEG 16384 x 16384", jpeg_claiming(16384, 16384), decode_jpeg},
      {"JPEG 10000 x 10000", jpeg_claiming(10000, 10000), decode_jpeg},
  };
  for (const auto &b : bombs) {
    EXPECT_LT(b.file.size(), 1000u) << b.label;
    EXPECT_TRUE(refused_as_too_large(b.decode(b.file.data(), b.file.size(), editor))) << b.label;
  }
}

enum Outcome { loaded, too_large, damaged };

// The same decoders with small limits: the side and the pixel count each refuse on their
// own, at exactly one past the limit, for the screen, the frame's placement and the header.
TEST(PictureLimits, AJpegOf500ScansIsDecodedAndOneOf501Refused) {
  for (const int scans : {500, 501}) {
    const Bytes file = make_jpeg_of_scans(scans);
    int markers = 0; // start-of-scan markers: 0xFF is never followed by 0xDA in the data
    for (size_t i = 0; i + 1 < file.size(); ++i)
      markers += file[i] == 0xFF && file[i + 1] == 0xDA;
    ASSERT_EQ(markers, scans);
    const Avec<Picture> r = decode_jpeg(file.data(), file.size());
    if (scans == 500) {
      EXPECT_TRUE(r.ok()) << r.message();
    } else {
      EXPECT_EQ(r.message(), "JPEG picture has too many scans (more than 500)");
    }
  }
}

TEST(PictureLimits, EveryDecoderChecksBothLimitsFromItsHeader) {
  PictureLimits small;
  small.max_side = 100;
  small.max_pixels = 1000;
  const struct {
    const char *label;
    Bytes file;
    Avec<Picture> (*decode)(const uint8_t *, size_t, const PictureLimits &);
    Outcome outcome;
  } cases[] = {
      {"GIF screen 100 x 10", gif_bomb(100, 10, 0, 0), decode_gif, loaded},
      {"GIF screen 101 x 1", gif_bomb(101, 1, 0, 0), decode_gif, too_large},
      {"GIF screen 40 x 26", gif_bomb(40, 26, 0, 0), decode_gif, too_large},
      {"GIF frame at 99,0", gif_bomb(1, 1, 99, 0), decode_gif, loaded},
      {"GIF frame at 100,0", gif_bomb(1, 1, 100, 0), decode_gif, too_large},
      {"GIF frame at 0,100", gif_bomb(1, 1, 0, 100), decode_gif, too_large},
      {"GIF frame at 39,24 of a 1 x 1 screen", gif_bomb(1, 1, 39, 24), decode_gif, loaded},
      {"GIF frame at 39,25 of a 1 x 1 screen", gif_bomb(1, 1, 39, 25), decode_gif, too_large},
      {"RLE 100 x 10", rle_bomb(100, 10), decode_bmp, loaded},
      {"RLE 101 x 1", rle_bomb(101, 1), decode_bmp, too_large},
      {"RLE 1 x 101", rle_bomb(1, 101), decode_bmp, too_large},
      {"RLE 50 x 21", rle_bomb(50, 21), decode_bmp, too_large},
      // Within the limits, a size the data does not hold fails on the data.
      {"JPEG 100 x 10 claimed", jpeg_claiming(100, 10), decode_jpeg, damaged},
      {"JPEG 8 x 8", jpeg_claiming(8, 8), decode_jpeg, loaded},
      {"JPEG 101 x 8 claimed", jpeg_claiming(101, 8), decode_jpeg, too_large},
      {"JPEG 40 x 26 claimed", jpeg_claiming(40, 26), decode_jpeg, too_large},
  };
  for (const auto &c : cases) {
    const Avec<Picture> r = c.decode(c.file.data(), c.file.size(), small);
    const Outcome got = r.ok() ? loaded : refused_as_too_large(r) ? too_large : damaged;
    EXPECT_EQ(got, c.outcome) << c.label << ": " << r.message();
  }
}

namespace {

using PictureFiles = DossierTemporaire;

// Runs `load` in a child process stopped by an alarm after 10 seconds, so that a loader
// that waits on a pipe fails the test instead of hanging it. Returns the message, or
// "hung" / "crashed".
template <class Load> std::string in_guarded_child(Load load) {
  int out[2];
  if (::pipe(out) != 0)
    return "no pipe";
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(out[0]);
    ::alarm(10);
    const std::string message = load();
    (void)!::write(out[1], message.data(), message.size());
    ::_exit(0);
  }
  ::close(out[1]);
  std::string message;
  char buffer[512];
  ssize_t n;
  while ((n = ::read(out[0], buffer, sizeof buffer)) > 0)
    message.append(buffer, static_cast<size_t>(n));
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFSIGNALED(status))
    return WTERMSIG(status) == SIGALRM ? "hung" : "crashed";
  return message;
}

} // namespace

TEST_F(PictureFiles, OnlyRegularFilesWithinTheirSizeAreRead) {
  ASSERT_EQ(::mkfifo(chemin("tube.bmp").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", chemin("zero.gif"));
  fs::create_symlink("/dev/null", chemin("nul.jpg"));
  for (const char *name : {"tube.bmp", "zero.gif", "nul.jpg"}) {
    const std::string p = chemin(name);
    EXPECT_EQ(in_guarded_child([&] { return load_picture(p).message(); }),
              "Le fichier \"" + p +
                  "\" n'est pas un fichier ordinaire (un tube, un périphérique) : il n'est pas lu")
        << name;
  }

  // The file size limit, exactly: a picture one byte past it is refused unread.
  const Bytes good = make_bmp(BmpLayout{40, 2, 2, 24, 0, 0, {}, {}, Bytes(16, 0x80)});
  write_bytes(chemin("juste.bmp"), good);
  PictureLimits limits;
  limits.max_file_bytes = static_cast<int64_t>(good.size());
  EXPECT_TRUE(load_picture(chemin("juste.bmp"), limits).ok());
  limits.max_file_bytes -= 1;
  EXPECT_EQ(load_picture(chemin("juste.bmp"), limits).message(),
            "Le fichier \"" + chemin("juste.bmp") + "\" est trop gros pour une image (plus de " +
                std::to_string(good.size() - 1) + " octets)");
  // A sparse file far beyond the default limit is refused from its size.
  { std::ofstream(chemin("enorme.bmp")); }
  fs::resize_file(chemin("enorme.bmp"), uint64_t{30} << 30);
  EXPECT_EQ(load_picture(chemin("enorme.bmp")).message(),
            "Le fichier \"" + chemin("enorme.bmp") +
                "\" est trop gros pour une image (plus de 257 Mo)");
}
