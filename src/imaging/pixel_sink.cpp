#include "picture_internal.h"

#include <algorithm>

namespace {

// The largest whole factor that keeps `side` at least `frame` long; 1 for a side already
// shorter.
int factor_for(int side, int frame) {
  return frame <= 0 ? 1 : std::max(1, side / frame);
}

int divide_up(int a, int b) {
  return (a + b - 1) / b;
}

} // namespace

PixelSink::PixelSink(int width, int height, uint32_t fill, const Reduction &reduction,
                     int full_width, int full_height)
    : width_(width), height_(height), fill_(fill), reduced_(reduction.reduces()),
      full_width_(full_width), full_height_(full_height),
      budget_(std::max<int64_t>(reduction.max_source_pixels, 0)) {
  const int64_t decoded = int64_t{width} * height;
  if (decoded > 0)
    weight_ = std::max<int64_t>(1, int64_t{full_width} * full_height / decoded);
  if (reduced_) {
    fx_ = factor_for(width, reduction.width);
    fy_ = factor_for(height, reduction.height);
    // A frame as large as the picture: nothing to average, the rows go straight in.
    reduced_ = fx_ > 1 || fy_ > 1;
  }
  if (!reduced_) {
    whole_ = picture_of_size(width, height, fill);
    return;
  }
  out_width_ = divide_up(width, fx_);
  out_height_ = divide_up(height, fy_);
  line_.assign(static_cast<size_t>(width), fill);
  sums_.assign(static_cast<size_t>(out_width_) * static_cast<size_t>(out_height_) * 4, 0);
  rows_done_.assign(static_cast<size_t>(out_height_), 0);
}

uint32_t *PixelSink::row(int y) {
  if (!reduced_)
    return whole_.argb.data() + static_cast<size_t>(y) * static_cast<size_t>(width_);
  std::fill(line_.begin(), line_.end(), fill_);
  return line_.data();
}

void PixelSink::done(int y) {
  decoded_ += int64_t{width_} * weight_;
  if (!reduced_)
    return;
  const int oy = y / fy_;
  ++rows_done_[static_cast<size_t>(oy)];
  uint64_t *sum = sums_.data() + static_cast<size_t>(oy) * static_cast<size_t>(out_width_) * 4;
  const uint32_t *px = line_.data();
  for (int x0 = 0; x0 < width_; x0 += fx_, sum += 4) {
    const int x1 = std::min(width_, x0 + fx_);
    uint64_t a = 0, r = 0, g = 0, b = 0;
    for (int x = x0; x < x1; ++x) {
      const uint32_t v = px[x];
      a += v >> 24;
      r += (v >> 16) & 0xFFu;
      g += (v >> 8) & 0xFFu;
      b += v & 0xFFu;
    }
    sum[0] += a;
    sum[1] += r;
    sum[2] += g;
    sum[3] += b;
  }
}

Picture PixelSink::take() {
  Picture p;
  if (!reduced_) {
    p = std::move(whole_);
  } else {
    p = picture_of_size(out_width_, out_height_, 0);
    const uint64_t fill[4] = {fill_ >> 24, (fill_ >> 16) & 0xFFu, (fill_ >> 8) & 0xFFu,
                              fill_ & 0xFFu};
    for (int oy = 0; oy < out_height_; ++oy) {
      const int64_t rows = std::min(fy_, height_ - oy * fy_);
      const int64_t missing_rows = rows - rows_done_[static_cast<size_t>(oy)];
      for (int ox = 0; ox < out_width_; ++ox) {
        const int64_t columns = std::min(fx_, width_ - ox * fx_);
        const uint64_t count = static_cast<uint64_t>(rows * columns);
        const uint64_t missing = static_cast<uint64_t>(missing_rows * columns);
        const size_t at =
            static_cast<size_t>(oy) * static_cast<size_t>(out_width_) + static_cast<size_t>(ox);
        const uint64_t *sum = sums_.data() + at * 4;
        uint32_t v = 0;
        for (int c = 0; c < 4; ++c)
          v = (v << 8) | static_cast<uint32_t>((sum[c] + missing * fill[c] + count / 2) / count);
        p.argb[at] = v;
      }
    }
    sums_ = {};
    line_ = {};
  }
  p.full_width = full_width_;
  p.full_height = full_height_;
  return p;
}
