#include "../dossier_temporaire.h"
#include "../same_lines.h"
#include "erreurs_fichier.h"
#include "fichiers.h"
#include "lab_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

Monde monde_frais() {
  Monde m;
  Cree_Monde(m);
  return m;
}

} // namespace

using Fichiers = DossierTemporaire;

TEST_F(Fichiers, SaveThenOpenGivesTheSameFile) {
  Monde m = monde_frais();
  m.titre_lab = "Essai";
  m.salles[42].question = "Combien ? ";
  m.salles[42].bonnes[4] = true;
  m.son_coffres = "coffre.mp3";
  ASSERT_TRUE(sauve_lab(chemin("monde_1.lab"), m));
  EXPECT_TRUE(same_lines(lit(chemin("monde_1.lab")), ecrit_lab(m)));

  Monde relu = monde_frais();
  relu.son_ambiance = "reste.mp3";
  InfoLecture info;
  ASSERT_TRUE(charge_lab(chemin("monde_1.lab"), relu, &info));
  EXPECT_EQ(relu.titre_lab, "Essai");
  EXPECT_EQ(relu.son_ambiance, "");
  EXPECT_EQ(relu.son_coffres, "coffre.mp3");
  EXPECT_TRUE(info.sons_lus[4]);
  EXPECT_TRUE(info.textures_lues[0]);
  EXPECT_EQ(relu.salles[42].question, "Combien ? ");
  EXPECT_TRUE(relu.salles[42].bonnes[4]);

  // Replacing leaves no temporary file behind and keeps the file's mode.
  ::chmod(chemin("monde_1.lab").c_str(), 0640);
  ASSERT_TRUE(sauve_lab(chemin("monde_1.lab"), relu));
  EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 1);
  EXPECT_EQ(fs::status(chemin("monde_1.lab")).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(Fichiers, FailedOpenLeavesTheWorldAsItWas) {
  Monde m = monde_frais();
  m.son_pas = "pas.mp3";
  m.salles[3].contenu = SALLE_TELEPORTEUR;
  const std::string avant = ecrit_lab(m);

  struct Cas {
    std::string chemin;
    std::string message;
  } cas[] = {
      {chemin("absent.lab"), "File not found"},
      {chemin("pas_de_dossier/monde.lab"), "Invalid filename"},
      {dossier.string(), "File access denied"},
  };
  for (const auto &c : cas) {
    Resultat r = charge_lab(c.chemin, m);
    EXPECT_FALSE(r) << c.chemin;
    EXPECT_EQ(r.message(), c.message) << c.chemin;
    EXPECT_TRUE(same_lines(ecrit_lab(m), avant)) << c.chemin;
    EXPECT_EQ(m.nb_salles, 100);
  }
  EXPECT_EQ(texte_boite_erreur(charge_lab(chemin("absent.lab"), m).message()), "File not found.");
}

TEST_F(Fichiers, UnreadableFileIsDenied) {
  ecrit(chemin("secret.lab"), "TITRE=x\r\n");
  ::chmod(dossier.c_str(), 0755);
  ::chmod(chemin("secret.lab").c_str(), 0);
  EXPECT_TRUE(sans_privileges([&] {
    Monde m = monde_frais();
    Resultat r = charge_lab(chemin("secret.lab"), m);
    return r.message() == "File access denied" && m.titre_lab.empty() && m.nb_salles == 100;
  }));
}

TEST_F(Fichiers, FailedSaveKeepsThePreviousFile) {
  Monde m = monde_frais();
  ecrit(chemin("monde.lab"), "ancien contenu");
  Resultat r = sauve_lab(chemin("pas_de_dossier/monde.lab"), m);
  EXPECT_EQ(r.message(), "Invalid filename");
  r = sauve_lab(dossier.string(), m);
  EXPECT_EQ(r.message(), "File access denied");

  // A read-only file is not replaced.
  ::chmod(dossier.c_str(), 0777);
  ::chmod(chemin("monde.lab").c_str(), 0444);
  EXPECT_TRUE(sans_privileges(
      [&] { return sauve_lab(chemin("monde.lab"), m).message() == "File access denied"; }));
  EXPECT_EQ(lit(chemin("monde.lab")), "ancien contenu");
  // A read-only folder: a new file cannot be made there, and nothing is left behind.
  ::chmod(dossier.c_str(), 0555);
  EXPECT_TRUE(sans_privileges(
      [&] { return sauve_lab(chemin("nouveau.lab"), m).message() == "File access denied"; }));
  ::chmod(dossier.c_str(), 0755);
  EXPECT_EQ(lit(chemin("monde.lab")), "ancien contenu");
  EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 1);
}

