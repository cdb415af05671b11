// Choosing the decoder by extension, and the messages of files that cannot be read.

#include "../dossier_temporaire.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include <jerror.h>
#include <jpeglib.h>

namespace fs = std::filesystem;

namespace {

using PictureLoader = DossierTemporaire;

TEST_F(PictureLoader, ExtensionPicksTheDecoderWhateverTheCaseOfItsLetters) {
  const Bytes bmp = read_bytes(data_path("bmp_8bit.bmp"));
  const Bytes jpg = read_bytes(data_path("jpeg_baseline.jpg"));
  const Bytes gif = read_bytes(data_path("gif_plain.gif"));
  const struct {
    const char *name;
    const Bytes *bytes;
  } cases[] = {{"a.bmp", &bmp},  {"b.BMP", &bmp}, {"c.Jpg", &jpg},  {"d.JPEG", &jpg},
               {"e.jpeg", &jpg}, {"f.GiF", &gif}, {"g.x.bmp", &bmp}};
  for (const auto &c : cases) {
    write_bytes(chemin(c.name), *c.bytes);
    const Avec<Picture> got = load_picture(chemin(c.name));
    EXPECT_TRUE(got.ok()) << c.name << ": " << got.message();
    EXPECT_EQ(got.valeur().width, 37) << c.name;
  }
}

TEST_F(PictureLoader, ContentIsReadWithTheDecoderTheExtensionNames) {
  // A JPEG named .bmp is a damaged bitmap, not a JPEG found by sniffing.
  write_bytes(chemin("photo.bmp"), read_bytes(data_path("jpeg_baseline.jpg")));
  EXPECT_EQ(load_picture(chemin("photo.bmp")).message(), "Bitmap image is not valid");
  write_bytes(chemin("image.gif"), read_bytes(data_path("bmp_24bit.bmp")));
  EXPECT_EQ(load_picture(chemin("image.gif")).message(), "GIF image is not valid");
  write_bytes(chemin("empty.jpg"), {});
  EXPECT_EQ(load_picture(chemin("empty.jpg")).message(),
            "JPEG error #" + std::to_string(JERR_INPUT_EMPTY));
}

TEST_F(PictureLoader, UnknownExtensions) {
  const struct {
    std::string file;
    std::string message;
  } cases[] = {
      {"x.png", "Unknown picture file extension (.png)"},
      {"x.WMF", "Unknown picture file extension (.WMF)"},
      {"x.emf", "Unknown picture file extension (.emf)"},
      {"x.ico", "Unknown picture file extension (.ico)"},
      {"x.tif", "Unknown picture file extension (.tif)"},
      {"x.bmp.txt", "Unknown picture file extension (.txt)"},
      {"sans_extension", "Unknown picture file extension (.)"},
      {"x.", "Unknown picture file extension (.)"},
      {"dossier.bmp/image", "Unknown picture file extension (.)"},
      {"x.bmpx", "Unknown picture file extension (.bmpx)"},
  };
  for (const auto &c : cases) {
    // The extension is judged before the file is looked for: none of these exist.
    EXPECT_EQ(load_picture(chemin(c.file)).message(), c.message) << c.file;
  }
}

TEST_F(PictureLoader, FilesThatCannotBeOpened) {
  const std::string missing = chemin("absent.bmp");
  EXPECT_EQ(load_picture(missing).message(),
            "Cannot open file \"" + missing + "\". No such file or directory");
  const std::string in_missing_folder = chemin("nulle_part/image.gif");
  EXPECT_EQ(load_picture(in_missing_folder).message(),
            "Cannot open file \"" + in_missing_folder + "\". No such file or directory");
  const std::string folder = chemin("dossier.jpg");
  fs::create_directories(folder);
  EXPECT_EQ(load_picture(folder).message(), "Cannot open file \"" + folder + "\". Is a directory");
}

} // namespace
