#include "fichiers.h"

#include "erreurs_fichier.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
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

// Whether `nom` is debut + "PID-N" with a process PID that no longer runs.
bool reste_abandonne(const std::string &nom, const std::string &debut) {
  if (nom.size() <= debut.size() || nom.compare(0, debut.size(), debut) != 0)
    return false;
  const std::string_view reste = std::string_view(nom).substr(debut.size());
  const size_t tiret = reste.find('-');
  if (tiret == 0 || tiret == std::string_view::npos || tiret + 1 == reste.size())
    return false;
  long long pid = 0;
  for (size_t i = 0; i < reste.size(); ++i) {
    const char c = reste[i];
    if (i == tiret)
      continue;
    if (c < '0' || c > '9')
      return false;
    if (i < tiret && pid < 100000000)
      pid = pid * 10 + (c - '0');
  }
  if (pid <= 0 || pid >= 100000000)
    return false;
  // ESRCH only: a process of another user (EPERM) still runs and may be saving now.
  return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// Removes what saves of the same target killed halfway left behind. Best effort: a folder
// that cannot be listed, or a leftover that cannot be removed, does not stop the save.
void retire_restes(const std::filesystem::path &dossier, const std::string &base) {
  // opendir rather than std::filesystem's iterator, whose non-throwing form ends the program
  // when its own allocation fails.
  const std::string debut = debut_temporaire(base);
  std::unique_ptr<DIR, int (*)(DIR *)> liste(::opendir(dossier.c_str()), ::closedir);
  if (!liste)
    return;
  while (const dirent *e = ::readdir(liste.get())) {
    const std::string nom = e->d_name;
    if (!reste_abandonne(nom, debut))
      continue;
    struct stat st {};
    if (::fstatat(::dirfd(liste.get()), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISREG(st.st_mode))
      ::unlinkat(::dirfd(liste.get()), e->d_name, 0);
  }
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
    // 0666 less the umask, like any file the editor creates.
    fd_brut = ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_brut >= 0 || errno == EEXIST)
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
  auto abandon = [&](int code) {
    ::close(fd.release());
    ::unlink(temporaire.c_str());
    return echec_errno(code, chemin, OperationFichier::ecriture);
  };
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

std::string copie_dans_rep_appli(const std::string &source, const std::string &rep_appli) {
  namespace fs = std::filesystem;
  const std::string nom = nom_nu(source);
  fs::path p(source);
  if (!meme_dossier(p.has_parent_path() ? p.parent_path().string() : ".", rep_appli)) {
    std::error_code ec;
    fs::copy_file(p, fs::path(rep_appli) / nom, fs::copy_options::overwrite_existing, ec);
  }
  return nom;
}

std::string trouve_programme(const std::string &nom, const std::string &dossier_programme,
                             const std::string &dossier_courant, const std::string &chemins) {
  namespace fs = std::filesystem;
  std::vector<std::string> dossiers = {dossier_programme, dossier_courant};
  size_t debut = 0;
  while (debut <= chemins.size()) {
    size_t fin = chemins.find(':', debut);
    if (fin == std::string::npos)
      fin = chemins.size();
    if (fin > debut)
      dossiers.push_back(chemins.substr(debut, fin - debut));
    debut = fin + 1;
  }
  for (const std::string &d : dossiers) {
    if (d.empty())
      continue;
    fs::path candidat = fs::path(d) / nom;
    std::error_code ec;
    if (fs::is_regular_file(candidat, ec) && ::access(candidat.c_str(), X_OK) == 0)
      return fs::absolute(candidat, ec).string();
  }
  return {};
}
