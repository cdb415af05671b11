#include "fichiers.h"

#include "erreurs_fichier.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

Resultat echec_errno(int code, const std::string &chemin, OperationFichier op) {
  return Resultat::echec(message_erreur_fichier(code, chemin, op));
}

class Descripteur {
public:
  explicit Descripteur(int fd) : fd_(fd) {}
  ~Descripteur() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  Descripteur(const Descripteur &) = delete;
  Descripteur &operator=(const Descripteur &) = delete;
  int get() const { return fd_; }
  int release() { return std::exchange(fd_, -1); }

private:
  int fd_;
};

} // namespace

LectureBornee lit_fichier_borne(const std::string &chemin, uint64_t taille_max,
                                std::string &octets) {
  octets.clear();
  auto systeme = [&](int code) {
    octets.clear();
    octets.shrink_to_fit();
    return LectureBornee{FinLecture::erreur_systeme, code};
  };
  if (chemin.empty())
    return systeme(ENOENT);
  // The type is looked at before the file is opened, as opening some devices acts on them;
  // then again on what was opened, which may have been swapped in between.
  struct stat st {};
  if (::stat(chemin.c_str(), &st) != 0)
    return systeme(errno);
  auto refuse_type = [&](const struct stat &s) -> std::optional<LectureBornee> {
    if (S_ISDIR(s.st_mode))
      return systeme(EISDIR);
    if (!S_ISREG(s.st_mode))
      return LectureBornee{FinLecture::pas_ordinaire, 0};
    if (static_cast<uint64_t>(s.st_size) > taille_max)
      return LectureBornee{FinLecture::trop_gros, 0};
    return std::nullopt;
  };
  if (auto refus = refuse_type(st))
    return *refus;
  Descripteur fd(::open(chemin.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (fd.get() < 0)
    return systeme(errno);
  if (::fstat(fd.get(), &st) != 0)
    return systeme(errno);
  if (auto refus = refuse_type(st))
    return *refus;
  try {
    octets.reserve(static_cast<size_t>(st.st_size));
    char tampon[1 << 16];
    for (;;) {
      ssize_t n = ::read(fd.get(), tampon, sizeof tampon);
      if (n < 0) {
        if (errno == EINTR)
          continue;
        return systeme(errno);
      }
      if (n == 0)
        break;
      if (octets.size() + static_cast<uint64_t>(n) > taille_max) {
        octets.clear();
        octets.shrink_to_fit();
        return LectureBornee{FinLecture::trop_gros, 0};
      }
      octets.append(tampon, static_cast<size_t>(n));
    }
  } catch (const std::bad_alloc &) {
    return systeme(ENOMEM);
  } catch (const std::length_error &) {
    return systeme(ENOMEM);
  }
  return {};
}

std::string_view nom_dans_dossier(std::string_view nom_lu) {
  const size_t separateur = nom_lu.find_last_of("/\\");
  return separateur == std::string_view::npos ? nom_lu : nom_lu.substr(separateur + 1);
}

namespace {

// Writes every byte, retrying short writes; returns 0 or the errno of the failure.
int ecrit_tout(int fd, std::string_view octets) {
  const char *p = octets.data();
  size_t reste = octets.size();
  while (reste > 0) {
    ssize_t n = ::write(fd, p, reste);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return errno;
    }
    p += n;
    reste -= static_cast<size_t>(n);
  }
  return 0;
}

// Follows a chain of links to the path the last one names, which need not exist yet: saving
// through a link writes the file it names, creating it when it is missing, and keeps the
// link. False for a loop.
bool suit_liens(std::filesystem::path &cible) {
  namespace fs = std::filesystem;
  for (int saut = 0; saut < 40; ++saut) {
    std::error_code ec;
    if (!fs::is_symlink(cible, ec))
      return true;
    fs::path vers = fs::read_symlink(cible, ec);
    if (ec)
      return true;
    cible = vers.is_absolute() ? vers : cible.parent_path() / vers;
  }
  return false;
}

} // namespace

namespace {

// Writes `octets` into the file open as `fd` from its start, then cuts what lies beyond.
// Returns 0 or the errno of the failure.
int ecrit_sur_place(int fd, std::string_view octets, bool regulier) {
  if (int code = ecrit_tout(fd, octets))
    return code;
  if (regulier) {
    if (::ftruncate(fd, static_cast<off_t>(octets.size())) != 0)
      return errno;
    if (::fsync(fd) != 0 && errno != EINVAL)
      return errno;
  }
  return 0;
}

Resultat ecrit_direct(const std::string &chemin, const char *cible, std::string_view octets,
                      bool regulier) {
  // Not O_TRUNC: the old bytes are overwritten as the new ones come, and a file that shrinks
  // is cut only once all of it is written.
  Descripteur fd(::open(cible, O_WRONLY | O_CLOEXEC | O_NOCTTY | (regulier ? 0 : O_TRUNC)));
  if (fd.get() < 0)
    return echec_errno(errno, chemin, OperationFichier::ecriture);
  if (int code = ecrit_sur_place(fd.get(), octets, regulier))
    return echec_errno(code, chemin, OperationFichier::ecriture);
  if (::close(fd.release()) != 0)
    return echec_errno(errno, chemin, OperationFichier::ecriture);
  return Resultat::succes();
}

// The temporary files of a target are ".NAME.tmp-PID-N". A name of up to 255 bytes leaves no
// room for the additions, so only its first bytes go into the temporary name.
constexpr size_t PREFIXE_TEMPORAIRE_MAX = 200;

std::string debut_temporaire(const std::string &base) {
  // Appended piece by piece: "." + a temporary string makes GCC 12 at -O3 warn of an overlap
  // (-Wrestrict) inside the library's insert, which cannot happen.
  std::string debut = ".";
  debut.append(base, 0, PREFIXE_TEMPORAIRE_MAX);
  debut += ".tmp-";
  return debut;
}

// Whether `nom` is debut + "PID-N", the name of a temporary file of this target.
bool nom_temporaire(const std::string &nom, const std::string &debut) {
  if (nom.size() <= debut.size() || nom.compare(0, debut.size(), debut) != 0)
    return false;
  const std::string_view reste = std::string_view(nom).substr(debut.size());
  const size_t tiret = reste.find('-');
  if (tiret == 0 || tiret == std::string_view::npos || tiret + 1 == reste.size())
    return false;
  for (size_t i = 0; i < reste.size(); ++i)
    if (i != tiret && (reste[i] < '0' || reste[i] > '9'))
      return false;
  return true;
}

// Removes what saves of the same target stopped halfway left behind. A save holds an
// advisory lock (flock) on its temporary file from its creation to its rename, so a file
// whose lock can be taken is a leftover, whichever process, container or machine of a
// network folder made it; one still locked is a save under way and stays. Best effort: a
// folder that cannot be listed, or a leftover that cannot be opened or removed, does not
// stop the save.
void retire_restes(const std::filesystem::path &dossier, const std::string &base) {
  // opendir rather than std::filesystem's iterator, whose non-throwing form ends the program
  // when its own allocation fails.
  const std::string debut = debut_temporaire(base);
  std::unique_ptr<DIR, int (*)(DIR *)> liste(::opendir(dossier.c_str()), ::closedir);
  if (!liste)
    return;
  const int rep = ::dirfd(liste.get());
  while (const dirent *e = ::readdir(liste.get())) {
    if (!nom_temporaire(e->d_name, debut))
      continue;
    Descripteur fd(
        ::openat(rep, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat ouvert {
    }, nomme{};
    if (fd.get() < 0 || ::fstat(fd.get(), &ouvert) != 0 || !S_ISREG(ouvert.st_mode) ||
        ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
      continue;
    // Still the file of that name (not one created since under it), then removed while the
    // lock is held.
    if (::fstatat(rep, e->d_name, &nomme, AT_SYMLINK_NOFOLLOW) == 0 &&
        nomme.st_dev == ouvert.st_dev && nomme.st_ino == ouvert.st_ino)
      ::unlinkat(rep, e->d_name, 0);
  }
}

// Creates the temporary file `nom` and takes its lock. A remover may have taken the lock
// and removed the file between its creation and the lock: then the file held is no longer
// in the folder, and the caller tries another name. Returns the descriptor, or -1 with errno
// set (EAGAIN for a file removed meanwhile).
int cree_temporaire(const std::string &nom) {
  // 0666 less the umask, like any file the editor creates.
  Descripteur fd(::open(nom.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (fd.get() < 0)
    return -1;
  struct stat st {};
  if (::flock(fd.get(), LOCK_EX) != 0 || ::fstat(fd.get(), &st) != 0) {
    const int code = errno;
    ::unlink(nom.c_str());
    errno = code;
    return -1;
  }
  if (st.st_nlink == 0) {
    errno = EAGAIN;
    return -1;
  }
  return fd.release();
}

} // namespace

Resultat ecrit_fichier_atomique(const std::string &chemin, std::string_view octets) {
  namespace fs = std::filesystem;
  if (chemin.empty())
    return Resultat::echec("Invalid filename");
  // A device or a pipe is written into, never replaced: renaming a file over /dev/null
  // would take the device away from every other program. Asked of the name as given, so
  // that the kernel resolves links such as /dev/stdout to a pipe, which name no path.
  struct stat st {};
  if (::stat(chemin.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
    return ecrit_direct(chemin, chemin.c_str(), octets, false);
  fs::path cible(chemin);
  if (!suit_liens(cible))
    return echec_errno(ELOOP, chemin, OperationFichier::ecriture);
  const bool existe = ::stat(cible.c_str(), &st) == 0;
  if (existe && S_ISDIR(st.st_mode))
    return echec_errno(EISDIR, chemin, OperationFichier::ecriture);
  if (existe && !S_ISREG(st.st_mode))
    return ecrit_direct(chemin, cible.c_str(), octets, false);
  // Replacing a file the author made read-only is refused, as writing into it would be.
  if (existe && ::access(cible.c_str(), W_OK) != 0)
    return echec_errno(errno, chemin, OperationFichier::ecriture);
  // A file with other hard links is written in place: a new file renamed over this name
  // would leave every other name with the old content.
  if (existe && st.st_nlink > 1)
    return ecrit_direct(chemin, cible.c_str(), octets, true);

  static std::atomic<unsigned> compteur{0};
  fs::path dossier = cible.has_parent_path() ? cible.parent_path() : fs::path(".");
  const std::string base = cible.filename().string();
  retire_restes(dossier, base);
  const std::string debut = debut_temporaire(base);
  std::string temporaire;
  int fd_brut = -1;
  for (int essai = 0; essai < 100 && fd_brut < 0; ++essai) {
    temporaire = (dossier / (debut + std::to_string(::getpid()) + "-" + std::to_string(compteur++)))
                     .string();
    fd_brut = cree_temporaire(temporaire);
    if (fd_brut >= 0 || errno == EEXIST || errno == EAGAIN)
      continue;
    // A writable file in a folder where no file may be created: written in place, as a
    // plain "create or truncate" would, rather than refused.
    if (existe && (errno == EACCES || errno == EPERM))
      return ecrit_direct(chemin, cible.c_str(), octets, true);
    return echec_errno(errno, chemin, OperationFichier::ecriture);
  }
  if (fd_brut < 0)
    return echec_errno(EEXIST, chemin, OperationFichier::ecriture);
  Descripteur fd(fd_brut);
  // The lock belongs to the open file, not to the descriptor: this copy keeps it held until
  // the file has its final name, while closing `fd` still reports a late write error.
  Descripteur verrou(::dup(fd.get()));
  auto abandon = [&](int code) {
    ::close(fd.release());
    ::unlink(temporaire.c_str());
    return echec_errno(code, chemin, OperationFichier::ecriture);
  };
  if (verrou.get() < 0)
    return abandon(errno);
  if (existe) {
    // The file replaced keeps its owner where this process may give it (root, or a group
    // it belongs to), then its mode, which a change of owner may have cut.
    if (::fchown(fd.get(), st.st_uid, st.st_gid) != 0)
      (void)::fchown(fd.get(), static_cast<uid_t>(-1), st.st_gid);
    (void)::fchmod(fd.get(), st.st_mode & 07777);
  }
  if (int code = ecrit_tout(fd.get(), octets))
    return abandon(code);
  if (::fsync(fd.get()) != 0 && errno != EINVAL)
    return abandon(errno);
  if (::close(fd.release()) != 0) {
    int code = errno;
    ::unlink(temporaire.c_str());
    return echec_errno(code, chemin, OperationFichier::ecriture);
  }
  if (::rename(temporaire.c_str(), cible.c_str()) != 0) {
    int code = errno;
    ::unlink(temporaire.c_str());
    return echec_errno(code, chemin, OperationFichier::ecriture);
  }
  return Resultat::succes();
}

namespace {

std::filesystem::path resolu(const std::string &dossier) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path p = fs::weakly_canonical(fs::path(dossier), ec);
  if (ec)
    p = fs::path(dossier).lexically_normal();
  // "a/b/" and "a/b" name the same folder.
  std::string s = p.string();
  while (s.size() > 1 && s.back() == '/')
    s.pop_back();
  return s;
}

} // namespace

bool meme_dossier(const std::string &a, const std::string &b) {
  return resolu(a) == resolu(b);
}

std::string nom_nu(const std::string &chemin) {
  return std::filesystem::path(chemin).filename().string();
}

std::string raison_systeme(int code) {
  const char *raison = nullptr;
  switch (code) {
  case ENOSPC:
  case EDQUOT:
  case EFBIG: raison = "Disque plein"; break;
  case EACCES:
  case EPERM: raison = "Accès refusé"; break;
  case EROFS: raison = "Disque en lecture seule"; break;
  case ENOENT: raison = "Fichier introuvable"; break;
  case EISDIR: raison = "C'est un dossier"; break;
  case ENOMEM: raison = "Mémoire insuffisante"; break;
  case EIO: raison = "Erreur de lecture ou d'écriture du disque"; break;
  default: raison = "Erreur du système"; break;
  }
  return std::string(raison) + " (" + std::strerror(code) + ")";
}

namespace {

// The temporary file of a new copy of `base` in `dossier`, created empty; -1 with errno set.
int cree_temporaire(const std::filesystem::path &dossier, const std::string &base,
                    std::string &temporaire) {
  static std::atomic<unsigned> compteur{0};
  const std::string debut = debut_temporaire(base);
  for (int essai = 0; essai < 100; ++essai) {
    temporaire = (dossier / (debut + std::to_string(::getpid()) + "-" + std::to_string(compteur++)))
                     .string();
    const int fd = ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST)
      return fd;
  }
  errno = EEXIST;
  return -1;
}

} // namespace

Resultat copie_fichier_atomique(const std::string &source, const std::string &cible) {
  namespace fs = std::filesystem;
  Descripteur src(::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (src.get() < 0)
    return Resultat::echec(raison_systeme(errno));
  struct stat st {};
  if (::fstat(src.get(), &st) != 0)
    return Resultat::echec(raison_systeme(errno));
  if (!S_ISREG(st.st_mode))
    return Resultat::echec(S_ISDIR(st.st_mode) ? raison_systeme(EISDIR)
                                               : "Ce n'est pas un fichier ordinaire (un tube, "
                                                 "un périphérique) : il n'est pas copié");
  const fs::path c(cible);
  const fs::path dossier = c.has_parent_path() ? c.parent_path() : fs::path(".");
  const std::string base = c.filename().string();
  retire_restes(dossier, base);
  std::string temporaire;
  Descripteur fd(cree_temporaire(dossier, base, temporaire));
  if (fd.get() < 0)
    return Resultat::echec(raison_systeme(errno));
  auto abandon = [&](int code) {
    if (fd.get() >= 0)
      ::close(fd.release());
    ::unlink(temporaire.c_str());
    return Resultat::echec(raison_systeme(code));
  };
  char tampon[1 << 16];
  for (;;) {
    const ssize_t n = ::read(src.get(), tampon, sizeof tampon);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      return abandon(errno);
    }
    if (n == 0)
      break;
    if (int code = ecrit_tout(fd.get(), std::string_view(tampon, static_cast<size_t>(n))))
      return abandon(code);
  }
  if (::fsync(fd.get()) != 0 && errno != EINVAL)
    return abandon(errno);
  if (::close(fd.release()) != 0)
    return abandon(errno);
  if (::rename(temporaire.c_str(), cible.c_str()) != 0)
    return abandon(errno);
  return Resultat::succes();
}

bool memes_octets(const std::string &a, const std::string &b) {
  Descripteur fa(::open(a.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  Descripteur fb(::open(b.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  struct stat sa {
  }, sb{};
  if (fa.get() < 0 || fb.get() < 0 || ::fstat(fa.get(), &sa) != 0 || ::fstat(fb.get(), &sb) != 0 ||
      !S_ISREG(sa.st_mode) || !S_ISREG(sb.st_mode))
    return false;
  if (sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino)
    return true;
  if (sa.st_size != sb.st_size)
    return false;
  // Both read in the same steps: a regular file gives whole blocks until its end.
  char ta[1 << 15], tb[1 << 15];
  for (;;) {
    const ssize_t na = ::read(fa.get(), ta, sizeof ta);
    const ssize_t nb = ::read(fb.get(), tb, sizeof tb);
    if (na < 0 || nb < 0 || na != nb)
      return false;
    if (na == 0)
      return true;
    if (std::memcmp(ta, tb, static_cast<size_t>(na)) != 0)
      return false;
  }
}

std::string nom_libre(const std::string &dossier, const std::string &nom) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(fs::path(dossier) / nom, ec)))
    return nom;
  const size_t point = nom.rfind('.');
  const std::string radical = point == std::string::npos || point == 0 ? nom : nom.substr(0, point);
  const std::string extension = radical.size() == nom.size() ? std::string() : nom.substr(point);
  for (int n = 2;; ++n) {
    const std::string essai = radical + "-" + std::to_string(n) + extension;
    if (!fs::exists(fs::symlink_status(fs::path(dossier) / essai, ec)))
      return essai;
  }
}

bool lien_hors_du_dossier(const std::string &dossier, const std::string &chemin) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (!fs::is_symlink(chemin, ec))
    return false;
  const fs::path cible = fs::canonical(chemin, ec);
  if (ec)
    return false;
  const fs::path racine = fs::canonical(dossier.empty() ? "." : dossier, ec);
  if (ec)
    return true;
  const fs::path dans = cible.parent_path();
  return std::mismatch(racine.begin(), racine.end(), dans.begin(), dans.end()).first !=
         racine.end();
}

