// Windows and OS/2 bitmaps: 1, 4, 8, 16, 24 and 32 bits per pixel, RLE4 and RLE8, bottom-up
// and top-down rows, bit-field masks. Every read of the file goes through a bounds check
// against `size`; anything the reader cannot make sense of is "Bitmap image is not valid".

#include "picture.h"
#include "picture_internal.h"

#include <array>
#include <limits>

namespace {

const char *const INVALID = "Bitmap image is not valid";

constexpr size_t FILE_HEADER = 14;

enum Compression : uint32_t {
  BI_RGB = 0,
  BI_RLE8 = 1,
  BI_RLE4 = 2,
  BI_BITFIELDS = 3,
  BI_ALPHABITFIELDS = 6
};

uint16_t le16(const uint8_t *p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t le32(const uint8_t *p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

// One colour channel of a 16 or 32-bit pixel, widened or narrowed to 8 bits. Narrow channels
// repeat their bits downwards (5 bits abcde give abcdeabc) so that full scale stays 255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  int bits = 0;

  explicit Channel(uint32_t m = 0) : mask(m) {
    if (mask == 0)
      return;
    while (((mask >> shift) & 1u) == 0)
      ++shift;
    uint32_t rest = mask >> shift;
    while (rest != 0) {
      ++bits;
      rest >>= 1;
    }
  }

  uint32_t extract(uint32_t pixel) const {
    if (bits == 0)
      return 0;
    uint32_t v = (pixel & mask) >> shift;
    if (bits >= 8)
      return (v >> (bits - 8)) & 0xFFu;
    v <<= (8 - bits);
    for (int filled = bits; filled < 8; filled *= 2)
      v |= v >> filled;
    return v & 0xFFu;
  }
};

struct Header {
  int64_t width = 0;
  int64_t height = 0; // positive: rows stored bottom-up
  bool top_down = false;
  uint32_t bpp = 0;
  uint32_t compression = BI_RGB;
  uint32_t colours_used = 0;
  size_t palette_offset = 0;        // where the colour table starts
  size_t palette_entry = 4;         // 3 for the oldest (12-byte) header
  uint32_t masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
  bool has_masks = false;
  bool has_alpha_mask = false;
};

bool read_header(const uint8_t *data, size_t size, Header &h) {
  if (size < FILE_HEADER + 12 || data[0] != 'B' || data[1] != 'M')
    return false;
  const uint32_t header_size = le32(data + 14);
  if (header_size < 12 || header_size > size - FILE_HEADER)
    return false;
  const uint8_t *p = data + FILE_HEADER;
  if (header_size == 12) {
    // Windows 2 / OS/2 1.x core header: unsigned 16-bit sizes, 3-byte palette entries.
    h.width = le16(p + 4);
    h.height = le16(p + 6);
    h.bpp = le16(p + 10);
    h.palette_entry = 3;
    h.palette_offset = FILE_HEADER + 12;
    return h.bpp == 1 || h.bpp == 4 || h.bpp == 8 || h.bpp == 24;
  }
  if (header_size < 16)
    return false;
  // OS/2 2.x headers are 16 to 64 bytes long, fields past the given length being zero; the
  // Windows ones are 40, 52, 56, 108 and 124 bytes (longer ones are read as 124).
  const bool windows =
      header_size == 40 || header_size == 52 || header_size == 56 || header_size >= 108;
  if (!windows && header_size > 64)
    return false;
  auto field32 = [&](uint32_t at) -> uint32_t { return at + 4 <= header_size ? le32(p + at) : 0; };
  const auto w = static_cast<int32_t>(le32(p + 4));
  const auto ht = static_cast<int32_t>(le32(p + 8));
  h.width = w;
  h.height = ht;
  if (h.height < 0) {
    h.top_down = true;
    h.height = -h.height;
  }
  h.bpp = le16(p + 14);
  h.compression = field32(16);
  h.colours_used = field32(32);
  h.palette_offset = FILE_HEADER + header_size;
  switch (h.compression) {
  case BI_RGB: break;
  case BI_RLE8:
    if (h.bpp != 8)
      return false;
    break;
  case BI_RLE4:
    if (h.bpp != 4)
      return false;
    break;
  case BI_BITFIELDS:
  case BI_ALPHABITFIELDS:
    // In an OS/2 2.x header 3 means Huffman 1D, which no one writes any more.
    if (!windows || (h.bpp != 16 && h.bpp != 32))
      return false;
    h.has_masks = true;
    if (header_size >= 52) {
      for (uint32_t i = 0; i < 3; ++i)
        h.masks[i] = le32(p + 40 + 4 * i);
      h.has_alpha_mask = header_size >= 56;
      if (h.has_alpha_mask)
        h.masks[3] = le32(p + 52);
    } else {
      // A 40-byte header is followed by the masks, then the colour table.
      const size_t count = h.compression == BI_ALPHABITFIELDS ? 4 : 3;
      if (h.palette_offset + 4 * count > size)
        return false;
      for (size_t i = 0; i < count; ++i)
        h.masks[i] = le32(data + h.palette_offset + 4 * i);
      h.has_alpha_mask = count == 4;
      h.palette_offset += 4 * count;
    }
    break;
  default: return false;
  }
  if (h.compression == BI_ALPHABITFIELDS)
    h.has_alpha_mask = true;
  return h.bpp == 1 || h.bpp == 4 || h.bpp == 8 || h.bpp == 16 || h.bpp == 24 || h.bpp == 32;
}

// The colour table, padded with opaque black to 256 entries so that any index byte reads a
// colour: a pixel naming an entry the file does not hold shows black.
bool read_palette(const uint8_t *data, size_t pixels_at, const Header &h,
                  std::array<uint32_t, 256> &palette) {
  palette.fill(0xFF000000u);
  if (h.bpp > 8)
    return true;
  const size_t full = size_t{1} << h.bpp;
  size_t count = (h.colours_used == 0 || h.colours_used > full) ? full : h.colours_used;
  // Some writers announce a full table but store fewer entries before the pixels; trust the
  // room the file really has (the oldest header does not even say how many it holds).
  const size_t room = (pixels_at - h.palette_offset) / h.palette_entry;
  if (room < count)
    count = room;
  if (count == 0)
    return false;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t *e = data + h.palette_offset + i * h.palette_entry;
    palette[i] = 0xFF000000u | (uint32_t{e[2]} << 16) | (uint32_t{e[1]} << 8) | e[0];
  }
  return true;
}

// Both run-length encodings: pairs (count, value) for runs, escapes 0-0 end of line, 0-1 end
// of bitmap, 0-2 dx dy move, 0-n n literal pixels padded to a 16-bit boundary. Runs that
// overflow the row are clipped; pixels never written keep colour 0 of the table. Input that
// ends before the end-of-bitmap escape while rows are still missing is a damaged file.
bool decode_rle(const uint8_t *data, size_t size, size_t pos, const Header &h,
                const std::array<uint32_t, 256> &palette, PixelSink &sink) {
  const bool rle8 = h.compression == BI_RLE8;
  const int64_t w = h.width, ht = h.height;
  int64_t x = 0, y = 0;     // y counts rows in file order
  uint32_t *line = nullptr; // row y, once a pixel of it is written
  auto row_of = [&](int64_t file_row) {
    return static_cast<int>(h.top_down ? file_row : ht - 1 - file_row);
  };
  auto end_row = [&] {
    if (line != nullptr)
      sink.done(row_of(y));
    line = nullptr;
  };
  auto put = [&](uint32_t index) {
    if (x < w && y < ht) {
      if (line == nullptr)
        line = sink.row(row_of(y));
      line[x] = palette[index];
    }
    ++x;
  };
  for (;;) {
    if (y >= ht || sink.enough()) {
      end_row();
      return true;
    }
    if (size - pos < 2)
      return false;
    const uint8_t n = data[pos], c = data[pos + 1];
    pos += 2;
    if (n > 0) {
      if (x >= w) {
        x += n;
        continue;
      }
      for (uint32_t i = 0; i < n; ++i)
        put(rle8 ? c : ((i & 1) ? (c & 0x0Fu) : (uint32_t{c} >> 4)));
    } else if (c == 0) {
      end_row();
      x = 0;
      ++y;
    } else if (c == 1) {
      end_row();
      return true;
    } else if (c == 2) {
      if (size - pos < 2)
        return false;
      if (data[pos + 1] != 0)
        end_row();
      x += data[pos];
      y += data[pos + 1];
      pos += 2;
    } else {
      const size_t bytes = rle8 ? c : (size_t{c} + 1) / 2;
      if (size - pos < bytes)
        return false;
      for (uint32_t i = 0; i < c; ++i) {
        const uint8_t b = data[pos + (rle8 ? i : i / 2)];
        put(rle8 ? b : ((i & 1) ? (b & 0x0Fu) : (uint32_t{b} >> 4)));
      }
      pos += bytes + (bytes & 1);
      if (pos > size)
        pos = size;
    }
  }
}

// Returns whether the picture's alpha is to be ignored (see the end).
bool decode_rows(const uint8_t *pixels, size_t stride, const Header &h,
                 const std::array<uint32_t, 256> &palette, PixelSink &sink) {
  const auto w = static_cast<size_t>(h.width);
  const auto ht = static_cast<size_t>(h.height);
  uint32_t masks[4];
  if (h.has_masks) {
    for (int i = 0; i < 4; ++i)
      masks[i] = h.masks[i];
  } else if (h.bpp == 16) {
    masks[0] = 0x7C00;
    masks[1] = 0x03E0;
    masks[2] = 0x001F;
    masks[3] = 0;
  } else {
    // A 32-bit pixel without masks keeps its alpha in the high byte, as browsers and
    // ImageMagick read it (writers that mean "unused" leave it 0, handled below).
    masks[0] = 0xFF0000;
    masks[1] = 0x00FF00;
    masks[2] = 0x0000FF;
    masks[3] = 0xFF000000u;
  }
  const bool alpha_used = h.has_alpha_mask || (h.bpp == 32 && !h.has_masks);
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]), alpha(alpha_used ? masks[3] : 0);
  const bool plain32 = h.bpp == 32 && masks[0] == 0xFF0000 && masks[1] == 0xFF00 &&
                       masks[2] == 0xFF && (alpha.bits == 0 || alpha.mask == 0xFF000000u);
  bool any_alpha = false;
  for (size_t r = 0; r < ht; ++r) {
    const uint8_t *src = pixels + r * stride;
    const auto target = static_cast<int>(h.top_down ? r : ht - 1 - r);
    uint32_t *dst = sink.row(target);
    switch (h.bpp) {
    case 1:
      for (size_t x = 0; x < w; ++x)
        dst[x] = palette[(src[x >> 3] >> (7 - (x & 7))) & 1u];
      break;
    case 4:
      for (size_t x = 0; x < w; ++x)
        dst[x] = palette[(x & 1) ? (src[x >> 1] & 0x0Fu) : (src[x >> 1] >> 4)];
      break;
    case 8:
      for (size_t x = 0; x < w; ++x)
        dst[x] = palette[src[x]];
      break;
    case 24:
      for (size_t x = 0; x < w; ++x, src += 3)
        dst[x] = 0xFF000000u | (uint32_t{src[2]} << 16) | (uint32_t{src[1]} << 8) | src[0];
      break;
    case 16:
    case 32:
      if (plain32) {
        const uint32_t opaque = alpha.bits == 0 ? 0xFF000000u : 0;
        uint32_t alphas = 0;
        for (size_t x = 0; x < w; ++x, src += 4) {
          dst[x] = opaque | le32(src);
          alphas |= dst[x];
        }
        any_alpha = any_alpha || (alphas >> 24) != 0;
        break;
      }
      for (size_t x = 0; x < w; ++x) {
        uint32_t v;
        if (h.bpp == 16) {
          v = le16(src);
          src += 2;
        } else {
          v = le32(src);
          src += 4;
        }
        const uint32_t a = alpha.bits != 0 ? alpha.extract(v) : 0xFFu;
        any_alpha = any_alpha || a != 0;
        dst[x] = (a << 24) | (red.extract(v) << 16) | (green.extract(v) << 8) | blue.extract(v);
      }
      break;
    default: break;
    }
    sink.done(target);
    if (sink.enough())
      break;
  }
  // Writers that declare an alpha mask but leave every alpha at zero mean an opaque picture,
  // not an invisible one.
  return alpha.bits != 0 && !any_alpha;
}

} // namespace

