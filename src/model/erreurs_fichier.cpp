#include "erreurs_fichier.h"

#include "resultat.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

std::string texte_boite_erreur(const std::string &message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.')
    return message + ".";
  return message;
}

namespace {

bool dossier_existe(const std::string &chemin) {
  std::error_code ec;
  std::filesystem::path p(chemin);
  std::filesystem::path dossier =
      p.has_parent_path() ? p.parent_path() : std::filesystem::path(".");
  return std::filesystem::is_directory(dossier, ec);
}

} // namespace

std::string message_erreur_fichier(int code, const std::string &chemin, OperationFichier op) {
  switch (code) {
  case ENOENT:
    // A name whose folder is missing is an invalid name, not a missing file; when
    // writing, ENOENT can only mean that.
    if (op == OperationFichier::ecriture || !dossier_existe(chemin))
      return "Invalid filename";
    return "File not found";
  case ENOTDIR:
  case ENAMETOOLONG:
  case EINVAL:
  case ELOOP: return "Invalid filename";
  case EMFILE:
  case ENFILE: return "Too many open files";
  case EACCES:
  case EPERM:
  case EROFS:
  case EISDIR:
  case ETXTBSY: return "File access denied";
  case ENOSPC:
  case EDQUOT:
  case EFBIG: return "Disk full";
  default: return "I/O error " + std::to_string(code);
  }
}
