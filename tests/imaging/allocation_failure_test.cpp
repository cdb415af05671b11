// Every allocation of Open, Save and the picture loader made to fail in turn: each command
// either succeeds whole or fails with a message, the world, the file on disk and the folder
// as they were. An allocation failure that escaped would end this program.

#include "../dossier_temporaire.h"
#include "fichiers.h"
#include "lab_file.h"
#include "picture.h"
#include "test_pictures.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <unistd.h>

#include <jpeglib.h>

namespace {

// Allocations left before the one that fails; negative: none fails.
std::atomic<long> allocations_left{-1};
std::atomic<bool> failed{false};
std::atomic<std::size_t> largest{0}; // the largest request since it was last set to 0

} // namespace

void *operator new(std::size_t size) {
  if (size > largest.load())
    largest = size;
  if (allocations_left.load() >= 0 && allocations_left.fetch_sub(1) == 0) {
    failed = true;
    throw std::bad_alloc();
  }
  if (void *p = std::malloc(size != 0 ? size : 1))
    return p;
  throw std::bad_alloc();
}
void operator delete(void *p) noexcept {
  std::free(p);
}
void operator delete(void *p, std::size_t) noexcept {
  std::free(p);
}

namespace {

namespace fs = std::filesystem;

// Runs `command` with its n-th allocation failing, for n = 0, 1, ... until a run meets no
// failure; `check` sees each run's result and whether an allocation failed in it.
template <class Command, class Check> void each_allocation_failing(Command command, Check check) {
  for (long n = 0; n < 100000; ++n) {
    failed = false;
    allocations_left = n;
    auto result = command();
    allocations_left = -1;
    const bool hit = failed;
    check(result, hit, n);
    if (!hit)
      return;
  }
  ADD_FAILURE() << "the command never ran without a failure";
}

class AllocationFailure : public DossierTemporaire {
protected:
  long entries() const {
    return std::distance(fs::directory_iterator(dossier), fs::directory_iterator());
  }
};

Monde full_world() {
  Monde m;
  Cree_Monde(m);
  m.titre_lab = "Un titre assez long pour ne pas tenir dans la petite chaine";
  m.mission = std::string(3000, 'm');
  for (int i = 0; i < NB_SALLES_MAX; ++i) {
    Tsalle &s = m.salles[static_cast<size_t>(i)];
    s.question = "Question numero " + std::to_string(i) + " assez longue pour allouer ?";
    s.reponses[0] = "Une reponse elle aussi plus longue que quinze octets";
  }
  return m;
}

} // namespace

TEST_F(AllocationFailure, OpenLeavesTheWorldAsItWasOrReadsItWhole) {
  const Monde on_disk = full_world();
  ecrit(chemin("monde.lab"), ecrit_lab(on_disk));
  Monde fresh;
  Cree_Monde(fresh);
  const std::string before = ecrit_lab(fresh);
  Monde m = fresh;
  const std::string file = chemin("monde.lab");
  each_allocation_failing([&] { return charge_lab(file, m); },
                          [&](const Resultat &r, bool hit, long n) {
                            if (r) {
                              EXPECT_FALSE(hit) << n;
                              EXPECT_EQ(m.titre_lab, on_disk.titre_lab) << n;
                              return;
                            }
                            EXPECT_TRUE(hit) << n;
                            EXPECT_EQ(r.message(), MESSAGE_MEMOIRE) << n;
                            EXPECT_EQ(ecrit_lab(m), before) << n;
                          });
}

TEST_F(AllocationFailure, SaveKeepsTheOldFileOrWritesTheNewOneWhole) {
  ecrit(chemin("monde.lab"), "ancien");
  const Monde m = full_world();
  const std::string expected = ecrit_lab(m);
  const std::string file = chemin("monde.lab");
  each_allocation_failing([&] { return sauve_lab(file, m); },
                          [&](const Resultat &r, bool, long n) {
                            const std::string now = lit(chemin("monde.lab"));
                            EXPECT_EQ(entries(), 1) << n; // no temporary file left
                            if (r) {
                              EXPECT_EQ(now, expected) << n;
                              // Later runs start from the old file again.
                              ecrit(chemin("monde.lab"), "ancien");
                              return;
                            }
                            EXPECT_FALSE(r.message().empty()) << n;
                            EXPECT_EQ(now, "ancien") << n;
                          });
}

TEST_F(AllocationFailure, PicturesLoadWholeOrGiveAMessage) {
  write_bytes(chemin("p.jpg"), make_jpeg(pattern(40, 30), 40, 30, JCS_YCbCr, true));
  write_bytes(chemin("p.gif"), read_bytes(data_path("gif_plain.gif")));
  write_bytes(chemin("p.bmp"), read_bytes(data_path("bmp_rle8.bmp")));
  for (const char *name : {"p.jpg", "p.gif", "p.bmp"}) {
    const std::string file = chemin(name);
    const Avec<Picture> whole = load_picture(file);
    ASSERT_TRUE(whole.ok()) << name << ": " << whole.message();
    each_allocation_failing([&] { return load_picture(file); },
                            [&](const Avec<Picture> &r, bool hit, long n) {
                              if (r.ok()) {
                                EXPECT_EQ(r.valeur().argb, whole.valeur().argb) << name << n;
                                return;
                              }
                              EXPECT_TRUE(hit) << name << " " << n;
                              EXPECT_FALSE(r.message().empty()) << name << " " << n;
                            });
  }
}

// Bombs within the limits: a progressive JPEG, or a bitmap, whose header claims 4000 x 3000
// pixels (48 MB as pixels) that its few bytes do not hold fails before that memory is taken.
TEST_F(AllocationFailure, ASmallFileClaimingALargePictureTakesNoPixelMemory) {
  const Bytes progressive =
      with_jpeg_size(make_jpeg(pattern(16, 16), 16, 16, JCS_YCbCr, true), 4000, 3000);
  BmpLayout bitmap;
  bitmap.width = 4000;
  bitmap.height = 3000;
  bitmap.pixels = Bytes(100, 0x55);
  const Bytes bmp = make_bmp(bitmap);
  largest = 0;
  EXPECT_FALSE(decode_jpeg(progressive.data(), progressive.size()).ok());
  EXPECT_LT(largest.load(), std::size_t{1} << 20) << "JPEG";
  largest = 0;
  EXPECT_FALSE(decode_bmp(bmp.data(), bmp.size()).ok());
  EXPECT_LT(largest.load(), std::size_t{1} << 20) << "bitmap";
}
