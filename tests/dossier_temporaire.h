#pragma once
// The fixture of the tests that work on files: a fresh folder for each test, removed with
// all it holds when the test ends, even one whose permissions the test took away; and a way
// to run a check as a user whom permissions stop.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include <sys/wait.h>
#include <unistd.h>

class DossierTemporaire : public ::testing::Test {
protected:
  void SetUp() override {
    std::string modele = (std::filesystem::temp_directory_path() / "dravo-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(modele.data()), nullptr) << modele;
    dossier = modele;
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(dossier, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(dossier, ec);
  }

  // The path of `nom` in the folder.
  std::string chemin(const std::string &nom) const { return (dossier / nom).string(); }
  // A file's whole content, "" for none.
  static std::string lit(const std::string &chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  }
  static void ecrit(const std::string &chemin, const std::string &texte) {
    std::ofstream(chemin, std::ios::binary) << texte;
  }
  // Runs `verifie` where permissions bite: as root (CI runs as root), in a child process
  // that has dropped to the unprivileged user 65534. Returns whether `verifie` held.
  template <class F> static bool sans_privileges(F verifie) {
    if (::geteuid() != 0)
      return verifie();
    const pid_t pid = ::fork();
    if (pid == 0) {
      if (::setgid(65534) != 0 || ::setuid(65534) != 0)
        ::_exit(3);
      ::_exit(verifie() ? 0 : 1);
    }
    int statut = 0;
    ::waitpid(pid, &statut, 0);
    return WIFEXITED(statut) && WEXITSTATUS(statut) == 0;
  }

  std::filesystem::path dossier;
};
