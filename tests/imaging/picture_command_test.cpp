// dravo-lab picture: what it prints, the PPM it writes and its exit status.

#include "../dossier_temporaire.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <filesystem>

int commande_picture(const std::vector<std::string> &args);

namespace fs = std::filesystem;

namespace {

struct CommandRun {
  int status;
  std::string out, err;
};

CommandRun run(const std::vector<std::string> &args) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  const int status = commande_picture(args);
  std::fflush(stdout);
  std::fflush(stderr);
  CommandRun r{status, ::testing::internal::GetCapturedStdout(),
               ::testing::internal::GetCapturedStderr()};
  return r;
}

using PictureCommand = DossierTemporaire;

TEST_F(PictureCommand, PrintsTheSizeAndWritesThePixelsAsPpm) {
  const std::string ppm = chemin("out.ppm");
  const CommandRun r = run({data_path("gif_transparent.gif"), "--ppm", ppm});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "37 23\n");
  EXPECT_EQ(r.err, "");
  const Avec<Picture> pic = load_picture(data_path("gif_transparent.gif"));
  ASSERT_TRUE(pic.ok());
  std::string expected = "P6\n37 23\n255\n";
  for (uint32_t px : pic.valeur().argb) // transparent pixels too, in their palette colour
    for (int shift : {16, 8, 0})
      expected.push_back(static_cast<char>((px >> shift) & 0xFFu));
  const Bytes written = read_bytes(ppm);
  EXPECT_EQ(std::string(written.begin(), written.end()), expected);
}

TEST_F(PictureCommand, FailuresPrintTheErrorBoxTextAndExitWith1) {
  const std::string missing = chemin("absent.jpg");
  const std::string damaged = chemin("damaged.bmp");
  write_bytes(damaged, {'B', 'M', 0, 0});
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      // The error box adds "." only after a last character that sorts after ".".
      {{"picture.png"}, "Unknown picture file extension (.png)\n"},
      {{missing}, "Cannot open file \"" + missing + "\". No such file or directory.\n"},
      {{damaged}, "Bitmap image is not valid.\n"},
      // OUT is written as every file is: the writer's messages.
      {{data_path("bmp_24bit.bmp"), "--ppm", chemin("no/such/folder.ppm")},
       "Invalid filename.\n"},
      {{data_path("bmp_24bit.bmp"), "--ppm", "/dev/full"}, "Disk full.\n"},
  };
  for (const auto &c : cases) {
    const CommandRun r = run(c.args);
    EXPECT_EQ(r.status, 1) << c.args[0];
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(PictureCommand, UsageErrorsExitWith2) {
  const std::vector<std::vector<std::string>> cases = {
      {}, {"a.bmp", "b.bmp"}, {"a.bmp", "--ppm"}, {"a.bmp", "--png", "x"}, {"--ppm", "x"}};
  for (const auto &args : cases) {
    const CommandRun r = run(args);
    EXPECT_EQ(r.status, 2) << args.size();
    EXPECT_NE(r.err.find("usage: dravo-lab picture FILE [--ppm OUT]"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
}

} // namespace