// Where no temporary file can go beside it, a writable file is written in place, as a plain
// "create or truncate" would; a longer or shorter content leaves no trace of the old one.
TEST_F(Fichiers, AWritableFileInAFolderClosedToNewFilesIsWrittenInPlace) {
  Monde m = monde_frais();
  m.mission = std::string(5000, 'x');
  ecrit(chemin("monde.lab"), "ancien contenu");
  ::chmod(chemin("monde.lab").c_str(), 0666);
  ::chmod(dossier.c_str(), 0555);
  EXPECT_TRUE(sans_privileges([&] {
    if (!sauve_lab(chemin("monde.lab"), m) || lit(chemin("monde.lab")) != ecrit_lab(m))
      return false;
    Monde court = monde_frais();
    return sauve_lab(chemin("monde.lab"), court) && lit(chemin("monde.lab")) == ecrit_lab(court);
  }));
  ::chmod(dossier.c_str(), 0755);
  EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 1);
}

TEST_F(Fichiers, ANameNearTheLengthLimitIsSavedAndLeavesNothingBehind) {
  Monde m = monde_frais();
  const std::string nom = std::string(251, 'n') + ".lab"; // 255 bytes, the most a name holds
  ASSERT_TRUE(sauve_lab(chemin(nom), m)) << "first save";
  m.titre_lab = "encore";
  ASSERT_TRUE(sauve_lab(chemin(nom), m)) << "replacing it";
  EXPECT_TRUE(same_lines(lit(chemin(nom)), ecrit_lab(m)));
  EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 1);
}

TEST_F(Fichiers, TheReplacedFileKeepsItsModeAndItsOwner) {
  Monde m = monde_frais();
  ecrit(chemin("monde.lab"), "ancien");
  ::chmod(chemin("monde.lab").c_str(), 0604);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(chemin("monde.lab").c_str(), 65534, 65534), 0);
  }
  ASSERT_TRUE(sauve_lab(chemin("monde.lab"), m));
  struct stat st {};
  ASSERT_EQ(::stat(chemin("monde.lab").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0604u);
  if (!root)
    GTEST_SKIP() << "only root may give a file to another user: the owner is not checked";
  EXPECT_EQ(st.st_uid, 65534u);
  EXPECT_EQ(st.st_gid, 65534u);
}

