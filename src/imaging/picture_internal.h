#pragma once
// Helpers shared by the decoders (not part of the loader's public interface).

#include "picture.h"

#include <new>
#include <stdexcept>
#include <string>

inline PictureResult picture_failure(std::string message) {
  PictureResult r;
  r.message = std::move(message);
  return r;
}

// Empty when a width x height picture is within the limits, else the message refusing it.
// Widths and heights arrive as 64-bit values so that no file field can overflow on the way.
std::string picture_size_refusal(int64_t width, int64_t height, const PictureLimits &limits);

// Sizes the picture's pixels once the dimensions passed picture_size_refusal.
inline PictureResult picture_of_size(int width, int height, uint32_t fill) {
  PictureResult r;
  r.ok = true;
  r.picture.width = width;
  r.picture.height = height;
  r.picture.argb.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
  return r;
}

inline constexpr const char *NOT_ENOUGH_MEMORY = "Not enough memory for the picture";

// Runs a decoder so that running out of memory comes back as a failure, never as an exception.
template <class Decode> PictureResult without_exceptions(Decode decode) {
  try {
    return decode();
  } catch (const std::bad_alloc &) {
    return picture_failure(NOT_ENOUGH_MEMORY);
  } catch (const std::length_error &) {
    return picture_failure(NOT_ENOUGH_MEMORY);
  }
}
