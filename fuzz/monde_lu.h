#pragma once
// What the .lab fuzz drivers share: a fresh world, read over as Open does.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "lab_file.h"

// The world as building leaves it, made once for the whole run.
inline const Monde &monde_frais() {
  static const Monde frais = [] {
    Monde m;
    Cree_Monde(m);
    return m;
  }();
  return frais;
}

// A fresh world, reset as Open resets it, then given the bytes to read.
inline Monde monde_lu(std::string_view octets) {
  Monde m = monde_frais();
  prepare_lecture(m);
  lit_lab(octets, m);
  return m;
}

inline Monde monde_lu(const uint8_t *data, size_t size) {
  return monde_lu(std::string_view(reinterpret_cast<const char *>(data), size));
}