// Saves stopped halfway leave ".NAME.tmp-PID-N"; the next save of NAME removes those whose
// lock can be taken, whatever process id they name (one of another container or machine
// means nothing here), and nothing else.
TEST_F(Fichiers, ALaterSaveRemovesTheLeftoversNoSaveHolds) {
  const std::string vivant = std::to_string(::getpid());
  const std::string longue = std::string(251, 'n') + ".lab";
  const struct {
    std::string nom;
    bool retire;
  } restes[] = {
      {".monde.lab.tmp-" + vivant + "-0", true}, // this process, but no lock: a leftover
      {".monde.lab.tmp-1-17", true},             // init's id, as another container has it
      {"." + longue.substr(0, 200) + ".tmp-99999999-3", true},
      {".monde.lab.tmp-" + vivant + "-99", false}, // locked: a save under way
      {".autre.lab.tmp-7-0", false},               // another target
      {".monde.lab.tmp-7-", false},
      {".monde.lab.tmp-7", false},
      {".monde.lab.tmp-x7-0", false},
      {"monde.lab.tmp-7-0", false},
  };
  for (const auto &r : restes)
    ecrit(chemin(r.nom), "reste");
  const int verrou = ::open(chemin(".monde.lab.tmp-" + vivant + "-99").c_str(), O_RDONLY);
  ASSERT_GE(verrou, 0);
  ASSERT_EQ(::flock(verrou, LOCK_EX), 0);
  Monde m = monde_frais();
  ASSERT_TRUE(sauve_lab(chemin("monde.lab"), m));
  ASSERT_TRUE(sauve_lab(chemin(longue), m));
  for (const auto &r : restes)
    EXPECT_EQ(fs::exists(chemin(r.nom)), !r.retire) << r.nom;
  // Once its save is over (here: the lock let go), the file is a leftover like the others.
  ::close(verrou);
  ASSERT_TRUE(sauve_lab(chemin("monde.lab"), m));
  EXPECT_FALSE(fs::exists(chemin(".monde.lab.tmp-" + vivant + "-99")));
}

// Two programs saving the same file over and over: each save holds its temporary file's
// lock until the rename, so neither removes the other's file halfway and every save
// succeeds, leaving no temporary file behind.
TEST_F(Fichiers, SavesOfTheSameFileFromTwoProcessesNeverRemoveEachOthersFile) {
  const std::string cible = chemin("partage.lab");
  pid_t enfants[2];
  for (pid_t &enfant : enfants) {
    enfant = ::fork();
    if (enfant == 0) {
      const std::string texte(64 * 1024, 'x');
      for (int i = 0; i < 300; ++i)
        if (!ecrit_fichier_atomique(cible, texte))
          ::_exit(1);
      ::_exit(0);
    }
  }
  for (pid_t enfant : enfants) {
    int statut = 0;
    ::waitpid(enfant, &statut, 0);
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0);
  }
  EXPECT_EQ(lit(cible).size(), 64u * 1024);
  for (const auto &e : fs::directory_iterator(dossier))
    EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos) << e.path();
}

// Standard output into a pipe is named /dev/stdout, a link the kernel resolves to a pipe that
// has no path: written into, as a pipe always is.
TEST_F(Fichiers, SavingIntoALinkToAPipeWritesThePipe) {
  int tube[2];
  ASSERT_EQ(::pipe(tube), 0);
  Monde m = monde_frais();
  m.titre_lab = "par le tube";
  const Resultat r = sauve_lab("/dev/fd/" + std::to_string(tube[1]), m);
  ::close(tube[1]);
  EXPECT_TRUE(r) << r.message();
  std::string recu;
  char tampon[4096];
  ssize_t n;
  while ((n = ::read(tube[0], tampon, sizeof tampon)) > 0)
    recu.append(tampon, static_cast<size_t>(n));
  ::close(tube[0]);
  EXPECT_TRUE(same_lines(recu, ecrit_lab(m)));
}

