// Qt's own image reader as the reference decoder, and the conversion to QImage.

#include "picture_qt.h"
#include "test_pictures.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <jpeglib.h>

namespace {

Picture from_qimage(const QImage &image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  Picture p;
  p.width = argb.width();
  p.height = argb.height();
  for (int y = 0; y < argb.height(); ++y) {
    const auto *line = reinterpret_cast<const uint32_t *>(argb.constScanLine(y));
    p.argb.insert(p.argb.end(), line, line + argb.width());
  }
  return p;
}

QImage qt_decode(const Bytes &bytes, const char *format) {
  QImage image;
  image.loadFromData(bytes.data(), static_cast<int>(bytes.size()), format);
  return image;
}

// Qt gives a transparent pixel no colour of its own: clears the colour of pixels that both
// pictures hide, so that only visible ones are compared.
void forget_hidden_colours(Picture &ours, Picture &qt) {
  if (ours.argb.size() != qt.argb.size())
    return;
  for (size_t i = 0; i < ours.argb.size(); ++i)
    if ((ours.argb[i] >> 24) == 0 && (qt.argb[i] >> 24) == 0)
      ours.argb[i] = qt.argb[i] = 0;
}

TEST(QtReference, FixturesDecodeAsQtDecodesThem) {
  for (const Fixture &f : fixtures()) {
    // Qt reads the high byte of a 32-bit bitmap without masks as unused; we, browsers and
    // ImageMagick read it as alpha. The colours must still agree.
    const bool rgb_only = f.name == "bmp_32bit_rgb.bmp";
    // Qt widens narrow bit fields by a shift alone (5 bits 11111 -> 0xF8); we repeat the
    // bits (-> 0xFF), as ImageMagick does for 5 and 6 bits.
    const int tolerance = f.name == "bmp_16bit_4444.bmp"      ? 15
                          : f.name.rfind("bmp_16bit", 0) == 0 ? 7
                                                              : 0;
    const Bytes bytes = read_bytes(data_path(f.name));
    const QImage reference = qt_decode(bytes, nullptr);
    ASSERT_FALSE(reference.isNull()) << f.name;
    const Avec<Picture> ours = load_picture(data_path(f.name));
    ASSERT_TRUE(ours.ok()) << f.name << ": " << ours.message();
    Picture expected = from_qimage(reference);
    Picture got = ours.valeur();
    if (rgb_only) {
      for (uint32_t &px : expected.argb)
        px |= 0xFF000000u;
      for (uint32_t &px : got.argb)
        px |= 0xFF000000u;
    }
    forget_hidden_colours(got, expected);
    const long at = first_difference(got, expected, tolerance);
    EXPECT_EQ(at, -1) << f.name << " pixel " << at << std::hex << ": ours "
                      << got.argb[static_cast<size_t>(std::max(at, 0L))] << ", Qt "
                      << expected.argb[static_cast<size_t>(std::max(at, 0L))];
  }
}

TEST(QtReference, JpegsOfEveryColourSpaceDecodeExactlyAsQtDecodesThem) {
  constexpr int w = 45, h = 29; // partial blocks on both edges
  const std::vector<uint32_t> src = pattern(w, h);
  const struct {
    const char *label;
    int space;
    bool progressive;
  } cases[] = {{"YCbCr", JCS_YCbCr, false}, {"YCbCr progressive", JCS_YCbCr, true},
               {"RGB", JCS_RGB, false},     {"grayscale", JCS_GRAYSCALE, true},
               {"CMYK", JCS_CMYK, false},   {"YCCK", JCS_YCCK, true}};
  for (const auto &c : cases) {
    const Bytes file = make_jpeg(src, w, h, c.space, c.progressive);
    const Avec<Picture> ours = decode_jpeg(file.data(), file.size());
    ASSERT_TRUE(ours.ok()) << c.label << ": " << ours.message();
    const QImage reference = qt_decode(file, "JPEG");
    ASSERT_FALSE(reference.isNull()) << c.label;
    EXPECT_EQ(first_difference(ours.valeur(), from_qimage(reference), 0), -1) << c.label;
  }
}

TEST(QtConversion, KeepsEveryPixelAndItsAlpha) {
  const Picture p{3, 2, {0xFF102030, 0x00FFFFFF, 0x80402010, 0xFF000000, 0x01020304, 0xFFFFFFFF}};
  const QImage image = vers_qimage(p);
  ASSERT_EQ(image.format(), QImage::Format_ARGB32);
  ASSERT_EQ(image.size(), QSize(3, 2));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(image.pixel(x, y), p.argb[static_cast<size_t>(y * 3 + x)]) << x << "," << y;
  EXPECT_TRUE(vers_qimage(Picture{}).isNull());

  // Taking the pixels over: the picture is emptied, and the image may still be changed
  // (it copies the pixels first) and outlive everything.
  Picture moved = p;
  QImage adopted = vers_qimage(std::move(moved));
  EXPECT_TRUE(moved.argb.empty());
  QImage copy = adopted;
  adopted = QImage();
  copy.setPixel(0, 0, 0xFF00FF00);
  EXPECT_EQ(copy.pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(copy.pixel(2, 1), 0xFFFFFFFFu);
  EXPECT_EQ(copy.format(), QImage::Format_ARGB32);
}

TEST(QtConversion, LoadsByPathOrGivesTheLoadersMessage) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // A folder name outside ASCII: the path travels as UTF-8.
  const QString folder = dir.filePath(QStringLiteral("épreuves"));
  ASSERT_TRUE(QDir().mkpath(folder));
  const QString picture = folder + QStringLiteral("/Image.BMP");
  write_bytes(picture.toStdString(), read_bytes(data_path("bmp_24bit.bmp")));

  const Avec<QImage> image = charge_image(picture);
  ASSERT_TRUE(image.ok()) << image.message();
  EXPECT_EQ(image.valeur().size(), QSize(37, 23));
  EXPECT_EQ(image.message(), "");

  const QString missing = folder + QStringLiteral("/absent.gif");
  const struct {
    QString chemin;
    QString message;
  } echecs[] = {
      {missing, QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(missing)},
      {QStringLiteral("x.wmf"), QStringLiteral("Unknown picture file extension (.wmf)")},
  };
  for (const auto &e : echecs) {
    const Avec<QImage> r = charge_image(e.chemin);
    EXPECT_FALSE(r.ok()) << e.chemin.toStdString();
    EXPECT_EQ(QString::fromStdString(r.message()), e.message);
  }
}

// Reduced for a frame: the frame's size or a little more, stretched by the widget; a preview
// fitted into its frame with the proportions of the file, not of the reduced picture.
TEST(QtConversion, LoadsForAFrameAndAsAPreview) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  BmpLayout s;
  s.width = 300;
  s.height = 40;
  s.bpp = 8;
  s.compression = 1; // RLE8 holding only its end: all colour 0
  s.colours_used = 1;
  s.palette = {0x336699};
  s.pixels = {0, 1};
  const QString chemin = dir.filePath(QStringLiteral("bande.bmp"));
  write_bytes(chemin.toStdString(), make_bmp(s));

  const Avec<QImage> cadre = charge_image(chemin, QSize(100, 30));
  ASSERT_TRUE(cadre.ok()) << cadre.message();
  EXPECT_EQ(cadre.valeur().size(), QSize(100, 40)); // 300 / 3, and 40 already short enough
  EXPECT_EQ(cadre.valeur().pixel(50, 20), 0xFF336699u);

  // 300 x 40 into 160 x 120: 160 x 21, although the reduced picture is 160 x 40.
  const Avec<QImage> apercu = charge_image(chemin, QSize(160, 120), true);
  ASSERT_TRUE(apercu.ok());
  EXPECT_EQ(apercu.valeur().size(), QSize(160, 21));

  EXPECT_TRUE(image_lisible(chemin).ok());
  EXPECT_EQ(image_lisible(dir.filePath(QStringLiteral("x.wmf"))).message(),
            "Unknown picture file extension (.wmf)");
  EXPECT_EQ(charge_image(dir.filePath(QStringLiteral("x.wmf")), QSize(10, 10)).message(),
            "Unknown picture file extension (.wmf)");
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen"); // also when CTest lists the cases
  QGuiApplication app(argc, argv); // Qt's JPEG and GIF readers are plugins found through it
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
