#pragma once
// Helpers shared by the decoders (not part of the loader's public interface).

#include "picture.h"

#include <new>
#include <stdexcept>
#include <string>

// Empty when a width x height picture is within the limits, else the message refusing it.
// Widths and heights arrive as 64-bit values so that no file field can overflow on the way.
std::string picture_size_refusal(int64_t width, int64_t height, const PictureLimits &limits);

// Sizes the picture's pixels once the dimensions passed picture_size_refusal.
inline Picture picture_of_size(int width, int height, uint32_t fill) {
  Picture p;
  p.width = width;
  p.height = height;
  p.argb.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
  return p;
}

inline constexpr const char *NOT_ENOUGH_MEMORY = "Not enough memory for the picture";

// Runs a decoder so that running out of memory comes back as a failure, never as an exception.
template <class Decode> Avec<Picture> without_exceptions(Decode decode) {
  try {
    return decode();
  } catch (const std::bad_alloc &) {
    return Resultat::echec(NOT_ENOUGH_MEMORY);
  } catch (const std::length_error &) {
    return Resultat::echec(NOT_ENOUGH_MEMORY);
  }
}