TEST_F(Fichiers, SavingThroughALinkOrIntoADeviceKeepsTheLinkAndTheDevice) {
  Monde m = monde_frais();
  const std::string attendu = ecrit_lab(m);
  // A link to a file not made yet: the file is created, the link stays a link.
  fs::create_symlink("neuf.lab", chemin("lien.lab"));
  ASSERT_TRUE(sauve_lab(chemin("lien.lab"), m));
  EXPECT_TRUE(fs::is_symlink(chemin("lien.lab")));
  EXPECT_EQ(lit(chemin("neuf.lab")), attendu);
  // A link into a missing folder fails as that folder would.
  fs::create_symlink("pas_de_dossier/x.lab", chemin("perdu.lab"));
  EXPECT_EQ(sauve_lab(chemin("perdu.lab"), m).message(), "Invalid filename");
  EXPECT_TRUE(fs::is_symlink(chemin("perdu.lab")));
  fs::create_symlink("boucle.lab", chemin("boucle.lab"));
  EXPECT_EQ(sauve_lab(chemin("boucle.lab"), m).message(), "Invalid filename");

  // Devices and pipes are written into, never replaced by a file. The pipe's reader is
  // open before the save and the file fits in the pipe, so nothing waits.
  ASSERT_EQ(::mkfifo(chemin("tube").c_str(), 0600), 0);
  int lecteur = ::open(chemin("tube").c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(lecteur, 0);
  EXPECT_TRUE(sauve_lab(chemin("tube"), m));
  std::string recu(attendu.size() + 1, '\0');
  ssize_t n = ::read(lecteur, recu.data(), recu.size());
  ::close(lecteur);
  EXPECT_EQ(recu.substr(0, n > 0 ? static_cast<size_t>(n) : 0), attendu);
  EXPECT_TRUE(fs::is_fifo(chemin("tube")));
  // Copies of /dev/null and /dev/full (made only where allowed), so that a fault here
  // cannot take the system's own devices away.
  if (::mknod(chemin("nul").c_str(), S_IFCHR | 0666, ::makedev(1, 3)) == 0 &&
      ::mknod(chemin("plein").c_str(), S_IFCHR | 0666, ::makedev(1, 7)) == 0) {
    EXPECT_TRUE(sauve_lab(chemin("nul"), m));
    EXPECT_TRUE(fs::is_character_file(chemin("nul")));
    EXPECT_EQ(sauve_lab(chemin("plein"), m).message(), "Disk full");
    EXPECT_TRUE(fs::is_character_file(chemin("plein")));
  }
}

TEST(MessagesFichier, SystemErrorsMapToTheEditorsMessages) {
  struct Cas {
    int code;
    const char *message;
  } cas[] = {
      {EMFILE, "Too many open files"},
      {ENFILE, "Too many open files"},
      {EACCES, "File access denied"},
      {EROFS, "File access denied"},
      {ENOSPC, "Disk full"},
      {EDQUOT, "Disk full"},
      {ENOTDIR, "Invalid filename"},
      {ENAMETOOLONG, "Invalid filename"},
      {EIO, "I/O error 5"},
      {EBUSY, "I/O error 16"},
  };
  for (const auto &c : cas)
    EXPECT_EQ(message_erreur_fichier(c.code, "/tmp/x.lab", OperationFichier::lecture), c.message);
  EXPECT_EQ(message_erreur_fichier(ENOENT, "/tmp/absent.lab", OperationFichier::lecture),
            "File not found");
  EXPECT_EQ(message_erreur_fichier(ENOENT, "/nulle/part/x.lab", OperationFichier::lecture),
            "Invalid filename");
}

TEST_F(Fichiers, FoldersAreComparedAfterResolvingThem) {
  fs::create_directories(dossier / "depart");
  fs::create_directories(dossier / "ailleurs");
  fs::create_directories(dossier / "Depart"); // differs only by case: another folder here
  const std::string depart = chemin("depart") + "/";
  EXPECT_TRUE(meme_dossier(chemin("depart"), depart));
  EXPECT_TRUE(meme_dossier(chemin("ailleurs/../depart/"), depart));
  EXPECT_FALSE(meme_dossier(chemin("Depart"), depart));
}

// A copy replaces its target only once complete: a disk that fills up halfway (here, the
// process's file size limit) leaves the file already there whole, and no temporary file.
TEST_F(Fichiers, ACopyThatFailsLeavesTheTargetWholeAndSaysDiskFull) {
  fs::create_directories(dossier / "lab");
  ecrit(chemin("grande.jpg"), std::string(200000, 'n'));
  ecrit(chemin("lab/paris.jpg"), "l'ancienne");
  const pid_t enfant = ::fork();
  ASSERT_GE(enfant, 0);
  if (enfant == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{100000, 100000};
    ::setrlimit(RLIMIT_FSIZE, &limite);
    const Resultat r = copie_fichier_atomique(chemin("grande.jpg"), chemin("lab/paris.jpg"));
    ::_exit(!r && r.message().rfind("Disque plein (", 0) == 0 ? 0 : 1);
  }
  int etat = 0;
  ASSERT_EQ(::waitpid(enfant, &etat, 0), enfant);
  EXPECT_TRUE(WIFEXITED(etat) && WEXITSTATUS(etat) == 0) << "no \"Disque plein\" failure";
  EXPECT_EQ(lit(chemin("lab/paris.jpg")), "l'ancienne");
  EXPECT_EQ(std::distance(fs::directory_iterator(dossier / "lab"), fs::directory_iterator()), 1);

  // Complete, the copy replaces it; a pipe is refused before anything is read or made.
  ASSERT_TRUE(copie_fichier_atomique(chemin("grande.jpg"), chemin("lab/paris.jpg")));
  EXPECT_TRUE(memes_octets(chemin("grande.jpg"), chemin("lab/paris.jpg")));
  ASSERT_EQ(::mkfifo(chemin("tube.mp3").c_str(), 0600), 0);
  EXPECT_FALSE(copie_fichier_atomique(chemin("tube.mp3"), chemin("lab/tube.mp3")));
  EXPECT_FALSE(fs::exists(chemin("lab/tube.mp3")));
  EXPECT_FALSE(memes_octets(chemin("tube.mp3"), chemin("tube.mp3")));
}

TEST_F(Fichiers, SameBytesAndFreeNames) {
  ecrit(chemin("a"), "abc");
  ecrit(chemin("b"), "abc");
  ecrit(chemin("c"), "abd");
  ecrit(chemin("d"), "abcd");
  EXPECT_TRUE(memes_octets(chemin("a"), chemin("b")));
  EXPECT_FALSE(memes_octets(chemin("a"), chemin("c")));
  EXPECT_FALSE(memes_octets(chemin("a"), chemin("d")));
  EXPECT_FALSE(memes_octets(chemin("a"), chemin("absent")));

  EXPECT_EQ(nom_libre(dossier.string(), "paris.jpg"), "paris.jpg");
  ecrit(chemin("paris.jpg"), "1");
  EXPECT_EQ(nom_libre(dossier.string(), "paris.jpg"), "paris-2.jpg");
  ecrit(chemin("paris-2.jpg"), "2");
  fs::create_symlink("nulle-part", dossier / "paris-3.jpg"); // a dangling link holds its name
  EXPECT_EQ(nom_libre(dossier.string(), "paris.jpg"), "paris-4.jpg");
  ecrit(chemin("LISEZMOI"), "");
  EXPECT_EQ(nom_libre(dossier.string(), "LISEZMOI"), "LISEZMOI-2");
}

TEST_F(Fichiers, LinksLeadingOutOfTheirFolderAreTold) {
  fs::create_directories(dossier / "lab/sous");
  ecrit(chemin("dehors.jpg"), "x");
  ecrit(chemin("lab/sous/dedans.jpg"), "y");
  fs::create_symlink(chemin("dehors.jpg"), dossier / "lab/vers-dehors.jpg");
  fs::create_symlink("../lab/../dehors.jpg", dossier / "lab/relatif.jpg");
  fs::create_symlink("sous/dedans.jpg", dossier / "lab/vers-dedans.jpg");
  fs::create_symlink("absent.jpg", dossier / "lab/pendant.jpg");
  const std::string lab = chemin("lab");
  EXPECT_TRUE(lien_hors_du_dossier(lab, chemin("lab/vers-dehors.jpg")));
  EXPECT_TRUE(lien_hors_du_dossier(lab, chemin("lab/relatif.jpg")));
  EXPECT_FALSE(lien_hors_du_dossier(lab, chemin("lab/vers-dedans.jpg")));
  EXPECT_FALSE(lien_hors_du_dossier(lab, chemin("lab/pendant.jpg")));
  EXPECT_FALSE(lien_hors_du_dossier(lab, chemin("lab/sous/dedans.jpg")));
}

TEST_F(Fichiers, AFileFarBeyondAnyLabyrinthIsRefusedFromItsSize) {
  Monde m = monde_frais();
  m.titre_lab = "en cours";
  const std::string avant = ecrit_lab(m);
  { std::ofstream(chemin("enorme.lab")); }
  fs::resize_file(chemin("enorme.lab"), uint64_t{30} << 30); // sparse: takes no disk
  Resultat r = charge_lab(chemin("enorme.lab"), m);
  EXPECT_EQ(r.message(), "Ce fichier dépasse 64 Mo : ce n'est pas un labyrinthe");
  EXPECT_TRUE(same_lines(ecrit_lab(m), avant));

  // The limit itself, to the byte.
  ecrit(chemin("dix.lab"), "C=0,0,0,1\n");
  std::string octets;
  EXPECT_EQ(lit_fichier_borne(chemin("dix.lab"), 10, octets).fin, FinLecture::lu);
  EXPECT_EQ(octets, "C=0,0,0,1\n");
  EXPECT_EQ(lit_fichier_borne(chemin("dix.lab"), 9, octets).fin, FinLecture::trop_gros);
  EXPECT_EQ(octets, "");
}

// A pipe with no writer, a device that never ends and one that is empty are not read: the
// test runs each opening in a child stopped by an alarm, so a hang fails instead of waiting.
TEST_F(Fichiers, OnlyRegularFilesAreOpened) {
  ASSERT_EQ(::mkfifo(chemin("tube.lab").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", chemin("zero.lab"));
  fs::create_symlink("/dev/null", chemin("nul.lab"));
  for (const char *nom : {"tube.lab", "zero.lab", "nul.lab"}) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      ::alarm(10);
      Monde m = monde_frais();
      m.titre_lab = "garde";
      const Resultat r = charge_lab(chemin(nom), m);
      ::_exit(r.message() == "Ce n'est pas un fichier ordinaire (un tube, un périphérique) : il "
                             "n'est pas lu" &&
                      m.titre_lab == "garde"
                  ? 0
                  : 1);
    }
    int statut = 0;
    ::waitpid(pid, &statut, 0);
    EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0)
        << nom << (WIFSIGNALED(statut) ? ": hung or crashed" : ": wrong result");
  }
}

