// fsync replaced for this program, as the allocation test replaces operator new: a save
// must push the file to the disk before it takes the file's name, and a disk that fails to
// keep it must stop the save with the old file and the folder as they were.

#include "../dossier_temporaire.h"
#include "fichiers.h"
#include "lab_file.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

std::atomic<int> appels{0};
std::atomic<int> echec{0}; // the errno every call fails with; 0: the system's fsync runs

} // namespace

extern "C" int fsync(int fd) {
  ++appels;
  if (const int code = echec.load()) {
    errno = code;
    return -1;
  }
  return static_cast<int>(::syscall(SYS_fsync, fd));
}

namespace {

class Fsync : public DossierTemporaire {
protected:
  void SetUp() override {
    DossierTemporaire::SetUp();
    Cree_Monde(m);
    m.titre_lab = "Nouveau";
    appels = 0;
  }
  void TearDown() override {
    echec = 0;
    DossierTemporaire::TearDown();
  }
  long entrees() const {
    return std::distance(std::filesystem::directory_iterator(dossier),
                         std::filesystem::directory_iterator());
  }
  Monde m;
};

TEST_F(Fsync, ASaveSyncsTheFileItWrites) {
  ASSERT_TRUE(sauve_lab(chemin("monde.lab"), m));
  EXPECT_EQ(appels, 1);
  EXPECT_EQ(lit(chemin("monde.lab")), ecrit_lab(m));
}

TEST_F(Fsync, AFailedSyncStopsTheSaveAndKeepsTheOldFile) {
  ecrit(chemin("monde.lab"), "ancien");
  echec = EIO;
  const Resultat r = sauve_lab(chemin("monde.lab"), m);
  EXPECT_FALSE(r);
  EXPECT_FALSE(r.message().empty());
  EXPECT_EQ(appels, 1);
  EXPECT_EQ(lit(chemin("monde.lab")), "ancien");
  EXPECT_EQ(entrees(), 1); // no temporary file left
}

TEST_F(Fsync, AFileWrittenInPlaceIsSyncedAndAFailedSyncReported) {
  // A folder closed to new files: the save writes into the file itself.
  ecrit(chemin("monde.lab"), "ancien");
  ::chmod(chemin("monde.lab").c_str(), 0666);
  ::chmod(dossier.c_str(), 0555);
  EXPECT_TRUE(sans_privileges([&] {
    if (!sauve_lab(chemin("monde.lab"), m) || appels != 1 || entrees() != 1)
      return false;
    echec = EIO;
    return !sauve_lab(chemin("monde.lab"), m) && appels == 2;
  }));
  ::chmod(dossier.c_str(), 0755);
}

TEST_F(Fsync, AFileSystemThatCannotSyncStillSaves) {
  // EINVAL: the file lives where syncing means nothing; the bytes are written all the same.
  ecrit(chemin("monde.lab"), "ancien");
  echec = EINVAL;
  EXPECT_TRUE(sauve_lab(chemin("monde.lab"), m));
  EXPECT_EQ(lit(chemin("monde.lab")), ecrit_lab(m));
}

} // namespace
