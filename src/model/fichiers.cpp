#include "fichiers.h"

#include "erreurs_fichier.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
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

Resultat lit_fichier(const std::string &chemin, std::string &octets) {
  octets.clear();
  if (chemin.empty())
    return Resultat::echec("File not found");
  Descripteur fd(::open(chemin.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0)
    return echec_errno(errno, chemin, OperationFichier::lecture);
  struct stat st {};
  if (::fstat(fd.get(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
    octets.reserve(static_cast<size_t>(st.st_size));
  char tampon[1 << 16];
  for (;;) {
    ssize_t n = ::read(fd.get(), tampon, sizeof tampon);
    if (n < 0) {
      if (errno == EINTR)
        continue;
      int code = errno;
      octets.clear();
      octets.shrink_to_fit();
      return echec_errno(code, chemin, OperationFichier::lecture);
    }
    if (n == 0)
      break;
    octets.append(tampon, static_cast<size_t>(n));
  }
  return Resultat::succes();
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

Resultat ecrit_fichier_atomique(const std::string &chemin, std::string_view octets) {
  namespace fs = std::filesystem;
  if (chemin.empty())
    return Resultat::echec("Invalid filename");
  fs::path cible(chemin);
  if (!suit_liens(cible))
    return echec_errno(ELOOP, chemin, OperationFichier::ecriture);
  struct stat st {};
  bool existe = ::stat(cible.c_str(), &st) == 0;
  if (existe && S_ISDIR(st.st_mode))
    return echec_errno(EISDIR, chemin, OperationFichier::ecriture);
  // A device or a pipe is written into, never replaced: renaming a file over /dev/null
  // would take the device away from every other program.
  if (existe && !S_ISREG(st.st_mode)) {
    Descripteur fd(::open(cible.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (fd.get() < 0)
      return echec_errno(errno, chemin, OperationFichier::ecriture);
    if (int code = ecrit_tout(fd.get(), octets))
      return echec_errno(code, chemin, OperationFichier::ecriture);
    if (::close(fd.release()) != 0)
      return echec_errno(errno, chemin, OperationFichier::ecriture);
    return Resultat::succes();
  }
  // Replacing a file the author made read-only is refused, as writing into it would be.
  if (existe && ::access(cible.c_str(), W_OK) != 0)
    return echec_errno(errno, chemin, OperationFichier::ecriture);

  static std::atomic<unsigned> compteur{0};
  fs::path dossier = cible.has_parent_path() ? cible.parent_path() : fs::path(".");
  std::string base = cible.filename().string();
  std::string temporaire;
  int fd_brut = -1;
  for (int essai = 0; essai < 100 && fd_brut < 0; ++essai) {
    temporaire = (dossier / ("." + base + ".tmp-" + std::to_string(::getpid()) + "-" +
                             std::to_string(compteur++)))
                     .string();
    // 0666 less the umask, like any file the editor creates.
    fd_brut = ::open(temporaire.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_brut < 0 && errno != EEXIST)
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
  if (existe)
    (void)::fchmod(fd.get(), st.st_mode & 07777); // keep the mode of the file replaced
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