TEST_F(Fichiers, AFileWithoutPartitionsOrRoomsIsNotALabyrinth) {
  const struct {
    const char *contenu;
    bool labyrinthe;
  } cas[] = {
      {"", false},
      {"bonjour\r\n", false},
      {"TITRE=Rien\r\nMISSION\r\nC=0,0,0,1\r\nS=0,0,8\r\n/MISSION\r\nSAM=vent.mp3\r\n", false},
      {"GIF89a\x01\x00\x01\x00", false},
      {"C=0,0,0,1", true},
      {"c=0,0,0,1\r\n", true},
      {"S=0,0,8\r\n", true},
      {"TITRE=Seul\r\nS=", true},
  };
  for (const auto &c : cas) {
    ecrit(chemin("x.lab"), c.contenu);
    Monde m = monde_frais();
    m.titre_lab = "avant";
    m.salles[5].contenu = SALLE_PLAN;
    m.modifie = true;
    const std::string avant = ecrit_lab(m);
    const Resultat r = charge_lab(chemin("x.lab"), m);
    EXPECT_EQ(r.ok(), c.labyrinthe) << c.contenu;
    if (!c.labyrinthe) {
      EXPECT_EQ(r.message(), MESSAGE_PAS_UN_LABYRINTHE);
      EXPECT_TRUE(same_lines(ecrit_lab(m), avant)) << c.contenu;
      EXPECT_TRUE(m.modifie);
    }
  }
}