namespace {

Avec<Picture> decode_bmp_body(const uint8_t *data, size_t size, const PictureLimits &limits,
                              const Reduction &reduction) {
  Header h;
  if (data == nullptr || !read_header(data, size, h))
    return Resultat::echec(INVALID);
  if (h.width <= 0 || h.height <= 0)
    return Resultat::echec(INVALID);
  const uint32_t pixels_at = le32(data + 10);
  if (pixels_at < h.palette_offset || pixels_at >= size)
    return Resultat::echec(INVALID);
  if (std::string refusal = picture_size_refusal(h.width, h.height, limits); !refusal.empty())
    return Resultat::echec(std::move(refusal));

  std::array<uint32_t, 256> palette;
  if (!read_palette(data, pixels_at, h, palette))
    return Resultat::echec(INVALID);

  const bool rle = h.compression == BI_RLE8 || h.compression == BI_RLE4;
  // Check that the pixels are all there before taking memory for them. The last row may
  // lack its padding, which some writers leave out.
  const uint64_t row_bits = static_cast<uint64_t>(h.width) * h.bpp;
  const uint64_t stride = (row_bits + 31) / 32 * 4;
  if (!rle) {
    const uint64_t needed = stride * static_cast<uint64_t>(h.height - 1) + (row_bits + 7) / 8;
    if (needed > size - pixels_at)
      return Resultat::echec(INVALID);
  }

  PixelSink sink(static_cast<int>(h.width), static_cast<int>(h.height),
                 rle ? palette[0] : 0xFF000000u, reduction);
  bool opaque = false;
  if (rle) {
    if (!decode_rle(data, size, pixels_at, h, palette, sink))
      return Resultat::echec(INVALID);
  } else {
    opaque = decode_rows(data + pixels_at, static_cast<size_t>(stride), h, palette, sink);
  }
  Picture r = sink.take();
  if (opaque)
    for (uint32_t &px : r.argb)
      px |= 0xFF000000u;
  return r;
}

} // namespace

Avec<Picture> decode_bmp(const uint8_t *data, size_t size, const PictureLimits &limits,
                         const Reduction &reduction) {
  return without_exceptions([&] { return decode_bmp_body(data, size, limits, reduction); });
}

Avec<Picture> decode_bmp(const uint8_t *data, size_t size, const PictureLimits &limits) {
  return decode_bmp(data, size, limits, Reduction{});
}
