#pragma once
// Helpers shared by the decoders (not part of the loader's public interface).

#include "picture.h"

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

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

// Where a decoder puts the rows of its picture: straight into the picture when it is decoded
// whole, else into one row of the file's width that is averaged into the reduced picture as
// soon as it is done (see Reduction). Rows may come in any order, each at most once; rows
// never done are of the `fill` colour, and so are the pixels of a row the decoder leaves
// unwritten.
class PixelSink {
public:
  // A picture of width x height pixels as the decoder produces it; full_width x full_height
  // is the size the file announces (larger when libjpeg has already scaled the rows down).
  PixelSink(int width, int height, uint32_t fill, const Reduction &reduction, int full_width,
            int full_height);
  PixelSink(int width, int height, uint32_t fill, const Reduction &reduction)
      : PixelSink(width, height, fill, reduction, width, height) {}

  // Where to write row y: `width` pixels, all of the fill colour.
  uint32_t *row(int y);
  // Row y is written.
  void done(int y);
  // The reduction's budget of the file's pixels is spent: the decoder may stop here.
  bool enough() const { return budget_ > 0 && decoded_ >= budget_; }
  // The picture, the sink left empty.
  Picture take();

private:
  int width_, height_;
  uint32_t fill_;
  bool reduced_;
  int full_width_, full_height_;
  int fx_ = 1, fy_ = 1, out_width_ = 0, out_height_ = 0;
  int64_t weight_ = 1; // file pixels per decoded pixel
  int64_t budget_ = 0, decoded_ = 0;
  Picture whole_;              // whole: the picture itself
  std::vector<uint32_t> line_; // reduced: the row being written
  std::vector<uint64_t> sums_; // reduced: per output pixel, A R G B sums
  std::vector<int> rows_done_; // reduced: rows done per output row
};

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