TEST(NomDansDossier, KeepsOnlyTheLastComponent) {
  const struct {
    const char *lu, *nom;
  } cas[] = {
      {"image.bmp", "image.bmp"},
      {"../../ailleurs/x.bmp", "x.bmp"},
      {"/etc/passwd", "passwd"},
      {"..\\..\\z.jpg", "z.jpg"},
      {"C:\\Windows\\media\\tada.wav", "tada.wav"},
      {"a/b\\c.gif", "c.gif"},
      {"dossier/", ""},
      {"", ""},
      {"nom avec espaces.mp3", "nom avec espaces.mp3"},
  };
  for (const auto &c : cas)
    EXPECT_EQ(nom_dans_dossier(c.lu), c.nom) << c.lu;
}

namespace {

// A file written by another program, holding three partitions and two rooms.
const char *const FICHIER_COURT = "TITRE=Court\r\nC=0,0,0,9\r\nC=1,0,0,2\r\nC=2,0,0,3\r\n"
                                  "S=0,0,8\r\n\r\n\r\n\r\n\r\n\r\n\r\n00000\r\n\r\n\r\n"
                                  "S=1,0,1\r\n\r\n\r\n\r\n\r\n\r\n\r\n00000\r\n\r\n\r\n";

} // namespace

TEST_F(Fichiers, TheRecordsAShortFileLacksAreAFreshLabyrinthsNotThePreviousOnes) {
  Monde m = monde_frais();
  m.cloisons[150].contenu = CLOISON_SORTIE;
  m.cloisons[150].col = 7;
  m.salles[60].contenu = SALLE_PLAN;
  m.salles[60].question = "Ancienne ";
  ecrit(chemin("court.lab"), FICHIER_COURT);
  ASSERT_TRUE(charge_lab(chemin("court.lab"), m));
  EXPECT_EQ(m.nb_cloisons, 3);
  EXPECT_EQ(m.nb_salles, 2);
  EXPECT_EQ(m.cloisons[1].contenu, CLOISON_PORTE_DEROBEE);
  EXPECT_EQ(m.salles[1].contenu, SALLE_CLE_NOIRE);
  const Monde frais = monde_frais();
  for (size_t i = 3; i < NB_CLOISONS_MAX; ++i) {
    const Tcloison &a = m.cloisons[i], &b = frais.cloisons[i];
    ASSERT_EQ(std::tie(a.col, a.lig, a.x, a.y, a.sens, a.contenu),
              std::tie(b.col, b.lig, b.x, b.y, b.sens, b.contenu))
        << i;
  }
  for (size_t i = 2; i < NB_SALLES_MAX; ++i) {
    const Tsalle &a = m.salles[i], &b = frais.salles[i];
    ASSERT_EQ(std::tie(a.col, a.lig, a.x, a.y, a.contenu, a.question),
              std::tie(b.col, b.lig, b.x, b.y, b.contenu, b.question))
        << i;
  }
  // Saved without an edit beyond the counters, the file keeps them.
  ASSERT_TRUE(sauve_lab(chemin("encore.lab"), m));
  EXPECT_EQ(lit(chemin("encore.lab")), ecrit_lab(m));
  EXPECT_EQ(ecrit_lab(m).find("C=3,"), std::string::npos);
}

TEST_F(Fichiers, AFileWithOtherHardLinksIsWrittenInPlaceForEveryName) {
  Monde m = monde_frais();
  m.titre_lab = "Nouveau";
  ecrit(chemin("monde.lab"), std::string(9000, 'v')); // longer than the labyrinth
  ASSERT_EQ(::link(chemin("monde.lab").c_str(), chemin("copie.lab").c_str()), 0);
  struct stat avant {};
  ASSERT_EQ(::stat(chemin("monde.lab").c_str(), &avant), 0);
  ASSERT_TRUE(sauve_lab(chemin("monde.lab"), m));
  EXPECT_EQ(lit(chemin("copie.lab")), ecrit_lab(m));
  EXPECT_EQ(lit(chemin("monde.lab")), ecrit_lab(m));
  struct stat apres {};
  ASSERT_EQ(::stat(chemin("copie.lab").c_str(), &apres), 0);
  EXPECT_EQ(apres.st_ino, avant.st_ino);
  EXPECT_EQ(apres.st_nlink, 2u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dossier), fs::directory_iterator()), 2);
}
