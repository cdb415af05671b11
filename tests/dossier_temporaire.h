#pragma once
// The fixture of the tests that work on files: a fresh folder for each test, removed with
// all it holds when the test ends, even one whose permissions the test took away.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

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

  std::filesystem::path dossier;
};
